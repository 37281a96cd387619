#include "platform/udp_endpoint.h"

void UdpEndpoint::send(const char* data, int count)
{
    if (count <= 0 || data == nullptr) {
        emit bufferInvalid();
        return;
    }
    transmit(QByteArray(data, count), m_remoteHost, m_remotePort);
}
