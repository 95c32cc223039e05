#pragma once
// The name of a new, unsaved document.

#include <span>
#include <string>
#include <string_view>

namespace pelmora::model {

// baseName (text 142) followed by 1 plus the number of file roots whose caption
// contains baseName; a number an open document already has is passed over.
[[nodiscard]] std::u16string newDocumentName(std::u16string_view baseName,
                                             std::span<const std::u16string> fileRootCaptions);

} // namespace pelmora::model
