#pragma once
// What a card job reports while it works. Called on the job's worker thread:
// the window forwards to its progress dialog through queued signals, the
// command-line editor prints.

#include <string_view>

namespace pelmora::model {

class JobProgress {
public:
    virtual ~JobProgress() = default;
    virtual void title(std::u16string_view text) = 0;
    virtual void status(std::u16string_view text) = 0;
    // The bar runs from 0 to maximum and moves back to 0.
    virtual void range(int maximum) = 0;
    virtual void step() = 0;
    // The worker has ended; nothing is reported after this.
    virtual void done() = 0;
};

// Reports nothing.
class SilentProgress : public JobProgress {
public:
    void title(std::u16string_view) override {}
    void status(std::u16string_view) override {}
    void range(int) override {}
    void step() override {}
    void done() override {}
};

} // namespace pelmora::model
