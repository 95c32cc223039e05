#include "ReaderScan.h"

#include "AtrMeaning.h"

#include <algorithm>
#include <iterator>

namespace pelmora::model {

namespace {

char16_t foldCase(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool named(const std::vector<std::u16string>& names, std::u16string_view reader) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::u16string& n) { return sameReader(n, reader); });
}

bool stopAsked(const std::atomic<bool>* stop) {
    return stop != nullptr && stop->load(std::memory_order_acquire);
}

// Closes a handle the pass was given, without a document of its own.
void disconnect(const PluginCalls& calls, SimHandle connection) {
    CardDocument probe;
    probe.connection = connection;
    calls.close(probe);
}

// Whether an open card still answers, with its ATR; a card that does not is
// disconnected, and the error that told is kept.
std::optional<std::u16string> stillAnswering(const PluginCalls& calls, SimHandle connection,
                                             int32_t& lastError) {
    CardDocument probe;
    probe.connection = connection;
    if (calls.cardInfo(probe) != 0) {
        return atrText(probe.info);
    }
    lastError = probe.lastError;
    calls.close(probe);
    return std::nullopt;
}

// The ATR of the card the reader holds, when one can be opened; else why not.
std::optional<std::u16string> cardPresent(const PluginCalls& calls, std::u16string_view reader,
                                          int32_t& lastError) {
    CardDocument probe;
    if (calls.connect(probe, reader) == 0) {
        lastError = probe.lastError;
        return std::nullopt;
    }
    std::u16string atr = atrText(probe.info);
    calls.close(probe);
    return atr;
}

} // namespace

bool sameReader(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto x, auto y) {
               return foldCase(x) == foldCase(y);
           });
}

std::optional<std::vector<std::u16string>> readerNames(const PluginCalls& calls,
                                                       const std::atomic<bool>* stop) {
    std::vector<std::u16string> names;
    std::u16string name;
    for (uint32_t index = 0; calls.readerName(index, name); ++index) {
        if (stopAsked(stop)) {
            return std::nullopt;
        }
        if (!named(names, name)) {
            names.push_back(name);
        }
    }
    return names;
}

ReaderScan scanReaders(const PluginCalls& calls, std::span<const ReaderState> known,
                       const std::atomic<bool>* stop) {
    ReaderScan scan;
    const auto listed = readerNames(calls, stop);
    if (!listed) {
        scan.stopped = true;
        return scan;
    }
    const std::vector<std::u16string>& names = *listed;
    if (names.empty()) {
        scan.listError = calls.openFailure();
    }
    std::vector<ReaderState> looked(known.begin(), known.end());
    for (const std::u16string& reader : names) {
        const bool isKnown = std::any_of(known.begin(), known.end(), [&](const ReaderState& s) {
            return sameReader(s.reader, reader);
        });
        if (!isKnown) {
            scan.changes.push_back({ReaderChangeKind::ReaderAdded, reader, nullptr, {}, 0});
            looked.push_back({reader, nullptr});
        }
    }
    for (const ReaderState& state : looked) {
        if (!named(names, state.reader)) {
            continue; // gone, below
        }
        if (stopAsked(stop)) {
            scan.stopped = true;
            return scan;
        }
        std::optional<std::u16string> atr;
        if (state.connection != nullptr) {
            int32_t lastError = 0;
            atr = stillAnswering(calls, state.connection, lastError);
            if (!atr) {
                scan.changes.push_back({ReaderChangeKind::ConnectionLost,
                                        state.reader,
                                        state.connection,
                                        {},
                                        lastError});
            }
        }
        int32_t openError = 0;
        if (!atr) {
            atr = cardPresent(calls, state.reader, openError);
        }
        scan.changes.push_back({atr ? ReaderChangeKind::CardPresent : ReaderChangeKind::CardEmpty,
                                state.reader, nullptr, atr.value_or(std::u16string()),
                                atr ? 0 : openError});
    }
    for (const ReaderState& state : known) {
        if (!named(names, state.reader)) {
            if (state.connection != nullptr) {
                disconnect(calls, state.connection);
            }
            scan.changes.push_back(
                {ReaderChangeKind::ReaderGone, state.reader, state.connection, {}, 0});
        }
    }
    return scan;
}

} // namespace pelmora::model
