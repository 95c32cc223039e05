// The message exports of the plug-in: EF SMS read into and written from the
// editor's entries.

#include "Brontel.h"
#include "card/SIMCard.h"
#include "sms/SmsStoreReader.h"
#include "sms/SmsStoreWriter.h"

extern "C" {

BRONTEL_EXPORT int get_sms(SimHandle handle, SmsRequest* request) {
    try {
        if (handle == nullptr || request == nullptr) {
            return 0;
        }
        return brontel::readSmsStore(*static_cast<brontel::SIMCard*>(handle), *request);
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int set_sms(SimHandle handle, SmsRequest* request) {
    try {
        if (handle == nullptr || request == nullptr) {
            return 0;
        }
        return brontel::writeSmsStore(*static_cast<brontel::SIMCard*>(handle), *request);
    } catch (...) {
        return 0;
    }
}

} // extern "C"
