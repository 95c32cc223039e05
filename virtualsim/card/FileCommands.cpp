#include "FileCommands.h"

#include "CurrentEf.h"
#include "FileDescription.h"

namespace virtualsim {

namespace {
// Hands out the first P3 bytes of a response the ME asked for, or 67xx when
// it asked for more than there is.
Response sendOut(CardState& state, const Apdu& apdu, const std::vector<uint8_t>& data) {
    const size_t wanted = apdu.expectedLength();
    if (wanted > data.size()) {
        return Response::status(state.wrongLength(data.size()));
    }
    return Response{std::vector<uint8_t>(data.begin(), data.begin() + wanted), sw::kOk};
}
} // namespace

Response FileCommands::select(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != 2) {
        return Response::status(state.wrongLength(2));
    }
    const uint16_t id = static_cast<uint16_t>(apdu.data[0] << 8 | apdu.data[1]);
    const CardFile* file = state.selection().select(id);
    if (!file) {
        return Response::status(sw::kFileNotFound);
    }
    std::vector<uint8_t> description =
        FileDescription::of(*file, state.security(), state.options().fileCharacteristics);
    const StatusWord word = CardState::responseWaiting(description.size());
    state.setPendingResponse(std::move(description));
    return Response::status(word);
}

Response FileCommands::status(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0) {
        return Response::status(sw::kWrongP1P2);
    }
    return sendOut(state, apdu,
                   FileDescription::directory(state.selection().directory(), state.security(),
                                              state.options().fileCharacteristics));
}

Response FileCommands::getResponse(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0) {
        return Response::status(sw::kWrongP1P2);
    }
    if (state.pendingResponse().empty()) {
        return Response::status(sw::kTechnicalProblem);
    }
    // The response stays available until another command comes.
    return sendOut(state, apdu, state.pendingResponse());
}

Response FileCommands::invalidate(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != 0) {
        return Response::status(state.wrongLength(0));
    }
    // An invalidated file takes only SELECT and REHABILITATE, so not a second INVALIDATE.
    const CurrentEf ef = currentEf(state, EfKind::Any, &AccessConditions::invalidate);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    if (ef.file->invalidated()) {
        return Response::status(sw::kContradictsInvalidation);
    }
    ef.file->setInvalidated(true);
    return Response::status(sw::kOk);
}

Response FileCommands::rehabilitate(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != 0) {
        return Response::status(state.wrongLength(0));
    }
    const CurrentEf ef = currentEf(state, EfKind::Any, &AccessConditions::rehabilitate,
                                   /*usableWhenInvalidated=*/true);
    if (!ef.file) {
        return Response::status(ef.sw);
    }
    ef.file->setInvalidated(false);
    return Response::status(sw::kOk);
}

} // namespace virtualsim
