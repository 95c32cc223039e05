#include "DiagnosticLogSwitch.h"

#include "Log.h"

namespace pelmora::velmet {

void switchDiagnosticLogsOn(bool writeHeader) {
    log::enable_logging();
    if (writeHeader) {
        log::init_log("wenlo");
    }
}

void switchDiagnosticLogsOff() {
    log::disable_logging();
}

} // namespace pelmora::velmet
