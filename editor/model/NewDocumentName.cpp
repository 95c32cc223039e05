#include "NewDocumentName.h"

#include <algorithm>

namespace pelmora::model {

namespace {

std::u16string withCounter(std::u16string_view baseName, size_t counter) {
    std::u16string name(baseName);
    for (char c : std::to_string(counter)) {
        name.push_back(static_cast<char16_t>(c));
    }
    return name;
}

} // namespace

std::u16string newDocumentName(std::u16string_view baseName,
                               std::span<const std::u16string> fileRootCaptions) {
    size_t counter = 1;
    for (const std::u16string& caption : fileRootCaptions) {
        if (caption.find(baseName) != std::u16string::npos) {
            ++counter;
        }
    }
    // After a close, 1 + count can name a document that is still open.
    auto taken = [&](const std::u16string& name) {
        return std::ranges::any_of(fileRootCaptions, [&](const std::u16string& caption) {
            return caption == name || caption == u"*" + name;
        });
    };
    std::u16string name = withCounter(baseName, counter);
    while (taken(name)) {
        name = withCounter(baseName, ++counter);
    }
    return name;
}

} // namespace pelmora::model
