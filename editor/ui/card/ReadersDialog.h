#pragma once
// "Readers": every reader with its state, its card's ATR and what that says,
// the advice when no reader can be used, and "Copy report". The window hands
// it each new reader check; the dialog itself never calls the plug-in.

#include "ReaderCheck.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

namespace pelmora::ui {

class ReadersDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(ReadersDialog)

public:
    explicit ReadersDialog(QWidget* owner);

    void showCheck(const model::ReaderCheck& check);
    // The plain-text report on the clipboard.
    void copyReport();

private:
    QTreeWidget* m_list = nullptr;
    QLabel* m_advice = nullptr;
    model::ReaderCheck m_check;
};

} // namespace pelmora::ui
