// The PIN exports: one CHV command each (TS 51.011 9.2.9 to 9.2.13), no file
// selected first and no retry.

#include "Brontel.h"
#include "card/SIMCard.h"
#include "pins/AnsiPin.h"

namespace {

using brontel::AnsiPin;
using brontel::SIMCard;

constexpr uint8_t kChv1 = 1;
constexpr uint8_t kChv2 = 2;
// P2 of UNBLOCK CHV: 00 names CHV1, 02 CHV2.
constexpr uint8_t kUnblockChv1 = 0;
constexpr uint8_t kUnblockChv2 = 2;

// Runs a command with the handle's connection; 0 for a null handle and for
// anything thrown.
template <typename Command> int withCard(SimHandle handle, Command command) {
    try {
        if (handle == nullptr) {
            return 0;
        }
        return command(*static_cast<SIMCard*>(handle));
    } catch (...) {
        return 0;
    }
}

} // namespace

extern "C" {

BRONTEL_EXPORT int verify_pin1(SimHandle handle, const char16_t* pin1) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin pin(pin1);
        return card.verify_chv(pin.bytes(), kChv1);
    });
}

BRONTEL_EXPORT int verify_pin2(SimHandle handle, const char16_t* pin2) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin pin(pin2);
        return card.verify_chv(pin.bytes(), kChv2);
    });
}

BRONTEL_EXPORT int change_pin1(SimHandle handle, const char16_t* oldPin1, const char16_t* newPin1) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin oldPin(oldPin1);
        const AnsiPin newPin(newPin1);
        return card.change_chv(oldPin.bytes(), newPin.bytes(), kChv1);
    });
}

BRONTEL_EXPORT int change_pin2(SimHandle handle, const char16_t* oldPin2, const char16_t* newPin2) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin oldPin(oldPin2);
        const AnsiPin newPin(newPin2);
        return card.change_chv(oldPin.bytes(), newPin.bytes(), kChv2);
    });
}

BRONTEL_EXPORT int unblock_pin1(SimHandle handle, const char16_t* puk1, const char16_t* newPin1) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin key(puk1);
        const AnsiPin newPin(newPin1);
        return card.unblock_chv(key.bytes(), newPin.bytes(), kUnblockChv1);
    });
}

BRONTEL_EXPORT int unblock_pin2(SimHandle handle, const char16_t* puk2, const char16_t* newPin2) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin key(puk2);
        const AnsiPin newPin(newPin2);
        return card.unblock_chv(key.bytes(), newPin.bytes(), kUnblockChv2);
    });
}

BRONTEL_EXPORT int enable_pin1(SimHandle handle, const char16_t* pin1) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin pin(pin1);
        return card.enable_chv1(pin.bytes());
    });
}

BRONTEL_EXPORT int disable_pin1(SimHandle handle, const char16_t* pin1) {
    return withCard(handle, [&](SIMCard& card) {
        const AnsiPin pin(pin1);
        return card.disable_chv1(pin.bytes());
    });
}

} // extern "C"
