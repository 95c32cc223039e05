#pragma once
// TS 51.011 9.4: the status words this card answers with, SW1 high byte.

#include <cstdint>

namespace virtualsim {

using StatusWord = uint16_t;

namespace sw {
inline constexpr StatusWord kOk = 0x9000;
inline constexpr StatusWord kResponseLength = 0x9F00; // | length of the response data
inline constexpr StatusWord kMemoryProblem = 0x9240;
inline constexpr StatusWord kNoEfSelected = 0x9400;
inline constexpr StatusWord kOutOfRange = 0x9402;
inline constexpr StatusWord kFileNotFound = 0x9404;
inline constexpr StatusWord kFileInconsistent = 0x9408;
inline constexpr StatusWord kNoChvInitialised = 0x9802;
inline constexpr StatusWord kAccessNotFulfilled = 0x9804; // also: wrong code, attempts left
inline constexpr StatusWord kContradictsChvStatus = 0x9808;
inline constexpr StatusWord kContradictsInvalidation = 0x9810;
inline constexpr StatusWord kBlocked = 0x9840; // also: wrong code, no attempt left
inline constexpr StatusWord kMaxValueReached = 0x9850;
inline constexpr StatusWord kWrongLength = 0x6700; // | correct length, or 00
inline constexpr StatusWord kWrongP1P2 = 0x6B00;
inline constexpr StatusWord kUnknownInstruction = 0x6D00;
inline constexpr StatusWord kWrongClass = 0x6E00;
inline constexpr StatusWord kTechnicalProblem = 0x6F00;
} // namespace sw

// TS 102 221 10.2.1: the words of a UICC answering class 00 and 80.
namespace uicc {
inline constexpr StatusWord kResponseBytes = 0x6100;  // | bytes waiting for GET RESPONSE
inline constexpr StatusWord kWrongLe = 0x6C00;        // | the exact length
inline constexpr StatusWord kCountedRetries = 0x63C0; // | attempts left, or update retries
inline constexpr StatusWord kMemoryProblem = 0x6581;
inline constexpr StatusWord kLogicalChannelNotSupported = 0x6881;
inline constexpr StatusWord kIncompatibleStructure = 0x6981;
inline constexpr StatusWord kSecurityNotSatisfied = 0x6982;
inline constexpr StatusWord kPinBlocked = 0x6983;
inline constexpr StatusWord kConditionsNotSatisfied = 0x6985;
inline constexpr StatusWord kNoCurrentEf = 0x6986;
inline constexpr StatusWord kFileNotFound = 0x6A82;
inline constexpr StatusWord kRecordNotFound = 0x6A83;
inline constexpr StatusWord kIncorrectP1P2 = 0x6A86;
inline constexpr StatusWord kReferenceNotFound = 0x6A88;
inline constexpr StatusWord kWrongParameters = 0x6B00;
} // namespace uicc

} // namespace virtualsim
