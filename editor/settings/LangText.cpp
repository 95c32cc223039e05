#include "LangText.h"

#include <algorithm>
#include <mutex>

namespace pelmora::velmet {
namespace {

struct Language {
    std::shared_ptr<const LanguageFile> file;
    std::u16string section = u"en";
};

std::mutex& languageMutex() {
    static std::mutex mutex;
    return mutex;
}

Language& installed() {
    static Language language;
    return language;
}

Language snapshot() {
    std::lock_guard lock(languageMutex());
    return installed();
}

} // namespace

void useLanguage(std::shared_ptr<const LanguageFile> file, std::u16string section) {
    std::lock_guard lock(languageMutex());
    installed() = Language{std::move(file), std::move(section)};
}

void useLanguageSection(std::u16string section) {
    std::lock_guard lock(languageMutex());
    installed().section = std::move(section);
}

std::shared_ptr<const LanguageFile> languageFile() {
    return snapshot().file;
}

std::u16string languageSection() {
    return snapshot().section;
}

const char16_t* getLangText(int number, std::span<const LangArg> args) {
    thread_local std::array<char16_t, kLangTextBufferSize> buffer{};
    const Language language = snapshot();
    std::u16string text;
    if (language.file) {
        text = formatLangText(language.file->text(number, language.section), args, kLangTextLength);
    }
    const std::size_t length = std::min(text.size(), kLangTextLength);
    std::copy_n(text.begin(), length, buffer.begin());
    buffer[length] = u'\0';
    return buffer.data();
}

const char16_t* getLangTextInto(int number, char16_t* dest, std::size_t size,
                                std::span<const LangArg> args) {
    const char16_t* text = getLangText(number, args);
    const std::size_t length = std::char_traits<char16_t>::length(text);
    if (dest == nullptr || length >= size) {
        return text;
    }
    std::copy_n(text, length + 1, dest);
    return dest;
}

} // namespace pelmora::velmet
