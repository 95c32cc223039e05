#include "CardCommandTexts.h"

#include "BookKind.h"
#include "CardAnswerText.h"
#include "UiText.h"
#include "WriteFailureText.h"

#include <QFileInfo>

namespace pelmora::ui {

namespace {
constexpr int kTextBackupFiles = 49;
constexpr int kTextBackupName = 51;
constexpr int kTextBackupTitle = 52;
constexpr int kTextRestoreTitle = 53;
constexpr int kTextBooksFailed = 709;
constexpr int kTextWholeCardFailed = 710;
constexpr int kTextStopped = 711;
} // namespace

FileChoice backupFileChoice(const velmet::Settings& settings, bool restore) {
    const QString extension = fromU16(settings.backupExtension);
    FileChoice choice;
    choice.caption = text(restore ? kTextRestoreTitle : kTextBackupTitle);
    choice.folder = fromU16(settings.backupFolder);
    choice.filter = text(kTextBackupFiles) + QStringLiteral(" (*%1)").arg(extension);
    const auto dot = extension.lastIndexOf(QLatin1Char('.'));
    choice.defaultSuffix = dot >= 0 ? extension.mid(dot + 1) : extension;
    if (!restore)
        choice.proposedName = text(kTextBackupName);
    return choice;
}

QString chooseBackupFile(QWidget* owner, velmet::Settings& settings, bool restore) {
    const FileChoice choice = backupFileChoice(settings, restore);
    const QString path =
        restore ? Prompts::openFile(owner, choice) : Prompts::saveFile(owner, choice);
    if (!path.isEmpty())
        settings.backupFolder = toU16(QFileInfo(path).absolutePath());
    return path;
}

namespace {

// Why each book was not written as it stands, in the words the command line
// uses too.
QStringList whyNotWritten(const model::CardReport& report) {
    QStringList lines;
    for (const model::RecordNotAsWritten& record : report.notAsWritten)
        lines << fromU16(model::notAsWrittenText(record, model::bookCaption(record.kind)));
    for (const model::BookWriteFailure& failure : report.writeFailures) {
        if (failure.kind != model::kWholeCard) {
            for (const std::u16string& line :
                 model::writeFailureTexts(failure, model::bookCaption(failure.kind)))
                lines << fromU16(line);
            continue;
        }
        for (const std::u16string& line : model::restoreFailureTexts(failure))
            lines << fromU16(line);
    }
    return lines;
}

QString captions(const std::vector<uint16_t>& kinds) {
    QStringList books;
    for (const uint16_t kind : kinds)
        books << fromU16(model::bookCaption(kind));
    return books.join(QStringLiteral(", "));
}

} // namespace

QString cardReportMessage(const model::CardReport& report) {
    if (report.cardRemoved)
        return fromU16(model::cardRemovedDuringReadText(toU16(captions(report.done)),
                                                        toU16(captions(report.failed))));
    QStringList lines;
    QStringList books;
    for (const uint16_t kind : report.failed) {
        if (kind == model::kWholeCard)
            lines << text(kTextWholeCardFailed);
        else
            books << fromU16(model::bookCaption(kind));
    }
    if (!books.isEmpty())
        lines.prepend(text(kTextBooksFailed, toU16(books.join(QStringLiteral(", ")))));
    lines << whyNotWritten(report);
    if (report.stopped)
        lines << text(kTextStopped);
    return lines.join(QLatin1Char('\n'));
}

} // namespace pelmora::ui
