#include "SettingsFile.h"

#include "CodePage.h"
#include "DiagnosticLogSwitch.h"
#include "Folders.h"
#include "LangText.h"
#include "LocaleLanguage.h"
#include "PrivateProfile.h"
#include "ProfileDocument.h"

#include <algorithm>
#include <cstdlib>

namespace pelmora::velmet {
namespace {

constexpr char16_t kSection[] = u"Options";

struct BoolKey {
    const char16_t* key;
    bool Settings::*member;
};
constexpr BoolKey kBoolKeys[] = {
    {u"SHOW_PIN", &Settings::showPin},
    {u"MATCH_CASE", &Settings::matchCase},
    {u"MATCH_WORD", &Settings::matchWord},
    {u"SAVEWINDOWPOS", &Settings::saveWindowPos},
    {u"PRINTSOURCE", &Settings::printSource},
    {u"PRINTPRGNAME", &Settings::printProgramName},
    {u"PRINTDATA", &Settings::printDate},
    {u"PRINTPAGES", &Settings::printPages},
    {u"SHOW_BUTTON_TEXT", &Settings::showButtonText},
    {u"SAVE_CSV_ANSI", &Settings::saveCsvAnsi},
    {u"SIM_RW_ALL", &Settings::simReadWriteAll},
    {u"SIM_SAVE_UPDATED_ONLY", &Settings::simSaveUpdatedOnly},
    {u"ALLOW_EMPTY_NAME_CONTACTS", &Settings::allowEmptyNameContacts},
    {u"SAVE_ONLY_ADN_CSV", &Settings::saveOnlyAdnCsv},
    {u"SIM_WITHOUT_HOLES", &Settings::simWithoutHoles},
    {u"SHOW_DELETED_SMS", &Settings::showDeletedSms},
    {u"VERIFY_AFTER_WRITE", &Settings::verifyAfterWrite},
};

// Texts whose default is a fixed value of the record.
struct TextKey {
    const char16_t* key;
    std::u16string Settings::*member;
    std::size_t maxLength;
};
constexpr TextKey kTextKeys[] = {
    {u"LANGSECTION", &Settings::languageSection, kLanguageSectionLength},
    {u"SEARCH_STR", &Settings::searchText, kShortPathLength},
    {u"REPLACE_STR", &Settings::replaceText, kShortPathLength},
    {u"LIST_SEPARATOR", &Settings::listSeparator, kSeparatorLength},
    {u"PRINTTITLE", &Settings::printTitle, kShortPathLength},
    {u"FILTER", &Settings::filter, kPatternLength},
    {u"DEFEXT", &Settings::defaultExtension, kPatternLength},
    {u"DEFBKPEXT", &Settings::backupExtension, kPatternLength},
    {u"DEFIMGEXT", &Settings::imageExtensions, kPatternLength},
};

struct IconKey {
    const char16_t* key;
    int IconNumbers::*member;
};
constexpr IconKey kIconKeys[] = {
    {u"NEW_ICON", &IconNumbers::newIcon},       {u"OPEN_ICON", &IconNumbers::openIcon},
    {u"SAVE_ICON", &IconNumbers::saveIcon},     {u"PRINT_ICON", &IconNumbers::printIcon},
    {u"READ_ICON", &IconNumbers::readIcon},     {u"WRITE_ICON", &IconNumbers::writeIcon},
    {u"PIN_ICON", &IconNumbers::pinIcon},       {u"UNDO_ICON", &IconNumbers::undoIcon},
    {u"REDO_ICON", &IconNumbers::redoIcon},     {u"CUT_ICON", &IconNumbers::cutIcon},
    {u"COPY_ICON", &IconNumbers::copyIcon},     {u"PASTE_ICON", &IconNumbers::pasteIcon},
    {u"DELETE_ICON", &IconNumbers::deleteIcon}, {u"ADD_ICON", &IconNumbers::addIcon},
    {u"EDIT_ICON", &IconNumbers::editIcon},     {u"UP_ICON", &IconNumbers::upIcon},
    {u"DOWN_ICON", &IconNumbers::downIcon},     {u"SEARCH_ICON", &IconNumbers::searchIcon},
    {u"FONT_ICON", &IconNumbers::fontIcon},     {u"CARD_ICON", &IconNumbers::cardIcon},
    {u"BOOK_ICON", &IconNumbers::bookIcon},     {u"LBOOK_ICON", &IconNumbers::lbookIcon},
    {u"FBOOK_ICON", &IconNumbers::fbookIcon},   {u"SETTINGS_ICON", &IconNumbers::settingsIcon},
};

struct CapacityKey {
    const char16_t* key;
    int Capacities::*member;
};
constexpr CapacityKey kCapacityKeys[] = {
    {u"NLEN", &Capacities::nextel}, {u"ADNLEN", &Capacities::adn}, {u"OWNLEN", &Capacities::own},
    {u"LDNLEN", &Capacities::ldn},  {u"FDNLEN", &Capacities::fdn}, {u"BDNLEN", &Capacities::bdn},
    {u"SDNLEN", &Capacities::sdn},  {u"SMSLEN", &Capacities::sms},
};

std::u16string toText(const std::filesystem::path& path) {
    return platform::fromUtf8(path.string());
}
std::filesystem::path toPath(std::u16string_view text) {
    return platform::toUtf8(text);
}

bool isFile(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::u16string decimal(int value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

// Reads through the profile document, and numbers through the profile
// functions so that they parse exactly as the platform's integer reader does.
class Reader {
public:
    explicit Reader(const std::filesystem::path& file)
        : m_document(platform::ProfileDocument::load(file)), m_fileName(toText(file)) {}

    // A missing key gives the fallback; a value is cut to maxLength.
    std::u16string text(const char16_t* key, std::size_t maxLength,
                        std::u16string_view fallback) const {
        std::u16string value = m_document.value(kSection, key).value_or(std::u16string(fallback));
        if (value.size() > maxLength) {
            value.resize(maxLength);
        }
        return value;
    }

    [[nodiscard]] bool has(const char16_t* key) const {
        return m_document.value(kSection, key).has_value();
    }

    int32_t number(const char16_t* key, int32_t fallback) const {
        return static_cast<int32_t>(
            platform::GetPrivateProfileInt(kSection, key, fallback, m_fileName.c_str()));
    }

    template <std::size_t N>
    std::optional<std::array<uint8_t, N>> structure(const char16_t* key) const {
        const auto bytes = m_document.structValue(kSection, key, N);
        if (!bytes || bytes->size() != N) {
            return std::nullopt;
        }
        std::array<uint8_t, N> out{};
        std::copy(bytes->begin(), bytes->end(), out.begin());
        return out;
    }

private:
    platform::ProfileDocument m_document;
    std::u16string m_fileName;
};

WindowRect rectFromBytes(const std::array<uint8_t, 16>& bytes) {
    auto at = [&](int i) {
        return static_cast<int32_t>(static_cast<uint32_t>(bytes[4 * i]) |
                                    static_cast<uint32_t>(bytes[4 * i + 1]) << 8 |
                                    static_cast<uint32_t>(bytes[4 * i + 2]) << 16 |
                                    static_cast<uint32_t>(bytes[4 * i + 3]) << 24);
    };
    return {at(0), at(1), at(2), at(3)};
}

std::array<uint8_t, 16> rectToBytes(const WindowRect& rect) {
    std::array<uint8_t, 16> bytes{};
    const int32_t values[] = {rect.left, rect.top, rect.right, rect.bottom};
    for (int i = 0; i < 4; ++i) {
        const auto bits = static_cast<uint32_t>(values[i]);
        for (int b = 0; b < 4; ++b) {
            bytes[4 * i + b] = static_cast<uint8_t>(bits >> (8 * b));
        }
    }
    return bytes;
}

std::array<uint8_t, 4> colorToBytes(ColorValue color) {
    return {static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
            static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 24)};
}

ColorValue colorFromBytes(const std::array<uint8_t, 4>& bytes) {
    return static_cast<ColorValue>(bytes[0]) | static_cast<ColorValue>(bytes[1]) << 8 |
           static_cast<ColorValue>(bytes[2]) << 16 | static_cast<ColorValue>(bytes[3]) << 24;
}

// The language file: beside the settings file, else beside the program, else
// in the installed data folder; the first place when it is nowhere.
std::filesystem::path findLanguageFile(const std::filesystem::path& name,
                                       const SettingsPlaces& places,
                                       const std::filesystem::path& programFolder) {
    if (name.is_absolute()) {
        return name;
    }
    const std::filesystem::path candidates[] = {places.settingsFile.parent_path() / name,
                                                programFolder / name, places.dataFolder / name};
    for (const auto& candidate : candidates) {
        if (isFile(candidate)) {
            return candidate;
        }
    }
    return candidates[0];
}

// A stored path that is empty, relative or names no file falls back.
std::u16string existingOr(const std::u16string& value, const std::filesystem::path& fallback) {
    const std::filesystem::path path = toPath(value);
    return !value.empty() && path.is_absolute() && isFile(path) ? value : toText(fallback);
}

// A file the program ships: beside the program, else in the installed data
// folder; where neither has it, the place beside the program.
std::filesystem::path shippedFile(const char* name, const std::filesystem::path& dataFolder,
                                  const std::filesystem::path& programFolder) {
    const std::filesystem::path besideProgram = programFolder / name;
    return !isFile(besideProgram) && isFile(dataFolder / name) ? dataFolder / name : besideProgram;
}

} // namespace

SettingsPlaces SettingsPlaces::forRunningProgram() {
    SettingsPlaces places;
    places.program = platform::programPath();
    std::filesystem::path name = places.program.filename();
    if (name.empty()) {
        places.settingsFile = "Velmet.ini";
    } else {
        name.replace_extension(".ini");
        places.settingsFile = platform::settingsFile(name.string(), places.program.parent_path());
    }
    const char* home = std::getenv("HOME");
    const std::filesystem::path homeFolder = home ? home : "";
    std::error_code error;
    places.documents = std::filesystem::is_directory(homeFolder / "Documents", error)
                           ? homeFolder / "Documents"
                           : homeFolder;
    places.dataFolder = platform::installedDataFolder();
    return places;
}

Settings loadSettings(const SettingsPlaces& places) {
    const Settings defaults;
    Settings settings;
    settings.settingsFile = places.settingsFile;
    const std::filesystem::path programFolder = places.program.parent_path();
    const Reader file(places.settingsFile);

    settings.languageFileName = file.text(u"LANG", kPathLength, u"lang.ini");
    if (settings.languageFileName.empty()) {
        settings.languageFileName = u"lang.ini";
    }
    settings.languageFile =
        findLanguageFile(toPath(settings.languageFileName), places, programFolder);
    for (const TextKey& key : kTextKeys) {
        settings.*key.member = file.text(key.key, key.maxLength, defaults.*key.member);
    }
    auto language = std::make_shared<LanguageFile>(LanguageFile::load(settings.languageFile));
    if (!file.has(u"LANGSECTION")) {
        settings.languageSection = languageSectionForUserLocale(*language);
    }
    settings.backupFolder = file.text(u"BACKUP", kPathLength, toText(places.documents));

    settings.operatorList = existingOr(file.text(u"PLMN", kPathLength, u""),
                                       shippedFile("plmn.ini", places.dataFolder, programFolder));
    settings.resourceFile =
        existingOr(file.text(u"RES", kShortPathLength, u""),
                   shippedFile("velmet_res.rcc", places.dataFolder, programFolder));
    settings.printLogo = file.text(u"PRINTLOGO", kShortPathLength, toText(places.program));
    settings.initialFolder = file.text(u"INITFILEDIR", kPathLength,
                                       programFolder.empty() ? u"" : toText(programFolder / ""));

    for (const BoolKey& key : kBoolKeys) {
        settings.*key.member = file.number(key.key, defaults.*key.member ? 1 : 0) != 0;
    }
    settings.enableLog = file.number(u"ENABLE_LOG", 0) == 1;
    for (const IconKey& key : kIconKeys) {
        settings.icons.*key.member = file.number(key.key, defaults.icons.*key.member);
    }
    for (const CapacityKey& key : kCapacityKeys) {
        const int32_t value = file.number(key.key, defaults.capacities.*key.member);
        settings.capacities.*key.member = std::clamp(value, 0, kMaxCapacity);
    }

    if (settings.saveWindowPos) {
        for (std::size_t i = 0; i < kWindowKeyCount; ++i) {
            if (const auto bytes = file.structure<16>(kWindowKeyNames[i])) {
                settings.windows[i] = rectFromBytes(*bytes);
            }
        }
    }
    if (const auto bytes = file.structure<FontSpec::kStoredSize>(u"FONT")) {
        settings.font = FontSpec::fromBytes(*bytes);
    }
    if (const auto bytes = file.structure<4>(u"COLOR")) {
        settings.color = colorFromBytes(*bytes);
    }
    if (const auto bytes = file.structure<FontSpec::kStoredSize>(u"BTN_FONT")) {
        settings.buttonFont = FontSpec::fromBytes(*bytes);
    }
    if (const auto bytes = file.structure<4>(u"BTN_COLOR")) {
        settings.buttonColor = colorFromBytes(*bytes);
    }
    for (auto& [key, name] : settings.imageNames) {
        name = file.text(key.c_str(), kPathLength, name);
    }

    useLanguage(std::move(language), settings.languageSection);
    settings.newDocumentName = GetLangText(142);
    if (settings.enableLog) {
        switchDiagnosticLogsOn(false);
    }
    return settings;
}

std::optional<std::string> saveSettings(const Settings& settings) {
    std::error_code error;
    platform::ProfileDocument file = platform::ProfileDocument::load(settings.settingsFile, error);
    if (error) {
        return "cannot read " + settings.settingsFile.string() + ": " + error.message();
    }
    auto set = [&](std::u16string_view key, std::u16string_view value) {
        file.setValue(kSection, key, value);
    };
    auto setBool = [&](std::u16string_view key, bool value) { set(key, value ? u"1" : u"0"); };

    const std::filesystem::path languageName = toPath(settings.languageFileName);
    set(u"LANG",
        languageName.is_absolute() ? toText(languageName.filename()) : settings.languageFileName);
    set(u"BACKUP", settings.backupFolder);
    set(u"PLMN", settings.operatorList);
    set(u"RES", settings.resourceFile);
    set(u"PRINTLOGO", settings.printLogo);
    set(u"INITFILEDIR", settings.initialFolder);
    for (const TextKey& key : kTextKeys) {
        set(key.key, settings.*key.member);
    }
    for (const BoolKey& key : kBoolKeys) {
        setBool(key.key, settings.*key.member);
    }
    setBool(u"ENABLE_LOG", settings.enableLog);
    set(u"_SHOW_WIN_GUI_", u"0");
    for (const IconKey& key : kIconKeys) {
        set(key.key, decimal(settings.icons.*key.member));
    }
    for (const CapacityKey& key : kCapacityKeys) {
        set(key.key, decimal(settings.capacities.*key.member));
    }
    for (std::size_t i = 0; i < kWindowKeyCount; ++i) {
        file.setStructValue(kSection, kWindowKeyNames[i], rectToBytes(settings.windows[i]));
    }
    if (settings.font) {
        file.setStructValue(kSection, u"FONT", settings.font->toBytes());
    }
    file.setStructValue(kSection, u"COLOR", colorToBytes(settings.color));
    file.setStructValue(kSection, u"BTN_FONT", settings.buttonFont.toBytes());
    file.setStructValue(kSection, u"BTN_COLOR", colorToBytes(settings.buttonColor));
    for (const auto& [key, name] : settings.imageNames) {
        set(key, name);
    }
    return file.save(settings.settingsFile);
}

} // namespace pelmora::velmet
