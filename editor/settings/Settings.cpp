#include "Settings.h"

#include <algorithm>

namespace pelmora::velmet {
namespace {

void putInt32(uint8_t* at, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

int32_t getInt32(const uint8_t* at) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<uint32_t>(at[i]) << (8 * i);
    }
    return static_cast<int32_t>(bits);
}

} // namespace

std::array<uint8_t, FontSpec::kStoredSize> FontSpec::toBytes() const {
    std::array<uint8_t, kStoredSize> bytes{};
    const int32_t numbers[] = {height, width, escapement, orientation, weight};
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
        putInt32(&bytes[4 * i], numbers[i]);
    }
    const uint8_t flags[] = {italic,       underline,     strikeOut, charSet,
                             outPrecision, clipPrecision, quality,   pitchAndFamily};
    std::copy(std::begin(flags), std::end(flags), bytes.begin() + 20);
    for (std::size_t i = 0; i < faceName.size(); ++i) {
        bytes[28 + 2 * i] = static_cast<uint8_t>(faceName[i]);
        bytes[29 + 2 * i] = static_cast<uint8_t>(faceName[i] >> 8);
    }
    return bytes;
}

FontSpec FontSpec::fromBytes(const std::array<uint8_t, kStoredSize>& bytes) {
    FontSpec font;
    font.height = getInt32(&bytes[0]);
    font.width = getInt32(&bytes[4]);
    font.escapement = getInt32(&bytes[8]);
    font.orientation = getInt32(&bytes[12]);
    font.weight = getInt32(&bytes[16]);
    font.italic = bytes[20];
    font.underline = bytes[21];
    font.strikeOut = bytes[22];
    font.charSet = bytes[23];
    font.outPrecision = bytes[24];
    font.clipPrecision = bytes[25];
    font.quality = bytes[26];
    font.pitchAndFamily = bytes[27];
    for (std::size_t i = 0; i < font.faceName.size(); ++i) {
        font.faceName[i] = static_cast<char16_t>(bytes[28 + 2 * i] | bytes[29 + 2 * i] << 8);
    }
    return font;
}

std::u16string FontSpec::face() const {
    const auto end = std::find(faceName.begin(), faceName.end(), u'\0');
    return {faceName.begin(), end};
}

void FontSpec::setFace(std::u16string_view face) {
    faceName.fill(u'\0');
    std::copy_n(face.begin(), std::min(face.size(), faceName.size() - 1), faceName.begin());
}

FontSpec Settings::defaultButtonFont() {
    FontSpec font;
    font.height = -7; // 5 points at 96 dots per inch, rounded as MulDiv rounds
    font.setFace(u"MS Sans Serif");
    return font;
}

std::vector<std::pair<std::u16string, std::u16string>> Settings::defaultImageNames() {
    struct Image {
        const char16_t* key;
        const char16_t* file;
        bool disabled;
    };
    static constexpr Image kImages[] = {
        {u"NEW", u"new", false},       {u"OPEN", u"open", false},  {u"SAVE", u"save", false},
        {u"PRINT", u"print", false},   {u"READ", u"read", false},  {u"WRITE", u"write", false},
        {u"PIN", u"pin", false},       {u"UNDO", u"undo", true},   {u"REDO", u"redo", true},
        {u"CUT", u"cut", false},       {u"COPY", u"copy", false},  {u"PASTE", u"paste", true},
        {u"DELETE", u"delete", false}, {u"ADD", u"add", false},    {u"EDIT", u"edit", false},
        {u"UP", u"up", false},         {u"DOWN", u"down", false},  {u"SEARCH", u"search", true},
        {u"FONT", u"font", false},     {u"OK", u"ok", true},       {u"CANCEL", u"cancel", false},
        {u"BROWSE", u"browse", false}, {u"APPLY", u"apply", true}, {u"REPLACE", u"replace", true},
    };
    std::vector<std::pair<std::u16string, std::u16string>> names;
    for (const Image& image : kImages) {
        const std::u16string key = image.key;
        const std::u16string file = image.file;
        names.emplace_back(key + u"_SMALL", file + u"Small.png");
        names.emplace_back(key + u"_BIG", file + u"Big.png");
        if (image.disabled) {
            names.emplace_back(key + u"_DIS", file + u"Dis.png");
        }
    }
    names.emplace_back(u"BOX", u"box.png");
    names.emplace_back(u"FOCUS", u"focus.png");
    return names;
}

} // namespace pelmora::velmet
