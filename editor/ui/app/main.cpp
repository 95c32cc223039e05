// The editor program: settings, the card plug-in, the main window; at the end
// the settings are saved and the plug-in let go, in that order.

#include "Folders.h"
#include "MainWindow.h"
#include "PluginBinding.h"
#include "Prompts.h"
#include "SettingsFile.h"
#include "UiText.h"

#include <QApplication>
#include <QTimer>

#include <memory>

using namespace pelmora;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);

    velmet::Settings settings = velmet::loadSettings(velmet::SettingsPlaces::forRunningProgram());
    ui::setProgramTitle(QString::fromStdU16String(settings.title));

    model::PluginBinding plugin;
    if (!plugin.bind(platform::programFolder())) {
        ui::Prompts::tell(nullptr, QMessageBox::Critical,
                          ui::text(80, std::u16string(u"libBrontel.so")));
        return 0;
    }

    {
        ui::MainWindow window(settings);
        window.show();
        // Nothing slow stands between start and the first paint.
        QTimer::singleShot(0, &window, &ui::MainWindow::loadIcons);
        (void)QApplication::exec();
    }

    (void)velmet::saveSettings(settings);
    plugin.unbind();
    return 0;
}
