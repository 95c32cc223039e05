#include "PcscErrorText.h"

#include <cstdio>

namespace virtualsim {

const char* pcscErrorText(LONG code) {
    switch (code) {
    case SCARD_S_SUCCESS:
        return "Command successful.";
    case SCARD_F_INTERNAL_ERROR:
        return "Internal error.";
    case SCARD_E_CANCELLED:
        return "Command cancelled.";
    case SCARD_E_INVALID_HANDLE:
        return "Invalid handle.";
    case SCARD_E_INVALID_PARAMETER:
        return "Invalid parameter given.";
    case SCARD_E_INVALID_TARGET:
        return "Invalid target given.";
    case SCARD_E_NO_MEMORY:
        return "Not enough memory.";
    case SCARD_F_WAITED_TOO_LONG:
        return "Waited too long.";
    case SCARD_E_INSUFFICIENT_BUFFER:
        return "Insufficient buffer.";
    case SCARD_E_UNKNOWN_READER:
        return "Unknown reader specified.";
    case SCARD_E_TIMEOUT:
        return "Command timeout.";
    case SCARD_E_SHARING_VIOLATION:
        return "Sharing violation.";
    case SCARD_E_NO_SMARTCARD:
        return "No smart card inserted.";
    case SCARD_E_UNKNOWN_CARD:
        return "Unknown card.";
    case SCARD_E_CANT_DISPOSE:
        return "Cannot dispose handle.";
    case SCARD_E_PROTO_MISMATCH:
        return "Card protocol mismatch.";
    case SCARD_E_NOT_READY:
        return "Subsystem not ready.";
    case SCARD_E_INVALID_VALUE:
        return "Invalid value given.";
    case SCARD_E_SYSTEM_CANCELLED:
        return "System cancelled.";
    case SCARD_F_COMM_ERROR:
        return "RPC transport error.";
    case SCARD_F_UNKNOWN_ERROR:
        return "Unknown error.";
    case SCARD_E_INVALID_ATR:
        return "Invalid ATR.";
    case SCARD_E_NOT_TRANSACTED:
        return "Transaction failed.";
    case SCARD_E_READER_UNAVAILABLE:
        return "Reader is unavailable.";
    case SCARD_P_SHUTDOWN:
        return "Resource manager shut down.";
    case SCARD_E_PCI_TOO_SMALL:
        return "PCI struct too small.";
    case SCARD_E_READER_UNSUPPORTED:
        return "Reader is unsupported.";
    case SCARD_E_DUPLICATE_READER:
        return "Reader already exists.";
    case SCARD_E_CARD_UNSUPPORTED:
        return "Card is unsupported.";
    case SCARD_E_NO_SERVICE:
        return "Service not available.";
    case SCARD_E_SERVICE_STOPPED:
        return "Service was stopped.";
    case SCARD_E_UNEXPECTED:
        return "Unexpected card error or feature not supported.";
    case SCARD_E_ICC_INSTALLATION:
        return "No primary provider for the card.";
    case SCARD_E_ICC_CREATEORDER:
        return "Order of object creation not supported.";
    case SCARD_E_DIR_NOT_FOUND:
        return "Directory not found on the card.";
    case SCARD_E_FILE_NOT_FOUND:
        return "File not found on the card.";
    case SCARD_E_NO_DIR:
        return "Path is not a directory.";
    case SCARD_E_NO_FILE:
        return "Path is not a file.";
    case SCARD_E_NO_ACCESS:
        return "Access denied to the file.";
    case SCARD_E_WRITE_TOO_MANY:
        return "Card memory full.";
    case SCARD_E_BAD_SEEK:
        return "File pointer error.";
    case SCARD_E_INVALID_CHV:
        return "Wrong PIN.";
    case SCARD_E_UNKNOWN_RES_MNG:
        return "Unknown error from a layered component.";
    case SCARD_E_NO_SUCH_CERTIFICATE:
        return "Certificate not found.";
    case SCARD_E_CERTIFICATE_UNAVAILABLE:
        return "Certificate unavailable.";
    case SCARD_E_NO_READERS_AVAILABLE:
        return "Cannot find a smart card reader.";
    case SCARD_E_COMM_DATA_LOST:
        return "Communication with the card failed; retry.";
    case SCARD_E_NO_KEY_CONTAINER:
        return "Key container not found.";
    case SCARD_E_SERVER_TOO_BUSY:
        return "Server too busy.";
    case SCARD_W_UNSUPPORTED_CARD:
        return "Card is not supported.";
    case SCARD_W_UNRESPONSIVE_CARD:
        return "Card is unresponsive.";
    case SCARD_W_UNPOWERED_CARD:
        return "Card is unpowered.";
    case SCARD_W_RESET_CARD:
        return "Card was reset.";
    case SCARD_W_REMOVED_CARD:
        return "Card was removed.";
    case SCARD_W_SECURITY_VIOLATION:
        return "Access denied.";
    case SCARD_W_WRONG_CHV:
        return "Wrong PIN presented.";
    case SCARD_W_CHV_BLOCKED:
        return "PIN blocked.";
    case SCARD_W_EOF:
        return "End of file.";
    case SCARD_W_CANCELLED_BY_USER:
        return "Cancelled by the user.";
    case SCARD_W_CARD_NOT_AUTHENTICATED:
        return "Card not authenticated.";
    default:
        break;
    }
    thread_local char unknown[40];
    std::snprintf(unknown, sizeof unknown, "Unknown error: 0x%08lX",
                  static_cast<unsigned long>(code));
    return unknown;
}

} // namespace virtualsim
