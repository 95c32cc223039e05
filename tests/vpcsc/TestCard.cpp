#include "TestCard.h"

#include <algorithm>
#include <cstring>

TestCard::TestCard(std::vector<uint8_t> atr) : m_atr(std::move(atr)) {
    answer = [](const std::vector<uint8_t>& command) {
        std::vector<uint8_t> response;
        if (command.size() >= 5 && (command[1] == 0xB0 || command[1] == 0xB2))
            for (uint8_t i = 0; i < command[4]; ++i)
                response.push_back(i);
        response.push_back(0x90);
        response.push_back(0x00);
        return response;
    };
}

VirtualSimCustomCard TestCard::callbacks() {
    return VirtualSimCustomCard{m_atr.data(), m_atr.size(), &TestCard::onTransmit,
                                &TestCard::onReset, this};
}

size_t TestCard::onTransmit(void* user, const uint8_t* command, size_t length, uint8_t* response,
                            size_t capacity) {
    auto* card = static_cast<TestCard*>(user);
    card->received.emplace_back(command, command + length);
    std::vector<uint8_t> answer = card->answer(card->received.back());
    size_t size = std::min(answer.size(), capacity);
    if (size)
        std::memcpy(response, answer.data(), size);
    return size;
}

void TestCard::onReset(void* user) {
    ++static_cast<TestCard*>(user)->powerCycles;
}
