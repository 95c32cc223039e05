#pragma once
// The plain-text report of the reader check, for a bug report: the versions
// of the program, the card plug-in and pcsc-lite, each reader with its state,
// its card's ATR and what that says, and the last error met there. It holds
// nothing the user typed, so never a PIN.

#include "ReaderCheck.h"

#include <string>

namespace pelmora::model {

struct ReportVersions {
    std::u16string program;
    std::u16string plugin;
    std::u16string pcscLite;
};

// The versions this build was made with.
[[nodiscard]] ReportVersions buildVersions();

[[nodiscard]] std::u16string readerReport(const ReaderCheck& check,
                                          const ReportVersions& versions = buildVersions());

} // namespace pelmora::model
