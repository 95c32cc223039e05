// print: a book of a file or of the card as a PDF file, laid out as the
// window prints it, with the print options the window saved.

#include "BookKind.h"
#include "BookNames.h"
#include "CardAccess.h"
#include "CaseInsensitive.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Failure.h"
#include "PagePainter.h"
#include "PrintOptions.h"
#include "Terminal.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace pelmora::cli {

namespace {

// Margins of the printable area on the PDF's A4 pages, in millimetres.
constexpr double kPdfMargin = 10.0;
constexpr int kPdfResolution = 300;

std::filesystem::path pdfOutput(const Arguments& arguments) {
    const std::optional<std::string> output = arguments.value("--output");
    if (!output) {
        throw UsageError("name the PDF file to write with -o", "print");
    }
    const std::filesystem::path file(*output);
    if (!platform::equalsIgnoreCase(utf16(file.extension().string()), u".pdf")) {
        throw UsageError("'" + file.string() + "' must end in .pdf", "print");
    }
    return file;
}

// Qt's notes about the session (no runtime folder, no display) are no news
// for a terminal command; its real failures still show.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        printError(message.toStdString());
    }
}

// Fonts and painting need a GUI application; offscreen, so no display is needed.
int printToPdf(Session& session, const model::Category& book, const std::filesystem::path& file) {
    static int argc = 3;
    static char name[] = "velmet-cli";
    static char platformOption[] = "-platform";
    static char offscreen[] = "offscreen";
    static char* argv[] = {name, platformOption, offscreen, nullptr};
    qInstallMessageHandler(quietQtNotes);
    const QGuiApplication application(argc, argv);

    QSaveFile pdf(QString::fromStdString(file.string()));
    if (!pdf.open(QIODevice::WriteOnly)) {
        throw Failure("cannot write '" + file.string() + "': " + pdf.errorString().toStdString());
    }
    const velmet::Settings& settings = session.settings();
    print::PrintJob job;
    job.options = print::printOptions(settings);
    job.programTitle = QString::fromStdU16String(settings.title);
    job.deletedMessages = settings.showDeletedSms;
    int pages = 0;
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(job.programTitle);
        writer.setCreator(job.programTitle);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kPdfMargin, kPdfMargin, kPdfMargin, kPdfMargin),
                                         QPageLayout::Millimeter));
        pages = print::printBook(writer, book, job);
    }
    if (pages == 0 || !pdf.commit()) {
        throw Failure("cannot write '" + file.string() + "'");
    }
    return pages;
}

} // namespace

int runPrint(Session& session, const Arguments& arguments) {
    const std::filesystem::path output = pdfOutput(arguments);
    const bool fromCard = arguments.has("--card");
    if (fromCard == !arguments.positional().empty()) {
        throw UsageError("name either a file or --card", "print");
    }
    uint16_t kind = model::kBookAdn;
    if (const auto word = arguments.value("--book")) {
        kind = parseBookName(*word, "print");
    }
    int pages = 0;
    if (fromCard) {
        CardAccess access(session, arguments, "print", {.readAll = false});
        access.open();
        model::Category* book = access.card().category(kind);
        if (book == nullptr) {
            throw Failure("the card in reader '" + access.readerName() + "' holds no " +
                          bookLabel(kind) + " book");
        }
        const model::CardReport report =
            access.wait(access.session().readSim(access.card(), book, access.progress()));
        if (!report.opened) {
            access.failToOpen();
        }
        if (!report.ok()) {
            throw Failure("the card did not give its " + bookLabel(kind) + " book in full");
        }
        pages = printToPdf(session, *book, output);
    } else {
        const std::filesystem::path file(arguments.positional().front());
        const std::unique_ptr<model::FileDocument> document = openBookFile(session, file);
        const model::Category* book = document->category(kind);
        if (book == nullptr) {
            throw Failure("'" + file.string() + "' holds no " + bookLabel(kind) + " book");
        }
        pages = printToPdf(session, *book, output);
    }
    printLine("Printed " + std::to_string(pages) + (pages == 1 ? " page" : " pages") + " to " +
              output.string());
    return kExitOk;
}

} // namespace pelmora::cli
