#include "ReaderReport.h"

#include "AtrMeaning.h"
#include "CardAnswerText.h"
#include "LangText.h"

namespace pelmora::model {

namespace {

constexpr int kTitleText = 1228;
constexpr int kVersionsText = 1229;
constexpr int kStateText = 1230;
constexpr int kAtrText = 1231;
constexpr int kLastErrorText = 1232;

std::u16string widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

} // namespace

ReportVersions buildVersions() {
    // The plug-in is built from the same tree as the program.
    return {widen(PELMORA_VERSION), widen(PELMORA_VERSION), widen(PELMORA_PCSCLITE_VERSION)};
}

std::u16string readerReport(const ReaderCheck& check, const ReportVersions& versions) {
    std::u16string report = velmet::langText(kTitleText) + u'\n';
    report += velmet::langText(kVersionsText, versions.program, versions.plugin, versions.pcscLite);
    report += u"\n\n" + check.advice() + u'\n';
    for (const ReaderFinding& finding : check.readers) {
        report += u'\n' + finding.reader + u'\n';
        report += u"  " + velmet::langText(kStateText, situationLabel(finding.situation)) + u'\n';
        if (!finding.atr.empty()) {
            report += u"  " + velmet::langText(kAtrText, finding.atr, atrMeaningText(finding.atr)) +
                      u'\n';
        }
        if (finding.lastError != 0) {
            report += u"  " +
                      velmet::langText(kLastErrorText, resultCodeHex(finding.lastError),
                                       cardAnswerText(finding.lastError)) +
                      u'\n';
        }
        if (finding.situation != check.overall) {
            report += u"  " + situationAdvice(finding.situation, finding.lastError) + u'\n';
        }
    }
    return report;
}

} // namespace pelmora::model
