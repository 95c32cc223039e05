#include "OperatorListBuilder.h"

#include "JsonValue.h"
#include "XmlDocument.h"

#include <algorithm>

namespace pelmora::plmn {
namespace {

bool isDigits(std::string_view text, std::size_t minLength, std::size_t maxLength) {
    return text.size() >= minLength && text.size() <= maxLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One line of a profile value: runs of white space and control characters
// become one blank, the ends are trimmed. A value wrapped in quotes would lose
// them on reading, so such quotes are dropped here already.
std::string cleanValue(std::string_view text) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == ' ') {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out.push_back(' ');
            blank = false;
        }
        out.push_back(c);
    }
    if (out.size() >= 2 && out.front() == '"' && out.back() == '"') {
        out = cleanValue(std::string_view(out).substr(1, out.size() - 2));
    }
    return out;
}

// The name without a language tag, else the first one.
std::string elementName(const XmlElement& element) {
    const auto names = element.childrenNamed("name");
    for (const XmlElement* name : names) {
        if (!name->attribute("xml:lang")) {
            return cleanValue(name->text);
        }
    }
    return names.empty() ? std::string() : cleanValue(names.front()->text);
}

std::string upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

} // namespace

std::map<std::string, std::string> readCountryNames(std::string_view isoJson) {
    std::map<std::string, std::string> names;
    const JsonValue root = parseJson(isoJson);
    const JsonValue* list = root.member("3166-1");
    if (!list || list->kind != JsonValue::Kind::Array) {
        return names;
    }
    for (const JsonValue& country : list->items) {
        const std::string code = upper(country.memberText("alpha_2"));
        std::string name = cleanValue(country.memberText("common_name"));
        if (name.empty()) {
            name = cleanValue(country.memberText("name"));
        }
        if (!code.empty() && !name.empty()) {
            names.emplace(code, std::move(name));
        }
    }
    return names;
}

std::vector<OperatorEntry> readOperators(std::string_view providersXml,
                                         const std::map<std::string, std::string>& countryNames) {
    // MVNOs list their host network's codes too. The network's owner is the
    // provider marked primary, else the one claiming the most codes (owners
    // list all of theirs), else the first listed.
    struct Candidate {
        OperatorEntry entry;
        bool primary;
        std::size_t codeCount;
        [[nodiscard]] bool outranks(const Candidate& other) const {
            return primary != other.primary ? primary : codeCount > other.codeCount;
        }
    };
    std::map<std::pair<std::string, std::string>, Candidate> byCode;

    const XmlElement root = parseXml(providersXml);
    for (const XmlElement* country : root.childrenNamed("country")) {
        const std::string* code = country->attribute("code");
        const auto known = code ? countryNames.find(upper(*code)) : countryNames.end();
        const std::string countryName =
            known != countryNames.end() ? known->second : elementName(*country);
        for (const XmlElement* provider : country->childrenNamed("provider")) {
            const std::string* primaryFlag = provider->attribute("primary");
            const bool primary = primaryFlag && *primaryFlag == "true";
            const std::string name = elementName(*provider);
            if (name.empty()) {
                continue;
            }
            std::vector<const XmlElement*> ids;
            for (const XmlElement* gsm : provider->childrenNamed("gsm")) {
                const auto some = gsm->childrenNamed("network-id");
                ids.insert(ids.end(), some.begin(), some.end());
            }
            for (const XmlElement* id : ids) {
                const std::string* mcc = id->attribute("mcc");
                const std::string* mnc = id->attribute("mnc");
                if (!mcc || !mnc || !isDigits(*mcc, 3, 3) || !isDigits(*mnc, 2, 3)) {
                    continue;
                }
                Candidate candidate{{*mcc, *mnc, countryName, name, "GSM"}, primary, ids.size()};
                auto [slot, added] = byCode.try_emplace({*mcc, *mnc}, candidate);
                if (!added && candidate.outranks(slot->second)) {
                    slot->second = std::move(candidate);
                }
            }
        }
    }

    std::vector<OperatorEntry> entries;
    entries.reserve(byCode.size());
    for (auto& [code, candidate] : byCode) {
        entries.push_back(std::move(candidate.entry));
    }
    return entries;
}

std::string writeOperatorList(const std::vector<OperatorEntry>& entries) {
    std::string text = "\xEF\xBB\xBF";
    text += "; Operator names by mobile country code (MCC) and mobile network code (MNC).\r\n";
    text += "; Generated at build time; do not edit.\r\n";
    std::size_t n = 0;
    for (const OperatorEntry& entry : entries) {
        text += "\r\n[PLMN" + std::to_string(++n) + "]\r\n";
        text += "mcc=" + entry.mcc + "\r\n";
        text += "mnc=" + entry.mnc + "\r\n";
        text += "country=" + entry.country + "\r\n";
        text += "operator=" + entry.name + "\r\n";
        text += "network_type=" + entry.networkType + "\r\n";
    }
    return text;
}

} // namespace pelmora::plmn
