#include "books/RecordReader.h"

#include "books/CardDirectory.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"

namespace brontel {

const RecordFile* RecordReader::file() {
    if (!m_described) {
        m_described = true;
        SimFileInfo info;
        if (!m_directory.describe(m_id, info)) {
            m_outcome.commandFailed(m_directory.card());
            return nullptr;
        }
        m_fileSize = info.fileSize;
        m_file = usableRecordFile(m_id, info, m_minRecordLength);
        if (!m_file && m_reportUnusable) {
            m_outcome.commandFailed(m_directory.card());
        }
    }
    return m_file ? &*m_file : nullptr;
}

std::span<const uint8_t> RecordReader::read(uint8_t id) {
    if (!m_file) {
        return {};
    }
    SIMCard& card = m_directory.card();
    const auto record = std::span(m_buffer).first(m_file->recordLength);
    if (!m_directory.select(m_file->id) ||
        !card.read_record(id, m_file->recordLength, SIMCard::kModeAbsolute, record)) {
        m_outcome.commandFailed(card);
        return {};
    }
    return record;
}

} // namespace brontel
