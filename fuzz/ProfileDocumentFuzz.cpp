// Settings, language, operator and backup files: the INI reader in every
// encoding, then the document written back and read again.
#include "FuzzSupport.h"

#include "ProfileDocument.h"

using pelmora::platform::ProfileDocument;
using pelmora::platform::TextEncoding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProfileDocument document = ProfileDocument::parse(pelmora::fuzz::bytesOf(data, size));
    const auto sections = document.sectionNames();
    for (const auto& section : sections) {
        for (const auto& key : document.keyNames(section)) {
            (void)document.value(section, key);
            (void)document.structValue(section, key);
        }
    }
    if (!sections.empty()) {
        document.setValue(sections.front(), u"fuzz", u"value");
        document.removeKey(sections.back(), u"fuzz");
    }
    for (const TextEncoding encoding :
         {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LE}) {
        document.setEncoding(encoding);
        const ProfileDocument again = ProfileDocument::parse(document.serialize());
        if (encoding == TextEncoding::Utf16LE && again.sectionNames() != document.sectionNames()) {
            pelmora::fuzz::propertyBroken("UTF-16 save and load keep the sections");
        }
    }
    return 0;
}
