#pragma once

// Runs the fake LAN (fake_lan.py) as a child process for a test and reads back
// what its servers heard. The test must already run in a private network
// namespace: the servers bind loopback addresses and real ports.
//
// FAKE_LAN_SCRIPT is the path of fake_lan.py, given by the test's CMake file.

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class FakeLanProcess {
public:
    struct Heard {
        QString server;  // "127.0.0.5:27015"
        QString from;    // "127.0.0.1:27005"
        QString via;     // "unicast" or "broadcast"
        QByteArray data;
    };

    // Each server is a JSON object with the fields fake_lan.py documents.
    explicit FakeLanProcess(QJsonArray servers, int lifetimeSeconds = 120)
        : servers_(std::move(servers)), lifetime_(lifetimeSeconds) {}

    ~FakeLanProcess() { stop(); }

    FakeLanProcess(const FakeLanProcess&) = delete;
    FakeLanProcess& operator=(const FakeLanProcess&) = delete;

    // Starts the servers; true once every socket is bound.
    bool start() {
        if (!dir_.isValid()) return false;
        QJsonObject config;
        config[QStringLiteral("log")] = logPath();
        config[QStringLiteral("lifetime")] = lifetime_;
        config[QStringLiteral("servers")] = servers_;
        QFile file(dir_.filePath(QStringLiteral("config.json")));
        if (!file.open(QIODevice::WriteOnly)) return false;
        file.write(QJsonDocument(config).toJson());
        file.close();
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral("python3"),
                       {QStringLiteral(FAKE_LAN_SCRIPT), file.fileName()});
        if (!process_.waitForStarted(30000)) return false;
        while (!process_.canReadLine()) {
            if (!process_.waitForReadyRead(30000)) return false;
        }
        return process_.readLine().startsWith("READY");
    }

    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(10000)) process_.kill();
        process_.waitForFinished(10000);
    }

    // Everything heard so far, in arrival order.
    QList<Heard> heard() const {
        QList<Heard> result;
        QFile file(logPath());
        if (!file.open(QIODevice::ReadOnly)) return result;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            if (line.isEmpty()) continue;
            const QJsonObject o = QJsonDocument::fromJson(line).object();
            result.append({o.value(QStringLiteral("server")).toString(),
                           o.value(QStringLiteral("from")).toString(),
                           o.value(QStringLiteral("via")).toString(),
                           QByteArray::fromHex(o.value(QStringLiteral("data")).toString().toLatin1())});
        }
        return result;
    }

    // The servers that heard at least one datagram, in order of first arrival.
    QStringList serversHeard() const {
        QStringList result;
        for (const Heard& h : heard())
            if (!result.contains(h.server)) result.append(h.server);
        return result;
    }

    // A server entry for the configuration.
    static QJsonObject server(const QString& address, int port, const QString& kind,
                              const QString& name) {
        QJsonObject o;
        o[QStringLiteral("address")] = address;
        o[QStringLiteral("port")] = port;
        o[QStringLiteral("kind")] = kind;
        o[QStringLiteral("name")] = name;
        return o;
    }

private:
    QString logPath() const { return dir_.filePath(QStringLiteral("received.jsonl")); }

    QJsonArray servers_;
    int lifetime_;
    QTemporaryDir dir_;
    QProcess process_;
};
