#pragma once
// The in-place edit of a list cell: the cell's character limit and filter;
// Enter stores the row, Esc, Tab or the focus going elsewhere leave it as it
// was.

#include <QStyledItemDelegate>

namespace pelmora::ui {

class EntryTableModel;

class CellEditDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    CellEditDelegate(const EntryTableModel& model, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    const EntryTableModel& m_model;
};

} // namespace pelmora::ui
