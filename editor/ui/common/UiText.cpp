#include "UiText.h"

namespace pelmora::ui {

namespace {
QString& title() {
    static QString value = QStringLiteral("Pelmora 2");
    return value;
}
} // namespace

QString programTitle() {
    return title();
}

void setProgramTitle(const QString& value) {
    title() = value;
}

std::u16string toU16(const QString& text) {
    return text.toStdU16String();
}

QString fromU16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace pelmora::ui
