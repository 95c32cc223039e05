// Start-up and big-book figures of the editor window, one process per run:
//   bench_window_start bare    a QMainWindow with a menu bar and a tree
//   bench_window_start window  the editor's start-up: settings, plug-in, window
//   bench_window_start big     a 65,535-slot book shown, scrolled, sorted
// Each start-up mode quits at the window's first paint; scripts time the
// process (benchmarks/window_start.sh). "big" prints its own figures.

#include "Category.h"
#include "FileDocument.h"
#include "Folders.h"
#include "MainWindow.h"
#include "PluginBinding.h"
#include "Records.h"
#include "SettingsFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QTableView>
#include <QTreeView>
#include <QWindow>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

using namespace pelmora;

namespace {

class QuitOnPaint : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QCoreApplication::quit();
        return false;
    }
};

// CPU time of this process: on a shared machine it shows the work done when
// the wall-clock time mostly shows other processes.
qint64 cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A memory figure of /proc/self/status in kilobytes: "VmHWM:" the peak,
// "VmRSS:" the present resident size.
long statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(field.size()));
    }
    return -1;
}

int bigBook(velmet::Settings& settings) {
    ui::MainWindow window(settings);
    window.show();
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const long windowKilobytes = statusKilobytes("VmRSS:");
    auto big = std::make_unique<model::FileDocument>(u"big");
    model::Category& book = big->addCategory(model::kBookAdn, model::Category::kMaxSlots);
    for (int slot = 0; slot < int(model::Category::kMaxSlots); ++slot) {
        const std::u16string name = u"Name " +
                                    std::u16string(1, char16_t(u'A' + (slot * 7919) % 26)) +
                                    QString::number(slot).toStdU16String();
        model::setFieldText(book.entry(slot)->name, name);
        model::setFieldText(book.entry(slot)->value0, u"0123456789");
    }
    window.addDocument(std::move(big));
    QElapsedTimer timer;
    timer.start();
    window.selectCategory(book);
    QApplication::processEvents();
    const qint64 shown = timer.restart();
    QScrollBar* bar = window.list()->verticalScrollBar();
    for (int at = 0; at <= bar->maximum(); at += std::max(1, bar->maximum() / 200)) {
        bar->setValue(at);
        QApplication::processEvents();
    }
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    const qint64 scrolled = timer.restart();
    QHeaderView* header = window.list()->horizontalHeader();
    const qint64 cpuBeforeSort = cpuMilliseconds();
    emit header->sectionClicked(1);
    QApplication::processEvents();
    if (!book.canUndo())
        std::puts("the book was not sorted");
    const qint64 sorted = timer.elapsed();
    const qint64 sortedCpu = cpuMilliseconds() - cpuBeforeSort;
    std::printf("65535 slots: shown %lld ms, scrolled end to end %lld ms, sorted by name %lld ms "
                "(CPU %lld ms), peak memory %ld MB (the window before the book %ld MB)\n",
                static_cast<long long>(shown), static_cast<long long>(scrolled),
                static_cast<long long>(sorted), static_cast<long long>(sortedCpu),
                statusKilobytes("VmHWM:") / 1024, windowKilobytes / 1024);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "window";
    QuitOnPaint quit;
    if (std::strcmp(mode, "bare") == 0) {
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("File"));
        auto* tree = new QTreeView(&window);
        window.setCentralWidget(tree);
        tree->viewport()->installEventFilter(&quit);
        window.show();
        return QApplication::exec();
    }
    velmet::Settings settings = velmet::loadSettings(velmet::SettingsPlaces::forRunningProgram());
    if (std::strcmp(mode, "big") == 0)
        return bigBook(settings);
    model::PluginBinding plugin;
    if (!plugin.bind(platform::programFolder()))
        return 1;
    ui::MainWindow window(settings);
    window.tree()->viewport()->installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
