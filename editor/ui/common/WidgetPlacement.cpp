#include "WidgetPlacement.h"

#include "DialogPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace pelmora::ui {

namespace {

velmet::WindowRect stored(const QRect& r) {
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

QRect available(const QWidget& dialog) {
    const QWidget* owner = dialog.parentWidget();
    QScreen* screen = owner != nullptr ? owner->screen() : dialog.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

// The size stays what the layout needs; only the place is remembered.
void place(QWidget& dialog, const velmet::WindowRect& remembered) {
    dialog.adjustSize();
    const QSize size = dialog.frameSize().expandedTo(dialog.sizeHint());
    const QRect screen = available(dialog);
    const QWidget* owner = dialog.parentWidget();
    const QRect parent = owner != nullptr ? owner->window()->frameGeometry() : screen;
    const velmet::WindowRect at = model::placeDialog(
        remembered, {0, 0, size.width(), size.height()}, stored(parent), stored(screen));
    dialog.move(at.left, at.top);
}

} // namespace

void centreOnOwner(QWidget& dialog) {
    place(dialog, {});
}

void restorePlacement(QWidget& dialog, const velmet::Settings& settings, velmet::WindowKey key) {
    place(dialog, settings.saveWindowPos ? settings.window(key) : velmet::WindowRect{});
}

void rememberPlacement(const QWidget& dialog, velmet::Settings& settings, velmet::WindowKey key) {
    if (settings.saveWindowPos)
        settings.window(key) = stored(dialog.frameGeometry());
}

} // namespace pelmora::ui
