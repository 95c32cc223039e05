#pragma once
// The current directory, the current EF and its record pointer, with the
// selection rules of TS 51.011 8.1.

#include "CardFile.h"

#include <cstdint>
#include <optional>

namespace virtualsim {

class Selection {
public:
    explicit Selection(CardFile& mf) : m_mf(&mf), m_directory(&mf) {}

    // After the answer to reset: the MF is the current directory, no EF.
    void reset();

    // Selects by file id from the current state: the MF, the current
    // directory, its parent, its children, or a DF beside it. Returns the file,
    // or nullptr (state unchanged) when that id cannot be reached from here.
    CardFile* select(uint16_t id);
    // Makes a file found some other way (a path, an application name) current.
    void choose(CardFile& file);

    [[nodiscard]] CardFile& directory() const { return *m_directory; }
    [[nodiscard]] CardFile* ef() const { return m_ef; }

    // 1-based; empty while undefined (a linear fixed EF just selected).
    [[nodiscard]] std::optional<size_t> recordPointer() const { return m_recordPointer; }
    void setRecordPointer(size_t record) { m_recordPointer = record; }

private:
    [[nodiscard]] CardFile* reachable(uint16_t id) const;

    CardFile* m_mf;
    CardFile* m_directory;
    CardFile* m_ef = nullptr;
    std::optional<size_t> m_recordPointer;
};

} // namespace virtualsim
