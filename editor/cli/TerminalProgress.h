#pragma once
// A card job's progress as one line on standard error that is rewritten in
// place; nothing at all when standard error is not a terminal.

#include "JobProgress.h"

#include <string>

namespace pelmora::cli {

class TerminalProgress : public model::JobProgress {
public:
    explicit TerminalProgress(bool shown) : m_shown(shown) {}

    void title(std::u16string_view text) override;
    void status(std::u16string_view text) override;
    void range(int maximum) override;
    void step() override;
    void done() override;

private:
    void redraw();

    bool m_shown;
    std::u16string m_title;
    std::u16string m_status;
    bool m_drawn = false;
};

} // namespace pelmora::cli
