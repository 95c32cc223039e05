#include "DesktopEntryText.h"

#include <algorithm>

namespace pelmora::qulvio {
namespace {

bool hasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

// Field codes start with "%"; a literal one is doubled.
std::string escapePercent(std::string_view text) {
    std::string out;
    for (char c : text) {
        out.push_back(c);
        if (c == '%') {
            out.push_back('%');
        }
    }
    return out;
}

} // namespace

std::string escapeValue(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == ' ' && i == 0) {
            out += "\\s";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string unescapeValue(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out.push_back(value[i]);
            continue;
        }
        switch (value[++i]) {
        case '\\':
            out.push_back('\\');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case 't':
            out.push_back('\t');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case 's':
            out.push_back(' ');
            break;
        default:
            out.push_back('\\');
            out.push_back(value[i]);
        }
    }
    return out;
}

std::optional<std::string> execLine(const std::filesystem::path& program, std::string_view prefix) {
    const std::string path = program.string();
    if (path.empty() || hasControl(path) || hasControl(prefix)) {
        return std::nullopt;
    }
    // Inside double quotes '"', '`', '$' and '\' are escaped by a backslash;
    // the string escape of the value then doubles every backslash again.
    std::string quoted = "\"";
    for (char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted.push_back('\\');
        }
        quoted.push_back(c);
    }
    quoted.push_back('"');
    std::string escaped = escapePercent(escapeValue(quoted));
    if (!prefix.empty()) {
        escaped += " " + escapePercent(escapeValue(prefix));
    }
    return escaped + " %f";
}

std::vector<std::string> splitList(std::string_view value) {
    std::vector<std::string> items;
    std::size_t pos = 0;
    while (pos <= value.size()) {
        std::size_t end = value.find(';', pos);
        if (end == std::string_view::npos) {
            end = value.size();
        }
        if (end > pos) {
            items.emplace_back(value.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return items;
}

std::string joinList(const std::vector<std::string>& items) {
    std::string value;
    for (const std::string& item : items) {
        value += item + ";";
    }
    return value;
}

} // namespace pelmora::qulvio
