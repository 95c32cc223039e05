#pragma once
// How a file type registration is named on a freedesktop system: the
// extension as a glob, the identifier as a MIME type and a desktop entry.

#include "MimeTypeName.h"

#include <optional>
#include <string>
#include <string_view>

namespace pelmora::qulvio {

// The extension with a leading "." added when missing; nothing when it is
// empty, only a ".", or holds a character that cannot stand in a glob or a
// list (control characters, "/", "\", "*", "?", "[", "]", ";").
[[nodiscard]] std::optional<std::string> normalizeExtension(std::string_view extension);

// The identifier made from an extension when none is given: "phn" gives
// "PHN.Document".
[[nodiscard]] std::string defaultIdentifier(std::string_view normalizedExtension);

// The stem followed by ".desktop".
[[nodiscard]] std::string desktopFileFor(std::string_view identifier);
// The shared-MIME-info package file under mime/packages.
[[nodiscard]] std::string packageFileFor(std::string_view identifier);

// Extensions compare as Windows compares them: ignoring ASCII case.
[[nodiscard]] bool sameExtension(std::string_view a, std::string_view b);

} // namespace pelmora::qulvio
