#pragma once
// The logo picture of a print and of the print setup's preview.

#include <QImage>
#include <QString>

namespace pelmora::print {

// Picture files by their extension, in any case: .ico, .bmp, .png and .svg,
// drawn onto white at their own size. The program's own path stands for the
// program's icon (programIcon). Anything else, a missing file or one that does
// not load gives a null image: the print goes without a logo.
[[nodiscard]] QImage loadLogo(const QString& path, const QImage& programIcon);

// The program's own path: the logo offered when none was chosen.
[[nodiscard]] QString programLogoPath();

} // namespace pelmora::print
