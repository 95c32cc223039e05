#include "PluginCalls.h"

#include <array>

namespace pelmora::model {

template <typename F, typename... Args>
int PluginCalls::call(CardDocument& card, F function, Args... args) const {
    int result = 0;
    if (function != nullptr) {
        try {
            result = function(args...);
        } catch (...) {
            // Nothing the plug-in did can count as success; a result left from
            // an earlier call must not stand in for this one.
            result = 0;
        }
    }
    card.lastResult = result;
    return result;
}

void PluginCalls::fetchLastError(CardDocument& card, int result) const {
    if (result != 0) {
        return;
    }
    const auto getLastError = m_binding.exports().get_last_error;
    if (getLastError == nullptr) {
        return;
    }
    try {
        card.lastError = getLastError(card.connection);
    } catch (...) {
        card.lastError = 0;
    }
}

bool PluginCalls::readerName(uint32_t index, std::u16string& name) const {
    const auto enumSim = m_binding.exports().enum_sim;
    name.clear();
    if (enumSim == nullptr) {
        return false;
    }
    std::array<char16_t, 512> buffer{};
    uint32_t length = buffer.size();
    int result = 0;
    try {
        result = enumSim(index, buffer.data(), &length);
    } catch (...) {
        result = 0;
    }
    if (result == 0) {
        return false;
    }
    // The length the plug-in reports is not trusted past the buffer.
    buffer.back() = u'\0';
    name.assign(buffer.data());
    return true;
}

int32_t PluginCalls::openFailure() const {
    const auto getLastError = m_binding.exports().get_last_error;
    if (getLastError == nullptr) {
        return 0;
    }
    int32_t reason = 0;
    try {
        reason = getLastError(nullptr);
    } catch (...) {
        reason = 0;
    }
    return reason == kBrontelErrorNullHandle ? 0 : reason;
}

int PluginCalls::connect(CardDocument& card, std::u16string_view reader) const {
    card.info = SimInfo{};
    if (reader.empty()) {
        card.lastResult = 0;
        return 0;
    }
    const std::u16string name(reader);
    SimHandle handle = nullptr;
    const int result =
        call(card, m_binding.exports().connect_sim, name.c_str(), &handle, &card.info);
    if (result != 0) {
        card.connection = handle;
        card.setReaderLine(name);
    } else {
        card.info = SimInfo{};
        card.lastError = openFailure();
    }
    return result;
}

int PluginCalls::close(CardDocument& card) const {
    int result = 0;
    if (card.connection != nullptr) {
        result = call(card, m_binding.exports().disconnect_sim, card.connection);
    } else {
        card.lastResult = 0;
    }
    card.connection = nullptr;
    card.info = SimInfo{};
    card.setReaderLine(u"");
    card.forgetPins();
    return result;
}

int PluginCalls::cardInfo(CardDocument& card, SimInfo& info) const {
    const int result = call(card, m_binding.exports().get_sim_info, card.connection, &info);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::readPhoneBook(CardDocument& card, int kind, PhoneBookRequest& request) const {
    const auto& e = m_binding.exports();
    const int result = (kind & 0xFFFF) != 0
                           ? call(card, e.get_phone_book, card.connection, kind, &request)
                           : call(card, e.get_nextel_phone_book, card.connection, 0, &request);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::writePhoneBook(CardDocument& card, int kind, PhoneBookRequest& request) const {
    const int result =
        call(card, m_binding.exports().set_phone_book, card.connection, kind, &request);
    // Tells a book the card took with values cut from one it refused.
    fetchLastError(card, result);
    return result;
}

int PluginCalls::readMessages(CardDocument& card, SmsRequest& request) const {
    const int result = call(card, m_binding.exports().get_sms, card.connection, &request);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::writeMessages(CardDocument& card, SmsRequest& request) const {
    const int result = call(card, m_binding.exports().set_sms, card.connection, &request);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::backup(CardDocument& card, const std::u16string& path, BackupCallback progress,
                        intptr_t user) const {
    const int result = call(card, m_binding.exports().backup_sim, card.connection, 0xFFFF,
                            path.c_str(), progress, user);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::restore(CardDocument& card, const std::u16string& path, BackupCallback progress,
                         intptr_t user) const {
    const int result =
        call(card, m_binding.exports().restore_sim, card.connection, path.c_str(), progress, user);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::verifyPin(CardDocument& card, int type, const char16_t* pin) const {
    const auto& e = m_binding.exports();
    const int result = type == 2 ? call(card, e.verify_pin2, card.connection, pin)
                                 : call(card, e.verify_pin1, card.connection, pin);
    // Tells a refused PIN from a card that did not carry the check out.
    fetchLastError(card, result);
    return result;
}

int PluginCalls::enablePin1(CardDocument& card, const char16_t* pin) const {
    const int result = call(card, m_binding.exports().enable_pin1, card.connection, pin);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::disablePin1(CardDocument& card, const char16_t* pin) const {
    const int result = call(card, m_binding.exports().disable_pin1, card.connection, pin);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::changePin(CardDocument& card, int type, const char16_t* oldPin,
                           const char16_t* newPin) const {
    const auto& e = m_binding.exports();
    const int result = type == 2 ? call(card, e.change_pin2, card.connection, oldPin, newPin)
                                 : call(card, e.change_pin1, card.connection, oldPin, newPin);
    fetchLastError(card, result);
    return result;
}

int PluginCalls::unblockPin(CardDocument& card, int type, const char16_t* puk,
                            const char16_t* newPin) const {
    const auto& e = m_binding.exports();
    const int result = type == 2 ? call(card, e.unblock_pin2, card.connection, puk, newPin)
                                 : call(card, e.unblock_pin1, card.connection, puk, newPin);
    fetchLastError(card, result);
    return result;
}

} // namespace pelmora::model
