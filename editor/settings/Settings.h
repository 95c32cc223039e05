#pragma once
// The editor's preferences: one record, loaded from its INI file once at
// start-up and written back once at exit. Keys live in section "Options".

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pelmora::velmet {

// A screen rectangle as stored: four 32-bit signed values, little-endian.
struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// A font description with the field layout of a Windows LOGFONTW (92 bytes),
// so that stored fonts stay interchangeable.
struct FontSpec {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::array<char16_t, 32> faceName{}; // null-terminated unless all 32 are used

    static constexpr std::size_t kStoredSize = 92;
    [[nodiscard]] std::array<uint8_t, kStoredSize> toBytes() const;
    [[nodiscard]] static FontSpec fromBytes(const std::array<uint8_t, kStoredSize>& bytes);
    [[nodiscard]] std::u16string face() const;
    void setFace(std::u16string_view face);
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Colours are stored as a 4-byte 0x00BBGGRR value.
using ColorValue = uint32_t;

// The remembered dialog rectangles, in the order of their keys.
enum class WindowKey {
    Main,
    Pin,
    ChangePin,
    UnblockPin,
    SimInfo,
    FileInfo,
    Search,
    Edit,
    EditNextel,
    Date,
    Print,
    Options,
    SelectReaders,
};
inline constexpr std::size_t kWindowKeyCount = 13;
inline constexpr std::array<const char16_t*, kWindowKeyCount> kWindowKeyNames = {
    u"MAINWND",  u"PINWND",     u"CPINWND",      u"UPINWND",       u"SIMIWND",
    u"FILEIWND", u"SEARCHWND",  u"EDITWND",      u"EDITNEXTELWND", u"DATEWND",
    u"PRINTWND", u"OPTIONSWND", u"SELREADERSWND"};

// Icon numbers in the resource bundle.
struct IconNumbers {
    int newIcon = 3, openIcon = 4, saveIcon = 5, printIcon = 6;
    int readIcon = 19, writeIcon = 18, pinIcon = 16;
    int undoIcon = 24, redoIcon = 25;
    int cutIcon = 7, copyIcon = 8, pasteIcon = 9, deleteIcon = 10;
    int addIcon = 11, editIcon = 12, upIcon = 13, downIcon = 14, searchIcon = 15;
    int fontIcon = 22;
    int cardIcon = 2, bookIcon = 17, lbookIcon = 20, fbookIcon = 21;
    int settingsIcon = 23;
    friend bool operator==(const IconNumbers&, const IconNumbers&) = default;
};

// Slots of each category of a new document.
struct Capacities {
    int nextel = 600, adn = 300, own = 10, ldn = 20, fdn = 20, bdn = 20, sdn = 20, sms = 30;
    friend bool operator==(const Capacities&, const Capacities&) = default;
};

// Longest stored texts, in characters (the buffers of the stored format
// less their terminating null).
inline constexpr std::size_t kPathLength = 770;
inline constexpr std::size_t kShortPathLength = 259;
inline constexpr std::size_t kPatternLength = 255;
inline constexpr std::size_t kSeparatorLength = 4;

// Highest slot count of a category; larger stored capacities are cut to it.
inline constexpr int kMaxCapacity = 65535;

struct Settings {
    // Not stored.
    std::u16string title = u"Pelmora 2";
    std::filesystem::path settingsFile;
    std::filesystem::path languageFile;
    bool toolbarMode = true;        // always on at start-up, never saved
    std::u16string newDocumentName; // text 142, looked up at load

    // Stored under their keys.
    std::u16string languageFileName = u"lang.ini"; // LANG
    std::u16string languageSection = u"en";        // LANGSECTION
    std::u16string backupFolder;                   // BACKUP
    std::u16string operatorList;                   // PLMN
    bool showPin = false;                          // SHOW_PIN
    bool matchCase = false;                        // MATCH_CASE
    bool matchWord = false;                        // MATCH_WORD
    std::u16string searchText;                     // SEARCH_STR
    std::u16string replaceText;                    // REPLACE_STR
    std::u16string listSeparator = u",";           // LIST_SEPARATOR
    bool saveWindowPos = true;                     // SAVEWINDOWPOS
    std::array<WindowRect, kWindowKeyCount> windows{};
    std::u16string resourceFile; // RES
    IconNumbers icons;
    std::vector<std::pair<std::u16string, std::u16string>> imageNames = defaultImageNames();
    std::optional<FontSpec> font;                    // FONT
    ColorValue color = 0;                            // COLOR
    bool printSource = true;                         // PRINTSOURCE
    bool printProgramName = true;                    // PRINTPRGNAME
    bool printDate = true;                           // PRINTDATA
    bool printPages = true;                          // PRINTPAGES
    std::u16string printTitle;                       // PRINTTITLE
    std::u16string printLogo;                        // PRINTLOGO
    std::u16string initialFolder;                    // INITFILEDIR
    std::u16string filter = u"*.phn;*.csv";          // FILTER
    std::u16string defaultExtension = u".phn";       // DEFEXT
    std::u16string backupExtension = u".bsf";        // DEFBKPEXT
    std::u16string imageExtensions = u"*.ico;*.bmp"; // DEFIMGEXT
    Capacities capacities;
    FontSpec buttonFont = defaultButtonFont(); // BTN_FONT
    ColorValue buttonColor = 0xC83232;         // BTN_COLOR
    bool showButtonText = true;                // SHOW_BUTTON_TEXT
    bool saveCsvAnsi = true;                   // SAVE_CSV_ANSI
    bool simReadWriteAll = true;               // SIM_RW_ALL
    bool simSaveUpdatedOnly = true;            // SIM_SAVE_UPDATED_ONLY
    bool allowEmptyNameContacts = false;       // ALLOW_EMPTY_NAME_CONTACTS
    bool saveOnlyAdnCsv = true;                // SAVE_ONLY_ADN_CSV
    bool enableLog = false;                    // ENABLE_LOG
    bool simWithoutHoles = true;               // SIM_WITHOUT_HOLES
    bool showDeletedSms = false;               // SHOW_DELETED_SMS
    // Each record a Write SIM wrote is read back and compared; off, since it
    // doubles the card commands.
    bool verifyAfterWrite = false; // VERIFY_AFTER_WRITE

    friend bool operator==(const Settings&, const Settings&) = default;

    [[nodiscard]] WindowRect& window(WindowKey key) { return windows[static_cast<int>(key)]; }
    [[nodiscard]] const WindowRect& window(WindowKey key) const {
        return windows[static_cast<int>(key)];
    }

    // "MS Sans Serif" at 5 points on a 96 dpi screen.
    [[nodiscard]] static FontSpec defaultButtonFont();
    // The image-name keys with their default file names, in stored order.
    [[nodiscard]] static std::vector<std::pair<std::u16string, std::u16string>> defaultImageNames();
};

} // namespace pelmora::velmet
