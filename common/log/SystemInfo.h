#pragma once
// The machine description of the log header: operating system, user-interface
// language, browser, processor and memory. Each text is empty when its source
// cannot be read. The *From functions take the source text, for tests.

#include <string>
#include <string_view>

namespace pelmora::log {

// PRETTY_NAME of /etc/os-release, then the kernel from uname:
// "Debian GNU/Linux 12 (bookworm) (Linux 6.1.0-18-amd64 x86_64)".
[[nodiscard]] std::string osDescription();
[[nodiscard]] std::string osDescriptionFrom(std::string_view osRelease, std::string_view kernel);

// The language of the messages locale: "German (DE)"; empty for C/POSIX.
[[nodiscard]] std::string uiLanguageName();
[[nodiscard]] std::string languageNameFor(std::string_view localeName);

// There is no system browser version to report.
[[nodiscard]] inline std::string browserVersion() {
    return {};
}

// Name, identifier, vendor and clock of the first processor, each followed by
// a blank: "Intel(R) Core(TM) i5 x86_64 Family 6 Model 158 Stepping 10 GenuineIntel 2904 ".
[[nodiscard]] std::string processorDescription();
[[nodiscard]] std::string processorDescriptionFrom(std::string_view cpuinfo,
                                                   std::string_view machine);

// "%ld MB RAM" from the total physical memory.
[[nodiscard]] std::string memoryDescription();
[[nodiscard]] std::string memoryDescriptionFrom(std::string_view meminfo);

} // namespace pelmora::log
