#include "frame/PluginLifetime.h"

#include "pcsc/ErrorText.h"
#include "pcsc/Winscard.h"

#include "CodePage.h"
#include "Log.h"

namespace brontel {

SCARDCONTEXT pcsc_context = 0;

void attach(std::span<const std::filesystem::path> modules) {
    pelmora::log::init_log(kLogName, modules);
    if (!load_winscard()) {
        return;
    }
    const LONG result =
        winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &pcsc_context);
    if (result != SCARD_S_SUCCESS) {
        pcsc_context = 0;
        pelmora::log::log_message(pelmora::log::kError, "dllmain", "%s",
                                  pelmora::platform::toUtf8(system_error_text(0)).c_str());
    }
}

void detach() {
    if (winscard.module != nullptr) {
        if (pcsc_context != 0) {
            winscard.SCardReleaseContext(pcsc_context);
        }
        unload_winscard();
    }
    pcsc_context = 0;
}

} // namespace brontel
