// The card side of the vpcd protocol: messages handled by the session, and
// the framing over a real TCP connection with this test playing the driver.

#include "VpcdLink.h"
#include "VpcdSession.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using virtualsim::VpcdLink;
using virtualsim::VpcdSession;

namespace {

using Bytes = std::vector<uint8_t>;

class FakeCard : public virtualsim::SmartCard {
public:
    Bytes atr() const override { return {0x3B, 0x02, 0x14, 0x50}; }
    Bytes transmit(std::span<const uint8_t> command) override {
        received.emplace_back(command.begin(), command.end());
        return {0x6D, 0x00};
    }
    void powerCycle() override { ++powerCycles; }
    bool persist(std::string*) override { return true; }

    std::vector<Bytes> received;
    int powerCycles = 0;
};

// The driver's end: a listening socket on a free port of 127.0.0.1.
class DriverEnd {
public:
    DriverEnd() {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        socklen_t length = sizeof address;
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
    }
    ~DriverEnd() {
        if (m_peer >= 0)
            close(m_peer);
        close(m_listener);
    }
    void listenAndAccept() {
        ASSERT_EQ(listen(m_listener, 1), 0);
        m_peer = accept(m_listener, nullptr, nullptr);
        ASSERT_GE(m_peer, 0);
    }
    void send(const Bytes& payload) {
        Bytes frame = {static_cast<uint8_t>(payload.size() >> 8),
                       static_cast<uint8_t>(payload.size() & 0xFF)};
        frame.insert(frame.end(), payload.begin(), payload.end());
        ASSERT_EQ(write(m_peer, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
    }
    Bytes receive() {
        uint8_t header[2];
        if (!readAll(header, 2))
            return {};
        Bytes payload(header[0] << 8 | header[1]);
        if (!payload.empty() && !readAll(payload.data(), payload.size()))
            return {};
        return payload;
    }
    void hangUp() {
        close(m_peer);
        m_peer = -1;
    }
    uint16_t port = 0;

private:
    bool readAll(uint8_t* data, size_t size) {
        while (size > 0) {
            ssize_t got = read(m_peer, data, size);
            if (got <= 0)
                return false;
            data += got;
            size -= static_cast<size_t>(got);
        }
        return true;
    }
    int m_listener = -1;
    int m_peer = -1;
};

} // namespace

TEST(VpcdSession, AnswersAtrRequestsAndCommandsOfAPoweredCard) {
    FakeCard card;
    VpcdSession session(card);
    EXPECT_EQ(session.handle(Bytes{VpcdSession::kAtrRequest}), card.atr());

    EXPECT_FALSE(session.handle(Bytes{VpcdSession::kPowerOn}));
    EXPECT_EQ(card.powerCycles, 1);
    EXPECT_EQ(session.handle(Bytes{0xA0, 0x04, 0x00, 0x00}), (Bytes{0x6D, 0x00}));
    ASSERT_EQ(card.received.size(), 1u);
    EXPECT_EQ(card.received[0], (Bytes{0xA0, 0x04, 0x00, 0x00, 0x00})); // T=0 case 1

    EXPECT_FALSE(session.handle(Bytes{VpcdSession::kReset}));
    EXPECT_EQ(card.powerCycles, 2);
    EXPECT_FALSE(session.handle(Bytes{0x7E}));
    EXPECT_FALSE(session.handle(Bytes{}));
    EXPECT_FALSE(session.handle(Bytes{VpcdSession::kPowerOff}));
    EXPECT_FALSE(session.powered());
}

// A driver that missed a change of card sends commands without powering the
// new one: every command still gets an answer (an empty one would leave the
// driver waiting for ever), from a freshly powered card.
TEST(VpcdSession, ACommandToAnUnpoweredCardPowersItFirst) {
    FakeCard card;
    VpcdSession session(card);
    EXPECT_EQ(session.handle(Bytes{0xA0, 0x04, 0x00, 0x00}), (Bytes{0x6D, 0x00}));
    EXPECT_EQ(card.powerCycles, 1);
    EXPECT_TRUE(session.powered());

    EXPECT_FALSE(session.handle(Bytes{VpcdSession::kPowerOff}));
    EXPECT_EQ(session.handle(Bytes{0xA0, 0x04, 0x00, 0x00}), (Bytes{0x6D, 0x00}));
    EXPECT_EQ(card.powerCycles, 2);
    EXPECT_EQ(card.received.size(), 2u);
}

TEST(VpcdLink, KeepsTryingUntilTheDriverListensThenServesFrames) {
    DriverEnd driver;
    FakeCard card;
    std::atomic<bool> stop{false};
    std::thread cardSide([&] {
        auto link = VpcdLink::connect("127.0.0.1", driver.port, 20, stop);
        ASSERT_TRUE(link);
        VpcdSession session(card);
        while (auto message = link->receive()) {
            if (auto reply = session.handle(*message)) {
                ASSERT_TRUE(link->send(*reply));
            }
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // refused meanwhile
    driver.listenAndAccept();
    driver.send({VpcdSession::kPowerOn});
    driver.send({VpcdSession::kAtrRequest});
    EXPECT_EQ(driver.receive(), card.atr());
    Bytes longCommand(300, 0xA0); // lengths beyond one byte travel in two
    driver.send(longCommand);
    EXPECT_EQ(driver.receive(), (Bytes{0x6D, 0x00}));
    driver.hangUp();
    cardSide.join();
    ASSERT_EQ(card.received.size(), 1u);
    EXPECT_EQ(card.received[0], longCommand);
}

TEST(VpcdLink, GivesUpWhenStopped) {
    std::atomic<bool> stop{true};
    EXPECT_FALSE(VpcdLink::connect("127.0.0.1", 9, 20, stop));
    stop = false;
    EXPECT_FALSE(VpcdLink::connect("not an address", 9, 20, stop));
}
