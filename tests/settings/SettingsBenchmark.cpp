// Figures for the operator lookup (the card-properties dialog waits for it)
// and for text formatting (progress lines are formatted once per record).

#include "LangText.h"
#include "OperatorLookup.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace pelmora::velmet {
namespace {

const std::filesystem::path kOperatorList = PELMORA_BUILT_OPERATOR_LIST;

void loadOperatorList(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(platform::ProfileDocument::load(kOperatorList));
    }
}
BENCHMARK(loadOperatorList)->Unit(benchmark::kMillisecond);

// An MCC that no entry has: every section is read.
void lookupUnknownOperator(benchmark::State& state) {
    const auto list = platform::ProfileDocument::load(kOperatorList);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookupOperator({0x99, 0xF9, 0x99}, list));
    }
}
BENCHMARK(lookupUnknownOperator)->Unit(benchmark::kMicrosecond);

void lookupKnownOperator(benchmark::State& state) {
    const auto list = platform::ProfileDocument::load(kOperatorList);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lookupOperator({0x62, 0xF2, 0x10}, list));
    }
}
BENCHMARK(lookupKnownOperator)->Unit(benchmark::kMicrosecond);

void formatProgressText(benchmark::State& state) {
    const std::string text = "[en]\n87=Reading record %d of %d\n[de]\n1=x\n";
    useLanguage(std::make_shared<LanguageFile>(LanguageFile::parse(
                    std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()))),
                u"de");
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetLangText(87, ++i, 250));
    }
}
BENCHMARK(formatProgressText);

} // namespace
} // namespace pelmora::velmet

BENCHMARK_MAIN();
