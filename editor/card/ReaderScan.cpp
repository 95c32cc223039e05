#include "ReaderScan.h"

#include <algorithm>

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

// Whether an open card still answers; a card that does not is disconnected.
bool stillAnswering(const PluginCalls& calls, SimHandle connection) {
    CardDocument probe;
    probe.connection = connection;
    if (calls.cardInfo(probe) != 0) {
        return true;
    }
    calls.close(probe);
    return false;
}

bool cardPresent(const PluginCalls& calls, std::u16string_view reader) {
    CardDocument probe;
    const bool present = calls.connect(probe, reader) != 0;
    calls.close(probe);
    return present;
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
    std::vector<ReaderState> looked(known.begin(), known.end());
    for (const std::u16string& reader : names) {
        const bool isKnown = std::any_of(known.begin(), known.end(), [&](const ReaderState& s) {
            return sameReader(s.reader, reader);
        });
        if (!isKnown) {
            scan.changes.push_back({ReaderChangeKind::ReaderAdded, reader, nullptr});
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
        bool present = false;
        if (state.connection != nullptr) {
            present = stillAnswering(calls, state.connection);
            if (!present) {
                scan.changes.push_back(
                    {ReaderChangeKind::ConnectionLost, state.reader, state.connection});
            }
        }
        if (!present) {
            present = cardPresent(calls, state.reader);
        }
        scan.changes.push_back(
            {present ? ReaderChangeKind::CardPresent : ReaderChangeKind::CardEmpty, state.reader,
             nullptr});
    }
    for (const ReaderState& state : known) {
        if (!named(names, state.reader)) {
            if (state.connection != nullptr) {
                disconnect(calls, state.connection);
            }
            scan.changes.push_back({ReaderChangeKind::ReaderGone, state.reader, state.connection});
        }
    }
    return scan;
}

} // namespace pelmora::model
