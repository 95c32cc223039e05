#include "books/UsimBookWriter.h"

#include "books/CardDirectory.h"
#include "books/PhoneBookProgress.h"
#include "books/RecordPool.h"
#include "books/UsimBook.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/AdnRecord.h"
#include "FieldText.h"
#include "codec/UsimValueRecord.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace brontel {

namespace {

using codec::ReferenceKind;
using Records = std::vector<std::vector<uint8_t>>;

constexpr uint8_t kUnused = 0xFF;

uint16_t bigEndian16(const std::vector<uint8_t>& bytes) {
    return static_cast<uint16_t>(bytes[0] << 8 | bytes[1]);
}

void putBigEndian16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes[0] = static_cast<uint8_t>(value >> 8);
    bytes[1] = static_cast<uint8_t>(value & 0xFF);
}

std::u16string_view entryValue(const PhoneBookEntry& entry, int k) {
    const PhoneBookValueField field = phoneBookValue(const_cast<PhoneBookEntry&>(entry), k);
    return codec::fieldText(field.text, field.capacity);
}

// The new contents of the book's files, planned against what the card holds.
class UsimBookPlan {
public:
    UsimBookPlan(const UsimBookLayout& layout, const UsimBookImage& image, int count,
                 CallOutcome& outcome)
        : m_layout(layout), m_image(image), m_target(image), m_count(count), m_outcome(outcome) {}

    void plan(const PhoneBookRequest& request);
    [[nodiscard]] const UsimBookImage& target() const { return m_target; }

private:
    [[nodiscard]] bool rewritten(const UsimBookSet& set, int adnRecord) const {
        return set.firstEntry + adnRecord <= m_count;
    }
    std::vector<uint8_t>& targetRecord(const RecordFile& file, size_t number) {
        return m_target.records.at(file.id.value).at(number - 1);
    }
    void openExtensions();
    void openType2Pools();
    [[nodiscard]] uint8_t takeExtension(std::span<const uint8_t> bcd);
    void planEntry(const UsimBookSet& set, size_t adnRecord, const PhoneBookEntry& entry);
    void planValue(const UsimBookSet& set, const UsimValueFile& value, size_t adnRecord,
                   std::u16string_view text);
    void planUniqueId(const UsimBookSet& set, size_t adnRecord, bool held, bool holds);
    void releaseUnclaimed();
    void countChange();

    const UsimBookLayout& m_layout;
    const UsimBookImage& m_image;
    UsimBookImage m_target;
    int m_count;
    CallOutcome& m_outcome;
    std::optional<RecordPool> m_extensions;
    std::map<uint16_t, RecordPool> m_type2;
    bool m_uidsRanOut = false;
};

// Records that entries left as they are still point at, through links of EXT1.
void keepReferenced(std::vector<RecordPool::Record>& records, std::optional<uint8_t> first) {
    std::set<size_t> visited;
    for (size_t id = first.value_or(0);
         id >= 1 && id <= records.size() && visited.insert(id).second;) {
        RecordPool::Record& r = records[id - 1];
        r.kept = true;
        id = r.bytes && !r.bytes->empty() ? r.bytes->back() : 0;
    }
}

void UsimBookPlan::openExtensions() {
    if (!m_layout.ext1) {
        return;
    }
    std::vector<RecordPool::Record> records;
    for (const std::vector<uint8_t>& bytes : m_image.records.at(m_layout.ext1->id.value)) {
        records.push_back({bytes, !codec::isFreeExtensionRecord(bytes), false});
    }
    for (const UsimBookSet& set : m_layout.sets) {
        for (int i = 1; i <= set.adn.records; ++i) {
            if (rewritten(set, i)) {
                continue;
            }
            const size_t at = static_cast<size_t>(i);
            if (const std::vector<uint8_t>* adn = m_image.record(set.adn, at)) {
                if (auto decoded = codec::parseAdnRecord(*adn)) {
                    keepReferenced(records, decoded->extensionRecord);
                }
            }
            for (const UsimValueFile& value : set.values) {
                const size_t v = valueRecordNumber(m_image, set, value, at);
                const std::vector<uint8_t>* record = v ? m_image.record(value.file, v) : nullptr;
                if (value.kind == UsimValueKind::Number && record != nullptr) {
                    if (auto anr = codec::parseAnrRecord(*record)) {
                        keepReferenced(records, anr->extensionRecord);
                    }
                }
            }
        }
    }
    m_extensions.emplace(std::move(records), true);
}

void UsimBookPlan::openType2Pools() {
    for (const UsimBookSet& set : m_layout.sets) {
        for (const UsimValueFile& value : set.values) {
            if (value.reference != ReferenceKind::ThroughIap) {
                continue;
            }
            std::vector<RecordPool::Record> records;
            for (const std::vector<uint8_t>& bytes : m_image.records.at(value.file.id.value)) {
                const bool empty =
                    std::ranges::all_of(bytes, [](uint8_t b) { return b == kUnused; });
                records.push_back({bytes, !empty, false});
            }
            for (int i = 1; i <= set.adn.records; ++i) {
                const size_t v = valueRecordNumber(m_image, set, value, static_cast<size_t>(i));
                if (v != 0) {
                    records[v - 1].occupied = true;
                    records[v - 1].kept = records[v - 1].kept || !rewritten(set, i);
                }
            }
            m_type2.emplace(value.file.id.value, RecordPool(std::move(records), true));
        }
    }
}

uint8_t UsimBookPlan::takeExtension(std::span<const uint8_t> bcd) {
    if (!m_extensions) {
        m_outcome.valueDidNotFit();
        return kUnused;
    }
    codec::EncodedBytes record = codec::buildExtensionRecord(bcd, m_layout.ext1->recordLength);
    if (record.didNotFit) {
        m_outcome.valueDidNotFit();
    }
    std::optional<uint8_t> id = m_extensions->claimIdentical(record.bytes);
    if (!id) {
        id = m_extensions->claimFree();
        if (!id) {
            m_outcome.valueDidNotFit(); // the number keeps its first 20 digits
            return kUnused;
        }
        targetRecord(*m_layout.ext1, *id) = std::move(record.bytes);
    }
    return *id;
}

void UsimBookPlan::planValue(const UsimBookSet& set, const UsimValueFile& value, size_t adnRecord,
                             std::u16string_view text) {
    const bool type2 = value.reference == ReferenceKind::ThroughIap;
    std::optional<std::array<uint8_t, 2>> link;
    if (type2) {
        link =
            std::array<uint8_t, 2>{set.adnSfi.value_or(kUnused), static_cast<uint8_t>(adnRecord)};
    }
    const size_t length = value.file.recordLength;
    std::vector<uint8_t> bytes;
    if (value.kind == UsimValueKind::Number) {
        const size_t old = valueRecordNumber(m_image, set, value, adnRecord);
        const std::vector<uint8_t>* before = old ? m_image.record(value.file, old) : nullptr;
        // The alpha tag of the number (EF AAS) stays with the number.
        const uint8_t aas = before != nullptr && !before->empty() ? (*before)[0] : kUnused;
        codec::EncodedAnrRecord record = codec::buildAnrRecord(length, text, aas, link);
        if (record.didNotFit) {
            m_outcome.valueDidNotFit();
        }
        if (!record.extensionBcd.empty()) {
            codec::setAnrExtensionRecord(record.bytes, takeExtension(record.extensionBcd));
        }
        bytes = std::move(record.bytes);
    } else {
        codec::EncodedBytes record = codec::buildTextRecord(
            length, length - (type2 ? codec::kType2LinkLength : 0), text, link);
        if (record.didNotFit) {
            m_outcome.valueDidNotFit();
        }
        bytes = std::move(record.bytes);
    }
    if (!type2) {
        if (adnRecord <= static_cast<size_t>(value.file.records)) {
            targetRecord(value.file, adnRecord) = std::move(bytes);
        } else if (!text.empty()) {
            m_outcome.valueDidNotFit();
        }
        return;
    }
    if (!set.iap || m_image.record(*set.iap, adnRecord) == nullptr) {
        if (!text.empty()) {
            m_outcome.valueDidNotFit(); // an ADN record beyond EF IAP has no pointers
        }
        return;
    }
    uint8_t pointer = kUnused;
    if (!text.empty()) {
        RecordPool& pool = m_type2.at(value.file.id.value);
        const size_t old = valueRecordNumber(m_image, set, value, adnRecord);
        std::optional<uint8_t> at = pool.claimIdentical(bytes);
        if (!at && old != 0 && !pool.claimed(old)) {
            pool.claim(old);
            at = static_cast<uint8_t>(old);
        }
        if (!at) {
            at = pool.claimFree();
        }
        if (at) {
            targetRecord(value.file, *at) = std::move(bytes);
            pointer = *at;
        } else {
            m_outcome.valueDidNotFit();
        }
    }
    targetRecord(*set.iap, adnRecord).at(value.iapIndex) = pointer;
}

void UsimBookPlan::planUniqueId(const UsimBookSet& set, size_t adnRecord, bool held, bool holds) {
    if (set.uid) {
        std::vector<uint8_t>& uid = targetRecord(*set.uid, adnRecord);
        const uint16_t current = bigEndian16(uid);
        if (!holds) {
            if (held) {
                putBigEndian16(uid, 0xFFFF); // unused, like the records never used
            }
        } else if (!held || current == 0 || current == 0xFFFF) {
            // A new entry takes the identifier after the last one handed out.
            auto found = m_target.counters.find(files::kPhoneBookPreviousUid.value);
            if (found != m_target.counters.end()) {
                const uint16_t previous = bigEndian16(found->second);
                m_uidsRanOut = m_uidsRanOut || previous == 0xFFFE || previous == 0xFFFF;
                const uint16_t next = static_cast<uint16_t>(previous + 1);
                putBigEndian16(found->second, next);
                putBigEndian16(uid, next);
            }
        }
    }
    if (set.pbc && held != holds) {
        targetRecord(*set.pbc, adnRecord) = {0x00, 0x00}; // neither changed nor hidden
    }
}

void UsimBookPlan::planEntry(const UsimBookSet& set, size_t adnRecord,
                             const PhoneBookEntry& entry) {
    const std::u16string_view name = codec::fieldText(entry.name);
    const std::u16string_view number = codec::fieldText(entry.value0);
    codec::EncodedAdnRecord adn = codec::buildAdnRecord(set.adn.recordLength, name, number);
    if (adn.didNotFit) {
        m_outcome.valueDidNotFit();
    }
    if (!adn.extensionBcd.empty()) {
        codec::setAdnExtensionRecord(adn.bytes, takeExtension(adn.extensionBcd));
    }
    const bool held = holdsEntry(m_image.record(set.adn, adnRecord));
    const bool holds = !name.empty() || !number.empty();
    targetRecord(set.adn, adnRecord) = std::move(adn.bytes);
    for (const UsimValueFile& value : set.values) {
        std::u16string_view text = entryValue(entry, value.field);
        if (!holds && !text.empty()) {
            m_outcome.valueDidNotFit(); // values need a name or number to belong to
            text = {};
        }
        planValue(set, value, adnRecord, text);
    }
    const uint32_t withoutRoom = valuesWithoutRoom(set);
    for (int k = 0; k < kValueCount; ++k) {
        if ((withoutRoom >> k & 1u) != 0 && !entryValue(entry, k).empty()) {
            m_outcome.valueDidNotFit(); // no file of the set takes the value
        }
    }
    planUniqueId(set, adnRecord, held, holds);
}

void UsimBookPlan::releaseUnclaimed() {
    if (m_extensions) {
        for (uint8_t id : m_extensions->released()) {
            std::ranges::fill(targetRecord(*m_layout.ext1, id), kUnused);
        }
    }
    for (const UsimBookSet& set : m_layout.sets) {
        for (const UsimValueFile& value : set.values) {
            if (auto pool = m_type2.find(value.file.id.value); pool != m_type2.end()) {
                for (uint8_t id : pool->second.released()) {
                    std::ranges::fill(targetRecord(value.file, id), kUnused);
                }
            }
        }
    }
}

void incrementSyncCounter(UsimBookImage& target) {
    auto psc = target.counters.find(files::kPhoneBookSyncCounter.value);
    if (psc == target.counters.end()) {
        return;
    }
    for (auto byte = psc->second.rbegin(); byte != psc->second.rend(); ++byte) {
        if (++*byte != 0) {
            break;
        }
    }
}

void UsimBookPlan::countChange() {
    if (m_uidsRanOut) {
        // Identifiers are handed out afresh, and the new counter tells
        // synchronising devices that the old ones no longer hold.
        uint16_t next = 0;
        for (const UsimBookSet& set : m_layout.sets) {
            for (int i = 1; set.uid && i <= set.adn.records; ++i) {
                std::vector<uint8_t>& uid = targetRecord(*set.uid, static_cast<size_t>(i));
                const bool holds = holdsEntry(&targetRecord(set.adn, static_cast<size_t>(i)));
                putBigEndian16(uid, holds ? ++next : 0xFFFF);
            }
        }
        if (auto puid = m_target.counters.find(files::kPhoneBookPreviousUid.value);
            puid != m_target.counters.end()) {
            putBigEndian16(puid->second, next);
        }
        incrementSyncCounter(m_target);
    }
    if (m_target.records == m_image.records) {
        return;
    }
    auto cc = m_target.counters.find(files::kPhoneBookChangeCounter.value);
    if (cc == m_target.counters.end()) {
        return;
    }
    const uint16_t changes = bigEndian16(cc->second);
    if (changes == 0xFFFF) {
        putBigEndian16(cc->second, 1); // out of range: a new synchronisation counter
        incrementSyncCounter(m_target);
    } else {
        putBigEndian16(cc->second, static_cast<uint16_t>(changes + 1));
    }
}

void UsimBookPlan::plan(const PhoneBookRequest& request) {
    openExtensions();
    openType2Pools();
    for (const UsimBookSet& set : m_layout.sets) {
        for (int i = 1; i <= set.adn.records && rewritten(set, i); ++i) {
            planEntry(set, static_cast<size_t>(i), request.entries[set.firstEntry + i - 1]);
        }
    }
    releaseUnclaimed();
    countChange();
}

// Files in the order they are written: what records point at comes before
// the records pointing at it.
std::vector<RecordFile> writeOrder(const UsimBookLayout& layout) {
    std::vector<RecordFile> order;
    if (layout.ext1) {
        order.push_back(*layout.ext1);
    }
    for (const ReferenceKind kind : {ReferenceKind::ThroughIap, ReferenceKind::ByRecordNumber}) {
        for (const UsimBookSet& set : layout.sets) {
            for (const UsimValueFile& value : set.values) {
                if (value.reference == kind) {
                    order.push_back(value.file);
                }
            }
        }
    }
    for (const UsimBookSet& set : layout.sets) {
        if (set.iap) {
            order.push_back(*set.iap);
        }
        order.push_back(set.adn);
        for (const std::optional<RecordFile>& file : {set.uid, set.pbc}) {
            if (file) {
                order.push_back(*file);
            }
        }
    }
    return order;
}

void writeChangedRecords(CardDirectory& directory, const RecordFile& file, const Records& before,
                         const Records& after, CallOutcome& outcome) {
    SIMCard& card = directory.card();
    for (size_t i = 0; i < after.size() && i < before.size(); ++i) {
        if (after[i] == before[i]) {
            continue;
        }
        if (!directory.select(file.id) ||
            !card.update_record(static_cast<uint8_t>(i + 1), file.recordLength,
                                SIMCard::kModeAbsolute, after[i])) {
            outcome.commandFailed(card);
        }
    }
}

void writeCounters(CardDirectory& directory, const UsimBookImage& before,
                   const UsimBookImage& after, CallOutcome& outcome) {
    for (const auto& [id, bytes] : after.counters) {
        if (before.counters.at(id) == bytes) {
            continue;
        }
        if (!directory.select(FileId{id}) || !directory.card().update_binary(0, bytes)) {
            outcome.commandFailed(directory.card());
        }
    }
}

} // namespace

int writeUsimBook(SIMCard& card, const PhoneBookRequest& request) {
    CallOutcome outcome;
    CardDirectory directory(card);
    const std::optional<UsimBookLayout> layout = surveyUsimBook(directory, outcome);
    if (!layout) {
        return outcome.finish(card);
    }
    if (request.entries == nullptr || request.count <= 0) {
        return 0; // nothing to write
    }
    const std::optional<UsimBookImage> image = readUsimBook(directory, *layout, true, outcome);
    if (!image) {
        return outcome.finish(card); // nothing written on a card not read whole
    }
    const int count = std::min(request.count, layout->entries);
    UsimBookPlan plan(*layout, *image, count, outcome);
    plan.plan(request);
    const UsimBookImage& target = plan.target();
    for (const RecordFile& file : writeOrder(*layout)) {
        writeChangedRecords(directory, file, image->records.at(file.id.value),
                            target.records.at(file.id.value), outcome);
    }
    for (int k = 1; k <= count; ++k) {
        const PhoneBookEntry& entry = request.entries[k - 1];
        reportProgress(request, k, layout->entries, entry.name, entry.value0);
    }
    writeCounters(directory, *image, target, outcome);
    return outcome.finish(card);
}

} // namespace brontel
