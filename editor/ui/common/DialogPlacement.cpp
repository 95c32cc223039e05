#include "DialogPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace pelmora::ui {

namespace {

QRect available(const QWidget& dialog) {
    const QWidget* owner = dialog.parentWidget();
    QScreen* screen = owner != nullptr ? owner->screen() : dialog.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

void moveInside(QWidget& dialog, QPoint topLeft) {
    const QRect screen = available(dialog);
    if (!screen.isEmpty()) {
        const QSize size = dialog.frameSize().expandedTo(dialog.sizeHint());
        topLeft.setX(
            std::max(screen.left(), std::min(topLeft.x(), screen.right() + 1 - size.width())));
        topLeft.setY(
            std::max(screen.top(), std::min(topLeft.y(), screen.bottom() + 1 - size.height())));
    }
    dialog.move(topLeft);
}

} // namespace

void centreOnOwner(QWidget& dialog) {
    dialog.adjustSize();
    const QWidget* owner = dialog.parentWidget();
    const QRect around = owner != nullptr ? owner->window()->frameGeometry() : available(dialog);
    const QSize size = dialog.frameSize().expandedTo(dialog.sizeHint());
    moveInside(dialog, around.center() - QPoint(size.width() / 2, size.height() / 2));
}

void restorePlacement(QWidget& dialog, const velmet::Settings& settings, velmet::WindowKey key) {
    const velmet::WindowRect& r = settings.window(key);
    const bool remembered = r.right > r.left && r.bottom > r.top;
    if (!settings.saveWindowPos || !remembered) {
        centreOnOwner(dialog);
        return;
    }
    // The size stays what the layout needs; only the place is remembered.
    dialog.adjustSize();
    moveInside(dialog, QPoint(r.left, r.top));
}

void rememberPlacement(const QWidget& dialog, velmet::Settings& settings, velmet::WindowKey key) {
    if (!settings.saveWindowPos)
        return;
    const QRect frame = dialog.frameGeometry();
    settings.window(key) = {frame.left(), frame.top(), frame.right() + 1, frame.bottom() + 1};
}

} // namespace pelmora::ui
