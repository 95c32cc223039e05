#pragma once
// Icons by number from the resource bundle that RES names (a Qt .rcc file
// holding ":/icons/<number>.svg"). A missing bundle or number gives an empty
// icon, nothing else.

#include <QIcon>
#include <QString>

namespace pelmora::ui {

class IconBundle {
public:
    IconBundle() = default;
    ~IconBundle();
    IconBundle(const IconBundle&) = delete;
    IconBundle& operator=(const IconBundle&) = delete;

    // Registers the bundle; false (and empty icons) when it cannot be read.
    bool load(const QString& path);
    [[nodiscard]] bool loaded() const { return !m_path.isEmpty(); }
    [[nodiscard]] QIcon icon(int number) const;
    // The icon with its own picture for the disabled state when the bundle
    // holds disabledNumber; without it Qt greys the normal picture, so a
    // disabled button never goes blank.
    [[nodiscard]] QIcon icon(int number, int disabledNumber) const;

private:
    QString m_path;
};

} // namespace pelmora::ui
