// Whole-book figures for the profile document: a phone book of 65,535
// entries (two keys each) as a ".phn" section.
#include "ProfileDocument.h"

#include <benchmark/benchmark.h>

#include <string>

namespace pelmora::platform {
namespace {

constexpr int kEntries = 65535;

// prefix followed by i in decimal.
std::u16string numbered(std::u16string_view prefix, int i) {
    const std::string digits = std::to_string(i);
    std::u16string text(prefix);
    text.append(digits.begin(), digits.end());
    return text;
}

ProfileDocument fullBook() {
    ProfileDocument doc;
    for (int i = 1; i <= kEntries; ++i) {
        doc.setValue(u"ADN", numbered(u"n", i), numbered(u"Contact name ", i));
        doc.setValue(u"ADN", numbered(u"t", i), numbered(u"+4930123", i));
    }
    return doc;
}

void BM_BuildBook(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(fullBook());
    }
}
BENCHMARK(BM_BuildBook)->Unit(benchmark::kMillisecond);

void BM_ParseBook(benchmark::State& state) {
    const std::vector<uint8_t> bytes = fullBook().serialize();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ProfileDocument::parse(bytes));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseBook)->Unit(benchmark::kMillisecond);

void BM_LookUpEveryEntry(benchmark::State& state) {
    const ProfileDocument doc = fullBook();
    for (auto _ : state) {
        for (int i = 1; i <= kEntries; ++i) {
            benchmark::DoNotOptimize(doc.value(u"adn", numbered(u"N", i)));
        }
    }
}
BENCHMARK(BM_LookUpEveryEntry)->Unit(benchmark::kMillisecond);

void BM_SerializeBook(benchmark::State& state) {
    const ProfileDocument doc = fullBook();
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.serialize());
    }
}
BENCHMARK(BM_SerializeBook)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pelmora::platform

BENCHMARK_MAIN();
