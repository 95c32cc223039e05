#pragma once
// The resource manager's reader names, as the multi-string it answers with.

#include <winscard.h>

#include <optional>
#include <string>

namespace brontel {

// The name at position index of the reader list of all groups, or nothing when
// the list cannot be had, ends first or holds an empty name there.
[[nodiscard]] std::optional<std::u16string> readerAt(SCARDCONTEXT context, uint32_t index);

} // namespace brontel
