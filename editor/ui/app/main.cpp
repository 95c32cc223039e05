// The editor program: settings, the card plug-in, the main window; at the end
// the settings are saved and the plug-in let go, in that order.

#include "CommandLineFiles.h"
#include "EditorSession.h"
#include "Folders.h"
#include "MainWindow.h"
#include "Prompts.h"
#include "SettingsFile.h"
#include "UiText.h"
#include "WindowCardCommands.h"

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

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);

    model::EditorSession session(velmet::SettingsPlaces::forRunningProgram());
    velmet::Settings& settings = session.settings();
    ui::setProgramTitle(QString::fromStdU16String(settings.title));

    if (!session.bindPlugin(platform::programFolder())) {
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
                           [&window] { openCommandLineFiles(window, QApplication::arguments()); });
        (void)QApplication::exec();
    }

    (void)velmet::saveSettings(settings);
    // The session goes last: it closes the cards still open, then lets go of the plug-in.
    return 0;
}
