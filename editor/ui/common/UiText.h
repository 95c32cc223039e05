#pragma once
// The language file's numbered texts as Qt strings.

#include "LangText.h"

#include <QString>

#include <string>
#include <string_view>

namespace pelmora::ui {

// The text, formatted with the arguments; an unknown number gives "".
template <typename... Args> QString text(int number, const Args&... args) {
    const std::u16string owned = velmet::langText(number, args...);
    return QString::fromStdU16String(owned);
}

// The program title: the caption of the main window and every message box.
[[nodiscard]] QString programTitle();
void setProgramTitle(const QString& title);

[[nodiscard]] std::u16string toU16(const QString& text);
[[nodiscard]] QString fromU16(std::u16string_view text);

} // namespace pelmora::ui
