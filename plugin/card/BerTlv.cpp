#include "card/BerTlv.h"

namespace brontel {

std::optional<TlvObject> TlvReader::fail() {
    m_malformed = true;
    m_offset = m_data.size();
    return std::nullopt;
}

std::optional<TlvObject> TlvReader::next() {
    // FF and 00 between objects are padding (ISO 7816-4 5.2.2).
    while (m_offset < m_data.size() && (m_data[m_offset] == 0x00 || m_data[m_offset] == 0xFF)) {
        ++m_offset;
    }
    if (m_offset >= m_data.size()) {
        return std::nullopt;
    }
    uint32_t tag = m_data[m_offset++];
    if ((tag & 0x1F) == 0x1F) {
        // Subsequent tag bytes while b8 is set, at most two of them.
        for (int i = 0; i < 2; ++i) {
            if (m_offset >= m_data.size()) {
                return fail();
            }
            const uint8_t b = m_data[m_offset++];
            tag = tag << 8 | b;
            if ((b & 0x80) == 0) {
                break;
            }
            if (i == 1) {
                return fail();
            }
        }
    }
    if (m_offset >= m_data.size()) {
        return fail();
    }
    size_t length = m_data[m_offset++];
    if (length > 0x80) {
        const size_t count = length - 0x80;
        if (count > 2 || m_data.size() - m_offset < count) {
            return fail();
        }
        length = 0;
        for (size_t i = 0; i < count; ++i) {
            length = length << 8 | m_data[m_offset++];
        }
    } else if (length == 0x80) {
        return fail(); // the indefinite form has no place in card answers
    }
    if (length > m_data.size() - m_offset) {
        return fail();
    }
    TlvObject object{tag, m_data.subspan(m_offset, length)};
    m_offset += length;
    return object;
}

std::optional<TlvObject> TlvReader::find(std::span<const uint8_t> data, uint32_t tag) {
    TlvReader reader(data);
    while (const auto object = reader.next()) {
        if (object->tag == tag) {
            return object;
        }
    }
    return std::nullopt;
}

} // namespace brontel
