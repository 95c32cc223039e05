// The editor program: settings, the card plug-in, the main window; at the end
// the settings are saved and the plug-in let go, in that order.

#include "CommandLineFiles.h"
#include "EditorSession.h"
#include "Folders.h"
#include "InstallCheck.h"
#include "MainWindow.h"
#include "Prompts.h"
#include "SettingsFile.h"
#include "UiText.h"
#include "WindowCardCommands.h"
#include "WindowSnapshot.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

using namespace pelmora;

namespace {

// Each argument names a file; one not found from the current folder is taken
// against the program's folder.
void openCommandLineFiles(ui::MainWindow& window, const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QFileInfo here(arguments[i]);
        const QString path =
            here.exists()
                ? here.absoluteFilePath()
                : QString::fromStdString(
                      model::commandLineFile(
                          arguments[i].left(model::kCommandLineTokenWidth).toStdU16String(),
                          platform::programFolder())
                          .string());
        (void)window.openDocumentFile(path);
    }
}

// Long enough for the files named on the command line to be open and shown.
constexpr int kSnapshotDelayMs = 3000;

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    const QString snapshot = ui::takeSnapshotOption(arguments);

    model::EditorSession session(velmet::SettingsPlaces::forRunningProgram());
    velmet::Settings& settings = session.settings();
    ui::setProgramTitle(QString::fromStdU16String(settings.title));

    const bool pluginBound = session.bindPlugin(platform::programFolder());
    if (ui::installCheckRequested(arguments))
        return ui::runInstallCheck(settings, session.binding());
    if (!pluginBound) {
        ui::Prompts::tell(
            nullptr, QMessageBox::Critical,
            ui::text(80, QString::fromLatin1(model::kBrontelLibraryName).toStdU16String()));
        return 0;
    }

    {
        ui::MainWindow window(settings);
        ui::WindowCardCommands cardCommands(session.plugin(), settings, &window);
        window.bindSession(session, cardCommands);
        window.show();
        // Nothing slow stands between start and the first paint.
        QTimer::singleShot(0, &window, [&window] {
            window.loadIcons();
            window.checkFileAssociation();
        });
        QTimer::singleShot(100, &window,
                           [&window, arguments] { openCommandLineFiles(window, arguments); });
        if (!snapshot.isEmpty())
            ui::scheduleSnapshot(window, snapshot, kSnapshotDelayMs);
        (void)QApplication::exec();
    }

    (void)velmet::saveSettings(settings);
    // The session goes last: it closes the cards still open, then lets go of the plug-in.
    return 0;
}
