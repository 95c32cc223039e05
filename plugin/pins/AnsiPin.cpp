#include "pins/AnsiPin.h"

#include "SecureZero.h"

#include "CodePage.h"

#include <algorithm>
#include <string>

namespace brontel {

AnsiPin::AnsiPin(const char16_t* text) {
    if (text == nullptr) {
        return;
    }
    std::u16string_view view(text);
    // Nothing past the eighth character can reach the eight bytes.
    view = view.substr(0, kMaxBytes);
    std::string converted;
    try {
        converted = pelmora::platform::toAnsi(view);
    } catch (...) {
        pelmora::platform::secureZero(converted.data(), converted.capacity());
        throw;
    }
    std::copy_n(converted.begin(), std::min(converted.size(), kMaxBytes), m_bytes.begin());
    pelmora::platform::secureZero(converted.data(), converted.capacity());
}

AnsiPin::~AnsiPin() {
    pelmora::platform::secureZero(m_bytes.data(), m_bytes.size());
}

} // namespace brontel
