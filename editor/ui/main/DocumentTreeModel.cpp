#include "DocumentTreeModel.h"

#include "BookKind.h"
#include "CardDocument.h"
#include "FileDocument.h"
#include "IconBundle.h"

#include <QFileInfo>

#include <algorithm>

namespace pelmora::ui {

namespace {

// Children carry their root's row + 1; roots carry 0.
constexpr quintptr kRootId = 0;

int bookIcon(const velmet::IconNumbers& icons, uint16_t kind) {
    switch (kind) {
    case model::kBookLnd:
        return icons.lbookIcon;
    case model::kBookFdn:
    case model::kBookSdn:
    case model::kBookBdn:
    case model::kBookSms:
        return icons.fbookIcon;
    default:
        return icons.bookIcon;
    }
}

// From what the UI thread keeps: the reader refresh's finding and the books.
// The connection is the running command's, written on its worker.
bool cardPresent(const model::CardDocument& card) {
    return card.cardPresent || !card.categories().empty();
}

} // namespace

DocumentTreeModel::DocumentTreeModel(const velmet::IconNumbers& icons, const IconBundle& bundle,
                                     QObject* parent)
    : QAbstractItemModel(parent), m_icons(icons), m_bundle(bundle) {}

QModelIndex DocumentTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < static_cast<int>(m_roots.size()) ? createIndex(row, 0, kRootId)
                                                      : QModelIndex();
    if (parent.internalId() != kRootId || row >= m_roots[size_t(parent.row())].childRows)
        return {};
    return createIndex(row, 0, quintptr(parent.row()) + 1);
}

QModelIndex DocumentTreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kRootId)
        return {};
    return createIndex(int(child.internalId() - 1), 0, kRootId);
}

int DocumentTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(m_roots.size());
    return parent.internalId() == kRootId ? m_roots[size_t(parent.row())].childRows : 0;
}

int DocumentTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

model::Document* DocumentTreeModel::document(const QModelIndex& index) const {
    if (!index.isValid())
        return nullptr;
    const size_t row =
        index.internalId() == kRootId ? size_t(index.row()) : size_t(index.internalId() - 1);
    return row < m_roots.size() ? m_roots[row].document : nullptr;
}

model::Category* DocumentTreeModel::category(const QModelIndex& index) const {
    if (!index.isValid() || index.internalId() == kRootId)
        return nullptr;
    const model::Document* owner = document(index);
    if (owner == nullptr || size_t(index.row()) >= owner->categories().size())
        return nullptr;
    return owner->categories()[size_t(index.row())].get();
}

int DocumentTreeModel::rootRow(const model::Document& document) const {
    for (size_t i = 0; i < m_roots.size(); ++i) {
        if (m_roots[i].document == &document)
            return int(i);
    }
    return -1;
}

QModelIndex DocumentTreeModel::documentIndex(const model::Document& document) const {
    const int row = rootRow(document);
    return row < 0 ? QModelIndex() : index(row, 0);
}

QModelIndex DocumentTreeModel::categoryIndex(const model::Category& category) const {
    for (size_t i = 0; i < m_roots.size(); ++i) {
        const auto& books = m_roots[i].document->categories();
        for (size_t j = 0; j < books.size() && j < size_t(m_roots[i].childRows); ++j) {
            if (books[j].get() == &category)
                return index(int(j), 0, index(int(i), 0));
        }
    }
    return {};
}

QVariant DocumentTreeModel::data(const QModelIndex& index, int role) const {
    if (const model::Category* book = category(index))
        return categoryData(*book, role);
    if (index.internalId() == kRootId) {
        if (const model::Document* root = document(index))
            return rootData(*root, role);
    }
    return {};
}

QVariant DocumentTreeModel::rootData(const model::Document& document, int role) const {
    if (document.kind() == model::DocumentKind::Card) {
        const auto& card = static_cast<const model::CardDocument&>(document);
        if (role == Qt::DisplayRole)
            return QString::fromStdU16String(card.reader);
        if (role == Qt::DecorationRole)
            return cardPresent(card) ? m_bundle.icon(m_icons.cardIcon) : QIcon();
        return {};
    }
    const auto& file = static_cast<const model::FileDocument&>(document);
    if (role == Qt::DisplayRole)
        return QFileInfo(QString::fromStdU16String(file.name())).fileName();
    if (role == Qt::ToolTipRole)
        return QString::fromStdU16String(file.name());
    if (role == Qt::DecorationRole)
        return m_bundle.icon(m_icons.newIcon);
    return {};
}

QVariant DocumentTreeModel::categoryData(const model::Category& category, int role) const {
    if (role == Qt::DisplayRole) {
        const QString caption = QString::fromStdU16String(model::bookCaption(category.kind()));
        return category.unchanged() ? caption : QLatin1Char('*') + caption;
    }
    if (role == Qt::DecorationRole)
        return m_bundle.icon(bookIcon(m_icons, category.kind()));
    return {};
}

void DocumentTreeModel::documentAdded(model::Document& document, size_t index) {
    const int row = int(std::min(index, m_roots.size()));
    beginInsertRows({}, row, row);
    m_roots.insert(
        m_roots.begin() + row,
        Root{&document, static_cast<int>(document.categories().size()), document.subscribe(*this)});
    endInsertRows();
}

void DocumentTreeModel::categoriesReleasing(model::Document& document) {
    const QModelIndex root = documentIndex(document);
    if (root.isValid())
        removeBookRows(root);
    emit booksReleasing(&document);
}

void DocumentTreeModel::removeBookRows(const QModelIndex& root) {
    int& rows = m_roots[size_t(root.row())].childRows;
    if (rows > 0) {
        beginRemoveRows(root, 0, rows - 1);
        rows = 0;
        endRemoveRows();
    }
}

void DocumentTreeModel::documentRemoving(const model::Document& document) {
    const int row = rootRow(document);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    m_roots.erase(m_roots.begin() + row);
    endRemoveRows();
}

void DocumentTreeModel::documentChanged(const model::Document& document) {
    const QModelIndex root = documentIndex(document);
    if (!root.isValid())
        return;
    removeBookRows(root);
    const int now = static_cast<int>(document.categories().size());
    if (now > 0) {
        beginInsertRows(root, 0, now - 1);
        m_roots[size_t(root.row())].childRows = now;
        endInsertRows();
    }
    emit dataChanged(root, root);
}

void DocumentTreeModel::marksChanged(const model::Document& document) {
    const QModelIndex root = documentIndex(document);
    const int rows = root.isValid() ? m_roots[size_t(root.row())].childRows : 0;
    if (rows > 0)
        emit dataChanged(index(0, 0, root), index(rows - 1, 0, root), {Qt::DisplayRole});
}

} // namespace pelmora::ui
