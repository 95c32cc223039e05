#pragma once
// A dialog that opens where it was last closed (under its own settings key,
// when SAVEWINDOWPOS is on), else centred on its owner, inside the screen.

#include "Settings.h"

#include <QDialog>

namespace pelmora::ui {

class PlacedDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(PlacedDialog)

public:
    PlacedDialog(velmet::WindowKey key, velmet::Settings& settings, QWidget* owner);
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    [[nodiscard]] velmet::Settings& settings() { return m_settings; }

private:
    velmet::WindowKey m_key;
    velmet::Settings& m_settings;
    bool m_placed = false;
};

} // namespace pelmora::ui
