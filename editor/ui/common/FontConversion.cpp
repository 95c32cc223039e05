#include "FontConversion.h"

#include <algorithm>
#include <cmath>

namespace pelmora::ui {

namespace {
constexpr int kFixedPitch = 1;
constexpr int kWeightNormal = 400;
} // namespace

QFont toQFont(const velmet::FontSpec& spec) {
    QFont font;
    const QString face = QString::fromStdU16String(spec.face());
    if (!face.isEmpty())
        font.setFamily(face);
    if (spec.height != 0)
        font.setPixelSize(std::clamp(std::abs(spec.height), 1, 1000));
    font.setWeight(
        QFont::Weight(std::clamp(spec.weight == 0 ? kWeightNormal : spec.weight, 1, 1000)));
    font.setItalic(spec.italic != 0);
    font.setUnderline(spec.underline != 0);
    font.setStrikeOut(spec.strikeOut != 0);
    font.setFixedPitch((spec.pitchAndFamily & 3) == kFixedPitch);
    return font;
}

velmet::FontSpec toFontSpec(const QFont& font) {
    velmet::FontSpec spec;
    int pixels = font.pixelSize();
    if (pixels <= 0 && font.pointSizeF() > 0)
        pixels = static_cast<int>(std::lround(font.pointSizeF() * 96.0 / 72.0));
    spec.height = pixels > 0 ? -pixels : 0;
    spec.weight = font.weight();
    spec.italic = font.italic() ? 1 : 0;
    spec.underline = font.underline() ? 1 : 0;
    spec.strikeOut = font.strikeOut() ? 1 : 0;
    spec.pitchAndFamily = font.fixedPitch() ? kFixedPitch : 0;
    spec.setFace(font.family().toStdU16String());
    return spec;
}

QColor toQColor(velmet::ColorValue value) {
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

velmet::ColorValue toColorValue(const QColor& color) {
    const QColor rgb = color.toRgb();
    return velmet::ColorValue(rgb.red()) | velmet::ColorValue(rgb.green()) << 8 |
           velmet::ColorValue(rgb.blue()) << 16;
}

} // namespace pelmora::ui
