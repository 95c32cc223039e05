// The card-information export.

#include "Brontel.h"
#include "card/SIMCard.h"
#include "info/SimInfoReader.h"

extern "C" {

BRONTEL_EXPORT int get_sim_info(SimHandle handle, SimInfo* info) {
    try {
        if (handle == nullptr || info == nullptr) {
            return 0;
        }
        return brontel::readSimInfo(*static_cast<brontel::SIMCard*>(handle), *info);
    } catch (...) {
        return 0;
    }
}

} // extern "C"
