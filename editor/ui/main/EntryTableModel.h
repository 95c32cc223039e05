#pragma once
// The entry list's model: the rows of one book as the list presentation
// gives them (every slot of a phone book; messages first, then empty slotList),
// editable cells committed as a row, sorting by a column.

#include "CategoryObserver.h"

#include <QAbstractTableModel>
#include <QColor>

#include <string>
#include <vector>

namespace pelmora::model {
class Category;
}

namespace pelmora::ui {

struct ListOptions {
    bool showDeletedMessages = false;
    bool withoutHoles = true;
    QColor textColor;
};

class EntryTableModel : public QAbstractTableModel, public model::CategoryObserver {
    Q_OBJECT

public:
    explicit EntryTableModel(QObject* parent = nullptr);

    // nullptr empties the list.
    void show(model::Category* category, const ListOptions& options);
    [[nodiscard]] model::Category* category() const { return m_category; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Stores the row with the new cell text: one undo step when it changed.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // Ascending, or descending when already ascending; phone books, name or
    // number column only. True when the book was sorted.
    bool sortBy(int column);

    [[nodiscard]] int slotOfRow(int row) const;
    [[nodiscard]] int rowOfSlot(int slot) const;
    // The slotList of the rows, in row order.
    [[nodiscard]] std::vector<int> slotsOfRows(const std::vector<int>& rows) const;
    // "Restore deleted messages" is offered for the message book when no row
    // is selected or every selected row holds a message deleted on the card.
    [[nodiscard]] bool offersRestoreDeleted(const std::vector<int>& selectedSlots) const;

    void refillEntries(const model::Category& category) override;
    void selectSlots(const model::Category& category, std::span<const int> slotList) override;

signals:
    void slotsSelected(const std::vector<int>& slotList);
    // A row was stored into its book.
    void rowCommitted(int slot);

private:
    void refill();
    [[nodiscard]] std::u16string cell(int slot, int column) const;

    model::Category* m_category = nullptr;
    ListOptions m_options;
    std::vector<int> m_rowSlots;
    std::u16string m_datePicture;
};

} // namespace pelmora::ui
