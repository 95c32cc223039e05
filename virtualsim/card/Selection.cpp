#include "Selection.h"

namespace virtualsim {

void Selection::reset() {
    m_directory = m_mf;
    m_ef = nullptr;
    m_recordPointer.reset();
}

CardFile* Selection::reachable(uint16_t id) const {
    if (id == m_mf->id()) {
        return m_mf;
    }
    if (id == m_directory->id()) {
        return m_directory;
    }
    CardFile* parent = m_directory->parent();
    if (parent && id == parent->id()) {
        return parent;
    }
    if (CardFile* child = m_directory->child(id)) {
        return child;
    }
    if (parent) {
        CardFile* sibling = parent->child(id);
        if (sibling && sibling->isDirectory()) {
            return sibling;
        }
    }
    return nullptr;
}

CardFile* Selection::select(uint16_t id) {
    CardFile* file = reachable(id);
    if (file) {
        choose(*file);
    }
    return file;
}

void Selection::choose(CardFile& file) {
    m_recordPointer.reset();
    if (file.isDirectory()) {
        m_directory = &file;
        m_ef = nullptr;
        return;
    }
    m_directory = file.parent();
    m_ef = &file;
    // A cyclic EF points at the record updated last, which is record 1.
    if (file.structure() == EfStructure::Cyclic && file.recordCount() > 0) {
        m_recordPointer = 1;
    }
}

} // namespace virtualsim
