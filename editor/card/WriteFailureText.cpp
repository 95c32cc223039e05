#include "WriteFailureText.h"

#include "Brontel.h"
#include "CardAnswerText.h"
#include "LangText.h"

namespace pelmora::model {

namespace {
constexpr int kNotAsWrittenText = 981;
constexpr int kNotReadBackText = 982;
constexpr int kRecordNotTakenText = 1103;
constexpr int kBookNotTakenText = 1104;
constexpr int kPartlyChangedText = 1105;
constexpr int kCardAnswerText = 1280;
constexpr int kPartOfBackupText = 1281;
constexpr int kRecordsNotRestoredText = 1391;
constexpr int kNotABackupText = 1392;
} // namespace

using velmet::langText;

std::u16string notAsWrittenText(const RecordNotAsWritten& record, std::u16string_view book) {
    const std::u16string name(book);
    return record.record == 0 ? langText(kNotReadBackText, name)
                              : langText(kNotAsWrittenText, name, record.record);
}

std::vector<std::u16string> writeFailureTexts(const BookWriteFailure& failure,
                                              std::u16string_view book) {
    const std::u16string name(book);
    const std::u16string answer = cardAnswerText(failure.cardError, failure.cardRemoved);
    std::vector<std::u16string> texts{
        failure.firstRecord > 0 ? langText(kRecordNotTakenText, name, failure.firstRecord, answer)
                                : langText(kBookNotTakenText, name, answer)};
    if (failure.partlyChanged) {
        texts.push_back(langText(kPartlyChangedText, name));
    }
    return texts;
}

std::vector<std::u16string> restoreFailureTexts(const BookWriteFailure& failure) {
    if (failure.notABackup) {
        return {langText(kNotABackupText)};
    }
    // The plug-in skips a record whose stored value is damaged or longer than
    // this card's records, writes the rest, and reports the skip this way.
    std::vector<std::u16string> texts{
        failure.cardError == kBrontelErrorValueDidNotFit
            ? langText(kRecordsNotRestoredText)
            : langText(kCardAnswerText, cardAnswerText(failure.cardError, failure.cardRemoved))};
    if (failure.partlyChanged) {
        texts.push_back(langText(kPartOfBackupText));
    }
    return texts;
}

} // namespace pelmora::model
