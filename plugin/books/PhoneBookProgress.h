#pragma once
// The progress callback of a phone-book request, called once per record.

#include "Brontel.h"

namespace brontel {

inline void reportProgress(const PhoneBookRequest& request, int index, int total,
                           const char16_t* name, const char16_t* value) {
    if (request.progress != nullptr) {
        request.progress(index, total, name, value, request.user);
    }
}

} // namespace brontel
