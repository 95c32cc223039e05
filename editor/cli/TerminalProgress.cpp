#include "TerminalProgress.h"

#include "Terminal.h"

#include <iostream>

namespace pelmora::cli {

void TerminalProgress::title(std::u16string_view text) {
    m_title.assign(text);
    redraw();
}

void TerminalProgress::status(std::u16string_view text) {
    m_status.assign(text);
    redraw();
}

// The status line already counts the records.
void TerminalProgress::range(int) {}

void TerminalProgress::step() {}

void TerminalProgress::done() {
    if (m_shown && m_drawn) {
        // Clears the line for whatever comes next.
        std::cerr << "\r\033[K" << std::flush;
    }
    m_drawn = false;
    m_status.clear();
}

void TerminalProgress::redraw() {
    if (!m_shown) {
        return;
    }
    std::string line = utf8(m_title);
    if (!m_status.empty()) {
        line += ": " + utf8(m_status);
    }
    std::cerr << "\r\033[K" << line << std::flush;
    m_drawn = true;
}

} // namespace pelmora::cli
