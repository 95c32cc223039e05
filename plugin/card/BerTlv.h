#pragma once
// Walking BER-TLV data objects (ISO 7816-4 5.2) in untrusted card bytes: tags
// of one to three bytes, lengths in the short form or as 81 xx and 82 xx xx.
// An object whose length runs past the data ends the walk as malformed.

#include <cstdint>
#include <optional>
#include <span>

namespace brontel {

struct TlvObject {
    uint32_t tag = 0;
    std::span<const uint8_t> value;
};

class TlvReader {
public:
    explicit TlvReader(std::span<const uint8_t> data) : m_data(data) {}

    // The next object, or nothing at the end of the data or at a malformed one.
    std::optional<TlvObject> next();
    // Whether the walk stopped at a malformed object rather than at the end.
    [[nodiscard]] bool malformed() const { return m_malformed; }

    // The first object with this tag among the objects of the data.
    static std::optional<TlvObject> find(std::span<const uint8_t> data, uint32_t tag);

private:
    std::optional<TlvObject> fail();

    std::span<const uint8_t> m_data;
    size_t m_offset = 0;
    bool m_malformed = false;
};

} // namespace brontel
