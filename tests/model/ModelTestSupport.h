#pragma once
// Builders and a recording list observer shared by the model tests.

#include "Category.h"
#include "CategoryObserver.h"
#include "Records.h"

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model::test {

inline PhoneBookEntry makeEntry(std::u16string_view name, std::u16string_view number = u"") {
    PhoneBookEntry e{};
    setFieldText(e.name, name);
    setFieldText(e.value0, number);
    return e;
}

inline SmsEntry makeMessage(std::u16string_view text, std::u16string_view address = u"") {
    SmsEntry m{};
    setFieldText(m.text, text);
    setFieldText(m.address, address);
    return m;
}

inline std::u16string nameAt(const Category& c, int slot) {
    return std::u16string(fieldText(c.entry(slot)->name));
}

inline std::u16string numberAt(const Category& c, int slot) {
    return std::u16string(fieldText(c.entry(slot)->value0));
}

// Names of all slots, "" for empty ones.
inline std::vector<std::u16string> names(const Category& c) {
    std::vector<std::u16string> out;
    for (int s = 0; s < static_cast<int>(c.slotCount()); ++s) {
        out.push_back(nameAt(c, s));
    }
    return out;
}

// A book of the kind whose first slots hold the given names ("" leaves a slot empty).
inline void fill(Category& c, const std::vector<std::u16string>& slotNames) {
    for (size_t i = 0; i < slotNames.size(); ++i) {
        if (!slotNames[i].empty()) {
            *c.entry(static_cast<int>(i)) = makeEntry(slotNames[i], u"1");
        }
    }
}

class RecordingObserver : public CategoryObserver {
public:
    int refills = 0;
    std::vector<std::vector<int>> selections;

    void refillEntries(const Category&) override { ++refills; }
    void selectSlots(const Category&, std::span<const int> slots) override {
        selections.emplace_back(slots.begin(), slots.end());
    }
};

} // namespace pelmora::model::test
