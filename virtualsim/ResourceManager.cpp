#include "ResourceManager.h"

#include "AnswerToReset.h"
#include "ForeignAtrCard.h"
#include "ProfileCard.h"
#include "ReaderStateCheck.h"
#include "StartupSettings.h"
#include "T0Command.h"
#include "card/Hex.h"

#include <reader.h>

#include <algorithm>
#include <cstdio>
#include <thread>

namespace virtualsim {

namespace {

static_assert(AnswerToReset::kT0 == SCARD_PROTOCOL_T0 && AnswerToReset::kT1 == SCARD_PROTOCOL_T1);

// Drops the data bytes of an answer beyond the first kept, keeping its status word.
void cutAnswer(std::vector<uint8_t>& answer, size_t kept) {
    if (answer.size() > kept + 2)
        answer.erase(answer.begin() + static_cast<std::ptrdiff_t>(kept), answer.end() - 2);
}

// pcsc-lite still accepts the protocol value of its first releases.
constexpr DWORD kProtocolAnyOld = 0x1000;
// pcscd polls its readers at this pace, so a pulled card is noticed this late.
constexpr auto kNoticeDelay = std::chrono::milliseconds(400);
constexpr size_t kMostReaders = PCSCLITE_MAX_READERS_CONTEXTS;
constexpr size_t kLongestReaderName = MAX_READERNAME - 1;
// Context and card handle values: positive 32-bit numbers as pcsc-lite hands
// out, never reused while the library is loaded.
constexpr SCARDCONTEXT kFirstId = 0x2A5E0001;

void complain(const std::string& text) {
    std::fprintf(stderr, "virtualsim: %s\n", text.c_str());
}

bool validDisposition(DWORD disposition) {
    return disposition == SCARD_LEAVE_CARD || disposition == SCARD_RESET_CARD ||
           disposition == SCARD_UNPOWER_CARD || disposition == SCARD_EJECT_CARD;
}

bool validShareMode(DWORD shareMode) {
    return shareMode == SCARD_SHARE_EXCLUSIVE || shareMode == SCARD_SHARE_SHARED ||
           shareMode == SCARD_SHARE_DIRECT;
}

bool asksForAProtocol(DWORD shareMode, DWORD protocols) {
    return shareMode == SCARD_SHARE_DIRECT ||
           (protocols &
            (SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1 | SCARD_PROTOCOL_RAW | kProtocolAnyOld)) != 0;
}

bool validReaderName(const std::string& name, std::string* error) {
    if (name.empty() || name.size() > kLongestReaderName || name.find('\0') != std::string::npos) {
        *error = "a reader name has 1 to 127 bytes and no NUL";
        return false;
    }
    return true;
}

} // namespace

ResourceManager& ResourceManager::instance() {
    static ResourceManager manager;
    return manager;
}

ResourceManager::ResourceManager() : m_nextId(kFirstId) {
    configureFromEnvironment();
}

ResourceManager::~ResourceManager() {
    for (auto& reader : m_readers)
        persist(*reader);
}

// --- internals ---

void ResourceManager::configureFromEnvironment() {
    StartupSettings settings = StartupSettings::fromEnvironment();
    m_persist = settings.persist;
    m_powerOffDelayMs = settings.powerOffDelayMs;
    m_defaultLatencyMs = settings.latencyMs;
    m_running = settings.serviceRunning;
    m_trace.setFile(settings.traceFile);
    std::string error;
    if (!settings.faults.empty() && !m_faults.add(settings.faults, &error))
        complain("VIRTUALSIM_FAULTS: " + error);
    std::optional<std::vector<uint8_t>> foreignAtr;
    if (!settings.atr.empty()) {
        foreignAtr = parseHex(settings.atr);
        if (!foreignAtr || !AnswerToReset::parse(*foreignAtr)) {
            complain("VIRTUALSIM_ATR: not a well-formed ATR: " + settings.atr);
            foreignAtr.reset();
        }
    }
    for (const auto& profile : settings.cards) {
        if (m_readers.size() == kMostReaders) {
            complain("VIRTUALSIM_CARDS names more readers than the 16 a resource manager serves");
            break;
        }
        VirtualReader& reader = appendReader(nullptr);
        if (!profile)
            continue;
        LoadedCard card = ProfileCard::load(*profile);
        if (auto* message = std::get_if<std::string>(&card))
            complain(*message);
        else if (foreignAtr)
            placeCard(reader,
                      std::make_unique<ForeignAtrCard>(
                          std::move(std::get<std::unique_ptr<SmartCard>>(card)), *foreignAtr));
        else
            placeCard(reader, std::move(std::get<std::unique_ptr<SmartCard>>(card)));
    }
}

void ResourceManager::dropEverything() {
    for (auto& reader : m_readers)
        persist(*reader);
    m_readers.clear();
    m_contexts.clear();
    m_handles.clear();
    m_faults.clear();
    m_trace = ApduTrace();
    m_namedReaders = 0;
    ++m_readerEvents;
}

void ResourceManager::changed() {
    ++m_generation;
    m_changed.notify_all();
}

SCARDCONTEXT ResourceManager::newId() {
    return m_nextId++;
}

VirtualReader& ResourceManager::appendReader(const char* name) {
    auto reader = std::make_unique<VirtualReader>();
    reader->serial = m_nextSerial++;
    if (name) {
        reader->name = name;
    } else {
        do
            reader->name = "Virtual SIM Reader " + std::to_string(m_namedReaders++);
        while (readerByName(reader->name.c_str()));
    }
    reader->latencyMs = m_defaultLatencyMs;
    m_readers.push_back(std::move(reader));
    ++m_readerEvents;
    changed();
    return *m_readers.back();
}

void ResourceManager::placeCard(VirtualReader& reader, std::unique_ptr<SmartCard> card) {
    reader.card = std::move(card);
    reader.pulledAt.reset();
    reader.atr = reader.card->atr();
    // pcscd powers a card up as soon as it is inserted.
    reader.powered = true;
    reader.protocol = SCARD_PROTOCOL_UNDEFINED;
    reader.idleSince = Clock::now();
    ++reader.eventCounter;
    changed();
}

VirtualReader* ResourceManager::readerBySerial(uint64_t serial) {
    for (auto& reader : m_readers)
        if (reader->serial == serial)
            return reader.get();
    return nullptr;
}

VirtualReader* ResourceManager::readerByName(const char* name) {
    for (auto& reader : m_readers)
        if (reader->name == name)
            return reader.get();
    return nullptr;
}

VirtualReader* ResourceManager::readerAt(int position, std::string* error) {
    if (position < 0 || static_cast<size_t>(position) >= m_readers.size()) {
        *error = "no reader at position " + std::to_string(position);
        return nullptr;
    }
    return m_readers[position].get();
}

int ResourceManager::positionOf(const VirtualReader& reader) const {
    for (size_t i = 0; i < m_readers.size(); ++i)
        if (m_readers[i].get() == &reader)
            return static_cast<int>(i);
    return -1;
}

LONG ResourceManager::lookUpContext(SCARDCONTEXT context, Context** found) {
    auto it = m_contexts.find(context);
    if (it == m_contexts.end())
        return SCARD_E_INVALID_HANDLE;
    if (it->second.stale)
        return SCARD_E_NO_SERVICE;
    if (found)
        *found = &it->second;
    return SCARD_S_SUCCESS;
}

LONG ResourceManager::lookUpHandle(SCARDHANDLE card, Handle** handle, VirtualReader** reader) {
    auto it = m_handles.find(card);
    if (card == 0 || it == m_handles.end())
        return SCARD_E_INVALID_HANDLE;
    if (it->second.stale)
        return SCARD_E_NO_SERVICE;
    *handle = &it->second;
    *reader = readerBySerial(it->second.reader);
    return *reader ? SCARD_S_SUCCESS : SCARD_E_READER_UNAVAILABLE;
}

LONG ResourceManager::waitForSharing(Lock& lock, SCARDHANDLE card, Handle** handle,
                                     VirtualReader** reader) {
    while (true) {
        if (LONG rv = lookUpHandle(card, handle, reader); rv != SCARD_S_SUCCESS)
            return rv;
        if ((*reader)->lockHolder == 0 || (*reader)->lockHolder == card)
            return SCARD_S_SUCCESS;
        m_changed.wait(lock);
        noticeOverdueRemovals();
    }
}

LONG ResourceManager::waitForCard(Lock& lock, SCARDHANDLE card, Handle** handle,
                                  VirtualReader** reader) {
    noticeOverdueRemovals();
    if (LONG rv = waitForSharing(lock, card, handle, reader); rv != SCARD_S_SUCCESS)
        return rv;
    return eventResult(**handle);
}

LONG ResourceManager::eventResult(const Handle& handle) {
    switch (handle.event) {
    case Event::Removed:
        return SCARD_W_REMOVED_CARD;
    case Event::Reset:
        return SCARD_W_RESET_CARD;
    case Event::None:
        break;
    }
    return SCARD_S_SUCCESS;
}

void ResourceManager::noticeOverdueRemovals() {
    auto now = Clock::now();
    for (auto& reader : m_readers)
        if (reader->pulledAt && now - *reader->pulledAt >= kNoticeDelay)
            noticeRemoval(*reader);
}

void ResourceManager::noticeRemoval(VirtualReader& reader) {
    persist(reader);
    reader.card.reset();
    reader.pulledAt.reset();
    reader.atr.clear();
    reader.powered = false;
    reader.protocol = SCARD_PROTOCOL_UNDEFINED;
    ++reader.eventCounter;
    flagHandles(reader, Event::Removed);
    changed();
}

void ResourceManager::flagHandles(const VirtualReader& reader, Event event) {
    for (auto& [id, handle] : m_handles)
        if (handle.reader == reader.serial && !handle.stale)
            handle.event = event;
}

void ResourceManager::powerUp(VirtualReader& reader) {
    bool idleTooLong =
        reader.sharing == 0 && reader.idleSince &&
        Clock::now() - *reader.idleSince >= std::chrono::milliseconds(m_powerOffDelayMs);
    if (!reader.powered || idleTooLong) {
        reader.card->powerCycle();
        reader.atr = reader.card->atr();
        reader.powered = true;
        reader.protocol = SCARD_PROTOCOL_UNDEFINED;
    }
    reader.idleSince.reset();
}

bool ResourceManager::resetCard(VirtualReader& reader, bool unpower) {
    if (!reader.cardReachable()) {
        if (reader.cardPresent())
            noticeRemoval(reader);
        return false;
    }
    reader.card->powerCycle();
    reader.atr = reader.card->atr();
    reader.powered = !unpower;
    reader.protocol = SCARD_PROTOCOL_UNDEFINED;
    return true;
}

// The negotiation of pcsc-lite's SCardConnect: the first connection after a
// power-up picks the protocol (T=1 when both are wanted and offered); later
// ones must accept it.
LONG ResourceManager::negotiate(VirtualReader& reader, DWORD shareMode, DWORD protocols) {
    if (protocols & SCARD_PROTOCOL_RAW) {
        reader.protocol = SCARD_PROTOCOL_RAW;
        return SCARD_S_SUCCESS;
    }
    if (shareMode == SCARD_SHARE_DIRECT)
        return SCARD_S_SUCCESS;
    if (reader.protocol == SCARD_PROTOCOL_UNDEFINED) {
        auto atr = AnswerToReset::parse(reader.atr);
        DWORD offered = atr ? atr->offeredProtocols : 0;
        if (protocols & kProtocolAnyOld)
            protocols = SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1;
        DWORD usable = offered & protocols;
        if (usable == 0)
            return SCARD_E_PROTO_MISMATCH;
        reader.protocol = (usable & SCARD_PROTOCOL_T1) ? SCARD_PROTOCOL_T1 : SCARD_PROTOCOL_T0;
        return SCARD_S_SUCCESS;
    }
    return (protocols & reader.protocol) ? SCARD_S_SUCCESS : SCARD_E_PROTO_MISMATCH;
}

void ResourceManager::closeConnection(SCARDHANDLE card, VirtualReader* reader, DWORD disposition) {
    if (reader) {
        if (reader->lockHolder == card) {
            reader->lockHolder = 0;
            reader->lockCount = 0;
        }
        if (disposition == SCARD_RESET_CARD || disposition == SCARD_UNPOWER_CARD) {
            flagHandles(*reader, Event::Reset);
            resetCard(*reader, disposition == SCARD_UNPOWER_CARD);
        }
        reader->sharing =
            reader->sharing == VirtualReader::kExclusive ? 0 : std::max(0, reader->sharing - 1);
        if (reader->sharing == 0) {
            reader->idleSince = Clock::now();
            persist(*reader);
        }
    }
    m_handles.erase(card);
    changed();
}

void ResourceManager::persist(VirtualReader& reader) {
    if (!m_persist || !reader.card)
        return;
    std::string error;
    if (!reader.card->persist(&error))
        complain("could not save the card of \"" + reader.name + "\": " + error);
}

void ResourceManager::restartLocked(RestartMode mode) {
    for (auto& reader : m_readers) {
        reader->sharing = 0;
        reader->lockHolder = 0;
        reader->lockCount = 0;
        persist(*reader);
        // pcscd powers cards down when it stops and up again when it starts.
        if (reader->cardReachable())
            resetCard(*reader, false);
        reader->idleSince = Clock::now();
    }
    if (mode == RestartMode::StaleContextsInvalid) {
        m_contexts.clear();
        m_handles.clear();
    } else {
        for (auto& [id, context] : m_contexts)
            context.stale = true;
        for (auto& [id, handle] : m_handles)
            handle.stale = true;
    }
    changed();
}

// --- PC/SC ---

LONG ResourceManager::establishContext(DWORD scope, SCARDCONTEXT* context) {
    Lock lock(m_mutex);
    *context = 0;
    if (!m_running)
        return SCARD_E_NO_SERVICE;
    if (scope != SCARD_SCOPE_USER && scope != SCARD_SCOPE_TERMINAL && scope != SCARD_SCOPE_SYSTEM &&
        scope != SCARD_SCOPE_GLOBAL)
        return SCARD_E_INVALID_VALUE;
    SCARDCONTEXT id = newId();
    m_contexts.emplace(id, Context{});
    *context = id;
    return SCARD_S_SUCCESS;
}

LONG ResourceManager::releaseContext(SCARDCONTEXT context) {
    Lock lock(m_mutex);
    auto it = m_contexts.find(context);
    if (it == m_contexts.end())
        return SCARD_E_INVALID_HANDLE;
    bool stale = it->second.stale;
    std::vector<SCARDHANDLE> cards;
    for (const auto& [id, handle] : m_handles)
        if (handle.context == context)
            cards.push_back(id);
    for (SCARDHANDLE card : cards) {
        if (stale) {
            m_handles.erase(card);
            continue;
        }
        // What pcscd does with the connections of a client that leaves: a
        // card the client held is reset unless it was already reset or removed.
        Handle& handle = m_handles.at(card);
        VirtualReader* reader = readerBySerial(handle.reader);
        DWORD disposition = SCARD_LEAVE_CARD;
        if (reader && reader->lockHolder == card && handle.event == Event::None)
            disposition = SCARD_RESET_CARD;
        closeConnection(card, reader, disposition);
    }
    m_contexts.erase(context);
    changed();
    return stale ? SCARD_E_NO_SERVICE : SCARD_S_SUCCESS;
}

LONG ResourceManager::isValidContext(SCARDCONTEXT context) {
    Lock lock(m_mutex);
    // pcsc-lite answers from the client's own list of contexts.
    return m_contexts.count(context) ? SCARD_S_SUCCESS : SCARD_E_INVALID_HANDLE;
}

bool ResourceManager::knowsContext(SCARDCONTEXT context) {
    Lock lock(m_mutex);
    return m_contexts.count(context) != 0;
}

LONG ResourceManager::checkContext(SCARDCONTEXT context) {
    Lock lock(m_mutex);
    return lookUpContext(context, nullptr);
}

LONG ResourceManager::checkHandle(SCARDHANDLE card) {
    Lock lock(m_mutex);
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    LONG rv = lookUpHandle(card, &handle, &reader);
    return rv == SCARD_E_READER_UNAVAILABLE ? SCARD_S_SUCCESS : rv;
}

LONG ResourceManager::listReaders(SCARDCONTEXT context, std::vector<std::string>* names) {
    Lock lock(m_mutex);
    if (LONG rv = lookUpContext(context, nullptr); rv != SCARD_S_SUCCESS)
        return rv;
    names->clear();
    for (const auto& reader : m_readers)
        names->push_back(reader->name);
    return names->empty() ? SCARD_E_NO_READERS_AVAILABLE : SCARD_S_SUCCESS;
}

LONG ResourceManager::cancel(SCARDCONTEXT context) {
    Lock lock(m_mutex);
    auto it = m_contexts.find(context);
    if (it == m_contexts.end())
        return SCARD_E_INVALID_HANDLE;
    if (it->second.waiting) {
        it->second.cancelled = true;
        changed();
    }
    return SCARD_S_SUCCESS;
}

LONG ResourceManager::getStatusChange(SCARDCONTEXT context, DWORD timeout,
                                      SCARD_READERSTATE* states, DWORD count) {
    Lock lock(m_mutex);
    if (LONG rv = lookUpContext(context, nullptr); rv != SCARD_S_SUCCESS)
        return rv;
    noticeOverdueRemovals();
    for (DWORD i = 0; i < count; ++i)
        if (!isReaderListNotification(states[i].szReader) && !readerByName(states[i].szReader))
            return SCARD_E_UNKNOWN_READER;

    bool tell = false;
    const unsigned eventsAtStart = m_readerEvents;
    for (DWORD i = 0; i < count; ++i) {
        SCARD_READERSTATE& entry = states[i];
        entry.dwEventState = 0;
        if (isReaderListNotification(entry.szReader)) {
            // The high word carries a count of readers coming and going.
            DWORD previous = entry.dwCurrentState >> 16;
            entry.dwEventState = DWORD{m_readerEvents & 0xFFFF} << 16;
            if (previous != 0 && previous != (m_readerEvents & 0xFFFF)) {
                entry.dwEventState |= SCARD_STATE_CHANGED;
                tell = true;
            }
        }
    }

    const bool forever = timeout == INFINITE || timeout == static_cast<DWORD>(-1);
    const auto deadline = Clock::now() + std::chrono::milliseconds(forever ? 0 : timeout);
    while (true) {
        for (DWORD i = 0; i < count; ++i) {
            SCARD_READERSTATE& entry = states[i];
            if (entry.dwCurrentState & SCARD_STATE_IGNORE)
                continue;
            if (isReaderListNotification(entry.szReader)) {
                if (m_readerEvents != eventsAtStart) {
                    entry.dwEventState = (entry.dwEventState & 0xFFFF) |
                                         DWORD{m_readerEvents & 0xFFFF} << 16 | SCARD_STATE_CHANGED;
                    tell = true;
                }
                continue;
            }
            tell |= checkReaderState(entry, readerByName(entry.szReader));
        }
        if (tell)
            return SCARD_S_SUCCESS;
        if (!forever && Clock::now() >= deadline)
            return SCARD_E_TIMEOUT;

        Context* waiting = nullptr;
        lookUpContext(context, &waiting);
        waiting->waiting = true;
        std::optional<Clock::time_point> wake;
        if (!forever)
            wake = deadline;
        for (const auto& reader : m_readers)
            if (reader->pulledAt && (!wake || *reader->pulledAt + kNoticeDelay < *wake))
                wake = *reader->pulledAt + kNoticeDelay;
        const uint64_t generation = m_generation;
        auto moved = [&] { return m_generation != generation; };
        if (wake)
            m_changed.wait_until(lock, *wake, moved);
        else
            m_changed.wait(lock, moved);

        if (LONG rv = lookUpContext(context, &waiting); rv != SCARD_S_SUCCESS)
            return rv;
        waiting->waiting = false;
        if (waiting->cancelled) {
            waiting->cancelled = false;
            return SCARD_E_CANCELLED;
        }
        noticeOverdueRemovals();
    }
}

LONG ResourceManager::connect(SCARDCONTEXT context, const char* name, DWORD shareMode,
                              DWORD protocols, SCARDHANDLE* card, DWORD* activeProtocol) {
    Lock lock(m_mutex);
    if (LONG rv = lookUpContext(context, nullptr); rv != SCARD_S_SUCCESS)
        return rv;
    noticeOverdueRemovals();
    if (!asksForAProtocol(shareMode, protocols))
        return SCARD_E_PROTO_MISMATCH;
    if (!validShareMode(shareMode))
        return SCARD_E_INVALID_VALUE;
    VirtualReader* reader = readerByName(name);
    if (!reader)
        return SCARD_E_UNKNOWN_READER;
    if (reader->sharing == VirtualReader::kExclusive)
        return SCARD_E_SHARING_VIOLATION;
    // A transaction of another connection delays a new one until it ends.
    const uint64_t serial = reader->serial;
    while (reader->lockHolder != 0) {
        m_changed.wait(lock);
        if (LONG rv = lookUpContext(context, nullptr); rv != SCARD_S_SUCCESS)
            return rv;
        reader = readerBySerial(serial);
        if (!reader)
            return SCARD_E_UNKNOWN_READER;
        if (reader->sharing == VirtualReader::kExclusive)
            return SCARD_E_SHARING_VIOLATION;
    }

    if (shareMode != SCARD_SHARE_DIRECT) {
        if (!reader->cardPresent())
            return SCARD_E_NO_SMARTCARD;
        if (!reader->cardReachable()) {
            noticeRemoval(*reader);
            return SCARD_E_NO_SMARTCARD;
        }
        powerUp(*reader);
    }
    if (LONG rv = negotiate(*reader, shareMode, protocols); rv != SCARD_S_SUCCESS)
        return rv;
    *activeProtocol = reader->protocol;

    SCARDHANDLE id = newId();
    if (shareMode == SCARD_SHARE_EXCLUSIVE) {
        if (reader->sharing != 0)
            return SCARD_E_SHARING_VIOLATION;
        reader->sharing = VirtualReader::kExclusive;
        reader->lockHolder = id;
        reader->lockCount = 1;
    } else {
        ++reader->sharing;
    }
    reader->idleSince.reset();
    m_handles.emplace(id, Handle{context, reader->serial, Event::None, false});
    *card = id;
    changed();
    return SCARD_S_SUCCESS;
}

LONG ResourceManager::reconnect(SCARDHANDLE card, DWORD shareMode, DWORD protocols,
                                DWORD initialization, DWORD* activeProtocol) {
    Lock lock(m_mutex);
    noticeOverdueRemovals();
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    if (LONG rv = lookUpHandle(card, &handle, &reader);
        rv != SCARD_S_SUCCESS && rv != SCARD_E_READER_UNAVAILABLE)
        return rv;
    if (initialization != SCARD_LEAVE_CARD && initialization != SCARD_RESET_CARD &&
        initialization != SCARD_UNPOWER_CARD)
        return SCARD_E_INVALID_VALUE;
    if (!validShareMode(shareMode))
        return SCARD_E_INVALID_VALUE;
    if (!asksForAProtocol(shareMode, protocols))
        return SCARD_E_PROTO_MISMATCH;
    if (LONG rv = waitForSharing(lock, card, &handle, &reader); rv != SCARD_S_SUCCESS)
        return rv;

    if (initialization != SCARD_LEAVE_CARD) {
        flagHandles(*reader, Event::Reset);
        if (!resetCard(*reader, false))
            return SCARD_E_NO_SMARTCARD;
    } else if (!reader->cardPresent()) {
        return SCARD_E_NO_SMARTCARD;
    } else if (!reader->powered && reader->cardReachable()) {
        powerUp(*reader);
    }
    if (LONG rv = negotiate(*reader, shareMode, protocols); rv != SCARD_S_SUCCESS)
        return rv;

    if (shareMode == SCARD_SHARE_EXCLUSIVE) {
        if (reader->sharing != VirtualReader::kExclusive) {
            if (reader->sharing != 1)
                return SCARD_E_SHARING_VIOLATION;
            reader->sharing = VirtualReader::kExclusive;
            reader->lockHolder = card;
            ++reader->lockCount;
        }
    } else if (reader->sharing == VirtualReader::kExclusive) {
        reader->lockCount = std::max(0, reader->lockCount - 1);
        if (reader->lockCount == 0)
            reader->lockHolder = 0;
        reader->sharing = 1;
    }
    handle->event = Event::None;
    *activeProtocol = reader->protocol;
    changed();
    return SCARD_S_SUCCESS;
}

LONG ResourceManager::disconnect(SCARDHANDLE card, DWORD disposition) {
    Lock lock(m_mutex);
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    LONG rv = lookUpHandle(card, &handle, &reader);
    if (rv == SCARD_E_READER_UNAVAILABLE) {
        m_handles.erase(card); // the reader is gone; pcscd ignores that here
        return SCARD_S_SUCCESS;
    }
    if (rv != SCARD_S_SUCCESS)
        return rv;
    if (!validDisposition(disposition))
        return SCARD_E_INVALID_VALUE;
    // Resetting the card waits for another connection's transaction to end.
    while (disposition != SCARD_LEAVE_CARD && reader->lockHolder != 0 &&
           reader->lockHolder != card) {
        m_changed.wait(lock);
        if (rv = lookUpHandle(card, &handle, &reader); rv != SCARD_S_SUCCESS)
            return rv == SCARD_E_READER_UNAVAILABLE ? SCARD_S_SUCCESS : rv;
    }
    closeConnection(card, reader, disposition);
    return SCARD_S_SUCCESS;
}

LONG ResourceManager::beginTransaction(SCARDHANDLE card) {
    Lock lock(m_mutex);
    noticeOverdueRemovals();
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    while (true) {
        if (LONG rv = lookUpHandle(card, &handle, &reader); rv != SCARD_S_SUCCESS)
            return rv;
        if (LONG rv = eventResult(*handle); rv != SCARD_S_SUCCESS)
            return rv;
        if (reader->lockHolder == 0 || reader->lockHolder == card) {
            reader->lockHolder = card;
            ++reader->lockCount;
            changed();
            return SCARD_S_SUCCESS;
        }
        m_changed.wait(lock);
        noticeOverdueRemovals();
    }
}

LONG ResourceManager::endTransaction(SCARDHANDLE card, DWORD disposition) {
    Lock lock(m_mutex);
    noticeOverdueRemovals();
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    if (LONG rv = lookUpHandle(card, &handle, &reader); rv != SCARD_S_SUCCESS)
        return rv;
    if (!validDisposition(disposition))
        return SCARD_E_INVALID_VALUE;
    if (LONG rv = eventResult(*handle); rv != SCARD_S_SUCCESS)
        return rv;
    const bool heldElsewhere = reader->lockHolder != 0 && reader->lockHolder != card;
    if (disposition != SCARD_LEAVE_CARD && heldElsewhere)
        return SCARD_E_SHARING_VIOLATION;

    LONG rv = SCARD_S_SUCCESS;
    if (disposition == SCARD_RESET_CARD || disposition == SCARD_UNPOWER_CARD) {
        if (!resetCard(*reader, false))
            rv = SCARD_W_REMOVED_CARD;
        flagHandles(*reader, Event::Reset);
    }
    LONG unlocked = SCARD_S_SUCCESS;
    if (heldElsewhere) {
        unlocked = SCARD_E_SHARING_VIOLATION;
    } else if (reader->sharing == VirtualReader::kExclusive) {
        // The exclusive connection itself holds one lock of its own.
        if (reader->lockCount > 1)
            --reader->lockCount;
        else
            unlocked = SCARD_E_NOT_TRANSACTED;
    } else if (reader->lockCount > 0) {
        if (--reader->lockCount == 0)
            reader->lockHolder = 0;
    } else {
        unlocked = SCARD_E_NOT_TRANSACTED;
    }
    changed();
    return rv != SCARD_S_SUCCESS ? rv : unlocked;
}

LONG ResourceManager::status(SCARDHANDLE card, CardStatus* status) {
    Lock lock(m_mutex);
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    if (LONG rv = waitForCard(lock, card, &handle, &reader); rv != SCARD_S_SUCCESS)
        return rv;
    status->readerName = reader->name;
    status->state = (DWORD{reader->eventCounter} << 16) + reader->readerState();
    status->protocol = reader->protocol;
    status->atr = reader->cardPresent() ? reader->atr : std::vector<uint8_t>();
    return SCARD_S_SUCCESS;
}

LONG ResourceManager::transmit(SCARDHANDLE card, const SCARD_IO_REQUEST& sendPci,
                               std::span<const uint8_t> command, std::vector<uint8_t>* response) {
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    unsigned latency = 0;
    {
        Lock lock(m_mutex);
        if (LONG rv = lookUpHandle(card, &handle, &reader); rv != SCARD_S_SUCCESS)
            return rv;
        latency = reader->latencyMs;
    }
    if (latency)
        std::this_thread::sleep_for(std::chrono::milliseconds(latency));

    Lock lock(m_mutex);
    if (LONG rv = waitForCard(lock, card, &handle, &reader); rv != SCARD_S_SUCCESS)
        return rv;
    const DWORD protocol = sendPci.dwProtocol;
    if (protocol != SCARD_PROTOCOL_RAW && !reader->cardPresent())
        return SCARD_E_NO_SMARTCARD;
    if (protocol != SCARD_PROTOCOL_RAW && protocol != kProtocolAnyOld &&
        protocol != reader->protocol)
        return SCARD_E_PROTO_MISMATCH;

    std::vector<uint8_t> tpdu = reader->protocol == SCARD_PROTOCOL_T0
                                    ? toT0Command(command)
                                    : std::vector<uint8_t>(command.begin(), command.end());
    const int position = positionOf(*reader);
    std::optional<Fault> fault = m_faults.match(position, tpdu);
    response->clear();
    LONG result = SCARD_S_SUCCESS;
    if (fault && fault->kind == Fault::Kind::PullCard && reader->cardReachable())
        reader->pulledAt = Clock::now();

    if (fault && (fault->kind == Fault::Kind::RestartService ||
                  fault->kind == Fault::Kind::RestartInvalidating)) {
        bool invalidate = fault->kind == Fault::Kind::RestartInvalidating;
        restartLocked(invalidate ? RestartMode::StaleContextsInvalid
                                 : RestartMode::StaleContextsLookValid);
        result = invalidate ? SCARD_E_INVALID_HANDLE : SCARD_E_NO_SERVICE;
    } else if (!reader->cardReachable()) {
        // The reader finds out the card is gone by failing to reach it.
        result = SCARD_E_NOT_TRANSACTED;
        noticeRemoval(*reader);
    } else if (fault && fault->kind == Fault::Kind::StatusWord) {
        *response = {static_cast<uint8_t>(fault->statusWord >> 8),
                     static_cast<uint8_t>(fault->statusWord & 0xFF)};
    } else if (fault && fault->kind == Fault::Kind::PcscError) {
        result = static_cast<LONG>(fault->pcscError);
    } else {
        *response = reader->card->transmit(tpdu);
        if (response->empty())
            result = SCARD_E_NOT_TRANSACTED; // a mute card
        else if (fault && fault->kind == Fault::Kind::ShortAnswer)
            cutAnswer(*response, fault->keptDataBytes);
    }
    m_trace.record(position, tpdu, *response, result);
    if (result != SCARD_S_SUCCESS)
        response->clear();
    return result;
}

LONG ResourceManager::control(SCARDHANDLE card, DWORD code, std::span<const uint8_t>,
                              std::vector<uint8_t>* output) {
    Lock lock(m_mutex);
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    if (LONG rv = waitForSharing(lock, card, &handle, &reader); rv != SCARD_S_SUCCESS)
        return rv;
    output->clear();
    // The reader offers no features beyond plain PC/SC.
    return code == CM_IOCTL_GET_FEATURE_REQUEST ? SCARD_S_SUCCESS : SCARD_E_UNSUPPORTED_FEATURE;
}

LONG ResourceManager::getAttribute(SCARDHANDLE card, DWORD id, std::vector<uint8_t>* value) {
    Lock lock(m_mutex);
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    if (LONG rv = waitForCard(lock, card, &handle, &reader); rv != SCARD_S_SUCCESS)
        return rv;
    switch (id) {
    case SCARD_ATTR_ATR_STRING:
        *value = reader->cardPresent() ? reader->atr : std::vector<uint8_t>();
        return SCARD_S_SUCCESS;
    case SCARD_ATTR_ICC_PRESENCE:
        *value = {static_cast<uint8_t>(reader->cardPresent() ? 2 : 0)};
        return SCARD_S_SUCCESS;
    case SCARD_ATTR_ICC_INTERFACE_STATUS:
        *value = {static_cast<uint8_t>(reader->cardPresent() && reader->powered ? 1 : 0)};
        return SCARD_S_SUCCESS;
    case SCARD_ATTR_VENDOR_NAME: {
        static const char kVendor[] = "Pelmora";
        value->assign(kVendor, kVendor + sizeof kVendor - 1);
        return SCARD_S_SUCCESS;
    }
    case SCARD_ATTR_DEVICE_FRIENDLY_NAME_A:
    case SCARD_ATTR_DEVICE_SYSTEM_NAME_A:
        value->assign(reader->name.begin(), reader->name.end());
        value->push_back(0);
        return SCARD_S_SUCCESS;
    default:
        return SCARD_E_UNSUPPORTED_FEATURE;
    }
}

LONG ResourceManager::setAttribute(SCARDHANDLE card, DWORD) {
    Lock lock(m_mutex);
    Handle* handle = nullptr;
    VirtualReader* reader = nullptr;
    if (LONG rv = waitForCard(lock, card, &handle, &reader); rv != SCARD_S_SUCCESS)
        return rv;
    return SCARD_E_UNSUPPORTED_FEATURE;
}

// --- test controls ---

void ResourceManager::reset() {
    Lock lock(m_mutex);
    dropEverything();
    configureFromEnvironment();
    changed();
}

int ResourceManager::readerCount() {
    Lock lock(m_mutex);
    return static_cast<int>(m_readers.size());
}

bool ResourceManager::addReader(const char* name, int* position, std::string* error) {
    Lock lock(m_mutex);
    if (m_readers.size() == kMostReaders) {
        *error = "a resource manager serves at most 16 readers";
        return false;
    }
    if (name) {
        if (!validReaderName(name, error))
            return false;
        if (readerByName(name)) {
            *error = std::string("a reader is already named \"") + name + "\"";
            return false;
        }
    }
    appendReader(name);
    *position = static_cast<int>(m_readers.size()) - 1;
    return true;
}

bool ResourceManager::removeReader(int position, std::string* error) {
    Lock lock(m_mutex);
    VirtualReader* reader = readerAt(position, error);
    if (!reader)
        return false;
    persist(*reader);
    m_readers.erase(m_readers.begin() + position);
    ++m_readerEvents;
    changed();
    return true;
}

bool ResourceManager::renameReader(int position, const std::string& name, std::string* error) {
    Lock lock(m_mutex);
    VirtualReader* reader = readerAt(position, error);
    if (!reader || !validReaderName(name, error))
        return false;
    if (VirtualReader* other = readerByName(name.c_str()); other && other != reader) {
        *error = "a reader is already named \"" + name + "\"";
        return false;
    }
    reader->name = name;
    ++m_readerEvents;
    changed();
    return true;
}

bool ResourceManager::readerName(int position, std::string* name, std::string* error) {
    Lock lock(m_mutex);
    VirtualReader* reader = readerAt(position, error);
    if (!reader)
        return false;
    *name = reader->name;
    return true;
}

bool ResourceManager::insertCard(int position, std::unique_ptr<SmartCard> card,
                                 std::string* error) {
    Lock lock(m_mutex);
    VirtualReader* reader = readerAt(position, error);
    if (!reader)
        return false;
    if (reader->cardReachable()) {
        *error = "reader " + std::to_string(position) + " already holds a card";
        return false;
    }
    if (reader->cardPresent())
        noticeRemoval(*reader); // a pulled card the reader has not noticed yet
    placeCard(*reader, std::move(card));
    return true;
}

VirtualReader* ResourceManager::readerWithCard(int position, std::string* error) {
    VirtualReader* reader = readerAt(position, error);
    if (reader && !reader->cardReachable()) {
        *error = "reader " + std::to_string(position) + " holds no card";
        return nullptr;
    }
    return reader;
}

bool ResourceManager::removeCard(int position, std::string* error) {
    Lock lock(m_mutex);
    VirtualReader* reader = readerWithCard(position, error);
    if (reader)
        noticeRemoval(*reader);
    return reader != nullptr;
}

bool ResourceManager::pullCard(int position, std::string* error) {
    Lock lock(m_mutex);
    VirtualReader* reader = readerWithCard(position, error);
    if (!reader)
        return false;
    reader->pulledAt = Clock::now();
    changed();
    return true;
}

int ResourceManager::cardPresent(int position) {
    Lock lock(m_mutex);
    std::string error;
    VirtualReader* reader = readerAt(position, &error);
    if (!reader)
        return -1;
    return reader->cardReachable() ? 1 : 0;
}

void ResourceManager::setPersist(bool persist) {
    Lock lock(m_mutex);
    m_persist = persist;
}

void ResourceManager::setPowerOffDelay(unsigned milliseconds) {
    Lock lock(m_mutex);
    m_powerOffDelayMs = milliseconds;
}

bool ResourceManager::setLatency(int position, unsigned milliseconds, std::string* error) {
    Lock lock(m_mutex);
    if (position < 0) {
        m_defaultLatencyMs = milliseconds;
        for (auto& reader : m_readers)
            reader->latencyMs = milliseconds;
        return true;
    }
    VirtualReader* reader = readerAt(position, error);
    if (!reader)
        return false;
    reader->latencyMs = milliseconds;
    return true;
}

bool ResourceManager::addFaults(const std::string& rules, std::string* error) {
    Lock lock(m_mutex);
    return m_faults.add(rules, error);
}

void ResourceManager::clearFaults() {
    Lock lock(m_mutex);
    m_faults.clear();
}

void ResourceManager::restartService(RestartMode mode) {
    Lock lock(m_mutex);
    restartLocked(mode);
}

void ResourceManager::setServiceRunning(bool running) {
    Lock lock(m_mutex);
    if (m_running && !running)
        restartLocked(RestartMode::StaleContextsLookValid);
    m_running = running;
}

size_t ResourceManager::apduCount(int position) {
    Lock lock(m_mutex);
    return m_trace.count(position);
}

size_t ResourceManager::traceSize() {
    Lock lock(m_mutex);
    return m_trace.entries().size();
}

bool ResourceManager::traceEntry(size_t index, TracedApdu* entry) {
    Lock lock(m_mutex);
    if (index >= m_trace.entries().size())
        return false;
    *entry = m_trace.entries()[index];
    return true;
}

void ResourceManager::clearTrace() {
    Lock lock(m_mutex);
    m_trace.clear();
}

} // namespace virtualsim
