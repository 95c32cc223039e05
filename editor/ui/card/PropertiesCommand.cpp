#include "PropertiesCommand.h"

#include "BookKind.h"
#include "BookPropertiesDialog.h"
#include "CardPropertiesDialog.h"
#include "CommandWait.h"
#include "Prompts.h"
#include "UiText.h"

#include <QFileInfo>

namespace pelmora::ui {

namespace {

constexpr int kTextSaveInfo = 195;
constexpr int kTextSaveInfoFailed = 706;

// Save info starts where the previous one of this run saved.
QString& lastSaveInfoFolder() {
    static QString folder;
    return folder;
}

} // namespace

bool PropertiesCommand::show(model::CardDocument& card, int kind) {
    model::SilentProgress progress;
    const auto command = m_commands.readProperties(card, kind, false, progress);
    waitUntilFinished(*command);
    if (!command->cardInfo())
        return false;
    const SimInfo info = *command->cardInfo();
    const QString reader = fromU16(card.readerLine());
    if (kind >= 0) {
        const auto book = static_cast<uint16_t>(kind);
        BookPropertiesDialog dialog(fromU16(model::bookCaption(book)),
                                    model::bookPropertyTexts(info, kind), m_settings, reader,
                                    m_decoration, m_owner);
        dialog.exec();
        return true;
    }
    CardPropertiesDialog dialog(model::cardPropertyTexts(info, m_settings.operatorList), m_settings,
                                reader, m_decoration, m_owner);
    QObject::connect(&dialog, &CardPropertiesDialog::saveInfoRequested, &dialog,
                     [this, &card] { saveInfo(card); });
    dialog.exec();
    return true;
}

void PropertiesCommand::saveInfo(model::CardDocument& card) {
    FileChoice choice;
    choice.caption = text(kTextSaveInfo);
    choice.folder = lastSaveInfoFolder();
    choice.filter = QStringLiteral("*.csv (*.csv)");
    choice.defaultSuffix = QStringLiteral("csv");
    choice.confirmOverwrite = false; // the line is appended
    const QString path = Prompts::saveFile(m_owner, choice);
    if (path.isEmpty())
        return;
    lastSaveInfoFolder() = QFileInfo(path).absolutePath();
    model::SilentProgress progress;
    const auto command = m_commands.saveInfo(card, path.toStdU16String(), progress);
    waitUntilFinished(*command);
    if (!command->report().ok())
        Prompts::tell(m_owner, QMessageBox::Warning, text(kTextSaveInfoFailed, toU16(path)));
}

} // namespace pelmora::ui
