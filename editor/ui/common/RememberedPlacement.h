#pragma once
// Where a dialog opens: where it was last closed (when SAVEWINDOWPOS is on),
// else centred over its owner, and always inside the screen, by the model's
// placement rule. While SAVEWINDOWPOS is on, its rectangle is remembered under
// its key when it closes.

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

// Centres the dialog on its owner (the screen when it has none) and moves it
// back inside the screen where it would stick out.
void centreOnOwner(QWidget& dialog);

} // namespace pelmora::ui
