// A second copy of the log module in its own shared object, as the card
// plug-in carries one beside the editor's.
#include "Log.h"

#define COPY_EXPORT extern "C" __attribute__((visibility("default")))

COPY_EXPORT void copy_init_log(const char* name) {
    pelmora::log::init_log(name);
}

COPY_EXPORT int copy_log(int level, const char* text) {
    return pelmora::log::log_message(level, "copy", "%s", text);
}

COPY_EXPORT void copy_disable_logging() {
    pelmora::log::disable_logging();
}
