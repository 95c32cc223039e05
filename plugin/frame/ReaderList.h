#pragma once
// The resource manager's reader names, as the multi-string it answers with.

#include <winscard.h>

#include <optional>
#include <string>

namespace brontel {

// The name at position index of the reader list of all groups, or nothing when
// the list cannot be had, ends first or holds an empty name there. result
// receives the resource manager's answer to the list request (success when
// the list was had and merely ended first).
[[nodiscard]] std::optional<std::u16string> readerAt(SCARDCONTEXT context, uint32_t index,
                                                     LONG& result);

} // namespace brontel
