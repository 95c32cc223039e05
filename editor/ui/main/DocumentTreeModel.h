#pragma once
// The document tree: one root per document (card roots captioned with their
// reader, file roots with their file name) and below it its books, marked
// "*" while they hold unsaved changes.

#include "Document.h"
#include "Settings.h"

#include <QAbstractItemModel>

#include <vector>

namespace pelmora::ui {

class IconBundle;

class DocumentTreeModel : public QAbstractItemModel {
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

private:
    [[nodiscard]] QVariant rootData(const model::Document& document, int role) const;
    [[nodiscard]] QVariant categoryData(const model::Category& category, int role) const;

    struct Root {
        model::Document* document;
        // Rows as the views know them, so a rebuilt document is removed and
        // re-inserted with the right counts.
        int childRows;
    };
    [[nodiscard]] int rootRow(const model::Document& document) const;

    const velmet::IconNumbers& m_icons;
    const IconBundle& m_bundle;
    std::vector<Root> m_roots;
};

} // namespace pelmora::ui
