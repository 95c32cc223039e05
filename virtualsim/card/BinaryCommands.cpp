#include "BinaryCommands.h"

#include "CurrentEf.h"

#include <algorithm>

namespace virtualsim {

namespace {
// The bytes [offset, offset + length) must lie in the body: an offset past the
// end is an invalid address, a length running past it a wrong P3.
StatusWord checkRange(const CardState& state, const CardFile& ef, size_t offset, size_t length) {
    if (offset >= ef.size()) {
        return sw::kOutOfRange;
    }
    if (length > ef.size() - offset) {
        return state.wrongLength(ef.size() - offset);
    }
    return sw::kOk;
}

size_t offsetOf(const Apdu& apdu) {
    return static_cast<size_t>(apdu.p1) << 8 | apdu.p2;
}
} // namespace

Response BinaryCommands::read(CardState& state, const Apdu& apdu) {
    const CurrentEf ef = currentEf(state, EfKind::Transparent, &AccessConditions::read);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    const size_t offset = offsetOf(apdu);
    const size_t length = apdu.expectedLength();
    if (const StatusWord range = checkRange(state, *ef.file, offset, length); range != sw::kOk) {
        return Response::status(range);
    }
    const auto body = ef.file->body().subspan(offset, length);
    return Response{std::vector<uint8_t>(body.begin(), body.end()), sw::kOk};
}

Response BinaryCommands::update(CardState& state, const Apdu& apdu) {
    const CurrentEf ef = currentEf(state, EfKind::Transparent, &AccessConditions::update);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    const size_t offset = offsetOf(apdu);
    // P3 = 00 sends no data and updates nothing.
    if (apdu.data.empty()) {
        return Response::status(offset < ef.file->size() ? sw::kOk : sw::kOutOfRange);
    }
    if (const StatusWord range = checkRange(state, *ef.file, offset, apdu.data.size());
        range != sw::kOk) {
        return Response::status(range);
    }
    if (ef.file->memoryProblem()) {
        return Response::status(sw::kMemoryProblem);
    }
    std::copy(apdu.data.begin(), apdu.data.end(), ef.file->body().begin() + offset);
    return Response::status(updatedStatus(*ef.file));
}

} // namespace virtualsim
