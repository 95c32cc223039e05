#include "frame/ReaderList.h"

#include "pcsc/Winscard.h"

#include "CodePage.h"

#include <string_view>
#include <vector>

namespace brontel {

namespace {

// 2048 UTF-16 characters of names; pcsc-lite answers in UTF-8, up to three
// bytes for each of them.
constexpr size_t kListCharacters = 2048;
constexpr size_t kListBytes = kListCharacters * 3;

} // namespace

std::optional<std::u16string> readerAt(SCARDCONTEXT context, uint32_t index, LONG& result) {
    result = SCARD_E_NO_SERVICE;
    if (winscard.SCardListReaders == nullptr) {
        return std::nullopt;
    }
    std::vector<char> list(kListBytes, '\0');
    DWORD length = kListBytes - 1;
    result = winscard.SCardListReaders(context, nullptr, list.data(), &length);
    if (result != SCARD_S_SUCCESS) {
        return std::nullopt;
    }
    // The answer is trusted no further than the buffer: the last byte stays NUL.
    std::string_view rest(list.data(), std::min<size_t>(length, kListBytes - 1));
    for (uint32_t position = 0;; ++position) {
        const size_t end = rest.find('\0');
        const std::string_view name = rest.substr(0, end);
        if (name.empty()) {
            return std::nullopt;
        }
        if (position == index) {
            return pelmora::platform::fromUtf8(name);
        }
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        rest.remove_prefix(end + 1);
    }
}

} // namespace brontel
