#include "LocaleFormats.h"

#include "CodePage.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace pelmora::platform {

std::string localeName(const char* category) {
    for (const char* variable : {"LC_ALL", category, "LANG"}) {
        if (const char* name = std::getenv(variable); name && *name) {
            return name;
        }
    }
    return "C";
}

namespace {

// Asks the named locale for one item; "C" when it is not installed.
std::string localeItem(int mask, const char* category, nl_item item) {
    locale_t locale = ::newlocale(mask, localeName(category).c_str(), nullptr);
    if (!locale) {
        locale = ::newlocale(mask, "C", nullptr);
    }
    if (!locale) {
        return {};
    }
    std::string value = ::nl_langinfo_l(item, locale);
    ::freelocale(locale);
    return value;
}

constexpr std::array<std::u16string_view, 12> kMonthNames{
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::array<std::u16string_view, 7> kDayNames{
    u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};

// strftime conversions and the picture fields that stand for them.
struct DateField {
    char16_t conversion;
    std::u16string_view picture;
};
constexpr std::array kDateFields{
    DateField{u'd', u"dd"},   DateField{u'e', u"d"},        DateField{u'm', u"MM"},
    DateField{u'y', u"yy"},   DateField{u'Y', u"yyyy"},     DateField{u'b', u"MMM"},
    DateField{u'h', u"MMM"},  DateField{u'B', u"MMMM"},     DateField{u'a', u"ddd"},
    DateField{u'A', u"dddd"}, DateField{u'D', u"MM/dd/yy"}, DateField{u'F', u"yyyy-MM-dd"},
};

void appendNumber(std::u16string& out, unsigned value, size_t digits) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (text.size() < digits) {
        text.insert(text.begin(), u'0');
    }
    out += text;
}

void appendName(std::u16string& out, std::u16string_view name, size_t count) {
    out += count == 3 ? name.substr(0, 3) : name;
}

} // namespace

char16_t listSeparatorForDecimalPoint(std::string_view decimalPoint) {
    return decimalPoint == "," ? u';' : u',';
}

char16_t listSeparator() {
    return listSeparatorForDecimalPoint(localeItem(LC_NUMERIC_MASK, "LC_NUMERIC", RADIXCHAR));
}

std::u16string shortDateFormat() {
    return datePictureFromStrftime(localeItem(LC_TIME_MASK, "LC_TIME", D_FMT));
}

std::u16string datePictureFromStrftime(std::string_view format) {
    std::u16string picture;
    bool quoting = false;
    const auto literal = [&](char16_t c) {
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (c == u'\'') {
            picture += u"''";
            return;
        }
        if (letter != quoting) {
            picture += u'\'';
            quoting = letter;
        }
        picture += c;
    };
    const auto field = [&](std::u16string_view text) {
        if (quoting) {
            picture += u'\'';
            quoting = false;
        }
        picture += text;
    };
    const std::u16string text = fromUtf8(format);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'%' || i + 1 == text.size()) {
            literal(text[i]);
            continue;
        }
        char16_t conversion = text[++i];
        // Flags, widths and the E and O modifiers change nothing here.
        while ((conversion == u'E' || conversion == u'O' || conversion == u'-' ||
                conversion == u'_' || conversion == u'0' || conversion == u'^' ||
                conversion == u'#') &&
               i + 1 < text.size()) {
            conversion = text[++i];
        }
        if (conversion == u'%') {
            literal(u'%');
            continue;
        }
        // Conversions that are not date fields (hours, minutes) are dropped.
        for (const DateField& known : kDateFields) {
            if (known.conversion == conversion) {
                field(known.picture);
            }
        }
    }
    if (quoting) {
        picture += u'\'';
    }
    return picture;
}

std::u16string formatDate(const SystemTime& time, std::u16string_view picture) {
    std::u16string out;
    size_t i = 0;
    while (i < picture.size()) {
        const char16_t c = picture[i];
        if (c == u'\'' && i + 1 < picture.size() && picture[i + 1] == u'\'') {
            out += u'\'';
            i += 2;
            continue;
        }
        if (c == u'\'') {
            // Quoted text; '' inside it is one quote.
            ++i;
            while (i < picture.size()) {
                if (picture[i] == u'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                        out += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        size_t count = 1;
        while (i + count < picture.size() && picture[i + count] == c) {
            ++count;
        }
        i += count;
        if (c == u'd') {
            if (count <= 2) {
                appendNumber(out, time.day, count);
            } else {
                appendName(out, kDayNames[time.dayOfWeek % 7], count);
            }
        } else if (c == u'M') {
            if (count <= 2) {
                appendNumber(out, time.month, count);
            } else if (time.month >= 1 && time.month <= 12) {
                appendName(out, kMonthNames[time.month - 1u], count);
            }
        } else if (c == u'y') {
            if (count <= 2) {
                appendNumber(out, time.year % 100u, count);
            } else {
                appendNumber(out, time.year, 4);
            }
        } else {
            out.append(count, c);
        }
    }
    return out;
}

} // namespace pelmora::platform
