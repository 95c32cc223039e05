#include "pcsc/ErrorText.h"

#include "CodePage.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace brontel {

namespace {

struct CodeText {
    uint32_t code;
    const char* text;
};

constexpr std::array kPcscTexts{
    CodeText{0x00000000, "No error was encountered."},
    CodeText{0x80100001, "An internal consistency check failed."},
    CodeText{0x80100002, "The action was canceled by an SCardCancel request."},
    CodeText{0x80100003, "The supplied handle was invalid."},
    CodeText{0x80100004,
             "One or more of the supplied parameters could not be properly interpreted."},
    CodeText{0x80100005, "Registry startup information is missing or invalid."},
    CodeText{0x80100006, "Not enough memory available to complete this command."},
    CodeText{0x80100007, "An internal consistency timer has expired."},
    CodeText{0x80100008, "The data buffer for returned data is too small for the returned data."},
    CodeText{0x80100009, "The specified reader name is not recognized."},
    CodeText{0x8010000A, "The user-specified timeout value has expired."},
    CodeText{0x8010000B,
             "The smart card cannot be accessed because of other outstanding connections."},
    CodeText{0x8010000C,
             "The operation requires a smart card, but no smart card is currently in the device."},
    CodeText{0x8010000D, "The specified smart card name is not recognized."},
    CodeText{0x8010000E, "The system could not dispose of the media in the requested manner."},
    CodeText{0x8010000F, "The requested protocols are incompatible with the protocol currently in "
                         "use with the card."},
    CodeText{0x80100010, "The reader or card is not ready to accept commands."},
    CodeText{0x80100011,
             "One or more of the supplied parameter values could not be properly interpreted."},
    CodeText{0x80100012,
             "The action was canceled by the system, presumably to log off or shut down."},
    CodeText{0x80100013, "An internal communications error has been detected."},
    CodeText{0x80100014, "An internal error has been detected, but the source is unknown."},
    CodeText{0x80100015, "An ATR string obtained from the registry is not a valid ATR string."},
    CodeText{0x80100016, "An attempt was made to end a non-existent transaction."},
    CodeText{0x80100017, "The specified reader is not currently available for use."},
    CodeText{0x80100018, "The operation has been aborted to allow the server application to exit."},
    CodeText{0x80100019, "The PCI receive buffer was too small."},
    CodeText{0x8010001A, "The reader driver does not meet minimal requirements for support."},
    CodeText{0x8010001B, "The reader driver didn't produce a unique reader name."},
    CodeText{0x8010001C, "The smart card does not meet minimal requirements for support."},
    CodeText{0x8010001D, "The smart card resource manager is not running."},
    CodeText{0x8010001E, "The smart card resource manager has shut down."},
    CodeText{0x8010001F, "An unexpected card error has occurred."},
    CodeText{0x80100020, "No primary provider can be found for the smart card."},
    CodeText{0x80100021, "The requested order of object creation is not supported."},
    CodeText{0x80100022, "This smart card does not support the requested feature."},
    CodeText{0x80100023, "The specified directory does not exist in the smart card."},
    CodeText{0x80100024, "The specified file does not exist in the smart card."},
    CodeText{0x80100025, "The supplied path does not represent a smart card directory."},
    CodeText{0x80100026, "The supplied path does not represent a smart card file."},
    CodeText{0x80100027, "Access is denied to the file."},
    CodeText{0x80100028,
             "An attempt was made to write more data than would fit in the target object."},
    CodeText{0x80100029, "An error occurred in setting the smart card file object pointer."},
    CodeText{0x8010002A, "The supplied PIN is incorrect."},
    CodeText{0x8010002B, "An unrecognized error code was returned from a layered component."},
    CodeText{0x8010002C, "The requested certificate does not exist."},
    CodeText{0x8010002D, "The requested certificate could not be obtained."},
    CodeText{0x8010002E, "No smart card reader is available."},
    CodeText{0x8010002F, "A communications error with the smart card has been detected."},
    CodeText{0x80100065, "The reader cannot communicate with the card, due to ATR string "
                         "configuration conflicts."},
    CodeText{0x80100066, "The smart card is not responding to a reset."},
    CodeText{0x80100067, "Power has been removed from the smart card, so that further "
                         "communication is not possible."},
    CodeText{0x80100068,
             "The smart card has been reset, so any shared state information is invalid."},
    CodeText{0x80100069, "The smart card has been removed, so that further communication is not "
                         "possible."},
    CodeText{0x8010006A, "Access was denied because of a security violation."},
    CodeText{0x8010006B, "The card cannot be accessed because the wrong PIN was presented."},
    CodeText{0x8010006C, "The card cannot be accessed because the maximum number of PIN entry "
                         "attempts has been reached."},
    CodeText{0x8010006D, "The end of the smart card file has been reached."},
    CodeText{0x8010006E, "The action was cancelled by the user."},
};

constexpr size_t kSystemTextCapacity = 1024;

std::u16string g_lastPcscErrorText;

const char* pcscText(uint32_t code) {
    const auto* row = std::find_if(kPcscTexts.begin(), kPcscTexts.end(),
                                   [code](const CodeText& r) { return r.code == code; });
    return row == kPcscTexts.end() ? "Unknown error!" : row->text;
}

// strerror_r comes in a GNU and an XSI form; both end up here.
[[maybe_unused]] const char* messageOf(const char* gnuResult, const char*) {
    return gnuResult;
}
[[maybe_unused]] const char* messageOf(int xsiResult, const char* buffer) {
    return xsiResult == 0 ? buffer : "Unknown error";
}

} // namespace

std::u16string pcsc_error_text(int32_t code) {
    const int lastError = errno;
    char line[300];
    std::snprintf(line, sizeof line, "%s ErrorCode:%u", pcscText(static_cast<uint32_t>(code)),
                  static_cast<unsigned>(lastError));
    g_lastPcscErrorText = pelmora::platform::fromUtf8(line);
    errno = lastError;
    return g_lastPcscErrorText;
}

std::u16string last_pcsc_error_text() {
    return g_lastPcscErrorText;
}

std::u16string system_error_text(int32_t code) {
    if (code == 0) {
        code = errno;
    }
    char buffer[kSystemTextCapacity] = {};
    const char* message = messageOf(strerror_r(code, buffer, sizeof buffer), buffer);
    std::u16string text = pelmora::platform::fromUtf8("errcode: " + std::to_string(code) + " " +
                                                      std::string(message));
    if (text.size() > kSystemTextCapacity - 1) {
        text.resize(kSystemTextCapacity - 1);
    }
    return text;
}

} // namespace brontel
