#pragma once
// The stored list font and colour (FONT as a LOGFONTW-shaped record, COLOR as
// 0x00BBGGRR) as Qt fonts and colours, and back.

#include "Settings.h"

#include <QColor>
#include <QFont>

namespace pelmora::ui {

// A negative height is the character height in pixels, a positive one the
// cell height; both become the pixel size. Zero keeps the default size.
[[nodiscard]] QFont toQFont(const velmet::FontSpec& spec);
// Sizes are stored as negative pixel heights; a font sized in points is taken
// at 96 dots per inch.
[[nodiscard]] velmet::FontSpec toFontSpec(const QFont& font);

[[nodiscard]] QColor toQColor(velmet::ColorValue value);
[[nodiscard]] velmet::ColorValue toColorValue(const QColor& color);

} // namespace pelmora::ui
