// Renders the main window for the README and the manual: the books of a .phn
// file, or with --card those read from the card in the first reader, with
// the phone book, the iDEN book, the messages and a USIM book selected.
// Usage: ui_gallery FILE.phn|--card OUTDIR LANGSECTION

#include "Category.h"
#include "CommandTable.h"
#include "DocumentTreeModel.h"
#include "EditorSession.h"
#include "EntryTableModel.h"
#include "LangText.h"
#include "LanguageFile.h"
#include "MainWindow.h"
#include "WindowCardCommands.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <filesystem>

using namespace pelmora;

namespace {

void select(ui::MainWindow& window, uint16_t kind) {
    const auto& documents = window.documents();
    if (documents.empty())
        return;
    if (const model::Category* book = documents.back()->category(kind))
        window.selectCategory(*book);
}

// Reads the card of the first reader through Read SIM, giving the demo
// card's PIN1 when asked.
void readFirstCard(model::EditorSession& session, ui::MainWindow& window) {
    session.refreshReadersNow();
    window.tree()->setCurrentIndex(window.tree()->model()->index(0, 0));
    QTimer pin;
    QObject::connect(&pin, &QTimer::timeout, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || dialog->objectName() != QStringLiteral("102"))
            return;
        dialog->findChild<QLineEdit*>(QStringLiteral("1064"))->setText(QStringLiteral("1234"));
        dialog->findChild<QPushButton*>(QStringLiteral("1"))->click();
    });
    pin.start(50);
    window.action(ui::kCmdReadSim)->trigger();
}

bool grab(ui::MainWindow& window, const QString& file) {
    QApplication::processEvents();
    return window.grab().save(file);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fputs("usage: ui_gallery FILE.phn OUTDIR LANGSECTION\n", stderr);
        return 2;
    }
    const std::filesystem::path program =
        std::filesystem::canonical("/proc/self/exe").parent_path();
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString section = QString::fromLocal8Bit(argv[3]);
    const QTemporaryDir temp;
    velmet::SettingsPlaces places;
    places.settingsFile =
        std::filesystem::path(temp.filePath(QStringLiteral("Velmet.ini")).toStdString());
    model::EditorSession session(places);
    velmet::useLanguage(
        std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(program / "lang.ini")),
        section.toStdU16String());

    velmet::Settings& settings = session.settings();
    settings.showDeletedSms = true;
    settings.resourceFile = (program / "velmet_res.rcc").u16string();
    ui::MainWindow window(settings);
    ui::WindowCardCommands commands(session.plugin(), settings, &window);
    window.resize(1000, 620);
    window.show();
    window.loadIcons();
    if (QString::fromLocal8Bit(argv[1]) == QStringLiteral("--card")) {
        if (!session.bindPlugin(program))
            return 1;
        window.bindSession(session, commands);
        readFirstCard(session, window);
    } else if (!window.openDocumentFile(QString::fromLocal8Bit(argv[1]))) {
        return 1;
    }

    select(window, model::kBookAdn);
    window.list()->selectRow(0);
    bool ok = grab(window, out + QStringLiteral("/main-adn-%1.png").arg(section));
    select(window, model::kBookNextel);
    window.list()->selectRow(0);
    ok = grab(window, out + QStringLiteral("/main-iden-%1.png").arg(section)) && ok;
    // The demo card holds no message deleted on the card: flag one to show it.
    for (const auto& document : window.documents()) {
        model::Category* messages = document->category(model::kBookSms);
        if (messages == nullptr || messages->slotCount() <= 2)
            continue;
        if (SmsEntry* shown = messages->message(2))
            shown->flags = int32_t(uint32_t(shown->flags) | kSmsDeleted);
    }
    select(window, model::kBookSms);
    ok = grab(window, out + QStringLiteral("/main-sms-%1.png").arg(section)) && ok;
    const bool usim = window.documents().back()->category(model::kBookUsim) != nullptr;
    if (usim) {
        select(window, model::kBookUsim);
        window.list()->selectRow(0);
        ok = grab(window, out + QStringLiteral("/main-usim-%1.png").arg(section)) && ok;
    }
    select(window, model::kBookNextel);
    window.resize(window.minimumSize());
    ok = grab(window, out + QStringLiteral("/main-smallest-%1.png").arg(section)) && ok;
    if (usim) {
        select(window, model::kBookUsim);
        window.list()->selectRow(0);
        ok = grab(window, out + QStringLiteral("/main-usim-smallest-%1.png").arg(section)) && ok;
    }
    return ok ? 0 : 1;
}
