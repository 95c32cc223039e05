#include "CardInfoLine.h"

#include "CodePage.h"
#include "FileAppend.h"
#include "LangText.h"
#include "Records.h"

#include <cstdio>

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

bool appendCardInfoLine(const std::filesystem::path& file, std::u16string_view line) {
    return platform::appendToFile(file, platform::toAnsi(line));
}

} // namespace pelmora::model
