#include "VcardWriter.h"

#include "BookKind.h"
#include "Category.h"
#include "CodePage.h"
#include "Document.h"
#include "Records.h"
#include "VcardFormat.h"

#include <string>

namespace pelmora::model {

namespace {

constexpr size_t kLineOctets = 75;

bool isContinuationByte(char c) {
    return (static_cast<uint8_t>(c) & 0xC0) == 0x80;
}

// Continuation lines begin with a blank; no UTF-8 sequence is split.
void appendFolded(std::string& out, std::string_view line) {
    size_t room = kLineOctets;
    while (line.size() > room) {
        size_t cut = room;
        while (cut > 0 && isContinuationByte(line[cut])) {
            --cut;
        }
        out.append(line.substr(0, cut));
        out.append("\r\n ");
        line.remove_prefix(cut);
        room = kLineOctets - 1;
    }
    out.append(line);
    out.append("\r\n");
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

class CardWriter {
public:
    CardWriter(std::string& out, VcardVersion version) : m_out(out), m_version(version) {}

    void write(const PhoneBookEntry& entry, uint16_t kind) {
        line("BEGIN", {}, u"VCARD");
        line("VERSION", {}, m_version == VcardVersion::V4 ? u"4.0" : u"3.0");
        const std::u16string name = escapeVcardText(fieldText(entry.name));
        line("FN", {}, name);
        line("N", {}, u";" + name + u";;;");
        if (kind == kBookUsim) {
            usimValues(entry);
        } else if (kind != kBookNextel) {
            number({}, entryValue(entry, kValueMain));
        } else {
            // The main number first.
            for (auto kind = kVcardTelKinds.rbegin(); kind != kVcardTelKinds.rend(); ++kind) {
                number(kind->type, entryValue(entry, kind->value));
            }
            email(entryValue(entry, kValueEmail));
            for (const VcardIdenProperty& property : kVcardIdenProperties) {
                const std::u16string_view value = entryValue(entry, property.value);
                if (!value.empty()) {
                    line(property.name, {}, escapeVcardText(value));
                }
            }
            line(kVcardBookProperty, {}, platform::fromUtf8(kVcardIdenBook));
        }
        line("END", {}, u"VCARD");
    }

private:
    std::string& m_out;
    VcardVersion m_version;

    // Every number as a TEL of its own, the main one first, and the second
    // name as the nickname; a reader takes them back in this order.
    void usimValues(const PhoneBookEntry& entry) {
        number({}, entryValue(entry, kValueMain));
        for (int k = kUsimFirstNumberValue; k < kUsimFirstNumberValue + kUsimNumberValues; ++k) {
            number({}, entryValue(entry, k));
        }
        for (const int k : kUsimEmailValues) {
            email(entryValue(entry, k));
        }
        const std::u16string_view nickname = entryValue(entry, kUsimSecondNameValue);
        if (!nickname.empty()) {
            line("NICKNAME", {}, escapeVcardText(nickname));
        }
        line(kVcardBookProperty, {}, platform::fromUtf8(kVcardUsimBook));
    }

    void email(std::u16string_view address) {
        if (!address.empty()) {
            line("EMAIL", m_version == VcardVersion::V4 ? "" : "INTERNET",
                 escapeVcardText(address));
        }
    }

    void number(std::string_view type, std::u16string_view value) {
        if (!value.empty()) {
            line("TEL", type, escapeVcardText(value));
        }
    }

    void line(std::string_view name, std::string_view type, std::u16string_view value) {
        std::string text(name);
        if (!type.empty()) {
            text += ";TYPE=";
            text += m_version == VcardVersion::V4 ? lowerCase(type) : std::string(type);
        }
        text += ':';
        text += platform::toUtf8(value);
        appendFolded(m_out, text);
    }
};

} // namespace

VcardContent writeVcard(const Document& document, VcardVersion version) {
    VcardContent content;
    std::string text;
    CardWriter writer(text, version);
    for (const std::unique_ptr<Category>& book : document.categories()) {
        if (book->kind() != kBookAdn && book->kind() != kBookNextel && book->kind() != kBookUsim) {
            continue;
        }
        for (const PhoneBookEntry& entry : book->entries()) {
            if (!isEmptyRecord(entry)) {
                writer.write(entry, book->kind());
            }
        }
        content.books.push_back(book.get());
    }
    content.bytes.assign(text.begin(), text.end());
    return content;
}

} // namespace pelmora::model
