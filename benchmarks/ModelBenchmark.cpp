// Speed and memory of the document model on large books: saving and opening
// .phn and .csv files of 10,000 entries, and sorting and deleting in a book
// of 65,535 slots with the memory their undo snapshots take.

#include "HeapCounter.h"

#include "Category.h"
#include "ColumnSort.h"
#include "FileDocument.h"
#include "PhoneBookFiles.h"
#include "Records.h"
#include "RowEditing.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

using namespace pelmora::model;
using pelmora::bench::heapInUse;
using pelmora::bench::heapPeak;
using pelmora::bench::resetHeapPeak;

namespace {

constexpr uint32_t kFileEntries = 10000;
constexpr uint32_t kLargeBook = Category::kMaxSlots;
constexpr double kMiB = 1024.0 * 1024.0;

std::u16string text(const std::string& s) {
    return {s.begin(), s.end()};
}

std::u16string digits(std::mt19937& random, size_t count) {
    std::u16string out;
    for (size_t i = 0; i < count; ++i) {
        out.push_back(static_cast<char16_t>(u'0' + random() % 10));
    }
    return out;
}

// Every slot holds a contact with a name and a number.
std::unique_ptr<FileDocument> adnDocument(uint32_t slots) {
    auto doc = std::make_unique<FileDocument>(u"adn");
    Category& adn = doc->addCategory(kBookAdn, slots);
    std::mt19937 random(1);
    for (uint32_t i = 0; i < slots; ++i) {
        PhoneBookEntry& e = *adn.entry(static_cast<int>(i));
        setFieldText(e.name, text("Contact " + std::to_string(random() % 1000000)));
        setFieldText(e.value0, u"+49" + digits(random, 10));
    }
    return doc;
}

// A full iDEN book: every one of its 10,000 records is used, by contacts that
// each have all eleven values (909 of them; the last record stays free).
std::unique_ptr<FileDocument> idenDocument() {
    auto doc = std::make_unique<FileDocument>(u"iden");
    Category& iden = doc->addCategory(kBookNextel, kFileEntries);
    std::mt19937 random(2);
    const int contacts = static_cast<int>(kFileEntries) / kValueCount;
    for (int c = 0; c < contacts; ++c) {
        PhoneBookEntry& e = *iden.entry(c);
        setFieldText(e.name, text("Contact " + std::to_string(c)));
        for (int k : {kValueMain, kValueHome, kValueWork, kValueMobile, kValueFax, kValuePager,
                      kValueOther}) {
            setEntryValue(e, k, u"+1" + digits(random, 10));
        }
        setEntryValue(e, kValuePrivateId,
                      text(std::to_string(random() % 1000) + "*" + std::to_string(random() % 16) +
                           "*" + std::to_string(random() % 100000)));
        setEntryValue(e, kValueTalkgroup, text(std::to_string(random() % 256)));
        setEntryValue(e, kValueChatAddress, u"10.0." + text(std::to_string(c % 256)) + u".1");
        setEntryValue(e, kValueEmail, text("contact." + std::to_string(c) + "@example.org"));
        for (int k = 0; k < kValueCount; ++k) {
            e.recordNumbers[k] = c * kValueCount + k + 1;
        }
    }
    return doc;
}

std::filesystem::path scratchFile(const char* name) {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "pelmora-bench-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return std::filesystem::path(pattern);
    }();
    return folder / name;
}

std::unique_ptr<FileDocument> bookFor(bool iden) {
    return iden ? idenDocument() : adnDocument(kFileEntries);
}

void reportPeak(benchmark::State& state, size_t peakBytes) {
    state.counters["peak_MiB"] = static_cast<double>(peakBytes) / kMiB;
}

void saveFile(benchmark::State& state, bool iden, const char* name) {
    auto doc = bookFor(iden);
    const std::filesystem::path file = scratchFile(name);
    size_t peak = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        resetHeapPeak();
        SaveOutcome outcome = saveDocument(*doc, file, u',', CsvHeaderTexts{}, {});
        benchmark::DoNotOptimize(outcome);
        peak = std::max(peak, heapPeak() - before);
        if (outcome.error) {
            state.SkipWithError(outcome.error->c_str());
        }
    }
    reportPeak(state, peak);
    state.counters["file_KiB"] = static_cast<double>(std::filesystem::file_size(file)) / 1024.0;
}

void openFile(benchmark::State& state, bool iden, const char* name) {
    const std::filesystem::path file = scratchFile(name);
    {
        auto doc = bookFor(iden);
        if (saveDocument(*doc, file, u',', CsvHeaderTexts{}, {}).error) {
            state.SkipWithError("could not write the file");
            return;
        }
    }
    size_t peak = 0;
    size_t entries = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        resetHeapPeak();
        OpenOutcome opened = openDocument(file, u',', {});
        peak = std::max(peak, heapPeak() - before);
        const Category* book =
            opened.document ? opened.document->category(iden ? kBookNextel : kBookAdn) : nullptr;
        entries = book ? static_cast<size_t>(book->lastUsedSlot() + 1) : 0;
        benchmark::DoNotOptimize(opened);
    }
    reportPeak(state, peak);
    state.counters["entries"] = static_cast<double>(entries);
}

void BM_SavePhnAdn(benchmark::State& s) {
    saveFile(s, false, "adn.phn");
}
void BM_SavePhnIden(benchmark::State& s) {
    saveFile(s, true, "iden.phn");
}
void BM_SaveCsvAdn(benchmark::State& s) {
    saveFile(s, false, "adn.csv");
}
void BM_SaveCsvIden(benchmark::State& s) {
    saveFile(s, true, "iden.csv");
}
void BM_OpenPhnAdn(benchmark::State& s) {
    openFile(s, false, "open-adn.phn");
}
void BM_OpenPhnIden(benchmark::State& s) {
    openFile(s, true, "open-iden.phn");
}
void BM_OpenCsvAdn(benchmark::State& s) {
    openFile(s, false, "open-adn.csv");
}
void BM_OpenCsvIden(benchmark::State& s) {
    openFile(s, true, "open-iden.csv");
}

// The memory one undo step of the whole large book would take with a full
// copy of every record, for comparison with what the snapshots take.
double unpackedUndoMiB(size_t records) {
    return static_cast<double>(records * (sizeof(PhoneBookEntry) + sizeof(SmsEntry) + 12)) / kMiB;
}

template <typename Operation> void onLargeBook(benchmark::State& state, Operation operation) {
    const auto source = adnDocument(kLargeBook);
    const Category& original = *source->category(kBookAdn);
    size_t history = 0;
    size_t undoRecords = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Category book(kBookAdn, kLargeBook);
        std::copy(original.entries().begin(), original.entries().end(), book.entries().begin());
        state.ResumeTiming();
        operation(book);
        state.PauseTiming();
        history = book.historyBytes();
        undoRecords = book.undoStack().size();
        state.ResumeTiming();
    }
    state.counters["undo_MiB"] = static_cast<double>(history) / kMiB;
    state.counters["undo_records"] = static_cast<double>(undoRecords);
    state.counters["full_copies_MiB"] = unpackedUndoMiB(undoRecords);
}

void BM_SortLargeBook(benchmark::State& state) {
    onLargeBook(state, [](Category& book) { sortByColumn(book, SortColumn::Name, nullptr); });
}

void BM_SortAndUndoLargeBook(benchmark::State& state) {
    onLargeBook(state, [](Category& book) {
        sortByColumn(book, SortColumn::Name, nullptr);
        book.undo();
    });
}

// Every other row deleted; the later entries close the gaps.
void BM_DeleteHalfLargeBookCompacting(benchmark::State& state) {
    std::vector<int> rows;
    for (int slot = 0; slot < static_cast<int>(kLargeBook); slot += 2) {
        rows.push_back(slot);
    }
    onLargeBook(state, [&](Category& book) { deleteRows(book, rows, true, nullptr); });
}

// The first row deleted: compaction moves every later entry.
void BM_DeleteFirstRowLargeBookCompacting(benchmark::State& state) {
    const int first[] = {0};
    onLargeBook(state, [&](Category& book) { deleteRows(book, first, true, nullptr); });
}

void BM_DeleteFirstRowLargeBook(benchmark::State& state) {
    const int first[] = {0};
    onLargeBook(state, [&](Category& book) { deleteRows(book, first, false, nullptr); });
}

} // namespace

BENCHMARK(BM_SavePhnAdn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePhnIden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPhnAdn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPhnIden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCsvAdn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCsvIden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCsvAdn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCsvIden)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortLargeBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortAndUndoLargeBook)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteHalfLargeBookCompacting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirstRowLargeBookCompacting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirstRowLargeBook)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
