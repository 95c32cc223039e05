#pragma once
// The document tree: one root per document (card roots captioned with their
// reader, file roots with their file name) and below it its books, marked
// "*" while they hold unsaved changes.

#include "Document.h"
#include "DocumentListener.h"
#include "Settings.h"
#include "Subscription.h"

#include <QAbstractItemModel>

#include <vector>

namespace pelmora::ui {

class IconBundle;

class DocumentTreeModel : public QAbstractItemModel, private model::DocumentListener {
    Q_OBJECT

public:
    DocumentTreeModel(const velmet::IconNumbers& icons, const IconBundle& bundle,
                      QObject* parent = nullptr);

    [[nodiscard]] QModelIndex index(int row, int column,
                                    const QModelIndex& parent = {}) const override;
    [[nodiscard]] QModelIndex parent(const QModelIndex& child) const override;
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

    [[nodiscard]] model::Document* document(const QModelIndex& index) const;
    // nullptr for a root.
    [[nodiscard]] model::Category* category(const QModelIndex& index) const;
    [[nodiscard]] QModelIndex documentIndex(const model::Document& document) const;
    [[nodiscard]] QModelIndex categoryIndex(const model::Category& category) const;

    // The document list's changes: told after a document was added at index,
    // and before one leaves.
    void documentAdded(model::Document& document, size_t index);
    void documentRemoving(const model::Document& document);
    // Its books or its card state changed: its children are rebuilt.
    void documentChanged(const model::Document& document);
    // Only the changed marks of the document's books.
    void marksChanged(const model::Document& document);

signals:
    // The document's books are about to be freed (another card's books
    // replace them while a command runs): nothing may show them any more.
    // Their rows are already gone from the tree.
    void booksReleasing(const model::Document* document);

private:
    void categoriesReleasing(model::Document& document) override;
    void removeBookRows(const QModelIndex& root);

    [[nodiscard]] QVariant rootData(const model::Document& document, int role) const;
    [[nodiscard]] QVariant categoryData(const model::Category& category, int role) const;

    struct Root {
        model::Document* document;
        // Rows as the views know them, so a rebuilt document is removed and
        // re-inserted with the right counts.
        int childRows;
        model::Subscription subscription;
    };
    [[nodiscard]] int rootRow(const model::Document& document) const;

    const velmet::IconNumbers& m_icons;
    const IconBundle& m_bundle;
    std::vector<Root> m_roots;
};

} // namespace pelmora::ui
