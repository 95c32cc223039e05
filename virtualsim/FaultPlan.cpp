#include "FaultPlan.h"

#include "HexDigits.h"
#include <algorithm>
#include <charconv>

namespace virtualsim {

namespace {

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<std::vector<uint8_t>> parseHex(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    return pelmora::platform::parseHexPairs(text);
}

template <typename T> std::optional<T> parseNumber(std::string_view text, int base = 10) {
    T value{};
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<Fault> parseAction(std::string_view text) {
    Fault fault;
    if (text == "pull") {
        fault.kind = Fault::Kind::PullCard;
        return fault;
    }
    if (text == "restart") {
        fault.kind = Fault::Kind::RestartService;
        return fault;
    }
    if (text == "restart-invalidate") {
        fault.kind = Fault::Kind::RestartInvalidating;
        return fault;
    }
    if (text.starts_with("short:")) {
        auto kept = parseNumber<uint8_t>(text.substr(6));
        if (!kept)
            return std::nullopt;
        fault.kind = Fault::Kind::ShortAnswer;
        fault.keptDataBytes = *kept;
        return fault;
    }
    if (text.size() == 10 && (text.starts_with("0x") || text.starts_with("0X"))) {
        auto code = parseNumber<uint32_t>(text.substr(2), 16);
        if (!code || *code == 0)
            return std::nullopt;
        fault.kind = Fault::Kind::PcscError;
        fault.pcscError = *code;
        return fault;
    }
    if (text.size() == 4) {
        auto bytes = parseHex(text);
        if (!bytes)
            return std::nullopt;
        fault.kind = Fault::Kind::StatusWord;
        fault.statusWord = static_cast<uint16_t>((*bytes)[0] << 8 | (*bytes)[1]);
        return fault;
    }
    return std::nullopt;
}

} // namespace

std::optional<FaultPlan::Rule> FaultPlan::parseRule(std::string_view text) {
    size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    std::string_view target = trim(text.substr(0, equals));
    auto fault = parseAction(trim(text.substr(equals + 1)));
    if (!fault)
        return std::nullopt;

    Rule rule;
    rule.fault = *fault;
    if (size_t hash = target.find('#'); hash != std::string_view::npos) {
        auto n = parseNumber<unsigned>(target.substr(hash + 1));
        if (!n || *n == 0)
            return std::nullopt;
        rule.occurrence = *n;
        target = target.substr(0, hash);
    }
    if (size_t at = target.find('@'); at != std::string_view::npos) {
        auto reader = parseNumber<int>(target.substr(at + 1));
        if (!reader || *reader < 0)
            return std::nullopt;
        rule.reader = *reader;
        target = target.substr(0, at);
    }
    if (target != "*") {
        auto prefix = parseHex(target);
        if (!prefix)
            return std::nullopt;
        rule.prefix = std::move(*prefix);
    }
    return rule;
}

bool FaultPlan::add(std::string_view text, std::string* error) {
    std::vector<Rule> parsed;
    while (!text.empty()) {
        size_t end = text.find(';');
        std::string_view piece = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (piece.empty())
            continue;
        auto rule = parseRule(piece);
        if (!rule) {
            if (error)
                *error = "malformed fault rule \"" + std::string(piece) + "\"";
            return false;
        }
        parsed.push_back(std::move(*rule));
    }
    m_rules.insert(m_rules.end(), parsed.begin(), parsed.end());
    return true;
}

std::optional<Fault> FaultPlan::match(int reader, std::span<const uint8_t> command) {
    std::optional<Fault> fired;
    for (Rule& rule : m_rules) {
        if (rule.reader && *rule.reader != reader)
            continue;
        if (rule.prefix.size() > command.size() ||
            !std::equal(rule.prefix.begin(), rule.prefix.end(), command.begin()))
            continue;
        if (rule.occurrence != 0 && rule.seen >= rule.occurrence)
            continue; // spent
        ++rule.seen;
        bool fires = rule.occurrence == 0 || rule.seen == rule.occurrence;
        if (fires && !fired)
            fired = rule.fault;
    }
    return fired;
}

} // namespace virtualsim
