#include "SystemInfo.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/utsname.h>
#include <unistd.h>

namespace pelmora::log {
namespace {

std::string readText(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string_view trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The value of the first line "<key><separator>value" in text.
std::string_view field(std::string_view text, std::string_view key, char separator) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        const size_t at = line.find(separator);
        if (at != std::string_view::npos && trim(line.substr(0, at)) == key) {
            return trim(line.substr(at + 1));
        }
        start = end + 1;
    }
    return {};
}

struct LanguageName {
    std::string_view code;
    std::string_view name;
};
constexpr std::array kLanguageNames{
    LanguageName{"ar", "Arabic"},     LanguageName{"be", "Belarusian"},
    LanguageName{"bg", "Bulgarian"},  LanguageName{"ca", "Catalan"},
    LanguageName{"cs", "Czech"},      LanguageName{"da", "Danish"},
    LanguageName{"de", "German"},     LanguageName{"el", "Greek"},
    LanguageName{"en", "English"},    LanguageName{"es", "Spanish"},
    LanguageName{"et", "Estonian"},   LanguageName{"fa", "Persian"},
    LanguageName{"fi", "Finnish"},    LanguageName{"fr", "French"},
    LanguageName{"he", "Hebrew"},     LanguageName{"hi", "Hindi"},
    LanguageName{"hr", "Croatian"},   LanguageName{"hu", "Hungarian"},
    LanguageName{"id", "Indonesian"}, LanguageName{"it", "Italian"},
    LanguageName{"ja", "Japanese"},   LanguageName{"kk", "Kazakh"},
    LanguageName{"ko", "Korean"},     LanguageName{"lt", "Lithuanian"},
    LanguageName{"lv", "Latvian"},    LanguageName{"ms", "Malay"},
    LanguageName{"nb", "Norwegian"},  LanguageName{"nl", "Dutch"},
    LanguageName{"nn", "Norwegian"},  LanguageName{"no", "Norwegian"},
    LanguageName{"pl", "Polish"},     LanguageName{"pt", "Portuguese"},
    LanguageName{"ro", "Romanian"},   LanguageName{"ru", "Russian"},
    LanguageName{"sk", "Slovak"},     LanguageName{"sl", "Slovenian"},
    LanguageName{"sq", "Albanian"},   LanguageName{"sr", "Serbian"},
    LanguageName{"sv", "Swedish"},    LanguageName{"th", "Thai"},
    LanguageName{"tr", "Turkish"},    LanguageName{"uk", "Ukrainian"},
    LanguageName{"vi", "Vietnamese"}, LanguageName{"zh", "Chinese"},
};

} // namespace

std::string osDescriptionFrom(std::string_view osRelease, std::string_view kernel) {
    std::string_view name = field(osRelease, "PRETTY_NAME", '=');
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
        name.back() == name.front()) {
        name = name.substr(1, name.size() - 2);
    }
    std::string text(name);
    if (!kernel.empty()) {
        text += text.empty() ? "" : " ";
        text += "(" + std::string(kernel) + ")";
    }
    return text;
}

std::string osDescription() {
    std::string osRelease = readText("/etc/os-release");
    if (osRelease.empty()) {
        osRelease = readText("/usr/lib/os-release");
    }
    std::string kernel;
    utsname names{};
    if (::uname(&names) == 0) {
        kernel = std::string(names.sysname) + " " + names.release + " " + names.machine;
    }
    return osDescriptionFrom(osRelease, kernel);
}

std::string languageNameFor(std::string_view localeName) {
    const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
    const std::string_view language = base.substr(0, base.find('_'));
    if (language.empty() || language == "C" || language == "POSIX") {
        return {};
    }
    const std::string_view territory = base.find('_') == std::string_view::npos
                                           ? std::string_view{}
                                           : base.substr(base.find('_') + 1);
    std::string name(base);
    for (const LanguageName& entry : kLanguageNames) {
        if (entry.code == language) {
            name = std::string(entry.name);
            if (!territory.empty()) {
                name += " (" + std::string(territory) + ")";
            }
            break;
        }
    }
    return name;
}

std::string uiLanguageName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* name = std::getenv(variable); name && *name) {
            return languageNameFor(name);
        }
    }
    return {};
}

std::string processorDescriptionFrom(std::string_view cpuinfo, std::string_view machine) {
    std::string text;
    const auto add = [&text](std::string_view part) {
        if (!part.empty()) {
            text += part;
            text += ' ';
        }
    };
    add(field(cpuinfo, "model name", ':'));
    const std::string_view family = field(cpuinfo, "cpu family", ':');
    if (!family.empty()) {
        add(std::string(machine) + " Family " + std::string(family) + " Model " +
            std::string(field(cpuinfo, "model", ':')) + " Stepping " +
            std::string(field(cpuinfo, "stepping", ':')));
    }
    add(field(cpuinfo, "vendor_id", ':'));
    const std::string mhz(field(cpuinfo, "cpu MHz", ':'));
    if (!mhz.empty()) {
        add(std::to_string(std::strtol(mhz.c_str(), nullptr, 10)));
    }
    return text;
}

std::string processorDescription() {
    utsname names{};
    const std::string machine = ::uname(&names) == 0 ? names.machine : "";
    return processorDescriptionFrom(readText("/proc/cpuinfo"), machine);
}

std::string memoryDescriptionFrom(std::string_view meminfo) {
    // "MemTotal:       16314236 kB"
    const std::string total(field(meminfo, "MemTotal", ':'));
    if (total.empty()) {
        return {};
    }
    const long kilobytes = std::strtol(total.c_str(), nullptr, 10);
    return std::to_string(kilobytes >> 10) + " MB RAM";
}

std::string memoryDescription() {
    std::string text = memoryDescriptionFrom(readText("/proc/meminfo"));
    if (text.empty()) {
        const long pages = ::sysconf(_SC_PHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGE_SIZE);
        if (pages > 0 && pageSize > 0) {
            text = std::to_string((pages >> 10) * pageSize >> 10) + " MB RAM";
        }
    }
    return text;
}

} // namespace pelmora::log
