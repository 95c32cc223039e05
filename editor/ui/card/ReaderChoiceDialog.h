#pragma once
// "Choose a card" (114): the readers whose card can be opened, one row each
// with the reader's icon, the first one selected.

#include "Settings.h"

#include <QDialog>

#include <QIcon>
#include <QStringList>

class QTreeWidget;

namespace pelmora::ui {

class ReaderChoiceDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(ReaderChoiceDialog)

public:
    ReaderChoiceDialog(const QStringList& readers, const QIcon& readerIcon,
                       velmet::Settings& settings, QWidget* owner);

    // The row chosen, or -1 when cancelled. No reader: -1 without showing.
    [[nodiscard]] static int choose(const QStringList& readers, const QIcon& readerIcon,
                                    velmet::Settings& settings, QWidget* owner);
    [[nodiscard]] int chosenRow() const;

    void done(int result) override;

private:
    QTreeWidget* m_list = nullptr;
};

} // namespace pelmora::ui
