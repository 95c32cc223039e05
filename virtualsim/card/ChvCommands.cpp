#include "ChvCommands.h"

namespace virtualsim {

namespace {

constexpr size_t kBlock = 8;

// P2 of VERIFY and CHANGE CHV: 01 or 02.
std::optional<Chv> chvOf(uint8_t p2) {
    if (p2 == 0x01) {
        return Chv::One;
    }
    if (p2 == 0x02) {
        return Chv::Two;
    }
    return std::nullopt;
}

} // namespace

Response ChvCommands::verify(CardState& state, const Apdu& apdu) {
    const std::optional<Chv> chv = chvOf(apdu.p2);
    if (apdu.p1 != 0 || !chv) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != kBlock) {
        return Response::status(state.wrongLength(kBlock));
    }
    return Response::status(state.security().verify(*chv, apdu.data));
}

Response ChvCommands::change(CardState& state, const Apdu& apdu) {
    const std::optional<Chv> chv = chvOf(apdu.p2);
    if (apdu.p1 != 0 || !chv) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != 2 * kBlock) {
        return Response::status(state.wrongLength(2 * kBlock));
    }
    return Response::status(
        state.security().change(*chv, apdu.data.first(kBlock), apdu.data.subspan(kBlock)));
}

Response ChvCommands::disable(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0x01) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != kBlock) {
        return Response::status(state.wrongLength(kBlock));
    }
    return Response::status(state.security().disableChv1(apdu.data));
}

Response ChvCommands::enable(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || apdu.p2 != 0x01) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != kBlock) {
        return Response::status(state.wrongLength(kBlock));
    }
    return Response::status(state.security().enableChv1(apdu.data));
}

// P2 is 00 for CHV1 (kept so for phase 1 compatibility) and 02 for CHV2.
Response ChvCommands::unblock(CardState& state, const Apdu& apdu) {
    if (apdu.p1 != 0 || (apdu.p2 != 0x00 && apdu.p2 != 0x02)) {
        return Response::status(sw::kWrongP1P2);
    }
    if (apdu.p3 != 2 * kBlock) {
        return Response::status(state.wrongLength(2 * kBlock));
    }
    const Chv chv = apdu.p2 == 0x00 ? Chv::One : Chv::Two;
    return Response::status(
        state.security().unblock(chv, apdu.data.first(kBlock), apdu.data.subspan(kBlock)));
}

} // namespace virtualsim
