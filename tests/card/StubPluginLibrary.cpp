// A shared library with the plug-in's exports doing nothing, built once with
// all of them and once without get_last_error, for the binding tests.
#include "Brontel.h"

extern "C" {
int enum_sim(uint32_t, char16_t*, uint32_t*) {
    return 0;
}
int connect_sim(const char16_t*, SimHandle*, SimInfo*) {
    return 0;
}
int disconnect_sim(SimHandle) {
    return 1;
}
#ifndef STUB_WITHOUT_LAST_ERROR
int get_last_error(SimHandle) {
    return 42;
}
#endif
int get_sim_info(SimHandle, SimInfo*) {
    return 0;
}
int verify_pin1(SimHandle, const char16_t*) {
    return 0;
}
int change_pin1(SimHandle, const char16_t*, const char16_t*) {
    return 0;
}
int unblock_pin1(SimHandle, const char16_t*, const char16_t*) {
    return 0;
}
int enable_pin1(SimHandle, const char16_t*) {
    return 0;
}
int disable_pin1(SimHandle, const char16_t*) {
    return 0;
}
int verify_pin2(SimHandle, const char16_t*) {
    return 0;
}
int change_pin2(SimHandle, const char16_t*, const char16_t*) {
    return 0;
}
int unblock_pin2(SimHandle, const char16_t*, const char16_t*) {
    return 0;
}
int get_phone_book(SimHandle, int, PhoneBookRequest*) {
    return 0;
}
int set_phone_book(SimHandle, int, PhoneBookRequest*) {
    return 0;
}
int get_nextel_phone_book(SimHandle, int, PhoneBookRequest*) {
    return 0;
}
int set_nextel_phone_book(SimHandle, int, PhoneBookRequest*) {
    return 0;
}
int get_sms(SimHandle, SmsRequest*) {
    return 0;
}
int set_sms(SimHandle, SmsRequest*) {
    return 0;
}
int backup_sim(SimHandle, int, const char16_t*, BackupCallback, intptr_t) {
    return 0;
}
int restore_sim(SimHandle, const char16_t*, BackupCallback, intptr_t) {
    return 0;
}
}
