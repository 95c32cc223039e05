#pragma once
// What the editing-dialog tests share: a list that records what the dialogs
// ask of it, and books filled with names.

#include "Category.h"
#include "CategoryObserver.h"
#include "Records.h"

#include <QDialog>
#include <QPushButton>

#include <string>
#include <vector>

namespace pelmora::ui::testing {

class RecordingList : public model::CategoryObserver {
public:
    void refillEntries(const model::Category&) override { ++refills; }
    void selectSlots(const model::Category&, std::span<const int> chosen) override {
        selected.assign(chosen.begin(), chosen.end());
    }
    int refills = 0;
    std::vector<int> selected;
};

// Slot i gets names[i] and the number; "" leaves a slot empty.
inline void fillNames(model::Category& book, const std::vector<std::u16string>& names,
                      std::u16string_view number = u"030") {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty()) {
            continue;
        }
        model::setFieldText(book.entry(static_cast<int>(i))->name, names[i]);
        model::setFieldText(book.entry(static_cast<int>(i))->value0, number);
    }
}

inline std::u16string nameAt(const model::Category& book, int slot) {
    return std::u16string(model::fieldText(book.entry(slot)->name));
}

inline void click(QDialog& dialog, const char* button) {
    dialog.findChild<QPushButton*>(button)->click();
}

} // namespace pelmora::ui::testing
