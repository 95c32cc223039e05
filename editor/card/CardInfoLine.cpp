#include "CardInfoLine.h"

#include "AtomicFile.h"
#include "CaseInsensitive.h"
#include "CodePage.h"
#include "FileAppend.h"
#include "LangText.h"
#include "Records.h"

#include <array>
#include <cstdio>
#include <fstream>

namespace pelmora::model {

namespace {

constexpr int kTextNotAvailable = 108;

// The card's texts are not trusted to keep to one field of one line: a
// line break is dropped, and a field holding the separator or a quote is
// quoted with its quotes doubled.
std::u16string field(std::u16string_view text) {
    std::u16string clean;
    bool quote = false;
    for (char16_t c : text) {
        if (c < u' ') {
            continue;
        }
        if (c == u'"') {
            clean += u'"';
        }
        quote = quote || c == u',' || c == u'"';
        clean += c;
    }
    return quote ? u"\"" + clean + u"\"" : clean;
}

std::u16string orNotAvailable(std::u16string_view text) {
    return text.empty() ? velmet::langText(kTextNotAvailable) : field(text);
}

} // namespace

std::u16string cardInfoLine(const SimInfo& info, std::u16string_view ownNumber,
                            const SystemTime& now) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%04d %02d:%02d\r\n", now.day, now.month, now.year,
                  now.hour, now.minute);
    std::u16string line = orNotAvailable(fieldText(info.iccid));
    line += u',';
    line += orNotAvailable(ownNumber);
    line += u',';
    line += orNotAvailable(fieldText(info.serviceProvider));
    line += u',';
    line += orNotAvailable(fieldText(info.imsi));
    line += u',';
    for (const char* p = stamp; *p != '\0'; ++p) {
        line += static_cast<char16_t>(*p);
    }
    return line;
}

namespace {

// The line in the encoding of the file it joins: a byte-order mark decides
// (UTF-16LE, UTF-8), else the ANSI code page, in which a new file starts.
std::string encodedFor(const std::filesystem::path& file, std::u16string_view line) {
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, 3> mark{};
    in.read(reinterpret_cast<char*>(mark.data()), mark.size());
    const std::streamsize got = in.gcount();
    if (got >= 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
        std::string bytes;
        for (char16_t unit : line) {
            bytes.push_back(static_cast<char>(unit & 0xFF));
            bytes.push_back(static_cast<char>(unit >> 8));
        }
        return bytes;
    }
    if (got == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
        return platform::toUtf8(line);
    }
    return platform::toAnsi(line);
}

} // namespace

bool appendCardInfoLine(const std::filesystem::path& file, std::u16string_view line) {
    // Only a .csv takes the line; a device, a FIFO or a read-only file never does.
    if (!platform::equalsIgnoreCase(platform::fromUtf8(file.extension().string()), u".csv") ||
        platform::replaceableTarget(file)) {
        return false;
    }
    return platform::appendToFile(file, encodedFor(file, line));
}

} // namespace pelmora::model
