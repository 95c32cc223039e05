#include "CardProfile.h"

#include "Atr.h"
#include "CodePage.h"
#include "Hex.h"
#include "ProfileLines.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <unordered_map>

namespace virtualsim {

using pelmora::platform::fromUtf8;
using pelmora::platform::ProfileDocument;
using pelmora::platform::toUtf8;

namespace {

constexpr const char* kCardSection = "Card";

// A malformed profile: the line and what is wrong with it.
struct ProfileError {
    size_t line;
    std::string problem;
};

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    });
    return out;
}

bool sameName(std::string_view a, std::string_view b) {
    return lowered(a) == lowered(b);
}

std::optional<unsigned long> parseNumber(std::string_view text, int base = 10) {
    unsigned long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// The keys of one section with their values and lines; reading a key marks
// it used, so that whatever is left over can be refused as unknown.
class SectionReader {
public:
    SectionReader(const ProfileDocument& document, const ProfileLines::Section& section)
        : m_document(document), m_section(section), m_used(section.keys.size(), false) {
        for (size_t i = 0; i < section.keys.size(); ++i) {
            m_index.emplace(lowered(section.keys[i].name), i);
        }
    }

    [[nodiscard]] size_t line() const { return m_section.line; }
    [[nodiscard]] const std::string& name() const { return m_section.name; }

    // Line of a key, or of the section header when the key is absent.
    [[nodiscard]] size_t lineOf(std::string_view key) const {
        const ProfileLines::Key* k = find(key);
        return k ? k->line : m_section.line;
    }

    std::optional<std::string> text(std::string_view key) {
        const ProfileLines::Key* k = find(key);
        if (!k) {
            return std::nullopt;
        }
        m_used[static_cast<size_t>(k - m_section.keys.data())] = true;
        const auto value = m_document.value(fromUtf8(m_section.name), fromUtf8(k->name));
        return value ? toUtf8(*value) : std::string();
    }

    std::string required(std::string_view key) {
        auto value = text(key);
        if (!value) {
            throw ProfileError{m_section.line,
                               "[" + m_section.name + "] needs " + std::string(key) + "="};
        }
        return *value;
    }

    unsigned long number(std::string_view key, unsigned long max,
                         std::optional<unsigned long> fallback, int base = 10) {
        const auto value = fallback ? text(key) : std::optional<std::string>(required(key));
        if (!value) {
            return *fallback;
        }
        const auto parsed = parseNumber(*value, base);
        if (!parsed || *parsed > max) {
            throw ProfileError{lineOf(key), std::string(key) + " must be a " +
                                                (base == 16 ? "hex " : "") + "number up to " +
                                                std::to_string(max)};
        }
        return *parsed;
    }

    bool flag(std::string_view key, bool fallback) {
        const auto value = text(key);
        if (!value) {
            return fallback;
        }
        if (*value != "0" && *value != "1") {
            throw ProfileError{lineOf(key), std::string(key) + " must be 0 or 1"};
        }
        return *value == "1";
    }

    // Keys this section has and nobody asked for.
    template <typename Accept> void refuseUnused(Accept&& accept) {
        for (size_t i = 0; i < m_section.keys.size(); ++i) {
            if (!m_used[i] && !accept(m_section.keys[i])) {
                throw ProfileError{m_section.keys[i].line, "unknown key " + m_section.keys[i].name +
                                                               " in [" + m_section.name + "]"};
            }
        }
    }

    [[nodiscard]] const std::vector<ProfileLines::Key>& keys() const { return m_section.keys; }

private:
    [[nodiscard]] const ProfileLines::Key* find(std::string_view key) const {
        const auto found = m_index.find(lowered(key));
        return found == m_index.end() ? nullptr : &m_section.keys[found->second];
    }

    const ProfileDocument& m_document;
    const ProfileLines::Section& m_section;
    std::vector<bool> m_used;
    std::unordered_map<std::string, size_t> m_index; // lower-case name -> key
};

// --- access conditions -----------------------------------------------------

struct ConditionName {
    uint8_t level;
    const char* name;
};
constexpr ConditionName kConditionNames[] = {
    {access::kAlways, "ALW"}, {access::kChv1, "CHV1"}, {access::kChv2, "CHV2"},
    {access::kAdm, "ADM"},    {access::kNever, "NEV"},
};

uint8_t parseCondition(SectionReader& section, std::string_view key, uint8_t fallback) {
    const auto value = section.text(key);
    if (!value) {
        return fallback;
    }
    for (const ConditionName& c : kConditionNames) {
        if (sameName(*value, c.name)) {
            return c.level;
        }
    }
    if (value->size() == 1) {
        if (const auto digit = parseNumber(*value, 16)) {
            return static_cast<uint8_t>(*digit);
        }
    }
    throw ProfileError{section.lineOf(key),
                       std::string(key) + " must be ALW, CHV1, CHV2, ADM, NEV or one hex digit"};
}

std::string conditionText(uint8_t level) {
    for (const ConditionName& c : kConditionNames) {
        if (c.level == level) {
            return c.name;
        }
    }
    return toHex(std::span<const uint8_t>(&level, 1)).substr(1);
}

// --- secret codes ----------------------------------------------------------

constexpr std::string_view kHexCode = "hex:";

CodeBlock parseCode(SectionReader& section, std::string_view key, const std::string& value) {
    if (value.starts_with(kHexCode)) {
        const auto bytes = parseHex(std::string_view(value).substr(kHexCode.size()));
        if (bytes && bytes->size() == 8) {
            CodeBlock block;
            std::copy(bytes->begin(), bytes->end(), block.begin());
            return block;
        }
    } else if (std::all_of(value.begin(), value.end(),
                           [](char c) { return c > ' ' && c < 0x7F; })) {
        if (const auto block = codeBlockFromText(value)) {
            return *block;
        }
    }
    throw ProfileError{section.lineOf(key),
                       std::string(key) + " must be 1 to 8 printable characters or hex:<8 bytes>"};
}

// Text when the block is printable characters padded with FF, else hex.
std::string codeText(const CodeBlock& block) {
    const std::string text = codeBlockText(block);
    const auto reparsed = codeBlockFromText(text);
    const bool printable =
        std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 0x7F; });
    if (printable && !text.starts_with(kHexCode) && reparsed && *reparsed == block) {
        return text;
    }
    return std::string(kHexCode) + toHex(block);
}

void loadCode(SectionReader& section, const std::string& name, uint8_t maxAttempts,
              SecretCode& code) {
    const auto value = section.text(name);
    const std::string attemptsKey = name + "Attempts";
    if (!value) {
        if (section.text(attemptsKey)) {
            throw ProfileError{section.lineOf(attemptsKey), attemptsKey + " without " + name + "="};
        }
        code = SecretCode();
        return;
    }
    const CodeBlock block = parseCode(section, name, *value);
    const auto remaining = section.number(attemptsKey, maxAttempts, maxAttempts);
    code = SecretCode(block, maxAttempts, static_cast<uint8_t>(remaining));
}

// Personality=SIM (the default) or UICC; a UICC answers class A0 too unless
// ClassA0=refuse.
void loadPersonality(SectionReader& section, CardOptions& options) {
    const auto personality = section.text("Personality");
    if (personality && !sameName(*personality, "SIM") && !sameName(*personality, "UICC")) {
        throw ProfileError{section.lineOf("Personality"), "Personality must be SIM or UICC"};
    }
    options.uicc = personality && sameName(*personality, "UICC");
    const auto classA0 = section.text("ClassA0");
    if (classA0 && !sameName(*classA0, "answer") && !sameName(*classA0, "refuse")) {
        throw ProfileError{section.lineOf("ClassA0"), "ClassA0 must be answer or refuse"};
    }
    if (classA0 && !options.uicc) {
        throw ProfileError{section.lineOf("ClassA0"), "ClassA0 needs Personality=UICC"};
    }
    options.answersGsmClass = !classA0 || sameName(*classA0, "answer");
}

void loadCard(SectionReader& section, CardState& card) {
    if (const auto atr = section.text("ATR")) {
        const auto bytes = parseHex(*atr);
        if (!bytes) {
            throw ProfileError{section.lineOf("ATR"), "ATR must be hex bytes"};
        }
        if (const auto problem = Atr::problem(*bytes)) {
            throw ProfileError{section.lineOf("ATR"), "ATR: " + *problem};
        }
        card.setAtr(*bytes);
    }
    CardOptions& options = card.options();
    options.fileCharacteristics =
        static_cast<uint8_t>(section.number("FileCharacteristics", 0xFF, 0x11, 16) & 0x7F);
    options.wrongLengthGivesLength = section.flag("WrongLengthGivesLength", true);
    options.chvAttempts = static_cast<uint8_t>(section.number("MaxCHVAttempts", 15, 3));
    options.unblockAttempts = static_cast<uint8_t>(section.number("MaxUnblockAttempts", 15, 10));
    if (options.chvAttempts == 0 || options.unblockAttempts == 0) {
        throw ProfileError{section.line(), "attempt maxima must be at least 1"};
    }
    loadPersonality(section, options);
    CardSecurity& security = card.security();
    loadCode(section, "CHV1", options.chvAttempts, security.chv(Chv::One));
    loadCode(section, "UnblockCHV1", options.unblockAttempts, security.unblockKey(Chv::One));
    loadCode(section, "CHV2", options.chvAttempts, security.chv(Chv::Two));
    loadCode(section, "UnblockCHV2", options.unblockAttempts, security.unblockKey(Chv::Two));
    security.setChv1Enabled(section.flag("CHV1Enabled", true));
    section.text("Name");
    section.refuseUnused([](const ProfileLines::Key&) { return false; });
}

// --- files -----------------------------------------------------------------

struct FileSection {
    std::vector<uint16_t> path;
    const ProfileLines::Section* section;
};

std::optional<std::vector<uint16_t>> parsePath(std::string_view name) {
    std::vector<uint16_t> ids;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::string_view part = name.substr(start, end - start);
        const auto id = part.size() == 4 ? parseNumber(part, 16) : std::nullopt;
        if (!id) {
            return std::nullopt;
        }
        ids.push_back(static_cast<uint16_t>(*id));
        start = end + 1;
    }
    return ids;
}

std::string pathText(std::span<const uint16_t> ids) {
    std::string text;
    for (uint16_t id : ids) {
        const uint8_t bytes[2] = {static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
        text += (text.empty() ? "" : "/") + toHex(bytes);
    }
    return text;
}

EfStructure parseStructure(SectionReader& section) {
    const std::string value = section.required("Structure");
    if (sameName(value, "transparent")) {
        return EfStructure::Transparent;
    }
    if (sameName(value, "linear fixed")) {
        return EfStructure::LinearFixed;
    }
    if (sameName(value, "cyclic")) {
        return EfStructure::Cyclic;
    }
    throw ProfileError{section.lineOf("Structure"),
                       "Structure must be transparent, linear fixed or cyclic"};
}

const char* structureText(EfStructure structure) {
    switch (structure) {
    case EfStructure::Transparent:
        return "transparent";
    case EfStructure::LinearFixed:
        return "linear fixed";
    case EfStructure::Cyclic:
        return "cyclic";
    }
    return "";
}

std::vector<uint8_t> hexOfLength(SectionReader& section, std::string_view key,
                                 const std::string& value, size_t length) {
    const auto bytes = parseHex(value);
    if (!bytes) {
        throw ProfileError{section.lineOf(key), std::string(key) + " must be hex bytes"};
    }
    if (bytes->size() != length) {
        throw ProfileError{section.lineOf(key),
                           std::string(key) + " has " + std::to_string(bytes->size()) +
                               " bytes, the file takes " + std::to_string(length)};
    }
    return *bytes;
}

std::unique_ptr<CardFile> loadElementaryFile(SectionReader& section, uint16_t id) {
    const EfStructure structure = parseStructure(section);
    std::unique_ptr<CardFile> ef;
    if (structure == EfStructure::Transparent) {
        const auto size = section.number("Size", kMaxTransparentSize, std::nullopt);
        ef = CardFile::makeTransparent(id, size);
        if (const auto data = section.text("Data")) {
            const auto bytes = hexOfLength(section, "Data", *data, size);
            std::copy(bytes.begin(), bytes.end(), ef->body().begin());
        }
    } else {
        const auto length = section.number("RecordLength", kMaxRecordLength, std::nullopt);
        const auto count = section.number("Records", kMaxRecordCount, std::nullopt);
        if (length == 0) {
            throw ProfileError{section.lineOf("RecordLength"), "RecordLength must be at least 1"};
        }
        ef = CardFile::makeRecordFile(id, structure, length, count);
        const auto& keys = section.keys();
        std::vector<size_t> seen(count + 1, 0); // line that gave each record
        for (size_t i = 0; i < keys.size(); ++i) {
            if (keys[i].name.empty() ||
                !std::isdigit(static_cast<unsigned char>(keys[i].name[0]))) {
                continue;
            }
            // The card is saved with its records as 1, 2, ...: "025" would
            // stay beside a new "25" and give the record twice.
            if (keys[i].name.size() > 1 && keys[i].name[0] == '0') {
                throw ProfileError{keys[i].line,
                                   "record " + keys[i].name + " is written without leading zeros"};
            }
            const auto number = parseNumber(keys[i].name);
            if (!number || *number == 0 || *number > count) {
                throw ProfileError{keys[i].line, "record " + keys[i].name +
                                                     " is not one of the file's records 1 to " +
                                                     std::to_string(count)};
            }
            if (seen[*number] != 0) {
                throw ProfileError{keys[i].line, "record " + std::to_string(*number) +
                                                     " was already given on line " +
                                                     std::to_string(seen[*number])};
            }
            seen[*number] = keys[i].line;
            const auto bytes =
                hexOfLength(section, keys[i].name, *section.text(keys[i].name), length);
            std::copy(bytes.begin(), bytes.end(), ef->record(*number).begin());
        }
        if (structure == EfStructure::Cyclic) {
            ef->setIncreaseAllowed(section.flag("IncreaseAllowed", false));
        }
    }
    AccessConditions ac;
    ac.read = parseCondition(section, "Read", 0xFF);
    ac.update = parseCondition(section, "Update", 0xFF);
    if (ac.read == 0xFF || ac.update == 0xFF) {
        throw ProfileError{section.line(), "[" + section.name() + "] needs Read= and Update="};
    }
    ac.increase = parseCondition(section, "Increase", access::kNever);
    ac.invalidate = parseCondition(section, "Invalidate", access::kAdm);
    ac.rehabilitate = parseCondition(section, "Rehabilitate", access::kAdm);
    ef->setAccess(ac);
    ef->setInvalidated(section.flag("Invalidated", false));
    ef->setReadableWhenInvalidated(section.flag("ReadableWhenInvalidated", false));
    ef->setUpdateRetries(static_cast<uint8_t>(section.number("UpdateRetries", 15, 0)));
    ef->setMemoryProblem(section.flag("MemoryProblem", false));
    return ef;
}

std::unique_ptr<CardFile> loadFile(SectionReader& section, uint16_t id, bool root) {
    const std::string type = section.required("Type");
    std::unique_ptr<CardFile> file;
    if (sameName(type, "MF") || sameName(type, "DF")) {
        const bool mf = sameName(type, "MF");
        if (mf != root) {
            throw ProfileError{section.lineOf("Type"),
                               root ? "3F00 is the MF" : "only 3F00 is the MF"};
        }
        file = CardFile::makeDirectory(id, mf ? FileType::Mf : FileType::Df);
        file->setFreeMemory(static_cast<uint16_t>(section.number("FreeMemory", 0xFFFF, 0)));
        if (const auto aid = section.text("AID")) {
            const auto bytes = parseHex(*aid);
            if (mf || !bytes || bytes->empty() || bytes->size() > 16) {
                throw ProfileError{section.lineOf("AID"),
                                   "AID must be 1 to 16 hex bytes, for a DF below the MF"};
            }
            file->setApplicationId(*bytes);
        }
    } else if (sameName(type, "EF")) {
        if (root) {
            throw ProfileError{section.lineOf("Type"), "3F00 is the MF"};
        }
        file = loadElementaryFile(section, id);
    } else {
        throw ProfileError{section.lineOf("Type"), "Type must be MF, DF or EF"};
    }
    section.text("Name");
    const bool records = file->isRecordFile();
    section.refuseUnused([records](const ProfileLines::Key& key) {
        return records && !key.name.empty() &&
               std::isdigit(static_cast<unsigned char>(key.name[0]));
    });
    return file;
}

std::unique_ptr<CardState> loadState(const ProfileLines& lines, const ProfileDocument& document) {
    const ProfileLines::Section* cardSection = nullptr;
    std::vector<FileSection> files;
    for (const auto& section : lines.sections()) {
        if (sameName(section.name, kCardSection)) {
            cardSection = &section;
            continue;
        }
        auto path = parsePath(section.name);
        if (!path) {
            throw ProfileError{section.line, "[" + section.name +
                                                 "] is neither [Card] nor a file path like "
                                                 "[3F00/7F10/6F3A]"};
        }
        if (path->front() != 0x3F00) {
            throw ProfileError{section.line, "file paths start at the MF, 3F00"};
        }
        files.push_back({std::move(*path), &section});
    }
    // Parents before children; siblings in the order the profile lists them.
    std::stable_sort(files.begin(), files.end(), [](const FileSection& a, const FileSection& b) {
        return a.path.size() < b.path.size();
    });
    if (files.empty() || files.front().path.size() != 1) {
        throw ProfileError{lines.sections().empty() ? 1 : lines.sections().front().line,
                           "the profile has no [3F00] section for the MF"};
    }

    std::unique_ptr<CardFile> mf;
    std::map<std::vector<uint16_t>, CardFile*> byPath;
    for (const FileSection& f : files) {
        SectionReader section(document, *f.section);
        const bool root = f.path.size() == 1;
        auto file = loadFile(section, f.path.back(), root);
        if (root) {
            mf = std::move(file);
            byPath[f.path] = mf.get();
            continue;
        }
        const std::vector<uint16_t> parentPath(f.path.begin(), f.path.end() - 1);
        const auto parent = byPath.find(parentPath);
        if (parent == byPath.end()) {
            throw ProfileError{section.line(),
                               "no section describes the parent " + pathText(parentPath)};
        }
        if (!parent->second->isDirectory()) {
            throw ProfileError{section.line(), "the parent " + pathText(parentPath) + " is an EF"};
        }
        CardFile* added = parent->second->addChild(std::move(file));
        if (!added) {
            throw ProfileError{section.line(),
                               "id " + pathText(std::span<const uint16_t>(&f.path.back(), 1)) +
                                   " cannot be told apart from another file "
                                   "selectable in " +
                                   pathText(parentPath)};
        }
        byPath[f.path] = added;
    }

    auto card = std::make_unique<CardState>(std::move(mf));
    if (cardSection) {
        SectionReader section(document, *cardSection);
        loadCard(section, *card);
    }
    return card;
}

// --- writing ---------------------------------------------------------------

class SectionWriter {
public:
    SectionWriter(ProfileDocument& document, const std::string& section)
        : m_document(document), m_section(fromUtf8(section)) {}

    void set(std::string_view key, const std::string& value) {
        m_document.setValue(m_section, fromUtf8(key), fromUtf8(value));
    }
    void setIf(bool condition, std::string_view key, const std::string& value) {
        if (condition) {
            set(key, value);
        } else if (m_document.value(m_section, fromUtf8(key))) {
            m_document.removeKey(m_section, fromUtf8(key));
        }
    }

    // A value the profile may leave out: written when it says more than the
    // default, or when the profile named it already.
    void setUnlessDefault(std::string_view key, const std::string& value,
                          const std::string& fallback) {
        if (value != fallback || m_document.value(m_section, fromUtf8(key))) {
            set(key, value);
        }
    }

private:
    ProfileDocument& m_document;
    std::u16string m_section;
};

std::string decimal(size_t value) {
    return std::to_string(value);
}

void writeCode(SectionWriter& out, const std::string& name, const SecretCode& code) {
    out.setIf(code.initialised(), name, code.initialised() ? codeText(code.value()) : "");
    out.setIf(code.initialised(), name + "Attempts", decimal(code.remaining()));
}

void writeCard(ProfileDocument& document, const CardState& card) {
    SectionWriter out(document, kCardSection);
    out.set("ATR", toHex(card.atr(), ' '));
    const uint8_t characteristics = card.options().fileCharacteristics;
    out.set("FileCharacteristics", toHex(std::span<const uint8_t>(&characteristics, 1)));
    out.setUnlessDefault("WrongLengthGivesLength",
                         card.options().wrongLengthGivesLength ? "1" : "0", "1");
    out.setUnlessDefault("MaxCHVAttempts", decimal(card.options().chvAttempts), "3");
    out.setUnlessDefault("MaxUnblockAttempts", decimal(card.options().unblockAttempts), "10");
    const CardSecurity& security = card.security();
    out.setUnlessDefault("Personality", card.options().uicc ? "UICC" : "SIM", "SIM");
    out.setIf(card.options().uicc, "ClassA0", card.options().answersGsmClass ? "answer" : "refuse");
    writeCode(out, "CHV1", security.chv(Chv::One));
    out.set("CHV1Enabled", security.chv1Enabled() ? "1" : "0");
    writeCode(out, "UnblockCHV1", security.unblockKey(Chv::One));
    writeCode(out, "CHV2", security.chv(Chv::Two));
    writeCode(out, "UnblockCHV2", security.unblockKey(Chv::Two));
}

bool allFF(std::span<const uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0xFF; });
}

void writeFile(ProfileDocument& document, const CardFile& file) {
    SectionWriter out(document, file.path());
    switch (file.type()) {
    case FileType::Mf:
        out.set("Type", "MF");
        break;
    case FileType::Df:
        out.set("Type", "DF");
        break;
    case FileType::Ef:
        out.set("Type", "EF");
        break;
    }
    if (file.isDirectory()) {
        out.setIf(file.freeMemory() != 0, "FreeMemory", decimal(file.freeMemory()));
        out.setIf(!file.applicationId().empty(), "AID", toHex(file.applicationId()));
        for (const auto& child : file.children()) {
            writeFile(document, *child);
        }
        return;
    }
    out.set("Structure", structureText(file.structure()));
    const AccessConditions& ac = file.access();
    out.set("Read", conditionText(ac.read));
    out.set("Update", conditionText(ac.update));
    out.setUnlessDefault("Increase", conditionText(ac.increase), conditionText(access::kNever));
    out.set("Invalidate", conditionText(ac.invalidate));
    out.set("Rehabilitate", conditionText(ac.rehabilitate));
    out.setUnlessDefault("Invalidated", file.invalidated() ? "1" : "0", "0");
    out.setUnlessDefault("ReadableWhenInvalidated", file.readableWhenInvalidated() ? "1" : "0",
                         "0");
    out.setIf(file.updateRetries() != 0, "UpdateRetries", decimal(file.updateRetries()));
    out.setIf(file.memoryProblem(), "MemoryProblem", "1");
    if (!file.isRecordFile()) {
        out.set("Size", decimal(file.size()));
        out.setIf(!allFF(file.body()), "Data", toHex(file.body()));
        return;
    }
    out.set("RecordLength", decimal(file.recordLength()));
    out.set("Records", decimal(file.recordCount()));
    if (file.structure() == EfStructure::Cyclic) {
        out.setUnlessDefault("IncreaseAllowed", file.increaseAllowed() ? "1" : "0", "0");
    } else {
        out.setIf(false, "IncreaseAllowed", "");
    }
    // Records change in place, so that comments beside them stay; a record
    // that became all FF is left out, a new one joins the end of the section.
    for (size_t k = 1; k <= file.recordCount(); ++k) {
        out.setIf(!allFF(file.record(k)), decimal(k), toHex(file.record(k)));
    }
}

} // namespace

std::variant<CardProfile::Loaded, std::string> CardProfile::load(std::span<const uint8_t> bytes) {
    auto scanned = ProfileLines::scan(bytes);
    if (auto* problem = std::get_if<std::string>(&scanned)) {
        return *problem;
    }
    const ProfileLines& lines = std::get<ProfileLines>(scanned);
    Loaded loaded;
    loaded.profile.m_document = ProfileDocument::parse(bytes);
    try {
        loaded.card = loadState(lines, loaded.profile.m_document);
    } catch (const ProfileError& error) {
        return "line " + std::to_string(error.line) + ": " + error.problem;
    }
    return loaded;
}

ProfileDocument CardProfile::write(const CardState& card) const {
    ProfileDocument document = m_document;
    writeCard(document, card);
    writeFile(document, card.mf());
    return document;
}

} // namespace virtualsim
