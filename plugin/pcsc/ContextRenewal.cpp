#include "pcsc/ContextRenewal.h"

#include "pcsc/Winscard.h"

namespace brontel {

bool refusesContext(LONG result) {
    return result == SCARD_E_NO_SERVICE || result == SCARD_E_SERVICE_STOPPED ||
           result == SCARD_E_INVALID_HANDLE;
}

LONG renewContext(SCARDCONTEXT& context) {
    const Winscard& w = winscard;
    if (context != 0 && w.SCardReleaseContext != nullptr) {
        w.SCardReleaseContext(context);
    }
    context = 0;
    if (w.SCardEstablishContext == nullptr) {
        return SCARD_E_NO_SERVICE;
    }
    const LONG result = w.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context);
    if (result != SCARD_S_SUCCESS) {
        context = 0;
    }
    return result;
}

} // namespace brontel
