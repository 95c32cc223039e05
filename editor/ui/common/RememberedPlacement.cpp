#include "RememberedPlacement.h"

#include "DialogPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace pelmora::ui {
namespace {

velmet::WindowRect toWindowRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect availableScreen(const QWidget& dialog) {
    const QWidget* owner = dialog.parentWidget();
    QScreen* screen = owner != nullptr ? owner->screen() : dialog.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The size stays what the layout gave the dialog; only the place is chosen.
void moveTo(QWidget& dialog, const velmet::WindowRect& remembered) {
    const QRect screen = availableScreen(dialog);
    const QWidget* owner = dialog.parentWidget();
    const QRect parent = owner != nullptr ? owner->window()->frameGeometry() : screen;
    const QSize size = dialog.frameGeometry().size();
    const velmet::WindowRect placed =
        model::placeDialog(remembered, {0, 0, size.width(), size.height()}, toWindowRect(parent),
                           toWindowRect(screen));
    dialog.move(placed.left, placed.top);
}

} // namespace

void centreOnOwner(QWidget& dialog) {
    moveTo(dialog, {});
}

RememberedPlacement::RememberedPlacement(QWidget* dialog, velmet::Settings& settings,
                                         velmet::WindowKey key)
    : RememberedPlacement(dialog) {
    m_settings = &settings;
    m_key = key;
}

RememberedPlacement::RememberedPlacement(QWidget* dialog) : QObject(dialog), m_dialog(dialog) {
    dialog->installEventFilter(this);
}

bool RememberedPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_dialog) {
        // Placed once: a dialog shown again (after a refused PIN) stays
        // where the user left it.
        if (event->type() == QEvent::Show && !m_placed) {
            m_placed = true;
            place();
        } else if (event->type() == QEvent::Hide) {
            remember();
        }
    }
    return QObject::eventFilter(watched, event);
}

void RememberedPlacement::place() {
    const bool remembered = m_settings != nullptr && m_settings->saveWindowPos;
    moveTo(*m_dialog, remembered ? m_settings->window(m_key) : velmet::WindowRect{});
}

void RememberedPlacement::remember() {
    if (m_settings != nullptr && m_settings->saveWindowPos)
        m_settings->window(m_key) = toWindowRect(m_dialog->frameGeometry());
}

} // namespace pelmora::ui
