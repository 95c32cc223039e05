#include "RecordCommands.h"

#include "CurrentEf.h"

#include <algorithm>

namespace virtualsim {

namespace {

struct Target {
    size_t record = 0; // 0 when sw says why there is none
    StatusWord sw = sw::kOk;
    bool movesPointer = false;
};

// The record a READ or UPDATE RECORD addresses. The pointer itself moves only
// once the command succeeds.
Target resolve(const Selection& selection, const CardFile& ef, uint8_t mode, uint8_t p1) {
    const size_t count = ef.recordCount();
    const std::optional<size_t> pointer = selection.recordPointer();
    const bool cyclic = ef.structure() == EfStructure::Cyclic;
    if (count == 0) {
        return {0, sw::kOutOfRange};
    }
    switch (mode) {
    case RecordCommands::kAbsolute:
        if (p1 == 0) {
            return pointer ? Target{*pointer} : Target{0, sw::kOutOfRange};
        }
        return p1 <= count ? Target{p1} : Target{0, sw::kOutOfRange};
    case RecordCommands::kNext:
        if (!pointer) {
            return {1, sw::kOk, true};
        }
        if (*pointer == count) {
            // The last record of a linear fixed EF has no next; a cyclic EF wraps.
            return cyclic ? Target{1, sw::kOk, true} : Target{0, sw::kOutOfRange};
        }
        return {*pointer + 1, sw::kOk, true};
    case RecordCommands::kPrevious:
        if (!pointer) {
            return {count, sw::kOk, true};
        }
        if (*pointer == 1) {
            return cyclic ? Target{count, sw::kOk, true} : Target{0, sw::kOutOfRange};
        }
        return {*pointer - 1, sw::kOk, true};
    default:
        return {0, sw::kWrongP1P2};
    }
}

bool isRecordMode(uint8_t mode) {
    return mode == RecordCommands::kNext || mode == RecordCommands::kPrevious ||
           mode == RecordCommands::kAbsolute;
}

} // namespace

Response RecordCommands::read(CardState& state, const Apdu& apdu) {
    if (!isRecordMode(apdu.p2)) {
        return Response::status(sw::kWrongP1P2);
    }
    const CurrentEf ef = currentEf(state, EfKind::Record, &AccessConditions::read);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    if (apdu.expectedLength() != ef.file->recordLength()) {
        return Response::status(state.wrongLength(ef.file->recordLength()));
    }
    const Target target = resolve(state.selection(), *ef.file, apdu.p2, apdu.p1);
    if (target.record == 0) {
        return Response::status(target.sw);
    }
    if (target.movesPointer) {
        state.selection().setRecordPointer(target.record);
    }
    const auto record = ef.file->record(target.record);
    return Response{std::vector<uint8_t>(record.begin(), record.end()), sw::kOk};
}

Response RecordCommands::update(CardState& state, const Apdu& apdu) {
    if (!isRecordMode(apdu.p2)) {
        return Response::status(sw::kWrongP1P2);
    }
    const CurrentEf ef = currentEf(state, EfKind::Record, &AccessConditions::update);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    CardFile& file = *ef.file;
    if (apdu.data.size() != file.recordLength()) {
        return Response::status(state.wrongLength(file.recordLength()));
    }
    if (file.structure() == EfStructure::Cyclic) {
        // Only PREVIOUS: the oldest record takes the data and becomes record 1.
        if (apdu.p2 != kPrevious) {
            return Response::status(sw::kWrongP1P2);
        }
        if (file.recordCount() == 0) {
            return Response::status(sw::kOutOfRange);
        }
        if (file.memoryProblem()) {
            return Response::status(sw::kMemoryProblem);
        }
        file.pushCyclic(apdu.data);
        state.selection().setRecordPointer(1);
        return Response::status(updatedStatus(file));
    }
    const Target target = resolve(state.selection(), file, apdu.p2, apdu.p1);
    if (target.record == 0) {
        return Response::status(target.sw);
    }
    if (file.memoryProblem()) {
        return Response::status(sw::kMemoryProblem);
    }
    if (target.movesPointer) {
        state.selection().setRecordPointer(target.record);
    }
    std::copy(apdu.data.begin(), apdu.data.end(), file.record(target.record).begin());
    return Response::status(updatedStatus(file));
}

// TS 51.011 8.7 and 9.2.7: P2 = type (0x or 1x) and mode: 0 from the
// beginning forwards, 1 from the end backwards, 2 from the next record
// forwards, 3 from the previous record backwards.
Response RecordCommands::seek(CardState& state, const Apdu& apdu) {
    const uint8_t type = apdu.p2 >> 4;
    const uint8_t mode = apdu.p2 & 0x0F;
    if (apdu.p1 != 0 || type > 1 || mode > 3) {
        return Response::status(sw::kWrongP1P2);
    }
    const CurrentEf ef = currentEf(state, EfKind::LinearFixed, &AccessConditions::read);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    const CardFile& file = *ef.file;
    const size_t count = file.recordCount();
    if (apdu.data.empty() || apdu.data.size() > 16 || apdu.data.size() > file.recordLength()) {
        return Response::status(state.wrongLength(std::min<size_t>(16, file.recordLength())));
    }
    const std::optional<size_t> pointer = state.selection().recordPointer();
    const bool forwards = mode == 0 || mode == 2;
    // Records are numbered 1..count; first/last bound the search inclusively.
    size_t first = 1;
    size_t last = count;
    if (mode == 2 && pointer) {
        first = *pointer + 1;
    } else if (mode == 3 && pointer) {
        last = *pointer - 1;
    }
    size_t found = 0;
    for (size_t i = 0; first <= last && i <= last - first; ++i) {
        const size_t record = forwards ? first + i : last - i;
        const auto bytes = file.record(record);
        if (std::equal(apdu.data.begin(), apdu.data.end(), bytes.begin())) {
            found = record;
            break;
        }
    }
    if (found == 0) {
        return Response::status(sw::kFileNotFound); // pattern not found
    }
    state.selection().setRecordPointer(found);
    if (type == 0) {
        return Response::status(sw::kOk);
    }
    state.setPendingResponse({static_cast<uint8_t>(found)});
    return Response::status(CardState::responseWaiting(1));
}

// TS 51.011 8.8: adds the value to record 1 and stores the sum in the oldest
// record, which becomes record 1. The response holds the sum and the value.
Response RecordCommands::increase(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != 3) {
        return Response::status(state.wrongLength(3));
    }
    const CurrentEf ef = currentEf(state, EfKind::Cyclic, &AccessConditions::increase);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    CardFile& file = *ef.file;
    if (!file.increaseAllowed() || file.recordCount() == 0) {
        return Response::status(sw::kFileInconsistent);
    }
    const auto current = file.record(1);
    std::vector<uint8_t> sum(current.begin(), current.end());
    // Big-endian addition of the 3-byte value to the right-aligned record.
    unsigned carry = 0;
    for (size_t i = 0; i < sum.size(); ++i) {
        const size_t k = sum.size() - 1 - i;
        const unsigned addend = i < 3 ? apdu.data[2 - i] : 0;
        const unsigned total = sum[k] + addend + carry;
        sum[k] = static_cast<uint8_t>(total);
        carry = total >> 8;
    }
    if (carry != 0 ||
        (sum.size() < 3 && std::any_of(apdu.data.begin(), apdu.data.end() - sum.size(),
                                       [](uint8_t b) { return b != 0; }))) {
        return Response::status(sw::kMaxValueReached);
    }
    if (file.memoryProblem()) {
        return Response::status(sw::kMemoryProblem);
    }
    file.pushCyclic(sum);
    state.selection().setRecordPointer(1);
    std::vector<uint8_t> response = sum;
    response.insert(response.end(), apdu.data.begin(), apdu.data.end());
    const StatusWord word = CardState::responseWaiting(response.size());
    state.setPendingResponse(std::move(response));
    return Response::status(word);
}

} // namespace virtualsim
