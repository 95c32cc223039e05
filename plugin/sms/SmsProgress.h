#pragma once
// The progress callback of a message request. Messages pass no texts to it.

#include "Brontel.h"

namespace brontel {

inline void reportProgress(const SmsRequest& request, int index, int total) {
    if (request.progress != nullptr) {
        request.progress(index, total, nullptr, nullptr, request.user);
    }
}

} // namespace brontel
