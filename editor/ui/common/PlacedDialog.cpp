#include "PlacedDialog.h"

#include "WidgetPlacement.h"

namespace pelmora::ui {

PlacedDialog::PlacedDialog(velmet::WindowKey key, velmet::Settings& settings, QWidget* owner)
    : QDialog(owner), m_key(key), m_settings(settings) {}

void PlacedDialog::showEvent(QShowEvent* event) {
    // Once: a dialog shown again after a refused PIN stays where the user left it.
    if (!m_placed) {
        restorePlacement(*this, m_settings, m_key);
        m_placed = true;
    }
    QDialog::showEvent(event);
}

void PlacedDialog::done(int result) {
    rememberPlacement(*this, m_settings, m_key);
    QDialog::done(result);
}

} // namespace pelmora::ui
