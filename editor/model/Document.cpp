#include "Document.h"

namespace pelmora::model {

Category* Document::category(uint16_t kind) const {
    for (const std::unique_ptr<Category>& c : m_categories) {
        if (c->kind() == kind) {
            return c.get();
        }
    }
    return nullptr;
}

Category& Document::addCategory(uint16_t kind, uint32_t capacity) {
    addCategory(std::make_unique<Category>(kind, capacity));
    return *m_categories.back();
}

void Document::addCategory(std::unique_ptr<Category> category) {
    if (category) {
        m_categories.push_back(std::move(category));
        Category& added = *m_categories.back();
        m_listeners.notify([&](DocumentListener& l) { l.categoryAdded(*this, added); });
    }
}

void Document::releaseCategories() {
    if (m_categories.empty()) {
        return;
    }
    m_listeners.notify([&](DocumentListener& l) { l.categoriesReleasing(*this); });
    m_categories.clear();
}

bool Document::anyChanged() const {
    for (const std::unique_ptr<Category>& c : m_categories) {
        if (!c->unchanged()) {
            return true;
        }
    }
    return false;
}

void Document::markAllUnchanged() {
    for (const std::unique_ptr<Category>& c : m_categories) {
        c->markUnchanged();
    }
}

} // namespace pelmora::model
