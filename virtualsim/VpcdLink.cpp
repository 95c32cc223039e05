#include "VpcdLink.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace virtualsim {

namespace {

constexpr size_t kLongestMessage = 0xFFFF;

} // namespace

std::optional<VpcdLink> VpcdLink::connect(const std::string& host, uint16_t port, unsigned retryMs,
                                          const std::atomic<bool>& stop) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1)
        return std::nullopt;
    while (!stop) {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return std::nullopt;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
            int on = 1; // one small message at a time: do not let them wait
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            return VpcdLink(fd, stop);
        }
        ::close(fd);
        std::this_thread::sleep_for(std::chrono::milliseconds(retryMs));
    }
    return std::nullopt;
}

VpcdLink::VpcdLink(VpcdLink&& other) noexcept : m_socket(other.m_socket), m_stop(other.m_stop) {
    other.m_socket = -1;
}

VpcdLink::~VpcdLink() {
    if (m_socket >= 0)
        ::close(m_socket);
}

bool VpcdLink::readExactly(uint8_t* data, size_t size) {
    while (size > 0) {
        if (m_stop)
            return false;
        // A stop signal that lands just before a blocking read would go unseen:
        // wake up now and then to look at the flag.
        pollfd ready{m_socket, POLLIN, 0};
        int n = ::poll(&ready, 1, 200);
        if (n == 0 || (n < 0 && errno == EINTR))
            continue;
        if (n < 0)
            return false;
        // The driver sends a message's length and its bytes in two writes; a
        // delayed acknowledgement of the first holds back the second (Nagle)
        // for tens of milliseconds per command. Acknowledge at once.
        int on = 1;
        setsockopt(m_socket, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
        ssize_t got = ::read(m_socket, data, size);
        if (got > 0) {
            data += got;
            size -= static_cast<size_t>(got);
        } else if (got < 0 && errno == EINTR && !m_stop) {
            continue;
        } else {
            return false; // closed, failed or asked to stop
        }
    }
    return true;
}

std::optional<std::vector<uint8_t>> VpcdLink::receive() {
    uint8_t header[2];
    if (!readExactly(header, sizeof header))
        return std::nullopt;
    std::vector<uint8_t> message(static_cast<size_t>(header[0]) << 8 | header[1]);
    if (!message.empty() && !readExactly(message.data(), message.size()))
        return std::nullopt;
    return message;
}

bool VpcdLink::send(std::span<const uint8_t> payload) {
    if (payload.size() > kLongestMessage)
        return false;
    std::vector<uint8_t> frame;
    frame.reserve(payload.size() + 2);
    frame.push_back(static_cast<uint8_t>(payload.size() >> 8));
    frame.push_back(static_cast<uint8_t>(payload.size() & 0xFF));
    frame.insert(frame.end(), payload.begin(), payload.end());
    size_t sent = 0;
    while (sent < frame.size()) {
        ssize_t n = ::send(m_socket, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += static_cast<size_t>(n);
        else if (!(n < 0 && errno == EINTR && !m_stop))
            return false;
    }
    return true;
}

} // namespace virtualsim
