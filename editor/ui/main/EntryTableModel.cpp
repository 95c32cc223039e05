#include "EntryTableModel.h"

#include "Category.h"
#include "ColumnSort.h"
#include "ListColumns.h"
#include "ListRows.h"
#include "LocaleFormats.h"
#include "RowCommit.h"
#include "UiText.h"

#include <QBrush>

#include <algorithm>

namespace pelmora::ui {

namespace {
const QColor kDeletedMessageColour(255, 0, 0);
}

EntryTableModel::EntryTableModel(QObject* parent)
    : QAbstractTableModel(parent), m_datePicture(platform::shortDateFormat()) {}

void EntryTableModel::show(model::Category* category, const ListOptions& options) {
    beginResetModel();
    m_category = category;
    m_options = options;
    m_rowSlots = category != nullptr ? model::listRowSlots(*category, options.showDeletedMessages)
                                     : std::vector<int>{};
    endResetModel();
}

void EntryTableModel::refill() {
    beginResetModel();
    m_rowSlots = m_category != nullptr
                     ? model::listRowSlots(*m_category, m_options.showDeletedMessages)
                     : std::vector<int>{};
    endResetModel();
}

int EntryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rowSlots.size());
}

int EntryTableModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || m_category == nullptr)
        return 0;
    return static_cast<int>(model::listColumns(m_category->kind()).size());
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || m_category == nullptr)
        return {};
    const auto columns = model::listColumns(m_category->kind());
    if (section < 0 || size_t(section) >= columns.size())
        return {};
    return text(columns[size_t(section)].headerText);
}

std::u16string EntryTableModel::cell(int slot, int column) const {
    return model::cellText(*m_category, slot, column, m_datePicture);
}

QVariant EntryTableModel::data(const QModelIndex& index, int role) const {
    const int slot = slotOfRow(index.row());
    if (slot < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QString::fromStdU16String(cell(slot, index.column()));
    case Qt::ForegroundRole:
        if (m_options.showDeletedMessages && m_category->isMessages() &&
            m_category->isDeletedMessage(slot))
            return QBrush(kDeletedMessageColour);
        return m_options.textColor.isValid() ? QVariant(QBrush(m_options.textColor)) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags EntryTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_category != nullptr && model::isEditableColumn(m_category->kind(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool EntryTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int slot = slotOfRow(index.row());
    if (role != Qt::EditRole || slot < 0 ||
        !model::isEditableColumn(m_category->kind(), index.column()))
        return false;
    const int column = index.column();
    const std::u16string typed = value.toString().toStdU16String();
    const auto cellOr = [&](int c) { return c == column ? typed : cell(slot, c); };
    const bool holes = m_options.withoutHoles;
    model::RowCommit commit;
    if (m_category->isMessages())
        commit = model::commitMessageRow(*m_category, slot, cellOr(1), cellOr(2), cellOr(4), holes);
    else
        commit = model::commitEntryRow(*m_category, slot, cellOr(1),
                                       m_category->kind() == model::kBookNextel ? u"" : cellOr(2),
                                       holes);
    if (!commit.stored)
        return true;
    refill();
    emit rowCommitted(commit.slot);
    return true;
}

bool EntryTableModel::sortBy(int column) {
    if (m_category == nullptr || !m_category->isPhoneBook() || column < 1 || column > 2 ||
        column >= columnCount())
        return false;
    const auto result = model::sortByColumn(*m_category, model::SortColumn(column), nullptr);
    refill();
    return result != model::SortResult::NotSorted;
}

int EntryTableModel::slotOfRow(int row) const {
    if (m_category == nullptr || row < 0 || size_t(row) >= m_rowSlots.size())
        return -1;
    return m_rowSlots[size_t(row)];
}

int EntryTableModel::rowOfSlot(int slot) const {
    const auto found = std::find(m_rowSlots.begin(), m_rowSlots.end(), slot);
    return found == m_rowSlots.end() ? -1 : int(found - m_rowSlots.begin());
}

std::vector<int> EntryTableModel::slotsOfRows(const std::vector<int>& rows) const {
    std::vector<int> slotList;
    for (const int row : rows) {
        if (const int slot = slotOfRow(row); slot >= 0)
            slotList.push_back(slot);
    }
    std::sort(slotList.begin(), slotList.end());
    return slotList;
}

bool EntryTableModel::offersRestoreDeleted(const std::vector<int>& selectedSlots) const {
    if (m_category == nullptr || !m_category->isMessages())
        return false;
    return std::all_of(selectedSlots.begin(), selectedSlots.end(),
                       [&](int slot) { return m_category->isDeletedMessage(slot); });
}

void EntryTableModel::refillEntries(const model::Category& category) {
    if (&category == m_category)
        refill();
}

void EntryTableModel::selectSlots(const model::Category& category, std::span<const int> slotList) {
    if (&category == m_category)
        emit slotsSelected(std::vector<int>(slotList.begin(), slotList.end()));
}

} // namespace pelmora::ui
