#include "CodePage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <string>
#include <vector>

namespace pelmora::platform {
namespace {

constexpr unsigned kUtf8 = 65001;
constexpr unsigned kDefaultCodePage = 1252;
constexpr char16_t kReplacement = 0xFFFD;

// Languages whose Windows system locale has an ANSI code page other than 1252.
struct LanguageCodePage {
    std::string_view language;
    unsigned codePage;
};
constexpr std::array kLanguageCodePages{
    // Cyrillic
    LanguageCodePage{"ru", 1251},
    LanguageCodePage{"uk", 1251},
    LanguageCodePage{"be", 1251},
    LanguageCodePage{"bg", 1251},
    LanguageCodePage{"sr", 1251},
    LanguageCodePage{"mk", 1251},
    LanguageCodePage{"kk", 1251},
    LanguageCodePage{"ky", 1251},
    LanguageCodePage{"tt", 1251},
    LanguageCodePage{"mn", 1251},
    LanguageCodePage{"ba", 1251},
    LanguageCodePage{"tg", 1251},
    LanguageCodePage{"sah", 1251},
    LanguageCodePage{"cv", 1251},
    LanguageCodePage{"os", 1251},
    // Central European
    LanguageCodePage{"pl", 1250},
    LanguageCodePage{"cs", 1250},
    LanguageCodePage{"sk", 1250},
    LanguageCodePage{"hu", 1250},
    LanguageCodePage{"sl", 1250},
    LanguageCodePage{"hr", 1250},
    LanguageCodePage{"ro", 1250},
    LanguageCodePage{"sq", 1250},
    LanguageCodePage{"bs", 1250},
    LanguageCodePage{"tk", 1250},
    // Others
    LanguageCodePage{"el", 1253},
    LanguageCodePage{"tr", 1254},
    LanguageCodePage{"az", 1254},
    LanguageCodePage{"uz", 1254},
    LanguageCodePage{"he", 1255},
    LanguageCodePage{"iw", 1255},
    LanguageCodePage{"yi", 1255},
    LanguageCodePage{"ar", 1256},
    LanguageCodePage{"fa", 1256},
    LanguageCodePage{"ur", 1256},
    LanguageCodePage{"ps", 1256},
    LanguageCodePage{"ug", 1256},
    LanguageCodePage{"sd", 1256},
    LanguageCodePage{"ckb", 1256},
    LanguageCodePage{"lt", 1257},
    LanguageCodePage{"lv", 1257},
    LanguageCodePage{"et", 1257},
    LanguageCodePage{"vi", 1258},
    LanguageCodePage{"th", 874},
    LanguageCodePage{"ja", 932},
    LanguageCodePage{"ko", 949},
};

std::string iconvName(unsigned codePage) {
    return codePage == kUtf8 ? std::string("UTF-8") : "CP" + std::to_string(codePage);
}

// One converter per direction and code page, per thread: an iconv_t keeps
// shift state and must not be shared between threads.
class Converters {
public:
    ~Converters() {
        for (const Slot& slot : m_slots) {
            if (slot.handle != invalid()) {
                iconv_close(slot.handle);
            }
        }
    }
    iconv_t get(unsigned codePage, bool toWide) {
        for (Slot& slot : m_slots) {
            if (slot.codePage == codePage && slot.toWide == toWide) {
                iconv(slot.handle, nullptr, nullptr, nullptr, nullptr); // reset shift state
                return slot.handle;
            }
        }
        const std::string name = iconvName(codePage);
        iconv_t handle =
            toWide ? iconv_open("UTF-16LE", name.c_str()) : iconv_open(name.c_str(), "UTF-16LE");
        m_slots.push_back({codePage, toWide, handle});
        return handle;
    }
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }

private:
    struct Slot {
        unsigned codePage;
        bool toWide;
        iconv_t handle;
    };
    std::vector<Slot> m_slots;
};

Converters& converters() {
    thread_local Converters instance;
    return instance;
}

bool isAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

bool isAscii(std::u16string_view text) {
    for (char16_t c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendUtf16LE(std::string& out, char16_t c) {
    out.push_back(static_cast<char>(c & 0xFF));
    out.push_back(static_cast<char>(c >> 8));
}

char16_t unitAt(const char* bytes) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[0]) |
                                 static_cast<unsigned char>(bytes[1]) << 8);
}

// Runs the converter over the whole input. When it meets a sequence it cannot
// convert, skipInvalid says how many input bytes to drop and replacement is
// written in their place.
template <typename SkipInvalid>
std::string convert(iconv_t cd, std::string_view input, std::string_view replacement,
                    SkipInvalid skipInvalid) {
    std::string source(input);
    std::string out(input.size() * 4 + 16, '\0');
    char* in = source.data();
    size_t inLeft = source.size();
    size_t used = 0;
    bool flushed = false;
    while (!flushed) {
        char* outPtr = out.data() + used;
        size_t outLeft = out.size() - used;
        const size_t result = inLeft > 0 ? iconv(cd, &in, &inLeft, &outPtr, &outLeft)
                                         : iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        const int error = errno;
        used = static_cast<size_t>(outPtr - out.data());
        if (result != static_cast<size_t>(-1)) {
            flushed = inLeft == 0;
            continue;
        }
        if (inLeft == 0 && error != E2BIG) {
            break; // a failing flush: nothing is left to convert
        }
        if (error == E2BIG || out.size() - used < replacement.size()) {
            out.resize(out.size() * 2);
            continue;
        }
        const size_t skip = skipInvalid(in, inLeft);
        in += skip;
        inLeft -= skip;
        out.replace(used, replacement.size(), replacement);
        used += replacement.size();
    }
    out.resize(used);
    return out;
}

} // namespace

unsigned codePageForLocale(std::string_view localeName) {
    // "ll_TT.charset@modifier"
    const size_t languageEnd = localeName.find_first_of("_.@");
    const std::string_view language = localeName.substr(0, languageEnd);
    std::string_view territory;
    if (languageEnd != std::string_view::npos && localeName[languageEnd] == '_') {
        const std::string_view rest = localeName.substr(languageEnd + 1);
        territory = rest.substr(0, rest.find_first_of(".@"));
    }
    const size_t at = localeName.find('@');
    const std::string_view modifier =
        at == std::string_view::npos ? std::string_view{} : localeName.substr(at + 1);

    if (language == "zh") {
        return territory == "TW" || territory == "HK" || territory == "MO" ? 950 : 936;
    }
    if (language == "sr" && modifier == "latin") {
        return 1250;
    }
    if ((language == "uz" || language == "az") && modifier == "cyrillic") {
        return 1251;
    }
    for (const LanguageCodePage& entry : kLanguageCodePages) {
        if (entry.language == language) {
            return entry.codePage;
        }
    }
    return kDefaultCodePage;
}

unsigned ansiCodePage() {
    static const unsigned codePage = codePageFromEnvironment();
    return codePage;
}

unsigned codePageFromEnvironment() {
    if (const char* chosen = std::getenv("PELMORA_CODEPAGE"); chosen && *chosen) {
        std::string_view text(chosen);
        if (text.size() > 2 && (text.substr(0, 2) == "CP" || text.substr(0, 2) == "cp")) {
            text.remove_prefix(2);
        }
        unsigned value = 0;
        bool valid = !text.empty() && text.size() <= 5;
        for (char c : text) {
            valid = valid && c >= '0' && c <= '9';
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        if (valid) {
            const std::string name = iconvName(value);
            iconv_t probe = iconv_open("UTF-16LE", name.c_str());
            if (probe != Converters::invalid()) {
                iconv_close(probe);
                return value;
            }
        }
    }
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        if (const char* name = std::getenv(variable); name && *name) {
            return codePageForLocale(name);
        }
    }
    return kDefaultCodePage;
}

std::string toCodePage(std::u16string_view text, unsigned codePage, bool* lossless) {
    if (lossless) {
        *lossless = true;
    }
    if (codePage == kUtf8) {
        return toUtf8(text);
    }
    if (isAscii(text)) {
        return std::string(text.begin(), text.end());
    }
    bool lost = false;
    std::string out;
    iconv_t cd = converters().get(codePage, false);
    if (cd == Converters::invalid()) {
        // Unknown code page: keep ASCII, the rest cannot be represented.
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] < 0x80) {
                out.push_back(static_cast<char>(text[i]));
                continue;
            }
            if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
                ++i;
            }
            out.push_back('?');
            lost = true;
        }
    } else {
        std::string input;
        input.reserve(text.size() * 2);
        for (char16_t c : text) {
            appendUtf16LE(input, c);
        }
        // A character without a mapping (or a broken surrogate) becomes '?'
        // and is skipped whole.
        out = convert(cd, input, "?", [&lost](const char* in, size_t left) -> size_t {
            lost = true;
            if (left >= 4 && isHighSurrogate(unitAt(in)) && isLowSurrogate(unitAt(in + 2))) {
                return 4;
            }
            return std::min<size_t>(2, left);
        });
    }
    if (lossless) {
        *lossless = !lost;
    }
    return out;
}

std::u16string fromCodePage(std::string_view bytes, unsigned codePage) {
    if (codePage == kUtf8) {
        return fromUtf8(bytes);
    }
    if (isAscii(bytes)) {
        return std::u16string(bytes.begin(), bytes.end());
    }
    iconv_t cd = converters().get(codePage, true);
    if (cd == Converters::invalid()) {
        std::u16string out;
        for (char c : bytes) {
            const auto byte = static_cast<unsigned char>(c);
            out.push_back(byte < 0x80 ? byte : kReplacement);
        }
        return out;
    }
    // An undefined byte, or a lead byte cut off at the end, becomes U+FFFD.
    std::string replacement;
    appendUtf16LE(replacement, kReplacement);
    const std::string wide = convert(cd, bytes, replacement, [](const char*, size_t) { return 1; });
    std::u16string out;
    out.reserve(wide.size() / 2);
    for (size_t i = 0; i + 1 < wide.size(); i += 2) {
        out.push_back(unitAt(wide.data() + i));
    }
    return out;
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string fromUtf8(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            minimum = 0x10000;
        }
        size_t taken = 1;
        bool valid = length != 0;
        while (valid && taken < length) {
            if (i + taken >= text.size()) {
                valid = false;
                break;
            }
            const auto next = static_cast<unsigned char>(text[i + taken]);
            if ((next & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
            ++taken;
        }
        if (valid && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) {
            valid = false;
        }
        if (!valid) {
            // One replacement per maximal ill-formed prefix.
            out.push_back(kReplacement);
            i += taken;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += length;
    }
    return out;
}

} // namespace pelmora::platform
