// A language file read from any bytes, its texts looked up and formatted.
#include "FuzzSupport.h"

#include "LangFormat.h"
#include "LanguageFile.h"

#include <array>

using namespace pelmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const int number = data[0] | (data[1] << 8);
    const auto bytes = fuzz::bytesOf(data + 2, size - 2);
    const std::u16string longText(2000, u'x');
    const std::array<velmet::LangArg, 6> args{
        velmet::LangArg(u"text"),  velmet::LangArg(-42), velmet::LangArg(4000000000u),
        velmet::LangArg(longText), velmet::LangArg(7),   velmet::LangArg(u"")};
    const auto file = velmet::LanguageFile::parse(bytes);
    for (const auto& language : file.languages()) {
        (void)file.sectionFor(language.name);
        for (const int n : {number, 1, 100}) {
            (void)velmet::formatLangText(file.text(n, language.section), args);
        }
    }
    // The formatter on its own, with any text as the format.
    (void)velmet::formatLangText(fuzz::utf16Of(bytes), args, number % 1100);
    return 0;
}
