#include "CardAnswerText.h"

#include "LangText.h"
#include "PluginCalls.h"
#include "ReaderSituation.h"

namespace pelmora::model {

namespace {

// The codes -2 to -18 have a text each, in order.
constexpr int kFirstStatusText = 983;
constexpr int32_t kFirstStatusCode = -2;
constexpr int32_t kLastStatusCode = -18;
constexpr int kCardRemovedText = 1100;
constexpr int kReaderErrorText = 1101;
constexpr int kOtherErrorText = 1102;
constexpr int kRemovedDuringReadText = 1252;
constexpr int kRemovedBeforeAnyBookText = 1253;
constexpr int kValueDidNotFitText = 1393;

constexpr uint32_t kPcscRemovedCard = 0x80100069;
constexpr uint32_t kPcscNoSmartCard = 0x8010000C;
constexpr uint32_t kPcscResultMask = 0xFFFF0000;
constexpr uint32_t kPcscResultBase = 0x80100000;

} // namespace

bool isCardStatusCode(int32_t lastError) {
    return lastError <= kFirstStatusCode && lastError >= kLastStatusCode;
}

bool cardWasRemoved(int32_t lastError) {
    const auto code = static_cast<uint32_t>(lastError);
    return code == kPcscRemovedCard || code == kPcscNoSmartCard;
}

bool cardLeftReader(const PluginCalls& calls, CardDocument& card, int32_t lastError) {
    SimInfo info{};
    return cardWasRemoved(lastError) || calls.cardInfo(card, info) == 0;
}

std::u16string cardRemovedDuringReadText(const std::u16string& readBooks,
                                         const std::u16string& unreadBooks) {
    return readBooks.empty() ? velmet::langText(kRemovedBeforeAnyBookText, unreadBooks)
                             : velmet::langText(kRemovedDuringReadText, readBooks, unreadBooks);
}

std::u16string cardAnswerText(int32_t lastError, bool cardRemoved) {
    if (isCardStatusCode(lastError)) {
        return velmet::langText(kFirstStatusText + (kFirstStatusCode - lastError));
    }
    if (cardRemoved || cardWasRemoved(lastError)) {
        return velmet::langText(kCardRemovedText);
    }
    if (lastError == kBrontelErrorValueDidNotFit) {
        return velmet::langText(kValueDidNotFitText);
    }
    const auto code = static_cast<uint32_t>(lastError);
    if ((code & kPcscResultMask) == kPcscResultBase) {
        return velmet::langText(kReaderErrorText, resultCodeHex(lastError));
    }
    return velmet::langText(kOtherErrorText, static_cast<int>(lastError));
}

} // namespace pelmora::model
