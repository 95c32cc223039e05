#include "WriteVerification.h"

#include "CardAnswerText.h"
#include "CardBookChecks.h"
#include "Records.h"

#include <algorithm>
#include <string>

namespace pelmora::model {

namespace {

bool isNumberValue(int k) {
    return k != kValuePrivateId && k != kValueTalkgroup && k != kValueChatAddress &&
           k != kValueEmail;
}

// The number as the card stores it: formatting characters are not kept.
std::u16string storedNumber(std::u16string_view text) {
    std::u16string stored;
    if (text.find(u'+') != std::u16string_view::npos) {
        stored.push_back(u'+');
    }
    for (char16_t c : text) {
        if ((c >= u'0' && c <= u'9') || c == u'*' || c == u'#') {
            stored.push_back(c);
        } else if (c == u'p' || c == u'P') {
            stored.push_back(u'p');
        }
    }
    return stored;
}

std::u16string recordKey(const PhoneBookEntry& e) {
    std::u16string key(fieldText(e.name));
    for (int k = 0; k < kValueCount; ++k) {
        const std::u16string_view value = entryValue(e, k);
        key.append(1, u'\0').append(isNumberValue(k) ? storedNumber(value) : value);
    }
    return key;
}

} // namespace

int firstRecordNotAsWritten(const PluginCalls& calls, CardDocument& card, const Category& book,
                            std::span<const int> cut) {
    if (!book.isPhoneBook()) {
        return kAllAsWritten;
    }
    const auto onCard = readCardBook(calls, card, book.kind());
    if (!onCard) {
        return 0;
    }
    const size_t compared = std::min<size_t>(book.slotCount(), onCard->size());
    for (size_t slot = 0; slot < compared; ++slot) {
        const int s = static_cast<int>(slot);
        if (std::find(cut.begin(), cut.end(), s) != cut.end()) {
            continue;
        }
        if (recordKey(*book.entry(s)) != recordKey((*onCard)[slot])) {
            return s + 1;
        }
    }
    return kAllAsWritten;
}

BookWriteFailure describeWriteFailure(const PluginCalls& calls, CardDocument& card,
                                      const Category& book, int32_t cardError,
                                      int recordsAttempted, std::span<const int> cut) {
    BookWriteFailure failure;
    failure.kind = book.kind();
    failure.cardError = cardError;
    failure.cardRemoved = cardLeftReader(calls, card, cardError);
    failure.partlyChanged = recordsAttempted > 1;
    if (!failure.cardRemoved) {
        failure.firstRecord = std::max(0, firstRecordNotAsWritten(calls, card, book, cut));
    }
    return failure;
}

} // namespace pelmora::model
