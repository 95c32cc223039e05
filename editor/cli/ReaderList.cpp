#include "ReaderList.h"

#include "CaseInsensitive.h"
#include "Failure.h"
#include "Terminal.h"

namespace pelmora::cli {

std::vector<ReaderState> listReaders(const model::PluginCalls& calls) {
    std::vector<ReaderState> readers;
    std::u16string name;
    for (uint32_t index = 0; calls.readerName(index, name); ++index) {
        model::CardDocument probe;
        const bool present = calls.connect(probe, name) != 0;
        calls.close(probe);
        readers.push_back({name, present});
    }
    return readers;
}

namespace {

std::string readerLines(const std::vector<ReaderState>& readers, bool withCardOnly) {
    std::string lines;
    for (const ReaderState& reader : readers) {
        if (!withCardOnly || reader.holdsCard) {
            lines += "\n  " + utf8(reader.name);
        }
    }
    return lines;
}

} // namespace

std::u16string chooseReader(const model::PluginCalls& calls,
                            const std::optional<std::string>& named, const std::string& command) {
    const std::vector<ReaderState> readers = listReaders(calls);
    if (named) {
        const std::u16string wanted = utf16(*named);
        for (const ReaderState& reader : readers) {
            if (platform::equalsIgnoreCase(reader.name, wanted)) {
                return reader.name;
            }
        }
        throw Failure("there is no reader named '" + *named + "'" +
                      (readers.empty() ? std::string(" (no reader found)")
                                       : "; the readers are:" + readerLines(readers, false)));
    }
    std::vector<const ReaderState*> holding;
    for (const ReaderState& reader : readers) {
        if (reader.holdsCard) {
            holding.push_back(&reader);
        }
    }
    if (holding.size() == 1) {
        return holding.front()->name;
    }
    if (holding.empty()) {
        throw Failure(readers.empty() ? "no smart-card reader found"
                                      : "no reader holds a card; the readers are:" +
                                            readerLines(readers, false));
    }
    throw UsageError("several readers hold a card; name one with --reader:" +
                         readerLines(readers, true),
                     command);
}

} // namespace pelmora::cli
