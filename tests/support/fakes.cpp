#include "tests/support/fakes.h"

#include <QCoreApplication>
#include <algorithm>
#include <numeric>

void FakeUdpEndpoint::inject(const QByteArray& datagram, const QString& fromIp, int port)
{
    if (!m_closed)
        emit dataReceived(datagram, fromIp, port);
}

void FakeUdpEndpoint::transmit(const QByteArray& datagram, const QString& host, int port)
{
    if (!m_closed)
        sent.push_back({host, port, datagram});
}

void FakeEventPump::pump()
{
    ++pumps;
    if (processEvents)
        QCoreApplication::processEvents();
    if (m_every)
        m_every();
    auto it = m_actions.find(pumps);
    if (it != m_actions.end()) {
        auto action = std::move(it->second);
        m_actions.erase(it);
        action();
    }
}

int FakeEventPump::sleptMilliseconds() const
{
    return std::accumulate(sleeps.begin(), sleeps.end(), 0);
}

bool FakeHotKey::registerKey(int id, QKeyCombination key)
{
    lastKey = key;
    if (refuse)
        return false;
    registered.push_back(id);
    return true;
}

void FakeHotKey::unregisterKey(int id)
{
    registered.erase(std::remove(registered.begin(), registered.end(), id), registered.end());
}

bool FakeSingleInstance::handOverToRunning()
{
    ++handOvers;
    return otherRunning;
}
