#include "UiccCommands.h"

#include "FileControlParameters.h"

#include <algorithm>
#include <optional>

namespace virtualsim {

namespace {

constexpr size_t kBlock = 8;
constexpr uint16_t kCurrentApplication = 0x7FFF;
constexpr uint8_t kReturnFcp = 0x04;
constexpr uint8_t kReturnNothing = 0x0C;

StatusWord waiting(size_t length) {
    return static_cast<StatusWord>(uicc::kResponseBytes | (length & 0xFF));
}

StatusWord exactLength(size_t length) {
    return static_cast<StatusWord>(uicc::kWrongLe | (length & 0xFF));
}

// Hands out the first Le bytes; more than there is is a wrong Le.
Response sendOut(const Apdu& apdu, const std::vector<uint8_t>& data) {
    const size_t wanted = apdu.expectedLength();
    if (wanted > data.size()) {
        return Response::status(exactLength(data.size()));
    }
    return Response{std::vector<uint8_t>(data.begin(), data.begin() + wanted), sw::kOk};
}

// The first directory below the MF carrying an application name that starts
// with the given bytes (right truncation, ISO 7816-4 7.1.1).
CardFile* applicationNamed(const CardFile& mf, std::span<const uint8_t> name) {
    for (const auto& child : mf.children()) {
        const auto& aid = child->applicationId();
        if (!aid.empty() && !name.empty() && name.size() <= aid.size() &&
            std::equal(name.begin(), name.end(), aid.begin())) {
            return child.get();
        }
    }
    return nullptr;
}

CardFile* firstApplication(const CardFile& mf) {
    for (const auto& child : mf.children()) {
        if (!child->applicationId().empty()) {
            return child.get();
        }
    }
    return nullptr;
}

// A path of file identifiers, two bytes each, walked down from a directory.
CardFile* walk(CardFile& from, std::span<const uint8_t> path) {
    if (path.empty() || path.size() % 2 != 0) {
        return nullptr;
    }
    CardFile* file = &from;
    for (size_t i = 0; i < path.size(); i += 2) {
        if (!file->isDirectory()) {
            return nullptr;
        }
        file = file->child(static_cast<uint16_t>(path[i] << 8 | path[i + 1]));
        if (!file) {
            return nullptr;
        }
    }
    return file;
}

CardFile* byIdentifier(CardState& state, std::span<const uint8_t> data) {
    if (data.empty()) {
        return &state.mf();
    }
    if (data.size() != 2) {
        return nullptr;
    }
    const auto id = static_cast<uint16_t>(data[0] << 8 | data[1]);
    if (id == kCurrentApplication) {
        if (CardFile* application = firstApplication(state.mf())) {
            return application;
        }
    }
    return state.selection().select(id);
}

std::optional<Chv> pinOf(uint8_t keyReference) {
    if (keyReference == keyref::kPin1) {
        return Chv::One;
    }
    if (keyReference == keyref::kPin2) {
        return Chv::Two;
    }
    return std::nullopt;
}

// The UICC word for the outcome of presenting a code: a miss tells the
// attempts left, a code already blocked is refused without a try.
StatusWord presented(StatusWord gsm, const SecretCode& code) {
    switch (gsm) {
    case sw::kAccessNotFulfilled:
    case sw::kBlocked:
        return static_cast<StatusWord>(uicc::kCountedRetries | code.remaining());
    case sw::kContradictsChvStatus:
        return uicc::kConditionsNotSatisfied;
    case sw::kNoChvInitialised:
        return uicc::kReferenceNotFound;
    default:
        return gsm;
    }
}

// The checks every PIN command makes on P1, P2 and the code's state.
struct PinTarget {
    std::optional<Chv> chv;
    StatusWord sw = sw::kOk;
};

PinTarget pinTarget(const CardState& state, const Apdu& apdu,
                    const SecretCode& (*codeOf)(const CardSecurity&, Chv)) {
    if (apdu.p1 != 0) {
        return {std::nullopt, uicc::kIncorrectP1P2};
    }
    const std::optional<Chv> chv = pinOf(apdu.p2);
    if (!chv || !codeOf(state.security(), *chv).initialised()) {
        return {std::nullopt, uicc::kReferenceNotFound};
    }
    return {chv, sw::kOk};
}

const SecretCode& pinCode(const CardSecurity& security, Chv chv) {
    return security.chv(chv);
}
const SecretCode& unblockCode(const CardSecurity& security, Chv chv) {
    return security.unblockKey(chv);
}

// Without data, VERIFY and UNBLOCK tell the attempts left.
StatusWord attemptsLeft(const SecretCode& code, bool satisfied) {
    if (code.blocked()) {
        return uicc::kPinBlocked;
    }
    if (satisfied) {
        return sw::kOk;
    }
    return static_cast<StatusWord>(uicc::kCountedRetries | code.remaining());
}

} // namespace

StatusWord UiccCommands::uiccWord(uint8_t ins, StatusWord gsm) {
    const bool sendsOut = ins == 0xB0 || ins == 0xB2;
    const bool binary = ins == 0xB0 || ins == 0xD6;
    if ((gsm & 0xFF00) == sw::kWrongLength) {
        return sendsOut && gsm != sw::kWrongLength ? exactLength(gsm & 0xFF) : sw::kWrongLength;
    }
    if ((gsm & 0xFFF0) == 0x9200 && gsm != sw::kMemoryProblem) {
        return static_cast<StatusWord>(uicc::kCountedRetries | (gsm & 0x0F));
    }
    switch (gsm) {
    case sw::kMemoryProblem:
        return uicc::kMemoryProblem;
    case sw::kNoEfSelected:
        return uicc::kNoCurrentEf;
    case sw::kOutOfRange:
        return binary ? uicc::kWrongParameters : uicc::kRecordNotFound;
    case sw::kFileNotFound:
        return uicc::kFileNotFound;
    case sw::kFileInconsistent:
        return uicc::kIncompatibleStructure;
    case sw::kAccessNotFulfilled:
        return uicc::kSecurityNotSatisfied;
    case sw::kContradictsInvalidation:
        return uicc::kConditionsNotSatisfied;
    case sw::kWrongP1P2:
        return uicc::kIncorrectP1P2;
    default:
        return gsm;
    }
}

Response UiccCommands::select(CardState& state, const Apdu& apdu) {
    const uint8_t answer = apdu.p2 & 0x0C;
    if ((apdu.p2 & ~0x0C) != 0 || (answer != kReturnFcp && answer != kReturnNothing)) {
        return Response::status(uicc::kIncorrectP1P2);
    }
    CardFile* file = nullptr;
    switch (apdu.p1) {
    case 0x00:
        file = byIdentifier(state, apdu.data);
        break;
    case 0x04:
        file = apdu.data.size() <= 16 ? applicationNamed(state.mf(), apdu.data) : nullptr;
        break;
    case 0x08:
        file = walk(state.mf(), apdu.data);
        break;
    case 0x09:
        file = walk(state.selection().directory(), apdu.data);
        break;
    default:
        return Response::status(uicc::kIncorrectP1P2);
    }
    if (!file) {
        return Response::status(uicc::kFileNotFound);
    }
    state.selection().choose(*file);
    if (answer == kReturnNothing) {
        return Response::status(sw::kOk);
    }
    std::vector<uint8_t> fcp = FileControlParameters::of(*file, state.security());
    const StatusWord word = waiting(fcp.size());
    state.setPendingResponse(std::move(fcp));
    return Response::status(word);
}

Response UiccCommands::status(CardState& state, const Apdu& apdu) {
    if (apdu.p1 > 0x02) {
        return Response::status(uicc::kIncorrectP1P2);
    }
    const CardFile& directory = state.selection().directory();
    switch (apdu.p2) {
    case 0x00:
        return sendOut(apdu, FileControlParameters::of(directory, state.security()));
    case 0x01: {
        const CardFile* application =
            directory.applicationId().empty() ? firstApplication(state.mf()) : &directory;
        if (!application) {
            return Response::status(uicc::kReferenceNotFound);
        }
        return sendOut(apdu, FileControlParameters::applicationName(*application));
    }
    case 0x0C:
        return Response::status(sw::kOk);
    default:
        return Response::status(uicc::kIncorrectP1P2);
    }
}

// Le below what waits hands out that much and keeps the rest waiting.
Response UiccCommands::getResponse(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0) {
        return Response::status(uicc::kIncorrectP1P2);
    }
    const std::vector<uint8_t> waitingData = state.pendingResponse();
    if (waitingData.empty()) {
        return Response::status(uicc::kConditionsNotSatisfied);
    }
    Response response = sendOut(apdu, waitingData);
    if (response.sw != sw::kOk) {
        return response;
    }
    const size_t rest = waitingData.size() - response.data.size();
    state.setPendingResponse(std::vector<uint8_t>(
        waitingData.end() - static_cast<std::ptrdiff_t>(rest), waitingData.end()));
    if (rest > 0) {
        response.sw = waiting(rest);
    }
    return response;
}

Response UiccCommands::verify(CardState& state, const Apdu& apdu) {
    const PinTarget target = pinTarget(state, apdu, &pinCode);
    if (!target.chv) {
        return Response::status(target.sw);
    }
    CardSecurity& security = state.security();
    const SecretCode& code = security.chv(*target.chv);
    if (apdu.data.empty()) {
        const bool disabled = *target.chv == Chv::One && !security.chv1Enabled();
        return Response::status(attemptsLeft(code, disabled || security.verified(*target.chv)));
    }
    if (apdu.p3 != kBlock) {
        return Response::status(sw::kWrongLength);
    }
    if (code.blocked()) {
        return Response::status(uicc::kPinBlocked);
    }
    return Response::status(presented(security.verify(*target.chv, apdu.data), code));
}

Response UiccCommands::change(CardState& state, const Apdu& apdu) {
    const PinTarget target = pinTarget(state, apdu, &pinCode);
    if (!target.chv) {
        return Response::status(target.sw);
    }
    if (apdu.p3 != 2 * kBlock) {
        return Response::status(sw::kWrongLength);
    }
    CardSecurity& security = state.security();
    const SecretCode& code = security.chv(*target.chv);
    if (code.blocked()) {
        return Response::status(uicc::kPinBlocked);
    }
    return Response::status(presented(
        security.change(*target.chv, apdu.data.first(kBlock), apdu.data.subspan(kBlock)), code));
}

// Only PIN1 can be disabled; P1 00 or 80 (no replacement PIN on this card).
Response UiccCommands::disable(CardState& state, const Apdu& apdu) {
    const Apdu plain{apdu.cla, apdu.ins, 0x00, apdu.p2, apdu.p3, apdu.data};
    const PinTarget target = pinTarget(state, apdu.p1 == 0x80 ? plain : apdu, &pinCode);
    if (!target.chv) {
        return Response::status(target.sw);
    }
    if (*target.chv != Chv::One) {
        return Response::status(uicc::kConditionsNotSatisfied);
    }
    if (apdu.p3 != kBlock) {
        return Response::status(sw::kWrongLength);
    }
    CardSecurity& security = state.security();
    if (security.chv(Chv::One).blocked()) {
        return Response::status(uicc::kPinBlocked);
    }
    return Response::status(presented(security.disableChv1(apdu.data), security.chv(Chv::One)));
}

Response UiccCommands::enable(CardState& state, const Apdu& apdu) {
    const PinTarget target = pinTarget(state, apdu, &pinCode);
    if (!target.chv) {
        return Response::status(target.sw);
    }
    if (*target.chv != Chv::One) {
        return Response::status(uicc::kConditionsNotSatisfied);
    }
    if (apdu.p3 != kBlock) {
        return Response::status(sw::kWrongLength);
    }
    CardSecurity& security = state.security();
    if (security.chv(Chv::One).blocked()) {
        return Response::status(uicc::kPinBlocked);
    }
    return Response::status(presented(security.enableChv1(apdu.data), security.chv(Chv::One)));
}

Response UiccCommands::unblock(CardState& state, const Apdu& apdu) {
    const PinTarget target = pinTarget(state, apdu, &unblockCode);
    if (!target.chv) {
        return Response::status(target.sw);
    }
    CardSecurity& security = state.security();
    const SecretCode& key = security.unblockKey(*target.chv);
    if (apdu.data.empty()) {
        return Response::status(attemptsLeft(key, false));
    }
    if (apdu.p3 != 2 * kBlock) {
        return Response::status(sw::kWrongLength);
    }
    if (key.blocked()) {
        return Response::status(uicc::kPinBlocked);
    }
    return Response::status(presented(
        security.unblock(*target.chv, apdu.data.first(kBlock), apdu.data.subspan(kBlock)), key));
}

} // namespace virtualsim
