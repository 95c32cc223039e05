#pragma once
// One book of a document: a fixed number of record slots (phone-book entries
// or short messages), the change flag and the undo and redo history. Slot i
// stands for card record i + 1; the slot arrays are handed to the card plug-in
// as they are. Every change is told to the subscribed listeners.

#include "BookKind.h"
#include "Brontel.h"
#include "CategoryListener.h"
#include "Subscription.h"
#include "UndoRecord.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace pelmora::model {

class CategoryObserver;

// File size, type of file, structure, record length, READ and UPDATE access
// conditions and, for the USIM book, the values the card has no room for (bit k
// for value k), as the last card read reported them.
using FileDescription = std::array<int32_t, 7>;
inline constexpr size_t kDescribedRecordLength = 3;
inline constexpr size_t kDescribedValuesWithoutRoom = 6;

class Category {
public:
    // Contact numbers on iDEN cards are 16-bit; no book needs more slots.
    static constexpr uint32_t kMaxSlots = 65535;
    // Group argument of snapshot() for a new user change.
    static constexpr int kNewGroup = -1;

    Category() = default;
    Category(uint16_t kind, uint32_t capacity) { create(kind, capacity); }
    // Zeroes and frees the slots without telling the listeners: the document
    // told them its books are going (DocumentListener::categoriesReleasing).
    ~Category() {
        freeRecords();
        freeHistory();
    }
    Category(const Category&) = delete;
    Category& operator=(const Category&) = delete;

    // Gives the category its kind and capacity zeroed slots; false (and no
    // slots) when they cannot be allocated.
    bool create(uint16_t kind, uint32_t capacity);
    // Zeroes and frees the slots and the history.
    void release();
    // Zeroes every slot and frees the history; the slot count stays.
    void clear();
    // Resizes keeping the first slots; the history is emptied and the file
    // description zeroed. On failure the category is left as it was.
    bool setCapacity(uint32_t count);
    // Adds zeroed slots at the end and keeps the history (imports into a book
    // of a file document).
    bool grow(uint32_t count);

    [[nodiscard]] uint16_t kind() const { return m_kind; }
    [[nodiscard]] bool isPhoneBook() const { return isPhoneBookKind(m_kind); }
    [[nodiscard]] bool isMessages() const { return isMessageKind(m_kind); }
    [[nodiscard]] uint32_t slotCount() const;
    [[nodiscard]] bool hasSlot(int slot) const {
        return slot >= 0 && static_cast<uint32_t>(slot) < slotCount();
    }

    [[nodiscard]] std::span<PhoneBookEntry> entries() { return m_entries; }
    [[nodiscard]] std::span<const PhoneBookEntry> entries() const { return m_entries; }
    [[nodiscard]] std::span<SmsEntry> messages() { return m_messages; }
    [[nodiscard]] std::span<const SmsEntry> messages() const { return m_messages; }
    // nullptr for a slot out of range.
    [[nodiscard]] PhoneBookEntry* entry(int slot);
    [[nodiscard]] const PhoneBookEntry* entry(int slot) const;
    [[nodiscard]] SmsEntry* message(int slot);
    [[nodiscard]] const SmsEntry* message(int slot) const;

    // A slot out of range counts as empty.
    [[nodiscard]] bool isEmpty(int slot) const;
    // -1 when every slot is empty.
    [[nodiscard]] int lastUsedSlot() const;
    // Phone books: entries move towards slot 0 in their order, closing every gap.
    void compact();

    // Saves slots first..last before they change. group is kNewGroup for a
    // new user change (the redo history is dropped), or the number of an
    // existing group to add to.
    void snapshot(int first, int group, int last);
    // Add a slot to the newest undo group (for steps that touch slots far apart).
    void snapshotIntoNewestGroup(int slot);
    // Both return the slot selected afterwards, or -1 when there was nothing to do.
    int undo(CategoryObserver* observer = nullptr);
    int redo(CategoryObserver* observer = nullptr);
    [[nodiscard]] bool canUndo() const { return !m_undo.empty(); }
    [[nodiscard]] bool canRedo() const { return !m_redo.empty(); }
    // Newest last.
    [[nodiscard]] const std::vector<UndoRecord>& undoStack() const { return m_undo; }
    [[nodiscard]] const std::vector<UndoRecord>& redoStack() const { return m_redo; }
    // Memory held by both stacks.
    [[nodiscard]] size_t historyBytes() const;

    // Stores a record with an undo snapshot, only when it differs from the
    // stored one; returns whether it did.
    bool storeEntry(int slot, const PhoneBookEntry& entry);
    bool storeMessage(int slot, const SmsEntry& message);

    void restoreDeletedMessage(int slot);
    [[nodiscard]] bool isDeletedMessage(int slot) const;
    // The dialling number becomes prefix + number without its first k characters.
    void replaceNumberStart(int slot, std::u16string_view prefix, size_t k);

    [[nodiscard]] bool unchanged() const { return m_unchanged; }
    void markUnchanged() { setUnchanged(true); }
    void markChanged() { setUnchanged(false); }

    // Listeners stay registered until the subscription goes.
    [[nodiscard]] Subscription subscribe(CategoryListener& listener) {
        return m_listeners.add(listener);
    }
    // For editing steps that write slots through entry(), message() or the
    // spans: tells the listeners, once the slots hold their new records.
    void notifySlotsChanged(int first, int last);
    // A staged card read replaces the slots, the file description and the
    // incomplete mark; the history goes, the book is unchanged, and the
    // staged category is left with the old slots.
    void takeContents(Category& staged);

    // A book whose last card read failed holds only part of the card's
    // records; it must not be written back until read in full.
    [[nodiscard]] bool incomplete() const { return m_incomplete; }
    void setIncomplete(bool incomplete) { m_incomplete = incomplete; }

    [[nodiscard]] const FileDescription& fileDescription() const { return m_fileDescription; }
    void setFileDescription(const FileDescription& description) { m_fileDescription = description; }

    // Where the next search of this book starts.
    [[nodiscard]] int searchPosition() const { return m_searchPosition; }
    void setSearchPosition(int slot) { m_searchPosition = slot < 0 ? 0 : slot; }

private:
    uint16_t m_kind = kBookNone;
    std::vector<PhoneBookEntry> m_entries;
    std::vector<SmsEntry> m_messages;
    FileDescription m_fileDescription{};
    std::vector<UndoRecord> m_undo;
    std::vector<UndoRecord> m_redo;
    bool m_unchanged = true;
    bool m_incomplete = false;
    int m_searchPosition = 0;

    [[nodiscard]] RecordKind recordKind() const {
        return isMessages() ? RecordKind::Message : RecordKind::Entry;
    }
    [[nodiscard]] UndoRecord copyOf(int32_t group, int slot) const;
    void restore(const UndoRecord& record);
    void freeHistory();
    void freeRecords();
    [[nodiscard]] int topGroup() const { return m_undo.empty() ? 0 : m_undo.back().group; }
    bool growSlots(uint32_t count);
    void setUnchanged(bool unchanged);
    // Tells the listeners that the slot count was before and every slot may differ.
    void notifyReset(uint32_t before);

    ObserverList<CategoryListener> m_listeners;
};

} // namespace pelmora::model
