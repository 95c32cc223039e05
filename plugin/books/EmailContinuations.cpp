#include "books/EmailContinuations.h"

#include "books/CardDirectory.h"
#include "card/CallOutcome.h"
#include "card/SIMCard.h"
#include "codec/EmailText.h"

#include "Log.h"

#include <algorithm>
#include <array>
#include <bitset>

namespace brontel {

namespace {

using pelmora::log::kTrace;
using pelmora::log::log_message;

constexpr const char* kTag = "parce_nextel_record";

} // namespace

std::string EmailChainReader::read(std::string bytes, uint8_t first) {
    log_message(kTrace, kTag, "email id:%d", first);
    // Text that ends within the value record has no continuation.
    const RecordFile* file =
        first == 0 || bytes.size() < codec::kEmailBytesInValueRecord ? nullptr : m_file.file();
    if (file == nullptr) {
        return bytes;
    }
    log_message(kTrace, kTag, "responce-> size:%d reclen:%d", m_file.fileSize(),
                file->recordLength);
    std::bitset<kMaxRecordNumber + 1> seen;
    for (int id = first; id != 0 && bytes.size() < codec::kMaxEmailBytes;) {
        if (id > file->records || seen[static_cast<size_t>(id)]) {
            break;
        }
        seen[static_cast<size_t>(id)] = true;
        const std::span<const uint8_t> record = m_file.read(static_cast<uint8_t>(id));
        if (record.empty()) {
            break;
        }
        const codec::ContinuationRecord piece = codec::parseContinuationRecord(record);
        log_message(kTrace, kTag, "next id:%d", piece.next);
        bytes += piece.text;
        if (piece.text.size() < record.size() - 1) {
            break; // the text ends in this record
        }
        id = piece.next;
    }
    bytes.resize(std::min(bytes.size(), codec::kMaxEmailBytes));
    return bytes;
}

void EmailChainWriter::open() {
    // Without the file addresses keep their first ten bytes.
    if (m_file.open(files::kIdenEmail, kMinContinuationLength)) {
        m_file.share(m_file.readRecords([](std::span<const uint8_t> record) {
            return !codec::isFreeContinuationRecord(record);
        }),
                     true);
    }
}

std::optional<std::vector<uint8_t>>
EmailChainWriter::claimIdenticalChain(const std::vector<std::string_view>& pieces) {
    RecordPool& pool = m_file.pool();
    const size_t recordLength = m_file.file().recordLength;
    for (size_t start = 1; start <= pool.size(); ++start) {
        std::vector<uint8_t> chain;
        size_t id = start;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const std::vector<uint8_t>* bytes = pool.bytes(id);
            if (bytes == nullptr || pool.claimed(id) || std::ranges::count(chain, id) != 0) {
                break;
            }
            const bool last = i + 1 == pieces.size();
            const uint8_t next = last ? 0 : bytes->back();
            if (*bytes != codec::buildContinuationRecord(pieces[i], recordLength, next)) {
                break;
            }
            chain.push_back(static_cast<uint8_t>(id));
            id = next;
        }
        if (chain.size() == pieces.size()) {
            for (uint8_t c : chain) {
                pool.claim(c);
            }
            return chain;
        }
    }
    return std::nullopt;
}

uint8_t EmailChainWriter::place(std::string_view email) {
    if (email.size() <= codec::kEmailBytesInValueRecord) {
        return 0;
    }
    if (!m_file.isShared()) {
        m_outcome.valueDidNotFit();
        return 0;
    }
    const size_t recordLength = m_file.file().recordLength;
    const std::vector<std::string_view> pieces = codec::continuationPieces(email, recordLength);
    if (std::optional<std::vector<uint8_t>> same = claimIdenticalChain(pieces)) {
        m_chains[same->front()] = *same;
        return same->front();
    }
    std::vector<uint8_t> chain;
    while (chain.size() < pieces.size()) {
        std::optional<uint8_t> id = m_file.pool().claimFree();
        if (!id) {
            m_outcome.valueDidNotFit(); // the file is full: the rest of the address is lost
            break;
        }
        chain.push_back(*id);
    }
    for (size_t i = 0; i < chain.size(); ++i) {
        const uint8_t next = i + 1 < chain.size() ? chain[i + 1] : 0;
        m_file.stage(chain[i], codec::buildContinuationRecord(pieces[i], recordLength, next));
    }
    if (chain.empty()) {
        return 0;
    }
    m_chains[chain.front()] = chain;
    return chain.front();
}

void EmailChainWriter::writeChains() {
    m_failed = m_file.writeStaged();
}

bool EmailChainWriter::intact(uint8_t first) const {
    const auto chain = m_chains.find(first);
    return chain != m_chains.end() &&
           std::ranges::none_of(chain->second, [&](uint8_t id) { return m_failed.contains(id); });
}

void EmailChainWriter::releaseUnused() {
    m_file.releaseUnused(0);
}

} // namespace brontel
