#pragma once
// Opens a dialog where it was last closed (else centred over its parent and
// on the screen) and, while SAVEWINDOWPOS is on, remembers its rectangle
// under its key when it closes.

#include "Settings.h"

#include <QObject>

#include <optional>

class QWidget;

namespace pelmora::ui {

class RememberedPlacement : public QObject {
    Q_OBJECT
public:
    // Without a key the dialog is centred every time and nothing is kept.
    RememberedPlacement(QWidget* dialog, velmet::Settings& settings,
                        std::optional<velmet::WindowKey> key);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void remember();

    QWidget* m_dialog;
    velmet::Settings& m_settings;
    std::optional<velmet::WindowKey> m_key;
    bool m_placed = false;
};

} // namespace pelmora::ui
