#pragma once
// The TCP connection to the vsmartcard-vpcd reader driver inside pcscd. The
// card is the client: it connects to the driver's port and then answers what
// the driver sends, one length-prefixed message at a time.

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace virtualsim {

class VpcdLink {
public:
    // Tries every retryMs until the driver listens or stop is set.
    static std::optional<VpcdLink> connect(const std::string& host, uint16_t port, unsigned retryMs,
                                           const std::atomic<bool>& stop);

    VpcdLink(VpcdLink&& other) noexcept;
    VpcdLink& operator=(VpcdLink&&) = delete;
    ~VpcdLink();

    // The next message; nothing once the driver has gone or stop is set.
    std::optional<std::vector<uint8_t>> receive();
    bool send(std::span<const uint8_t> payload);

private:
    VpcdLink(int socket, const std::atomic<bool>& stop) : m_socket(socket), m_stop(stop) {}
    bool readExactly(uint8_t* data, size_t size);

    int m_socket;
    const std::atomic<bool>& m_stop;
};

} // namespace virtualsim
