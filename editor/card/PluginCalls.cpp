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

// A failed operation on the open card leaves the plug-in's error code (why
// the card refused, or that a value was cut) as the card's last error.
template <typename F, typename... Args>
int PluginCalls::cardCall(CardDocument& card, F function, Args... args) const {
    const int result = call(card, function, card.connection, args...);
    fetchLastError(card, result);
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
    return cardCall(card, m_binding.exports().get_sim_info, &info);
}

int PluginCalls::readPhoneBook(CardDocument& card, int kind, PhoneBookRequest& request) const {
    const auto& e = m_binding.exports();
    return (kind & 0xFFFF) != 0 ? cardCall(card, e.get_phone_book, kind, &request)
                                : cardCall(card, e.get_nextel_phone_book, 0, &request);
}

int PluginCalls::writePhoneBook(CardDocument& card, int kind, PhoneBookRequest& request) const {
    return cardCall(card, m_binding.exports().set_phone_book, kind, &request);
}

int PluginCalls::readMessages(CardDocument& card, SmsRequest& request) const {
    return cardCall(card, m_binding.exports().get_sms, &request);
}

int PluginCalls::writeMessages(CardDocument& card, SmsRequest& request) const {
    return cardCall(card, m_binding.exports().set_sms, &request);
}

int PluginCalls::backup(CardDocument& card, const std::u16string& path, BackupCallback progress,
                        intptr_t user) const {
    return cardCall(card, m_binding.exports().backup_sim, 0xFFFF, path.c_str(), progress, user);
}

int PluginCalls::restore(CardDocument& card, const std::u16string& path, BackupCallback progress,
                         intptr_t user) const {
    return cardCall(card, m_binding.exports().restore_sim, path.c_str(), progress, user);
}

int PluginCalls::verifyPin(CardDocument& card, int type, const char16_t* pin) const {
    const auto& e = m_binding.exports();
    return cardCall(card, type == 2 ? e.verify_pin2 : e.verify_pin1, pin);
}

int PluginCalls::enablePin1(CardDocument& card, const char16_t* pin) const {
    return cardCall(card, m_binding.exports().enable_pin1, pin);
}

int PluginCalls::disablePin1(CardDocument& card, const char16_t* pin) const {
    return cardCall(card, m_binding.exports().disable_pin1, pin);
}

int PluginCalls::changePin(CardDocument& card, int type, const char16_t* oldPin,
                           const char16_t* newPin) const {
    const auto& e = m_binding.exports();
    return cardCall(card, type == 2 ? e.change_pin2 : e.change_pin1, oldPin, newPin);
}

int PluginCalls::unblockPin(CardDocument& card, int type, const char16_t* puk,
                            const char16_t* newPin) const {
    const auto& e = m_binding.exports();
    return cardCall(card, type == 2 ? e.unblock_pin2 : e.unblock_pin1, puk, newPin);
}

} // namespace pelmora::model
