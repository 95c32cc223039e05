// The phone-book exports of the plug-in: the books under DF telecom, and the
// iDEN book, which the book id 0 names, and the USIM phone book (kUsimPhoneBookId).

#include "Brontel.h"
#include "books/IdenBookReader.h"
#include "books/IdenBookWriter.h"
#include "books/StandardBookReader.h"
#include "books/StandardBookWriter.h"
#include "books/UsimBookReader.h"
#include "books/UsimBookWriter.h"
#include "card/SIMCard.h"

namespace {

using brontel::SIMCard;

bool isIdenBook(int efId) {
    return (efId & 0xFFFF) == 0;
}

bool isUsimBook(int efId) {
    return (efId & 0xFFFF) == kUsimPhoneBookId;
}

brontel::FileId bookFile(int efId) {
    return brontel::FileId{static_cast<uint16_t>(efId & 0xFFFF)};
}

SIMCard* connection(SimHandle handle) {
    return static_cast<SIMCard*>(handle);
}

} // namespace

extern "C" {

BRONTEL_EXPORT int get_phone_book(SimHandle handle, int efId, PhoneBookRequest* request) {
    try {
        if (handle == nullptr || request == nullptr) {
            return 0;
        }
        if (isIdenBook(efId)) {
            return brontel::readIdenBook(*connection(handle), efId, *request);
        }
        if (isUsimBook(efId)) {
            return brontel::readUsimBook(*connection(handle), *request);
        }
        return brontel::readStandardBook(*connection(handle), bookFile(efId), *request);
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int set_phone_book(SimHandle handle, int efId, PhoneBookRequest* request) {
    try {
        if (handle == nullptr || request == nullptr) {
            return 0;
        }
        if (isIdenBook(efId)) {
            return brontel::writeIdenBook(*connection(handle), *request);
        }
        if (isUsimBook(efId)) {
            return brontel::writeUsimBook(*connection(handle), *request);
        }
        return brontel::writeStandardBook(*connection(handle), bookFile(efId), *request);
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int get_nextel_phone_book(SimHandle handle, int efId, PhoneBookRequest* request) {
    try {
        if (handle == nullptr || request == nullptr) {
            return 0;
        }
        return brontel::readIdenBook(*connection(handle), efId, *request);
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int set_nextel_phone_book(SimHandle handle, int /*unused*/,
                                         PhoneBookRequest* request) {
    try {
        if (handle == nullptr || request == nullptr) {
            return 0;
        }
        return brontel::writeIdenBook(*connection(handle), *request);
    } catch (...) {
        return 0;
    }
}

} // extern "C"
