// The per-user instance socket, in a private runtime folder.
#include "platform/single_instance.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        m_saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_saved); }
    QTemporaryDir m_runtime;
    QByteArray m_saved;
};

}  // namespace

TEST_F(SingleInstanceTest, ASecondInstanceAsksTheFirstToRestore)
{
    const QString title = QStringLiteral("Zarnek_v1.98");
    LocalSocketInstance first(title);
    EXPECT_TRUE(first.socketPath().startsWith(m_runtime.path()));
    EXPECT_FALSE(first.handOverToRunning());
    first.serve();
    QSignalSpy restores(&first, &SingleInstance::restoreRequested);

    for (int i = 0; i < 2; ++i) {
        LocalSocketInstance second(title);
        EXPECT_TRUE(second.handOverToRunning());
        ASSERT_TRUE(QTest::qWaitFor([&] { return restores.count() == i + 1; }, 10000));
    }
    // Another title is another program; another desktop, another session.
    LocalSocketInstance other(QStringLiteral("Other"));
    EXPECT_FALSE(other.handOverToRunning());
    LocalSocketInstance elsewhere(title, QStringLiteral(":1"));
    EXPECT_FALSE(elsewhere.handOverToRunning());
    EXPECT_FALSE(elsewhere.socketPath().contains(QLatin1Char(':')));
}

TEST_F(SingleInstanceTest, ASocketLeftByACrashedInstanceIsTakenOver)
{
    const QString title = QStringLiteral("Zarnek_v1.98");
    LocalSocketInstance probe(title);
    // A socket file nobody listens on, as a killed instance leaves it.
    const QByteArray path = QFile::encodeName(probe.socketPath());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(probe.socketPath()));

    LocalSocketInstance restarted(title);
    EXPECT_FALSE(restarted.handOverToRunning());
    restarted.serve();
    LocalSocketInstance second(title);
    EXPECT_TRUE(second.handOverToRunning());
}
