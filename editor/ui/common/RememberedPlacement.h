#pragma once
// Opens a dialog where it was last closed (else centred over its parent and
// on the screen) and, while SAVEWINDOWPOS is on, remembers its rectangle
// under its key when it closes.

#include "Settings.h"

#include <QObject>

class QWidget;

namespace pelmora::ui {

class RememberedPlacement : public QObject {
    Q_OBJECT
public:
    RememberedPlacement(QWidget* dialog, velmet::Settings& settings, velmet::WindowKey key);
    // A dialog without a key is centred every time and nothing is kept.
    explicit RememberedPlacement(QWidget* dialog);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void remember();

    QWidget* m_dialog;
    velmet::Settings* m_settings = nullptr;
    velmet::WindowKey m_key = velmet::WindowKey::Main;
    bool m_placed = false;
};

} // namespace pelmora::ui
