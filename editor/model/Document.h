#pragma once
// A document of the tree: a card bound to a reader, or a file. It owns its
// books in tree order.

#include "Category.h"
#include "DocumentListener.h"
#include "Subscription.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace pelmora::model {

enum class DocumentKind : int32_t { Card = 1, File = 2 };

class Document {
public:
    virtual ~Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    [[nodiscard]] DocumentKind kind() const { return m_kind; }

    [[nodiscard]] const std::vector<std::unique_ptr<Category>>& categories() const {
        return m_categories;
    }
    // The first book of the kind, or nullptr.
    [[nodiscard]] Category* category(uint16_t kind) const;
    Category& addCategory(uint16_t kind, uint32_t capacity);
    void addCategory(std::unique_ptr<Category> category);
    void releaseCategories();

    [[nodiscard]] bool anyChanged() const;
    void markAllUnchanged();

    [[nodiscard]] Subscription subscribe(DocumentListener& listener) {
        return m_listeners.add(listener);
    }

protected:
    explicit Document(DocumentKind kind) : m_kind(kind) {}

private:
    DocumentKind m_kind;
    std::vector<std::unique_ptr<Category>> m_categories;
    ObserverList<DocumentListener> m_listeners;
};

} // namespace pelmora::model
