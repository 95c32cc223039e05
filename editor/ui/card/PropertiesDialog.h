#pragma once
// What the card-properties (108) and book-properties (109) dialogs share: the
// reader line in bold, the decoration picture, label/value rows, OK alone,
// and a remembered place.

#include "DialogButtonRow.h"
#include "Settings.h"

#include <QDialog>

class QFormLayout;
class QPixmap;

namespace pelmora::ui {

class PropertiesDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(PropertiesDialog)

protected:
    PropertiesDialog(const char* name, int titleText, velmet::WindowKey key,
                     velmet::Settings& settings, const QString& readerLine,
                     const QPixmap& decoration, QWidget* owner);
    // A row: label text by number, the value in a selectable field.
    void addRow(int labelText, const char* labelName, const char* valueName, const QString& value);
    // The button row, beside OK.
    [[nodiscard]] QHBoxLayout& buttonRow() { return *m_buttonRow; }

private:
    QFormLayout* m_form = nullptr;
    DialogButtonRow* m_buttonRow = nullptr;
};

} // namespace pelmora::ui
