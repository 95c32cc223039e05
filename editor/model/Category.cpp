#include "Category.h"

#include "CategoryObserver.h"
#include "Records.h"
#include "SecureZero.h"

#include <algorithm>
#include <new>
#include <string>

namespace pelmora::model {

namespace {

template <typename Record> void zeroAndFree(std::vector<Record>& records) {
    platform::secureZero(records.data(), records.size() * sizeof(Record));
    std::vector<Record>().swap(records);
}

// A fresh array of count zeroed records with the first records of the old one.
// Built beside the old array so that a failed allocation changes nothing.
template <typename Record>
bool resized(std::vector<Record>& records, size_t count, size_t reserve) {
    try {
        std::vector<Record> fresh;
        fresh.reserve(std::max(count, reserve));
        const size_t kept = std::min(records.size(), count);
        fresh.insert(fresh.end(), records.begin(), records.begin() + static_cast<ptrdiff_t>(kept));
        fresh.resize(count);
        zeroAndFree(records);
        records.swap(fresh);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

template <typename Record>
bool storeIfDiffers(Category& category, Record* stored, int slot, const Record& value) {
    if (stored == nullptr || !recordsDiffer(*stored, value)) {
        return false;
    }
    category.snapshot(slot, Category::kNewGroup, slot);
    *stored = value;
    category.notifySlotsChanged(slot, slot);
    return true;
}

} // namespace

bool Category::create(uint16_t kind, uint32_t capacity) {
    const uint32_t before = slotCount();
    freeRecords();
    freeHistory();
    m_fileDescription = {};
    m_kind = kind;
    m_searchPosition = 0;
    bool ok = capacity <= kMaxSlots;
    if (ok && isPhoneBook()) {
        ok = resized(m_entries, capacity, 0);
    } else if (ok && isMessages()) {
        ok = resized(m_messages, capacity, 0);
    }
    notifyReset(before);
    setUnchanged(true);
    return ok;
}

void Category::release() {
    const uint32_t before = slotCount();
    freeRecords();
    freeHistory();
    m_fileDescription = {};
    notifyReset(before);
}

void Category::clear() {
    platform::secureZero(m_entries.data(), m_entries.size() * sizeof(PhoneBookEntry));
    platform::secureZero(m_messages.data(), m_messages.size() * sizeof(SmsEntry));
    freeHistory();
    notifyReset(slotCount());
}

void Category::takeContents(Category& staged) {
    const uint32_t before = slotCount();
    m_entries.swap(staged.m_entries);
    m_messages.swap(staged.m_messages);
    m_fileDescription = staged.m_fileDescription;
    m_incomplete = staged.m_incomplete;
    m_searchPosition = 0;
    freeHistory();
    notifyReset(before);
    setUnchanged(true);
}

void Category::setUnchanged(bool unchanged) {
    if (m_unchanged == unchanged) {
        return;
    }
    m_unchanged = unchanged;
    m_listeners.notify([&](CategoryListener& l) { l.modifiedChanged(*this, !unchanged); });
}

void Category::notifyReset(uint32_t before) {
    const uint32_t after = slotCount();
    if (before != after) {
        m_listeners.notify([&](CategoryListener& l) { l.slotCountChanged(*this, before, after); });
    }
    m_listeners.notify([&](CategoryListener& l) { l.slotsReset(*this); });
}

void Category::notifySlotsChanged(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(slotCount()) - 1);
    if (first > last) {
        return;
    }
    m_listeners.notify([&](CategoryListener& l) { l.slotsChanged(*this, first, last); });
}

bool Category::setCapacity(uint32_t count) {
    if (!isPhoneBook() && !isMessages()) {
        return false;
    }
    if (count > kMaxSlots) {
        return false;
    }
    if (count == slotCount()) {
        return true;
    }
    const uint32_t before = slotCount();
    bool ok = isPhoneBook() ? resized(m_entries, count, 0) : resized(m_messages, count, 0);
    if (ok) {
        freeHistory();
        m_fileDescription = {};
        m_searchPosition = 0;
        m_listeners.notify([&](CategoryListener& l) { l.slotCountChanged(*this, before, count); });
    }
    return ok;
}

bool Category::grow(uint32_t count) {
    const uint32_t before = slotCount();
    if (count <= before) {
        return true;
    }
    if (count > kMaxSlots) {
        return false;
    }
    const bool ok = growSlots(count);
    if (ok) {
        m_listeners.notify([&](CategoryListener& l) { l.slotCountChanged(*this, before, count); });
    }
    return ok;
}

bool Category::growSlots(uint32_t count) {
    // Geometric reserve, so that growing one slot at a time stays linear.
    const size_t reserve = std::min<size_t>(kMaxSlots, slotCount() + slotCount() / 2 + 16);
    if (isPhoneBook()) {
        if (count > m_entries.capacity()) {
            return resized(m_entries, count, reserve);
        }
        m_entries.resize(count);
        return true;
    }
    if (isMessages()) {
        if (count > m_messages.capacity()) {
            return resized(m_messages, count, reserve);
        }
        m_messages.resize(count);
        return true;
    }
    return false;
}

uint32_t Category::slotCount() const {
    if (isPhoneBook()) {
        return static_cast<uint32_t>(m_entries.size());
    }
    if (isMessages()) {
        return static_cast<uint32_t>(m_messages.size());
    }
    return 0;
}

PhoneBookEntry* Category::entry(int slot) {
    return isPhoneBook() && hasSlot(slot) ? &m_entries[static_cast<size_t>(slot)] : nullptr;
}

const PhoneBookEntry* Category::entry(int slot) const {
    return isPhoneBook() && hasSlot(slot) ? &m_entries[static_cast<size_t>(slot)] : nullptr;
}

SmsEntry* Category::message(int slot) {
    return isMessages() && hasSlot(slot) ? &m_messages[static_cast<size_t>(slot)] : nullptr;
}

const SmsEntry* Category::message(int slot) const {
    return isMessages() && hasSlot(slot) ? &m_messages[static_cast<size_t>(slot)] : nullptr;
}

bool Category::isEmpty(int slot) const {
    if (const PhoneBookEntry* e = entry(slot)) {
        return isEmptyRecord(*e);
    }
    if (const SmsEntry* m = message(slot)) {
        return isEmptyRecord(*m);
    }
    return true;
}

int Category::lastUsedSlot() const {
    for (int slot = static_cast<int>(slotCount()) - 1; slot >= 0; --slot) {
        if (!isEmpty(slot)) {
            return slot;
        }
    }
    return -1;
}

void Category::compact() {
    if (!isPhoneBook()) {
        return;
    }
    size_t target = 0;
    size_t firstMoved = m_entries.size();
    size_t lastMoved = 0;
    for (size_t slot = 0; slot < m_entries.size(); ++slot) {
        if (isEmptyRecord(m_entries[slot])) {
            continue;
        }
        if (slot != target) {
            m_entries[target] = m_entries[slot];
            firstMoved = std::min(firstMoved, target);
            lastMoved = slot;
        }
        ++target;
    }
    std::fill(m_entries.begin() + static_cast<ptrdiff_t>(target), m_entries.end(),
              PhoneBookEntry{});
    if (firstMoved < m_entries.size()) {
        notifySlotsChanged(static_cast<int>(firstMoved), static_cast<int>(lastMoved));
    }
}

UndoRecord Category::copyOf(int32_t group, int slot) const {
    if (recordKind() == RecordKind::Message) {
        const SmsEntry* m = message(slot);
        return UndoRecord::ofMessage(group, slot, m ? *m : SmsEntry{});
    }
    const PhoneBookEntry* e = entry(slot);
    return UndoRecord::ofEntry(group, slot, e ? *e : PhoneBookEntry{});
}

void Category::restore(const UndoRecord& record) {
    if (record.kind == RecordKind::Entry) {
        if (PhoneBookEntry* e = entry(record.slot)) {
            *e = record.entry();
        }
    } else if (SmsEntry* m = message(record.slot)) {
        *m = record.message();
    }
}

void Category::snapshot(int first, int group, int last) {
    int32_t g = topGroup() + 1;
    if (group == kNewGroup) {
        m_redo.clear();
    } else if (group > 0) {
        g = group;
    }
    // Slots past the end cannot change, so they are not saved; a snapshot
    // always saves at least its first slot, so that it makes a group.
    first = std::max(first, 0);
    last = std::min(last, static_cast<int>(slotCount()) - 1);
    last = std::max(last, first);
    // Grown geometrically: an exact reserve per call would copy the whole
    // history for every slot a long one-step edit saves.
    const size_t needed = m_undo.size() + static_cast<size_t>(last - first + 1);
    if (needed > m_undo.capacity()) {
        m_undo.reserve(std::max(needed, 2 * m_undo.capacity()));
    }
    for (int slot = first; slot <= last; ++slot) {
        m_undo.push_back(copyOf(g, slot));
    }
    setUnchanged(false);
}

void Category::snapshotIntoNewestGroup(int slot) {
    snapshot(slot, m_undo.empty() ? kNewGroup : topGroup(), slot);
}

int Category::undo(CategoryObserver* observer) {
    if (m_undo.empty()) {
        return -1;
    }
    const int row = m_undo.back().slot;
    const int32_t group = m_undo.back().group;
    int first = row;
    int last = row;
    while (!m_undo.empty() && m_undo.back().group == group) {
        UndoRecord record = std::move(m_undo.back());
        m_undo.pop_back();
        m_redo.push_back(copyOf(group, record.slot));
        restore(record);
        first = std::min(first, static_cast<int>(record.slot));
        last = std::max(last, static_cast<int>(record.slot));
    }
    notifySlotsChanged(first, last);
    // A book that was changed and then undone still differs from what was
    // last saved or written, whichever of the two came later.
    setUnchanged(false);
    if (observer) {
        observer->refillEntries(*this);
        observer->selectSlots(*this, std::span<const int>(&row, 1));
    }
    return row;
}

int Category::redo(CategoryObserver* observer) {
    if (m_redo.empty()) {
        return -1;
    }
    const int row = m_redo.back().slot;
    const int32_t group = m_redo.back().group;
    int first = row;
    int last = row;
    while (!m_redo.empty() && m_redo.back().group == group) {
        UndoRecord record = std::move(m_redo.back());
        m_redo.pop_back();
        snapshot(record.slot, group, record.slot);
        restore(record);
        first = std::min(first, static_cast<int>(record.slot));
        last = std::max(last, static_cast<int>(record.slot));
    }
    notifySlotsChanged(first, last);
    if (observer) {
        observer->refillEntries(*this);
        observer->selectSlots(*this, std::span<const int>(&row, 1));
    }
    return row;
}

size_t Category::historyBytes() const {
    size_t bytes = (m_undo.capacity() + m_redo.capacity()) * sizeof(UndoRecord);
    for (const UndoRecord& r : m_undo) {
        bytes += r.copy.packedBytes();
    }
    for (const UndoRecord& r : m_redo) {
        bytes += r.copy.packedBytes();
    }
    return bytes;
}

bool Category::storeEntry(int slot, const PhoneBookEntry& value) {
    return storeIfDiffers(*this, entry(slot), slot, value);
}

bool Category::storeMessage(int slot, const SmsEntry& value) {
    return storeIfDiffers(*this, message(slot), slot, value);
}

void Category::restoreDeletedMessage(int slot) {
    if (SmsEntry* m = message(slot)) {
        uint32_t flags = static_cast<uint32_t>(m->flags);
        flags &= ~kSmsDeleted;
        flags |= kSmsChanged | kSmsUndelete;
        m->flags = static_cast<int32_t>(flags);
        notifySlotsChanged(slot, slot);
        setUnchanged(false);
    }
}

bool Category::isDeletedMessage(int slot) const {
    const SmsEntry* m = message(slot);
    return m != nullptr && (static_cast<uint32_t>(m->flags) & kSmsDeleted) != 0;
}

void Category::replaceNumberStart(int slot, std::u16string_view prefix, size_t k) {
    PhoneBookEntry* e = entry(slot);
    if (e == nullptr) {
        return;
    }
    std::u16string_view number = fieldText(e->value0);
    std::u16string result(prefix);
    if (k < number.size()) {
        result.append(number.substr(k));
    }
    setFieldText(e->value0, result);
    notifySlotsChanged(slot, slot);
}

void Category::freeHistory() {
    m_undo.clear();
    m_undo.shrink_to_fit();
    m_redo.clear();
    m_redo.shrink_to_fit();
}

void Category::freeRecords() {
    zeroAndFree(m_entries);
    zeroAndFree(m_messages);
}

} // namespace pelmora::model
