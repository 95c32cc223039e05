#include "books/CardDirectory.h"

#include "card/SIMCard.h"

namespace brontel {

bool CardDirectory::enter(FileId directory) {
    m_current.reset();
    return m_card.select(files::kMasterFile) && m_card.select(directory);
}

bool CardDirectory::enter(FileId directory, FileId subdirectory) {
    return enter(directory) && m_card.select(subdirectory);
}

bool CardDirectory::describe(FileId ef, SimFileInfo& info) {
    m_current.reset();
    info = SimFileInfo{};
    if (!m_card.select(ef, &info.length)) {
        return false;
    }
    m_current = ef;
    // The description is what the SELECT announced in SW2.
    return m_card.status(&info, 0) != 0;
}

bool CardDirectory::fileWasMissing() const {
    return m_card.sim_error() == kSimErrorFileNotFound;
}

bool CardDirectory::select(FileId ef) {
    if (m_current == ef) {
        return true;
    }
    m_current.reset();
    if (!m_card.select(ef)) {
        return false;
    }
    m_current = ef;
    return true;
}

} // namespace brontel
