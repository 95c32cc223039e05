#include "PrivateProfile.h"

#include "CodePage.h"
#include "ProfileDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace pelmora::platform {
namespace {

std::filesystem::path toPath(const char16_t* fileName) {
    return std::filesystem::path(toUtf8(fileName));
}

// Copies a single string, cut to fit; returns the characters copied.
uint32_t copyString(std::u16string_view text, char16_t* buffer, uint32_t size) {
    if (size == 0) {
        return 0;
    }
    const auto count = static_cast<uint32_t>(std::min<size_t>(text.size(), size - 1));
    std::copy_n(text.data(), count, buffer);
    buffer[count] = 0;
    return count;
}

// Copies names as "a\0b\0\0"; a list that does not fit ends "\0\0" after as
// much as fits, and the result is then size - 2.
uint32_t copyList(const std::vector<std::u16string>& names, char16_t* buffer, uint32_t size) {
    std::u16string list;
    for (const std::u16string& name : names) {
        list.append(name);
        list.push_back(0);
    }
    if (size == 0) {
        return 0;
    }
    if (list.empty()) {
        buffer[0] = 0;
        if (size > 1) {
            buffer[1] = 0;
        }
        return 0;
    }
    if (list.size() + 1 <= size) {
        std::copy(list.begin(), list.end(), buffer);
        buffer[list.size()] = 0;
        return static_cast<uint32_t>(list.size());
    }
    if (size < 2) {
        buffer[0] = 0;
        return 0;
    }
    std::copy_n(list.data(), size - 2, buffer);
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    return size - 2;
}

// Loads the document to change; false (errno set) when an existing file could
// not be read, because writing then would throw its contents away.
bool loadForWriting(const std::filesystem::path& file, ProfileDocument& document) {
    std::error_code error;
    document = ProfileDocument::load(file, error);
    if (error) {
        errno = error.value();
        return false;
    }
    return true;
}

int saveDocument(const ProfileDocument& document, const std::filesystem::path& file) {
    return document.save(file) ? 0 : 1;
}

} // namespace

uint32_t GetPrivateProfileString(const char16_t* section, const char16_t* key,
                                 const char16_t* defaultValue, char16_t* buffer, uint32_t size,
                                 const char16_t* fileName) {
    if (!buffer || !fileName) {
        return 0;
    }
    const ProfileDocument document = ProfileDocument::load(toPath(fileName));
    if (!section) {
        return copyList(document.sectionNames(), buffer, size);
    }
    if (!key) {
        return copyList(document.keyNames(section), buffer, size);
    }
    if (const auto value = document.value(section, key)) {
        return copyString(*value, buffer, size);
    }
    std::u16string_view fallback = defaultValue ? defaultValue : u"";
    while (!fallback.empty() && (fallback.back() == u' ' || fallback.back() == u'\t')) {
        fallback.remove_suffix(1);
    }
    return copyString(fallback, buffer, size);
}

uint32_t GetPrivateProfileInt(const char16_t* section, const char16_t* key, int32_t defaultValue,
                              const char16_t* fileName) {
    if (!section || !key || !fileName) {
        return static_cast<uint32_t>(defaultValue);
    }
    const auto value = ProfileDocument::load(toPath(fileName)).value(section, key);
    if (!value || value->empty()) {
        return static_cast<uint32_t>(defaultValue);
    }
    std::u16string_view text = *value;
    bool negative = false;
    if (text.starts_with(u'-') || text.starts_with(u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    uint32_t base = 10;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint32_t result = 0; // wraps modulo 2^32 like the original
    for (char16_t c : text) {
        uint32_t digit = 0;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (base == 16 && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (base == 16 && c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            break;
        }
        result = result * base + digit;
    }
    return negative ? 0u - result : result;
}

int WritePrivateProfileString(const char16_t* section, const char16_t* key, const char16_t* value,
                              const char16_t* fileName) {
    if (!fileName) {
        errno = EINVAL;
        return 0;
    }
    if (!section) {
        // All three null asks to flush a cache; there is none.
        if (!key && !value) {
            return 1;
        }
        errno = EINVAL;
        return 0;
    }
    const std::filesystem::path file = toPath(fileName);
    ProfileDocument document;
    if (!loadForWriting(file, document)) {
        return 0;
    }
    if (key && value) {
        document.setValue(section, key, value);
        return saveDocument(document, file);
    }
    // Deleting what is not there leaves the file alone (and creates none).
    const std::vector<uint8_t> before = document.serialize();
    if (key) {
        document.removeKey(section, key);
    } else {
        document.removeSection(section);
    }
    if (document.serialize() == before) {
        return 1;
    }
    return saveDocument(document, file);
}

int GetPrivateProfileStruct(const char16_t* section, const char16_t* key, void* data, uint32_t size,
                            const char16_t* fileName) {
    if (!section || !key || !data || !fileName) {
        return 0;
    }
    const auto bytes = ProfileDocument::load(toPath(fileName)).structValue(section, key, size);
    if (!bytes) {
        return 0;
    }
    std::memcpy(data, bytes->data(), bytes->size());
    return 1;
}

int WritePrivateProfileStruct(const char16_t* section, const char16_t* key, const void* data,
                              uint32_t size, const char16_t* fileName) {
    if (!section || !key || !fileName) {
        errno = EINVAL;
        return 0;
    }
    if (!data) {
        return WritePrivateProfileString(section, key, nullptr, fileName);
    }
    const std::filesystem::path file = toPath(fileName);
    ProfileDocument document;
    if (!loadForWriting(file, document)) {
        return 0;
    }
    document.setStructValue(section, key, {static_cast<const uint8_t*>(data), size});
    return saveDocument(document, file);
}

} // namespace pelmora::platform
