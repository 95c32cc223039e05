#include "RememberedPlacement.h"

#include "DialogPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace pelmora::ui {
namespace {

velmet::WindowRect toWindowRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

} // namespace

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
    const QScreen* screen = m_dialog->screen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QWidget* parent = m_dialog->parentWidget() ? m_dialog->parentWidget()->window() : nullptr;
    const velmet::WindowRect remembered =
        m_settings ? m_settings->window(m_key) : velmet::WindowRect{};
    const velmet::WindowRect placed = model::placeDialog(
        remembered, toWindowRect(m_dialog->frameGeometry()),
        toWindowRect(parent ? parent->frameGeometry() : screenRect), toWindowRect(screenRect));
    m_dialog->move(placed.left, placed.top);
}

void RememberedPlacement::remember() {
    if (m_settings && m_settings->saveWindowPos) {
        m_settings->window(m_key) = toWindowRect(m_dialog->frameGeometry());
    }
}

} // namespace pelmora::ui
