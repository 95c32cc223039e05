#include "CardFile.h"

#include <algorithm>
#include <cstdio>

namespace virtualsim {

std::unique_ptr<CardFile> CardFile::makeDirectory(uint16_t id, FileType type) {
    if (type == FileType::Ef) {
        return nullptr;
    }
    return std::unique_ptr<CardFile>(new CardFile(id, type));
}

std::unique_ptr<CardFile> CardFile::makeTransparent(uint16_t id, size_t size) {
    if (size > kMaxTransparentSize) {
        return nullptr;
    }
    auto file = std::unique_ptr<CardFile>(new CardFile(id, FileType::Ef));
    file->m_body.assign(size, 0xFF);
    return file;
}

std::unique_ptr<CardFile> CardFile::makeRecordFile(uint16_t id, EfStructure structure,
                                                   size_t recordLength, size_t recordCount) {
    if (structure == EfStructure::Transparent || recordLength == 0 ||
        recordLength > kMaxRecordLength || recordCount > kMaxRecordCount) {
        return nullptr;
    }
    auto file = std::unique_ptr<CardFile>(new CardFile(id, FileType::Ef));
    file->m_structure = structure;
    file->m_recordLength = recordLength;
    file->m_body.assign(recordLength * recordCount, 0xFF);
    return file;
}

std::string CardFile::path() const {
    char id[8];
    std::snprintf(id, sizeof id, "%04X", m_id);
    return m_parent ? m_parent->path() + "/" + id : std::string(id);
}

CardFile* CardFile::addChild(std::unique_ptr<CardFile> child) {
    if (!isDirectory() || !child || child->m_type == FileType::Mf) {
        return nullptr;
    }
    const uint16_t id = child->m_id;
    if (id == 0x3F00 || id == m_id || (m_parent && id == m_parent->m_id) || this->child(id)) {
        return nullptr;
    }
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

CardFile* CardFile::child(uint16_t id) const {
    for (const auto& c : m_children) {
        if (c->m_id == id) {
            return c.get();
        }
    }
    return nullptr;
}

size_t CardFile::directoryCount() const {
    return static_cast<size_t>(std::count_if(m_children.begin(), m_children.end(),
                                             [](const auto& c) { return c->isDirectory(); }));
}

size_t CardFile::elementaryFileCount() const {
    return m_children.size() - directoryCount();
}

size_t CardFile::recordCount() const {
    return m_recordLength == 0 ? 0 : m_body.size() / m_recordLength;
}

std::span<const uint8_t> CardFile::record(size_t number) const {
    return std::span<const uint8_t>(m_body).subspan((number - 1) * m_recordLength, m_recordLength);
}

std::span<uint8_t> CardFile::record(size_t number) {
    return std::span<uint8_t>(m_body).subspan((number - 1) * m_recordLength, m_recordLength);
}

void CardFile::pushCyclic(std::span<const uint8_t> data) {
    const size_t count = recordCount();
    if (count == 0) {
        return;
    }
    // The last record (the oldest) moves to the front and is overwritten.
    std::rotate(m_body.begin(), m_body.end() - static_cast<std::ptrdiff_t>(m_recordLength),
                m_body.end());
    std::copy_n(data.begin(), std::min(data.size(), m_recordLength), m_body.begin());
}

} // namespace virtualsim
