#include "ReaderRefresh.h"

#include "ReaderScan.h"

#include <algorithm>

namespace pelmora::model {

namespace {

bool named(const std::vector<std::u16string>& names, std::u16string_view reader) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::u16string& n) { return sameReader(n, reader); });
}

bool stopAsked(const std::atomic<bool>* stop) {
    return stop != nullptr && stop->load(std::memory_order_acquire);
}

// The card of an empty reader is gone. Its books go with it unless they hold
// edits: those stay for the same card coming back (the next Open card asks
// before another card's books replace them).
void markEmpty(CardDocument& card) {
    if (!card.anyChanged()) {
        card.releaseCategories();
        card.booksCardId.clear();
    }
}

} // namespace

RefreshReport refreshReaders(const PluginCalls& calls, CardDocuments& cards,
                             const std::atomic<bool>* stop) {
    RefreshReport report;
    const auto listed = readerNames(calls, stop);
    if (!listed) {
        report.stopped = true;
        return report;
    }
    const std::vector<std::u16string>& names = *listed;
    for (const std::u16string& reader : names) {
        const bool known = std::any_of(cards.begin(), cards.end(), [&](const auto& c) {
            return sameReader(c->reader, reader);
        });
        if (!known) {
            auto card = std::make_unique<CardDocument>();
            card->reader = reader;
            report.added.push_back(card.get());
            cards.push_back(std::move(card));
        }
    }
    for (const auto& card : cards) {
        if (!named(names, card->reader)) {
            continue; // removed below
        }
        if (stopAsked(stop)) {
            report.stopped = true;
            return report;
        }
        card->info = SimInfo{};
        if (card->connection != nullptr && calls.cardInfo(*card) == 0) {
            calls.close(*card);
        }
        bool present = card->connection != nullptr;
        if (!present) {
            CardDocument probe;
            present = calls.connect(probe, card->reader) != 0;
            calls.close(probe);
        }
        if (present) {
            report.present.push_back(card.get());
        } else {
            markEmpty(*card);
            report.empty.push_back(card.get());
        }
    }
    // Unplugged readers, after the last plug-in call: a stopped pass removes nothing.
    for (auto it = cards.begin(); it != cards.end();) {
        if (named(names, (*it)->reader)) {
            ++it;
            continue;
        }
        calls.close(**it);
        report.removed.push_back(std::move(*it));
        it = cards.erase(it);
    }
    return report;
}

} // namespace pelmora::model
