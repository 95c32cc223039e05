#pragma once
// Every call into the card plug-in goes through here: the result is stored as
// the card document's last result, and after any failed card operation the
// plug-in's error code as its last error. A plug-in that is not bound, or that
// throws, gives 0.

#include "Brontel.h"
#include "CardDocument.h"
#include "PluginBinding.h"

#include <string>
#include <string_view>

namespace pelmora::model {

class PluginCalls {
public:
    explicit PluginCalls(const PluginBinding& binding) : m_binding(binding) {}

    [[nodiscard]] bool bound() const { return m_binding.bound(); }

    // Reader name by index; false when there is no such reader.
    bool readerName(uint32_t index, std::u16string& name) const;
    // Why the last reader listing or connect of this thread failed (a PC/SC
    // result or the card's status-word code); 0 when the plug-in does not say.
    [[nodiscard]] int32_t openFailure() const;

    // Clears the card information; an empty reader name connects nothing.
    // A failed connect leaves openFailure() as the card's last error.
    int connect(CardDocument& card, std::u16string_view reader) const;
    // Disconnects (when connected), then forgets the handle, the card
    // information, the reader line and both PINs. The books stay.
    int close(CardDocument& card) const;
    // Into a record of the caller's (the card document's own, or another).
    int cardInfo(CardDocument& card, SimInfo& info) const;
    int cardInfo(CardDocument& card) const { return cardInfo(card, card.info); }

    int readPhoneBook(CardDocument& card, int kind, PhoneBookRequest& request) const;
    int writePhoneBook(CardDocument& card, int kind, PhoneBookRequest& request) const;
    int readMessages(CardDocument& card, SmsRequest& request) const;
    int writeMessages(CardDocument& card, SmsRequest& request) const;
    int backup(CardDocument& card, const std::u16string& path, BackupCallback progress,
               intptr_t user) const;
    int restore(CardDocument& card, const std::u16string& path, BackupCallback progress,
                intptr_t user) const;

    int verifyPin(CardDocument& card, int type, const char16_t* pin) const;
    int enablePin1(CardDocument& card, const char16_t* pin) const;
    int disablePin1(CardDocument& card, const char16_t* pin) const;
    int changePin(CardDocument& card, int type, const char16_t* oldPin,
                  const char16_t* newPin) const;
    int unblockPin(CardDocument& card, int type, const char16_t* puk, const char16_t* newPin) const;

private:
    template <typename F, typename... Args>
    int call(CardDocument& card, F function, Args... args) const;
    template <typename F, typename... Args>
    int cardCall(CardDocument& card, F function, Args... args) const;
    void fetchLastError(CardDocument& card, int result) const;

    const PluginBinding& m_binding;
};

} // namespace pelmora::model
