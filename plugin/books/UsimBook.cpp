#include "books/UsimBook.h"

#include "Brontel.h"
#include "books/CardDirectory.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/AdnRecord.h"
#include "codec/DiallingNumber.h"

#include <array>
#include <set>

namespace brontel {

namespace {

using codec::ReferencedFile;
using codec::ReferenceKind;

// An ANR record: AAS id, the 14-byte number part (TS 31.102 4.4.2.9).
constexpr size_t kAnrLength = 1 + codec::kAdnNumberLength;
// Type 2 records end with the ADN file's SFI and the ADN record number.
constexpr size_t kType2Link = 2;

std::optional<RecordFile> describeRecordFile(CardDirectory& directory, uint16_t id,
                                             size_t minLength) {
    SimFileInfo info;
    if (!directory.describe(FileId{id}, info)) {
        return std::nullopt;
    }
    return usableRecordFile(FileId{id}, info, minLength);
}

std::optional<RecordFile> describeTagged(CardDirectory& directory,
                                         const std::vector<ReferencedFile>& files, uint8_t tag,
                                         size_t minLength) {
    const std::vector<ReferencedFile> tagged = codec::filesTagged(files, tag);
    if (tagged.empty()) {
        return std::nullopt;
    }
    return describeRecordFile(directory, tagged.front().fileId, minLength);
}

// Entry fields for the n-th file of a kind in a set; -1 when there is no room.
int valueField(UsimValueKind kind, int ordinal) {
    switch (kind) {
    case UsimValueKind::Number:
        return ordinal < kUsimNumberValues ? kUsimFirstNumberValue + ordinal : -1;
    case UsimValueKind::Email:
        return ordinal < static_cast<int>(std::size(kUsimEmailValues)) ? kUsimEmailValues[ordinal]
                                                                       : -1;
    case UsimValueKind::SecondName:
        return ordinal == 0 ? kUsimSecondNameValue : -1;
    }
    return -1;
}

std::optional<UsimValueKind> valueKind(uint8_t tag) {
    switch (tag) {
    case codec::kTagAnr:
        return UsimValueKind::Number;
    case codec::kTagEmail:
        return UsimValueKind::Email;
    case codec::kTagSne:
        return UsimValueKind::SecondName;
    default:
        return std::nullopt;
    }
}

size_t minValueLength(UsimValueKind kind, ReferenceKind reference) {
    const size_t link = reference == ReferenceKind::ThroughIap ? kType2Link : 0;
    return (kind == UsimValueKind::Number ? kAnrLength : 1) + link;
}

std::optional<UsimBookSet> surveySet(CardDirectory& directory,
                                     const std::vector<ReferencedFile>& files) {
    const std::vector<ReferencedFile> adn = codec::filesTagged(files, codec::kTagAdn);
    if (adn.empty()) {
        return std::nullopt;
    }
    std::optional<RecordFile> adnFile =
        describeRecordFile(directory, adn.front().fileId, codec::kAdnNumberLength);
    if (!adnFile) {
        return std::nullopt;
    }
    UsimBookSet set;
    set.adn = *adnFile;
    set.adnSfi = adn.front().sfi;
    set.uid = describeTagged(directory, files, codec::kTagUid, 2);
    set.pbc = describeTagged(directory, files, codec::kTagPbc, 2);
    std::array<int, 3> ordinals{};
    for (const ReferencedFile& file : files) {
        if (file.kind == ReferenceKind::ThroughIap) {
            ++set.iapPointers;
        }
        const std::optional<UsimValueKind> kind = valueKind(file.tag);
        if (!kind || file.kind == ReferenceKind::Linked) {
            continue;
        }
        const int field = valueField(*kind, ordinals[static_cast<size_t>(*kind)]++);
        std::optional<RecordFile> described =
            describeRecordFile(directory, file.fileId, minValueLength(*kind, file.kind));
        if (field < 0 || !described) {
            continue; // no room in the entry, or no usable file: left as it is
        }
        set.values.push_back({*kind, file.kind, *described, set.iapPointers - 1, field});
    }
    if (set.iapPointers > 0) {
        set.iap = describeTagged(directory, files, codec::kTagIap, set.iapPointers);
        if (!set.iap) {
            // Without EF IAP the type 2 values cannot be found.
            std::erase_if(set.values, [](const UsimValueFile& v) {
                return v.reference == ReferenceKind::ThroughIap;
            });
        }
    }
    return set;
}

// wanted: the records to read (by number - 1); the others stay empty.
bool readRecords(CardDirectory& directory, const RecordFile& file, UsimBookImage& image,
                 const std::vector<bool>* wanted = nullptr) {
    if (image.records.contains(file.id.value)) {
        return true; // a file shared by two sets
    }
    std::vector<std::vector<uint8_t>> records;
    records.reserve(static_cast<size_t>(file.records));
    std::array<uint8_t, 255> buffer{};
    const auto record = std::span(buffer).first(file.recordLength);
    SIMCard& card = directory.card();
    for (int i = 1; i <= file.records; ++i) {
        if (wanted != nullptr && !(*wanted)[static_cast<size_t>(i - 1)]) {
            records.emplace_back();
            continue;
        }
        if (!directory.select(file.id) ||
            !card.read_record(static_cast<uint8_t>(i), file.recordLength, SIMCard::kModeAbsolute,
                              record)) {
            return false;
        }
        records.emplace_back(record.begin(), record.end());
    }
    image.records.emplace(file.id.value, std::move(records));
    return true;
}

// A counter of its expected size; absent when the card has none.
bool readCounter(CardDirectory& directory, FileId id, size_t size, UsimBookImage& image) {
    SimFileInfo info;
    if (!directory.describe(id, info)) {
        return directory.fileWasMissing();
    }
    if (info.fileType != kFileTypeEf || info.structure != kTransparent || info.fileSize != size) {
        return true;
    }
    std::vector<uint8_t> bytes(size);
    if (!directory.card().read_binary(0, bytes, static_cast<uint8_t>(size))) {
        return false;
    }
    image.counters.emplace(id.value, std::move(bytes));
    return true;
}

} // namespace

uint32_t valuesWithoutRoom(const UsimBookSet& set) {
    uint32_t none = ((1u << kValueCount) - 1) & ~(1u << kValueMain);
    for (const UsimValueFile& value : set.values) {
        none &= ~(1u << value.field);
    }
    return none;
}

uint32_t valuesWithoutRoom(const UsimBookLayout& layout) {
    uint32_t none = 0;
    for (const UsimBookSet& set : layout.sets) {
        none |= valuesWithoutRoom(set);
    }
    return none;
}

const std::vector<uint8_t>* UsimBookImage::record(const RecordFile& file, size_t number) const {
    const auto found = records.find(file.id.value);
    if (found == records.end() || number < 1 || number > found->second.size()) {
        return nullptr;
    }
    return &found->second[number - 1];
}

bool holdsEntry(const std::vector<uint8_t>* adn) {
    if (adn == nullptr) {
        return false;
    }
    const std::optional<codec::AdnRecord> decoded = codec::parseAdnRecord(*adn);
    return decoded && (!decoded->name.empty() || !decoded->number.empty() ||
                       decoded->extensionRecord.has_value());
}

size_t valueRecordNumber(const UsimBookImage& image, const UsimBookSet& set,
                         const UsimValueFile& value, size_t adnRecord) {
    if (value.reference == ReferenceKind::ByRecordNumber) {
        return adnRecord <= static_cast<size_t>(value.file.records) ? adnRecord : 0;
    }
    const std::vector<uint8_t>* pointers = set.iap ? image.record(*set.iap, adnRecord) : nullptr;
    if (pointers == nullptr || value.iapIndex >= pointers->size()) {
        return 0;
    }
    const uint8_t pointer = (*pointers)[value.iapIndex];
    // 'FF' is the empty pointer; some cards leave '00'.
    return pointer >= 1 && pointer <= value.file.records && pointer != 0xFF ? pointer : 0;
}

void appendExtensionChain(std::u16string& number, std::optional<uint8_t> first,
                          const UsimBookImage& image, const std::optional<RecordFile>& ext1) {
    if (!ext1) {
        return;
    }
    std::set<uint8_t> visited; // a loop of links ends
    for (std::optional<uint8_t> id = first; id && visited.insert(*id).second;) {
        const std::vector<uint8_t>* record = image.record(*ext1, *id);
        if (record == nullptr || !codec::appendExtensionDigits(number, *record)) {
            return;
        }
        const uint8_t next = record->back();
        id = next == 0xFF || next == 0 ? std::nullopt : std::optional<uint8_t>(next);
    }
}

std::optional<UsimBookLayout> surveyUsimBook(CardDirectory& directory, CallOutcome& outcome) {
    SimFileInfo info;
    std::optional<RecordFile> reference;
    if (directory.enter(files::kTelecom, files::kPhoneBook) &&
        directory.describe(files::kPhoneBookReference, info)) {
        reference = usableRecordFile(files::kPhoneBookReference, info, 1);
    }
    if (!reference) {
        outcome.commandFailed(directory.card());
        return std::nullopt;
    }
    UsimBookImage pbr;
    if (!readRecords(directory, *reference, pbr)) {
        outcome.commandFailed(directory.card());
        return std::nullopt;
    }
    UsimBookLayout layout;
    for (const std::vector<uint8_t>& record : pbr.records.at(reference->id.value)) {
        const std::vector<ReferencedFile> files = codec::parsePhoneBookReference(record);
        std::optional<UsimBookSet> set = surveySet(directory, files);
        if (!set) {
            continue;
        }
        if (layout.sets.empty()) {
            (void)directory.describe(set->adn.id, layout.firstAdn);
        }
        if (!layout.ext1) {
            layout.ext1 = describeTagged(directory, files, codec::kTagExt1, 4);
        }
        set->firstEntry = layout.entries;
        layout.entries += set->adn.records;
        layout.fileSize += set->adn.records * set->adn.recordLength;
        layout.sets.push_back(std::move(*set));
    }
    if (layout.sets.empty()) {
        outcome.commandFailed(directory.card());
        return std::nullopt;
    }
    return layout;
}

std::optional<UsimBookImage> readUsimBook(CardDirectory& directory, const UsimBookLayout& layout,
                                          bool withCounters, CallOutcome& outcome) {
    UsimBookImage image;
    bool read = !layout.ext1 || readRecords(directory, *layout.ext1, image);
    for (const UsimBookSet& set : layout.sets) {
        read = read && readRecords(directory, set.adn, image);
        read = read && (!set.iap || readRecords(directory, *set.iap, image));
        for (const UsimValueFile& value : set.values) {
            if (!read || withCounters) {
                read = read && readRecords(directory, value.file, image);
                continue;
            }
            std::vector<bool> wanted(static_cast<size_t>(value.file.records), false);
            for (int i = 1; i <= set.adn.records; ++i) {
                const size_t at = static_cast<size_t>(i);
                const size_t v = holdsEntry(image.record(set.adn, at))
                                     ? valueRecordNumber(image, set, value, at)
                                     : 0;
                if (v != 0) {
                    wanted[v - 1] = true;
                }
            }
            read = readRecords(directory, value.file, image, &wanted);
        }
        if (withCounters) {
            read = read && (!set.uid || readRecords(directory, *set.uid, image));
            read = read && (!set.pbc || readRecords(directory, *set.pbc, image));
        }
    }
    if (withCounters) {
        read = read && readCounter(directory, files::kPhoneBookSyncCounter, 4, image) &&
               readCounter(directory, files::kPhoneBookChangeCounter, 2, image) &&
               readCounter(directory, files::kPhoneBookPreviousUid, 2, image);
    }
    if (!read) {
        outcome.commandFailed(directory.card());
        return std::nullopt;
    }
    return image;
}

} // namespace brontel
