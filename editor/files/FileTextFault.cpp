#include "FileTextFault.h"

#include "LangText.h"

namespace pelmora::model {

namespace {

constexpr int kTextEndsMidLine = 450;
constexpr int kTextOpenQuote = 451;
constexpr int kTextLongLine = 452;
constexpr int kTextEndsMidCharacter = 453;

bool isLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// Line of the text at index: a CR LF pair counts as one line end.
size_t lineAt(std::u16string_view text, size_t index) {
    size_t line = 1;
    for (size_t i = 0; i < index && i < text.size(); ++i) {
        if (text[i] == u'\n' ||
            (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) {
            ++line;
        }
    }
    return line;
}

bool utf16ByteOrderMark(std::span<const uint8_t> bytes) {
    return bytes.size() >= 2 &&
           ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF));
}

} // namespace

std::optional<FileTextFault> cutFileFault(std::span<const uint8_t> bytes,
                                          std::u16string_view text) {
    if (utf16ByteOrderMark(bytes) && bytes.size() % 2 != 0) {
        return FileTextFault{lineAt(text, text.size()), kTextEndsMidCharacter};
    }
    if (!text.empty() && !isLineEnd(text.back())) {
        return FileTextFault{lineAt(text, text.size()), kTextEndsMidLine};
    }
    return std::nullopt;
}

std::optional<FileTextFault> csvTextFault(std::u16string_view text, char16_t separator) {
    size_t line = 1;
    size_t lineStart = 0;
    bool fieldStart = true;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isLineEnd(c)) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            ++line;
            lineStart = i + 1;
            fieldStart = true;
            continue;
        }
        if (i - lineStart >= kMaxCsvLineLength) {
            return FileTextFault{line, kTextLongLine};
        }
        if (c == separator) {
            fieldStart = true;
        } else if (c == u'"' && fieldStart) {
            // A quoted field runs to its closing quote, across line ends.
            const size_t opened = line;
            size_t j = i + 1;
            for (;; ++j) {
                if (j >= text.size()) {
                    return FileTextFault{opened, kTextOpenQuote};
                }
                if (text[j] == u'"') {
                    if (j + 1 < text.size() && text[j + 1] == u'"') {
                        ++j;
                        continue;
                    }
                    break;
                }
            }
            line += lineAt(text.substr(i, j - i), j - i) - 1;
            const size_t lastEnd = text.substr(0, j).find_last_of(u"\r\n");
            if (lastEnd != std::u16string_view::npos && lastEnd > i) {
                lineStart = lastEnd + 1;
            }
            if (j - lineStart >= kMaxCsvLineLength) {
                return FileTextFault{line, kTextLongLine};
            }
            i = j;
            fieldStart = false;
        } else if (c != u' ' && c != u'\t') {
            fieldStart = false;
        }
    }
    return std::nullopt;
}

std::u16string faultMessage(const FileTextFault& fault, std::u16string_view file) {
    if (fault.text == kTextLongLine) {
        return velmet::langText(fault.text, file, fault.line, kMaxCsvLineLength);
    }
    return velmet::langText(fault.text, file, fault.line);
}

} // namespace pelmora::model
