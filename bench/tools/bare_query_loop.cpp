// The floor for a scan: the same info requests to the same addresses, from a
// plain socket, reading whatever comes back without looking at it. It counts
// the senders that answered and the time until the wait after the last send
// is over, so that zarnek-query's figures have something to stand beside.
//
//   bench_query_bare WAIT_MS PORT FROM-TO

#include "core/protocol/requests.h"
#include "core/scanning/range_walk.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// Takes every datagram waiting on the socket; counts the senders.
void drain(int fd, std::set<std::pair<std::uint32_t, std::uint16_t>>& senders, long& datagrams)
{
    char buffer[2048];
    for (;;) {
        sockaddr_in from{};
        socklen_t length = sizeof from;
        const ssize_t n = recvfrom(fd, buffer, sizeof buffer, MSG_DONTWAIT,
                                   reinterpret_cast<sockaddr*>(&from), &length);
        if (n < 0)
            return;
        ++datagrams;
        senders.emplace(from.sin_addr.s_addr, from.sin_port);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s WAIT_MS PORT FROM-TO\n", argv[0]);
        return 2;
    }
    const int waitMs = std::atoi(argv[1]);
    const int port = std::atoi(argv[2]);
    const std::string range = argv[3];
    const auto dash = range.find('-');
    auto walk = zarnek::scanning::walkRange(range.substr(0, dash), range.substr(dash + 1));
    if (dash == std::string::npos || !walk) {
        std::fprintf(stderr, "malformed range %s\n", range.c_str());
        return 2;
    }

    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    const int receiveBuffer = 4 * 1024 * 1024;  // as the tool's endpoint asks
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    if (bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        std::perror("bind");
        return 1;
    }

    const zarnek::protocol::QueryBuffers queries;
    const auto info = queries.InfoQuery();
    std::set<std::pair<std::uint32_t, std::uint16_t>> senders;
    long datagrams = 0;
    long probed = 0;

    const auto start = Clock::now();
    while (const auto address = walk->next()) {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<std::uint16_t>(port));
        inet_pton(AF_INET, zarnek::scanning::quadText(*address).c_str(), &to.sin_addr);
        sendto(fd, info.data(), info.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
        ++probed;
        drain(fd, senders, datagrams);
    }
    const auto end = Clock::now() + std::chrono::milliseconds(waitMs);
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        pollfd p{fd, POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
        if (poll(&p, 1, static_cast<int>(left.count()) + 1) > 0)
            drain(fd, senders, datagrams);
    }
    const double wallMs =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    close(fd);
    std::printf("probed %ld answered %zu datagrams %ld wall_ms %.1f\n", probed, senders.size(),
                datagrams, wallMs);
    return 0;
}
