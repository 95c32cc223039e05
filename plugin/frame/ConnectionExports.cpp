// The connection exports: reader enumeration, opening and closing a card
// connection, and the last error of a connection.

#include "Brontel.h"
#include "card/SIMCard.h"
#include "frame/PluginLifetime.h"
#include "frame/ReaderList.h"
#include "info/SimInfoReader.h"

#include "Log.h"

#include <algorithm>
#include <memory>

using brontel::SIMCard;

extern "C" {

BRONTEL_EXPORT int enum_sim(uint32_t index, char16_t* buffer, uint32_t* length) {
    try {
        const auto name = brontel::readerAt(brontel::pcsc_context, index);
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
            return 0; // the destructor closes whatever was opened
        }
        card->detect_command_class();
        if (brontel::readSimInfo(*card, local) == 0) {
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
            return kBrontelErrorNullHandle;
        }
        const auto* card = static_cast<const SIMCard*>(handle);
        return card->sim_error() != 0 ? card->sim_error() : card->pcsc_result();
    } catch (...) {
        return kBrontelErrorNullHandle;
    }
}

} // extern "C"
