#pragma once
// The support library's About box, loaded for the moment of the call and let
// go again.

#include <filesystem>
#include <string>

class QWidget;

namespace pelmora::ui {

inline constexpr const char* kSupportLibraryName = "libqulvio.so";

// library: beside the program, else found by its bare name. Hands it the
// language file and section, then shows its About box owned by parent. False when the library or
// one of its two entry points is missing.
[[nodiscard]] bool showSupportAbout(QWidget* parent, const std::filesystem::path& library,
                                    const std::filesystem::path& languageFile,
                                    const std::u16string& section);

} // namespace pelmora::ui
