#pragma once
// The card plug-in's C interface: the records that cross between the editor and
// the plug-in, and the 21 exports. Both sides include this one header, so the
// layouts below are checked wherever either side is compiled.

#include "SystemTime.h"

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define BRONTEL_EXPORT __declspec(dllexport)
#else
#define BRONTEL_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {

// Opaque connection handle: the address of the plug-in's connection object.
typedef void* SimHandle;

struct SimInfo {
    int32_t pin1Enabled;
    int32_t pin1Attempts;
    int32_t puk1Attempts;
    int32_t pin2Attempts;
    int32_t puk2Attempts;
    char16_t atrText[128];
    char16_t iccid[32];
    char16_t imsi[32];
    char16_t serviceProvider[64];
    // EF Phase of DF GSM (0 phase 1, 2 phase 2, 3 phase 2+), or kPhaseUicc
    // for a UICC with a USIM, spoken to in class 00.
    int32_t phase;
    int32_t location;
    int32_t read_details;
    // file size, type of file, structure, record length, READ, UPDATE condition
    int32_t bookAttributes[6];
    int32_t book_file;
};

enum : int32_t { kPhaseUicc = 4 };

enum PhoneBookValue : int {
    kValueMain = 0, // the dialling number of the standard books
    kValuePrivateId = 1,
    kValueHome = 2,
    kValueWork = 3,
    kValueMobile = 4,
    kValueFax = 5,
    kValuePager = 6,
    kValueTalkgroup = 7,
    kValueChatAddress = 8,
    kValueOther = 9,
    kValueEmail = 10,
    kValueCount = 11,
    kRecordNumberCount = 12, // element 11 is the editor's speed-dial-group field
};

// Book id of the USIM phone book for get_phone_book and set_phone_book: DF
// PHONEBOOK 5F3A under DF telecom, as its reference file EF PBR describes it
// (TS 31.102 4.4.2). Entries are numbered through the ADN files of every PBR
// record in turn. An entry carries the name and number of its ADN record (value
// 0), its additional numbers (ANR) in values 2 to 6, its e-mail addresses
// (EMAIL) in values 10 and 1, and its second name (SNE) in value 9; record number
// element 0 is the entry's number in the book, 0 for an empty entry. Files of
// values beyond these fields stay on the card as they are. Not every card has a
// file for every value: get_phone_book gives in the request's field `unused` the
// values it has no room for, bit k (1 << k, k a PhoneBookValue) for a value that
// a set of the book's files (one PBR record) has no file for; set_phone_book
// stores no such value and reports an entry holding one as a value cut
// (kBrontelErrorValueDidNotFit), as it does a value longer than its record.
constexpr int kUsimPhoneBookId = 0x4F3A;
constexpr int kUsimFirstNumberValue = kValueHome;
constexpr int kUsimNumberValues = 5;
constexpr int kUsimEmailValues[] = {kValueEmail, kValuePrivateId};
constexpr int kUsimSecondNameValue = kValueOther;

struct PhoneBookEntry {
    char16_t name[242];
    char16_t value0[61];
    char16_t value1to6[6][61];
    char16_t value7[5];
    char16_t value8[18];
    char16_t value9[61];
    char16_t value10[256];
    uint16_t padding;
    int32_t recordNumbers[kRecordNumberCount];
};

typedef void (*ProgressCallback)(int index, int total, const char16_t* name, const char16_t* value0,
                                 intptr_t user);

struct PhoneBookRequest {
    PhoneBookEntry* entries;
    int32_t count;
    int32_t fileSize;
    int32_t fileType;
    int32_t structure;
    int32_t recordLength;
    int32_t readCondition;
    int32_t updateCondition;
    int32_t unused;
    ProgressCallback progress;
    intptr_t user;
};

// SmsEntry flags word.
enum : uint32_t {
    kSmsChanged = 0x80000000u,
    kSmsDeleted = 0x40000000u,   // with kSmsChanged: delete; alone: free record still holding a message
    kSmsErase = 0x20000000u,     // with kSmsChanged: record becomes free and all FF
    kSmsUndelete = 0x10000000u,  // with kSmsChanged: status restored from the contents
};

struct SmsEntry {
    int32_t flags;
    char16_t text[161];
    char16_t smsc[61];
    char16_t address[61];
    pelmora::SystemTime timestamp;
    uint16_t padding;
};

struct SmsRequest {
    SmsEntry* entries;
    int32_t count;
    ProgressCallback progress;
    intptr_t user;
};

// Called after every record a backup or restore attempted; the result is ignored.
typedef int (*BackupCallback)(int record, int recordCount, int fileId, int reserved, intptr_t user);

BRONTEL_EXPORT int enum_sim(uint32_t index, char16_t* buffer, uint32_t* length);
BRONTEL_EXPORT int connect_sim(const char16_t* reader, SimHandle* handle, SimInfo* info);
BRONTEL_EXPORT int disconnect_sim(SimHandle handle);
// With a connection handle: the error of the connection's last card command.
// With a null handle: why the last enum_sim or connect_sim of the calling
// thread failed (a PC/SC result, or the card's status-word code when the card
// answered but not as a SIM), and 6 when neither failed since it last started.
BRONTEL_EXPORT int get_last_error(SimHandle handle);
BRONTEL_EXPORT int get_sim_info(SimHandle handle, SimInfo* info);
BRONTEL_EXPORT int verify_pin1(SimHandle handle, const char16_t* pin1);
BRONTEL_EXPORT int change_pin1(SimHandle handle, const char16_t* oldPin1, const char16_t* newPin1);
BRONTEL_EXPORT int unblock_pin1(SimHandle handle, const char16_t* puk1, const char16_t* newPin1);
BRONTEL_EXPORT int enable_pin1(SimHandle handle, const char16_t* pin1);
BRONTEL_EXPORT int disable_pin1(SimHandle handle, const char16_t* pin1);
BRONTEL_EXPORT int verify_pin2(SimHandle handle, const char16_t* pin2);
BRONTEL_EXPORT int change_pin2(SimHandle handle, const char16_t* oldPin2, const char16_t* newPin2);
BRONTEL_EXPORT int unblock_pin2(SimHandle handle, const char16_t* puk2, const char16_t* newPin2);
BRONTEL_EXPORT int get_phone_book(SimHandle handle, int efId, PhoneBookRequest* request);
BRONTEL_EXPORT int set_phone_book(SimHandle handle, int efId, PhoneBookRequest* request);
BRONTEL_EXPORT int get_nextel_phone_book(SimHandle handle, int efId, PhoneBookRequest* request);
BRONTEL_EXPORT int set_nextel_phone_book(SimHandle handle, int efId, PhoneBookRequest* request);
BRONTEL_EXPORT int get_sms(SimHandle handle, SmsRequest* request);
BRONTEL_EXPORT int set_sms(SimHandle handle, SmsRequest* request);
BRONTEL_EXPORT int backup_sim(SimHandle handle, int selection, const char16_t* path,
                              BackupCallback callback, intptr_t user);
BRONTEL_EXPORT int restore_sim(SimHandle handle, const char16_t* path, BackupCallback callback,
                               intptr_t user);

} // extern "C"

// Plug-in error codes (get_last_error) for the status words that count as
// failures (TS 51.011 9.4). There is no code -1.
enum SimError : int32_t {
    kSimErrorNone = 0,
    kSimErrorMemoryProblem = -2,
    kSimErrorUpdateWithRetries = -3,
    kSimErrorNoEfSelected = -4,
    kSimErrorOutOfRange = -5,
    kSimErrorFileNotFound = -6,
    kSimErrorFileInconsistent = -7,
    kSimErrorNoChvInitialised = -8,
    kSimErrorAccessNotFulfilled = -9,
    kSimErrorContradictsChvStatus = -10,
    kSimErrorContradictsInvalidation = -11,
    kSimErrorChvBlocked = -12,
    kSimErrorIncreaseNotPossible = -13,
    kSimErrorWrongLength = -14,
    kSimErrorWrongParameters = -15,
    kSimErrorUnknownInstruction = -16,
    kSimErrorWrongClass = -17,
    kSimErrorTechnicalProblem = -18,
};

// Plug-in error codes beyond the card status words and PC/SC results.
constexpr int kBrontelErrorNullHandle = 6;
constexpr int kBrontelErrorValueDidNotFit = -19;

// Value k of an entry as a (pointer, capacity in code units) pair.
struct PhoneBookValueField {
    char16_t* text;
    size_t capacity;
};
inline PhoneBookValueField phoneBookValue(PhoneBookEntry& e, int k) {
    switch (k) {
    case 0: return {e.value0, 61};
    case 1: case 2: case 3: case 4: case 5: case 6: return {e.value1to6[k - 1], 61};
    case 7: return {e.value7, 5};
    case 8: return {e.value8, 18};
    case 9: return {e.value9, 61};
    case 10: return {e.value10, 256};
    default: return {nullptr, 0};
    }
}
inline const char16_t* phoneBookValue(const PhoneBookEntry& e, int k) {
    return phoneBookValue(const_cast<PhoneBookEntry&>(e), k).text;
}

// The layouts are part of the interface: they hold on every platform.
static_assert(sizeof(SimInfo) == 572);
static_assert(offsetof(SimInfo, pin1Enabled) == 0);
static_assert(offsetof(SimInfo, pin1Attempts) == 4);
static_assert(offsetof(SimInfo, puk1Attempts) == 8);
static_assert(offsetof(SimInfo, pin2Attempts) == 12);
static_assert(offsetof(SimInfo, puk2Attempts) == 16);
static_assert(offsetof(SimInfo, atrText) == 20);
static_assert(offsetof(SimInfo, iccid) == 276);
static_assert(offsetof(SimInfo, imsi) == 340);
static_assert(offsetof(SimInfo, serviceProvider) == 404);
static_assert(offsetof(SimInfo, phase) == 532);
static_assert(offsetof(SimInfo, location) == 536);
static_assert(offsetof(SimInfo, read_details) == 540);
static_assert(offsetof(SimInfo, bookAttributes) == 544);
static_assert(offsetof(SimInfo, book_file) == 568);

static_assert(sizeof(PhoneBookEntry) == 2068);
static_assert(offsetof(PhoneBookEntry, name) == 0);
static_assert(offsetof(PhoneBookEntry, value0) == 484);
static_assert(offsetof(PhoneBookEntry, value1to6) == 606);
static_assert(offsetof(PhoneBookEntry, value1to6) + 5 * 122 == 1216);
static_assert(offsetof(PhoneBookEntry, value7) == 1338);
static_assert(offsetof(PhoneBookEntry, value8) == 1348);
static_assert(offsetof(PhoneBookEntry, value9) == 1384);
static_assert(offsetof(PhoneBookEntry, value10) == 1506);
static_assert(offsetof(PhoneBookEntry, padding) == 2018);
static_assert(offsetof(PhoneBookEntry, recordNumbers) == 2020);

static_assert(sizeof(SmsEntry) == 588);
static_assert(offsetof(SmsEntry, flags) == 0);
static_assert(offsetof(SmsEntry, text) == 4);
static_assert(offsetof(SmsEntry, smsc) == 326);
static_assert(offsetof(SmsEntry, address) == 448);
static_assert(offsetof(SmsEntry, timestamp) == 570);
static_assert(offsetof(SmsEntry, padding) == 586);

// The request blocks hold pointers: the specified field order with native
// pointer-sized fields (44 and 16 bytes on 32-bit builds).
constexpr size_t kPtr = sizeof(void*);
static_assert(offsetof(PhoneBookRequest, entries) == 0);
static_assert(offsetof(PhoneBookRequest, count) == kPtr);
static_assert(offsetof(PhoneBookRequest, fileSize) == kPtr + 4);
static_assert(offsetof(PhoneBookRequest, fileType) == kPtr + 8);
static_assert(offsetof(PhoneBookRequest, structure) == kPtr + 12);
static_assert(offsetof(PhoneBookRequest, recordLength) == kPtr + 16);
static_assert(offsetof(PhoneBookRequest, readCondition) == kPtr + 20);
static_assert(offsetof(PhoneBookRequest, updateCondition) == kPtr + 24);
static_assert(offsetof(PhoneBookRequest, unused) == kPtr + 28);
static_assert(offsetof(PhoneBookRequest, progress) == (kPtr == 4 ? 36 : 40));
static_assert(offsetof(PhoneBookRequest, user) == (kPtr == 4 ? 40 : 48));
static_assert(sizeof(PhoneBookRequest) == (kPtr == 4 ? 44 : 56));
static_assert(offsetof(SmsRequest, entries) == 0);
static_assert(offsetof(SmsRequest, count) == kPtr);
static_assert(offsetof(SmsRequest, progress) == 2 * kPtr);
static_assert(offsetof(SmsRequest, user) == 3 * kPtr);
static_assert(sizeof(SmsRequest) == 4 * kPtr);
