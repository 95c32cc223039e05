// The connection exports: reader enumeration, opening and closing a card
// connection, and the last error of a connection.

#include "Brontel.h"
#include "card/SIMCard.h"
#include "frame/PluginLifetime.h"
#include "frame/ReaderList.h"
#include "info/SimInfoReader.h"
#include "pcsc/ContextRenewal.h"

#include "Log.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

using brontel::SIMCard;

namespace {

// Why the last enum_sim or connect_sim of this thread failed, for
// get_last_error with a null handle; 0 once one of them starts again.
thread_local int32_t lastOpenFailure = 0;

int32_t asErrorCode(LONG result) {
    // pcsc-lite returns the 32-bit codes as positive values of a wider LONG.
    return static_cast<int32_t>(static_cast<uint32_t>(result));
}

std::optional<std::u16string> listedReader(uint32_t index) {
    LONG result = SCARD_S_SUCCESS;
    auto name = brontel::readerAt(brontel::pcsc_context, index, result);
    if (brontel::refusesContext(result)) {
        // A stopped or restarted service leaves the context dead for good:
        // a new one lists the readers once the service runs again.
        const LONG renewed = brontel::renewContext(brontel::pcsc_context);
        result = renewed;
        if (renewed == SCARD_S_SUCCESS) {
            name = brontel::readerAt(brontel::pcsc_context, index, result);
        }
    }
    lastOpenFailure = asErrorCode(result);
    return name;
}

} // namespace

extern "C" {

BRONTEL_EXPORT int enum_sim(uint32_t index, char16_t* buffer, uint32_t* length) {
    lastOpenFailure = 0;
    try {
        const auto name = listedReader(index);
        if (!name || length == nullptr || *length == 0) {
            return 0;
        }
        const uint64_t needed = name->size() + 1;
        if (buffer != nullptr && *length >= needed) {
            std::copy(name->begin(), name->end(), buffer);
            buffer[name->size()] = u'\0';
        }
        *length = static_cast<uint32_t>(needed);
        return 1;
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int connect_sim(const char16_t* reader, SimHandle* handle, SimInfo* info) {
    lastOpenFailure = 0;
    try {
        SimInfo local{};
        if (info != nullptr) {
            local.read_details = info->read_details;
            local.book_file = info->book_file;
        }
        if (handle == nullptr || reader == nullptr || reader[0] == u'\0') {
            return 0;
        }
        auto card = std::make_unique<SIMCard>();
        if (card->connect(&brontel::pcsc_context, reader) == 0) {
            pelmora::log::log_message(pelmora::log::kTrace, "connect_sim", "connect failed: %08X",
                                      static_cast<unsigned>(card->pcsc_result()));
            lastOpenFailure = get_last_error(card.get());
            return 0; // the destructor closes whatever was opened
        }
        card->detect_command_class();
        if (brontel::readSimInfo(*card, local) == 0) {
            lastOpenFailure = get_last_error(card.get());
            return 0;
        }
        if (info != nullptr) {
            *info = local;
        }
        *handle = card.release();
        return 1;
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int disconnect_sim(SimHandle handle) {
    try {
        if (handle == nullptr) {
            return 0;
        }
        const std::unique_ptr<SIMCard> card(static_cast<SIMCard*>(handle));
        return card->disconnect();
    } catch (...) {
        return 0;
    }
}

BRONTEL_EXPORT int get_last_error(SimHandle handle) {
    try {
        if (handle == nullptr) {
            return lastOpenFailure != 0 ? lastOpenFailure : kBrontelErrorNullHandle;
        }
        const auto* card = static_cast<const SIMCard*>(handle);
        return card->sim_error() != 0 ? card->sim_error() : card->pcsc_result();
    } catch (...) {
        return kBrontelErrorNullHandle;
    }
}

} // extern "C"
