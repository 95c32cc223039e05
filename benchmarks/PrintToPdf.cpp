// Full phone books printed to PDF through the page engine and the painter, as
// velmet-cli print does: the time of each print and the program's peak
// resident memory (Qt and the fonts included) when the largest is done.

#include "PagePainter.h"
#include "Records.h"

#include <QGuiApplication>
#include <QPdfWriter>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using namespace pelmora;

void fill(model::Category& book) {
    for (int slot = 0; slot < static_cast<int>(book.slotCount()); ++slot) {
        const std::string digits = std::to_string(slot + 1);
        const std::u16string number(digits.begin(), digits.end());
        model::setFieldText(book.entry(slot)->name, u"Contact number " + number);
        model::setEntryValue(*book.entry(slot), kValueMain, u"+4477009" + number);
    }
}

double printSeconds(uint32_t count, const QString& file) {
    model::Category book(model::kBookAdn, count);
    fill(book);
    print::PrintJob job;
    job.programTitle = QStringLiteral("Pelmora 2");
    job.options.title = u"Benchmark";
    const auto start = std::chrono::steady_clock::now();
    QPdfWriter writer(file);
    writer.setResolution(300);
    const int pages = print::printBook(writer, book, job);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%5u entries: %4d pages in %.3f s\n", count, pages, seconds);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    const double small = printSeconds(250, folder + QStringLiteral("/print-250.pdf"));
    const double large =
        printSeconds(model::Category::kMaxSlots, folder + QStringLiteral("/print-65535.pdf"));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double megabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::printf("peak resident memory: %.1f MB\n", megabytes);
    const bool met = small < 0.5 && large < 10.0 && megabytes < 200.0;
    std::printf("targets (250 under 0.5 s, 65,535 under 10 s and 200 MB): %s\n",
                met ? "met" : "MISSED");
    return met ? 0 : 1;
}
