#pragma once
// The panel of a book whose entries carry additional values (the USIM book's
// further numbers, e-mail addresses and second name): one row per value as
// the model lists them, each edit taking its value's characters up to its
// width, and Apply (1350).

#include "EntryPanel.h"

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace pelmora::ui {

class AdditionalValuesPanel : public EntryPanel {
    Q_OBJECT

public:
    AdditionalValuesPanel(uint16_t bookKind, QWidget* parent = nullptr);

    [[nodiscard]] uint16_t bookKind() const { return m_kind; }
    [[nodiscard]] std::vector<std::u16string> texts() const;
    [[nodiscard]] model::RowCommit commit(bool simWithoutHoles) override;

private:
    void fill(const model::Category* category, int slot) override;
    void applyFieldTexts() override;
    [[nodiscard]] bool differsFromStored() const override;

    uint16_t m_kind;
    std::vector<QLabel*> m_labels;
    std::vector<QLineEdit*> m_edits;
};

} // namespace pelmora::ui
