#pragma once
// One snapshot of one slot. The records pushed by one editing step share a
// group number; undo and redo always move a whole group.

#include "Brontel.h"
#include "PackedRecord.h"

#include <cstdint>

namespace pelmora::model {

enum class RecordKind : int32_t { Entry = 1, Message = 2 };

struct UndoRecord {
    int32_t group = 0;
    RecordKind kind = RecordKind::Entry;
    int32_t slot = 0;
    PackedRecord copy; // the entry or the message named by kind

    static UndoRecord ofEntry(int32_t group, int32_t slot, const PhoneBookEntry& entry) {
        return {group, RecordKind::Entry, slot, PackedRecord(&entry, sizeof entry)};
    }
    static UndoRecord ofMessage(int32_t group, int32_t slot, const SmsEntry& message) {
        return {group, RecordKind::Message, slot, PackedRecord(&message, sizeof message)};
    }

    // The saved record; all zero when the record kind is the other one.
    [[nodiscard]] PhoneBookEntry entry() const {
        PhoneBookEntry e{};
        if (kind == RecordKind::Entry) {
            copy.unpack(&e, sizeof e);
        }
        return e;
    }
    [[nodiscard]] SmsEntry message() const {
        SmsEntry m{};
        if (kind == RecordKind::Message) {
            copy.unpack(&m, sizeof m);
        }
        return m;
    }

    [[nodiscard]] size_t memoryBytes() const { return sizeof(UndoRecord) + copy.packedBytes(); }
};

} // namespace pelmora::model
