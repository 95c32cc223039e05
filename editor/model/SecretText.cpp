#include "SecretText.h"

#include "SecureZero.h"

#include <algorithm>

namespace pelmora::model {

void SecretText::assign(std::u16string_view text) {
    clear();
    m_size = std::min(text.size(), kCapacity);
    std::copy_n(text.begin(), m_size, m_text.begin());
    m_present = true;
}

void SecretText::clear() {
    platform::secureZero(m_text.data(), sizeof m_text);
    m_size = 0;
    m_present = false;
}

} // namespace pelmora::model
