#include "BookPrinting.h"

#include "PagePainter.h"
#include "PrintSetupDialog.h"
#include "Prompts.h"
#include "UiText.h"

#include <QApplication>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrinter>

#include <thread>

namespace pelmora::ui {

namespace {

constexpr int kPrintFailedText = 800;

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// A long book takes seconds to print: the pages are painted on a worker while
// the window keeps painting itself. User input waits until the print is done,
// so the book cannot change under the worker.
int printOnWorker(QPrinter& printer, const model::Category& book, const print::PrintJob& job) {
    const WaitCursor waiting;
    QEventLoop loop;
    int pages = 0;
    std::thread worker([&] {
        pages = print::printBook(printer, book, job);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return pages;
}

} // namespace

bool choosePrinterInDialog(QPrinter& printer, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

PrintOutcome printBook(QWidget* parent, velmet::Settings& settings, const PrintRequest& request,
                       const PrinterChoice& choosePrinter) {
    if (request.book == nullptr || request.book->slotCount() == 0) {
        return PrintOutcome::NothingToPrint;
    }
    {
        PrintSetupDialog setup(settings, request.kindIcon, request.programIcon, parent);
        if (setup.exec() != QDialog::Accepted) {
            return PrintOutcome::SetupCancelled;
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!choosePrinter(printer, parent)) {
        return PrintOutcome::PrinterCancelled;
    }
    printer.setDocName(programTitle());
    print::PrintJob job;
    job.options = print::printOptions(settings);
    job.programTitle = programTitle();
    job.programIcon = request.programIcon;
    job.deletedMessages = settings.showDeletedSms;
    if (printOnWorker(printer, *request.book, job) == 0) {
        Prompts::tell(parent, QMessageBox::Warning, text(kPrintFailedText));
        return PrintOutcome::Failed;
    }
    return PrintOutcome::Printed;
}

} // namespace pelmora::ui
