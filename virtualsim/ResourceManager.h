#pragma once
// The resource manager behind libvirtualsim.so: the part pcscd plays for
// pcsc-lite clients. It owns the readers and their cards, the contexts and
// card handles, and answers every PC/SC operation with pcsc-lite's result
// codes. Checks that pcsc-lite makes on the client side (null pointers,
// buffer conventions) live in the exported functions, not here.
//
// One lock guards everything; calls that pcsc-lite lets block (waiting for
// another handle's transaction, SCardGetStatusChange) wait on a condition.

#include "ApduTrace.h"
#include "FaultPlan.h"
#include "VirtualReader.h"

#include <winscard.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace virtualsim {

struct CardStatus {
    std::string readerName;
    DWORD state = 0; // event counter in the high word, as pcsc-lite reports it
    DWORD protocol = 0;
    std::vector<uint8_t> atr;
};

enum class RestartMode { StaleContextsLookValid, StaleContextsInvalid };

class ResourceManager {
public:
    // The process-wide instance, configured from the environment on first use.
    static ResourceManager& instance();

    ResourceManager();
    ~ResourceManager();
    ResourceManager(const ResourceManager&) = delete;
    ResourceManager& operator=(const ResourceManager&) = delete;

    // --- PC/SC ---
    LONG establishContext(DWORD scope, SCARDCONTEXT* context);
    LONG releaseContext(SCARDCONTEXT context);
    LONG isValidContext(SCARDCONTEXT context);
    // Contexts that may still free memory the library allocated for them.
    bool knowsContext(SCARDCONTEXT context);
    LONG listReaders(SCARDCONTEXT context, std::vector<std::string>* names);
    LONG checkContext(SCARDCONTEXT context);
    // The client-side check of a card handle: known and from a live context.
    LONG checkHandle(SCARDHANDLE card);
    LONG cancel(SCARDCONTEXT context);
    LONG getStatusChange(SCARDCONTEXT context, DWORD timeout, SCARD_READERSTATE* states,
                         DWORD count);

    LONG connect(SCARDCONTEXT context, const char* reader, DWORD shareMode, DWORD protocols,
                 SCARDHANDLE* card, DWORD* activeProtocol);
    LONG reconnect(SCARDHANDLE card, DWORD shareMode, DWORD protocols, DWORD initialization,
                   DWORD* activeProtocol);
    LONG disconnect(SCARDHANDLE card, DWORD disposition);
    LONG beginTransaction(SCARDHANDLE card);
    LONG endTransaction(SCARDHANDLE card, DWORD disposition);
    LONG status(SCARDHANDLE card, CardStatus* status);
    LONG transmit(SCARDHANDLE card, const SCARD_IO_REQUEST& sendPci,
                  std::span<const uint8_t> command, std::vector<uint8_t>* response);
    LONG control(SCARDHANDLE card, DWORD code, std::span<const uint8_t> input,
                 std::vector<uint8_t>* output);
    LONG getAttribute(SCARDHANDLE card, DWORD id, std::vector<uint8_t>* value);
    LONG setAttribute(SCARDHANDLE card, DWORD id);

    // --- test controls (VirtualSimControl.h) ---
    void reset();
    int readerCount();
    bool addReader(const char* name, int* position, std::string* error);
    bool removeReader(int position, std::string* error);
    bool renameReader(int position, const std::string& name, std::string* error);
    bool readerName(int position, std::string* name, std::string* error);
    bool insertCard(int position, std::unique_ptr<SmartCard> card, std::string* error);
    bool removeCard(int position, std::string* error);
    bool pullCard(int position, std::string* error);
    int cardPresent(int position);
    void setPersist(bool persist);
    void setPowerOffDelay(unsigned milliseconds);
    bool setLatency(int position, unsigned milliseconds, std::string* error);
    bool addFaults(const std::string& rules, std::string* error);
    void clearFaults();
    void restartService(RestartMode mode);
    void setServiceRunning(bool running);
    size_t apduCount(int position);
    size_t traceSize();
    bool traceEntry(size_t index, TracedApdu* entry);
    void clearTrace();

private:
    enum class Event { None, Reset, Removed };
    struct Context {
        bool stale = false; // from before a restart of the resource manager
        bool waiting = false;
        bool cancelled = false;
    };
    struct Handle {
        SCARDCONTEXT context = 0;
        uint64_t reader = 0;
        Event event = Event::None;
        bool stale = false;
    };
    using Lock = std::unique_lock<std::mutex>;

    void configureFromEnvironment();
    void dropEverything();
    void changed();
    SCARDCONTEXT newId();
    VirtualReader& appendReader(const char* name);
    void placeCard(VirtualReader& reader, std::unique_ptr<SmartCard> card);

    VirtualReader* readerBySerial(uint64_t serial);
    VirtualReader* readerByName(const char* name);
    VirtualReader* readerAt(int position, std::string* error);
    VirtualReader* readerWithCard(int position, std::string* error);
    int positionOf(const VirtualReader& reader) const;

    LONG lookUpContext(SCARDCONTEXT context, Context** found);
    LONG lookUpHandle(SCARDHANDLE card, Handle** handle, VirtualReader** reader);
    // pcsc-lite clients retry while another handle holds the reader: wait
    // for it, then look the handle up again.
    LONG waitForSharing(Lock& lock, SCARDHANDLE card, Handle** handle, VirtualReader** reader);
    // The same, then any reset or removal the handle has not acknowledged.
    LONG waitForCard(Lock& lock, SCARDHANDLE card, Handle** handle, VirtualReader** reader);
    static LONG eventResult(const Handle& handle);

    void noticeOverdueRemovals();
    void noticeRemoval(VirtualReader& reader);
    void flagHandles(const VirtualReader& reader, Event event);
    void powerUp(VirtualReader& reader);
    // False when the card could not be reached (it was pulled out).
    bool resetCard(VirtualReader& reader, bool unpower);
    LONG negotiate(VirtualReader& reader, DWORD shareMode, DWORD protocols);
    void closeConnection(SCARDHANDLE card, VirtualReader* reader, DWORD disposition);
    void persist(VirtualReader& reader);
    void restartLocked(RestartMode mode);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    uint64_t m_generation = 0;

    std::vector<std::unique_ptr<VirtualReader>> m_readers;
    std::map<SCARDCONTEXT, Context> m_contexts;
    std::map<SCARDHANDLE, Handle> m_handles;
    SCARDCONTEXT m_nextId = 0;
    uint64_t m_nextSerial = 1;
    unsigned m_namedReaders = 0;
    unsigned m_readerEvents = 1;

    bool m_running = true;
    bool m_persist = false;
    unsigned m_powerOffDelayMs = 5000;
    unsigned m_defaultLatencyMs = 0;
    FaultPlan m_faults;
    ApduTrace m_trace;
};

} // namespace virtualsim
