// A resource manager with pcsc-lite's names and types whose card answers are
// scripted by the test. Built twice: complete, and without
// SCardListReaderGroups to stand for a library that lacks an entry point.

#include "ScriptedPcsc.h"

#include <winscard.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct State {
    std::set<SCARDCONTEXT> validContexts;
    std::set<SCARDCONTEXT> staleContexts;
    SCARDCONTEXT nextContext = 0x1000;
    LONG establishResult = SCARD_S_SUCCESS;
    LONG connectResult = SCARD_S_SUCCESS;
    LONG transmitResult = SCARD_S_SUCCESS;
    unsigned long reportedLength = 0;
    std::string readerName = "Scripted Reader 0";
    std::vector<uint8_t> atr{0x3B, 0x02, 0x14, 0x50};
    std::deque<std::vector<uint8_t>> responses;
    std::vector<uint8_t> lastCommand;
    std::string lastReader;
    std::map<std::string, int> calls;
    std::map<std::string, unsigned long> last;
    SCARDHANDLE connectedCard = 0;
};

State& state() {
    static State s;
    return s;
}

void count(const char* entry) {
    ++state().calls[entry];
}

constexpr SCARDHANDLE kCard = 0x2000;

} // namespace

extern "C" {

void scripted_reset() {
    state() = State{};
}

void scripted_queue_response(const uint8_t* bytes, size_t length) {
    state().responses.emplace_back(bytes, bytes + length);
}

void scripted_set_transmit_result(long result) {
    state().transmitResult = result;
}
void scripted_set_reported_length(unsigned long length) {
    state().reportedLength = length;
}
void scripted_set_connect_result(long result) {
    state().connectResult = result;
}
void scripted_set_establish_result(long result) {
    state().establishResult = result;
}

void scripted_set_card(const char* readerName, const uint8_t* atr, size_t atrLength) {
    state().readerName = readerName;
    state().atr.assign(atr, atr + atrLength);
}

void scripted_invalidate_contexts(int checkedLocally) {
    State& s = state();
    if (checkedLocally != 0) {
        s.staleContexts.insert(s.validContexts.begin(), s.validContexts.end());
    }
    s.validContexts.clear();
}

size_t scripted_last_command(uint8_t* out, size_t capacity) {
    const auto& command = state().lastCommand;
    const size_t n = std::min(capacity, command.size());
    std::copy_n(command.begin(), n, out);
    return command.size();
}

int scripted_calls(const char* entry) {
    return state().calls[entry];
}
unsigned long scripted_last(const char* what) {
    return state().last[what];
}
const char* scripted_last_reader() {
    return state().lastReader.c_str();
}

LONG SCardEstablishContext(DWORD dwScope, LPCVOID, LPCVOID, LPSCARDCONTEXT phContext) {
    count("SCardEstablishContext");
    state().last["scope"] = dwScope;
    if (state().establishResult != SCARD_S_SUCCESS) {
        return state().establishResult;
    }
    const SCARDCONTEXT context = state().nextContext++;
    state().validContexts.insert(context);
    state().last["established_context"] = static_cast<unsigned long>(context);
    *phContext = context;
    return SCARD_S_SUCCESS;
}

LONG SCardReleaseContext(SCARDCONTEXT hContext) {
    count("SCardReleaseContext");
    state().last["released_context"] = static_cast<unsigned long>(hContext);
    state().staleContexts.erase(hContext);
    return state().validContexts.erase(hContext) == 1 ? SCARD_S_SUCCESS : SCARD_E_INVALID_HANDLE;
}

LONG SCardIsValidContext(SCARDCONTEXT hContext) {
    count("SCardIsValidContext");
    const State& s = state();
    const bool known = s.validContexts.count(hContext) == 1 || s.staleContexts.count(hContext) == 1;
    return known ? SCARD_S_SUCCESS : SCARD_E_INVALID_HANDLE;
}

LONG SCardConnect(SCARDCONTEXT hContext, LPCSTR szReader, DWORD dwShareMode,
                  DWORD dwPreferredProtocols, LPSCARDHANDLE phCard, LPDWORD pdwActiveProtocol) {
    count("SCardConnect");
    State& s = state();
    s.lastReader = szReader;
    s.last["connect_context"] = static_cast<unsigned long>(hContext);
    s.last["share_mode"] = dwShareMode;
    s.last["protocols"] = dwPreferredProtocols;
    if (s.staleContexts.count(hContext) == 1) {
        return SCARD_E_NO_SERVICE;
    }
    if (s.validContexts.count(hContext) == 0) {
        return SCARD_E_INVALID_HANDLE;
    }
    if (s.connectResult != SCARD_S_SUCCESS) {
        return s.connectResult;
    }
    s.connectedCard = kCard;
    *phCard = kCard;
    *pdwActiveProtocol = SCARD_PROTOCOL_T0;
    return SCARD_S_SUCCESS;
}

LONG SCardReconnect(SCARDHANDLE, DWORD, DWORD, DWORD, LPDWORD) {
    count("SCardReconnect");
    return SCARD_E_UNSUPPORTED_FEATURE;
}

LONG SCardDisconnect(SCARDHANDLE hCard, DWORD dwDisposition) {
    count("SCardDisconnect");
    state().last["disposition"] = dwDisposition;
    if (hCard != state().connectedCard || hCard == 0) {
        return SCARD_E_INVALID_HANDLE;
    }
    state().connectedCard = 0;
    return SCARD_S_SUCCESS;
}

LONG SCardStatus(SCARDHANDLE hCard, LPSTR szReaderName, LPDWORD pcchReaderLen, LPDWORD pdwState,
                 LPDWORD pdwProtocol, LPBYTE pbAtr, LPDWORD pcbAtrLen) {
    count("SCardStatus");
    const State& s = state();
    if (hCard != s.connectedCard || hCard == 0) {
        return SCARD_E_INVALID_HANDLE;
    }
    if (*pcchReaderLen < s.readerName.size() + 1 || *pcbAtrLen < s.atr.size()) {
        return SCARD_E_INSUFFICIENT_BUFFER;
    }
    std::memcpy(szReaderName, s.readerName.c_str(), s.readerName.size() + 1);
    *pcchReaderLen = s.readerName.size() + 1;
    std::copy(s.atr.begin(), s.atr.end(), pbAtr);
    *pcbAtrLen = s.atr.size();
    *pdwState = SCARD_SPECIFIC;
    *pdwProtocol = SCARD_PROTOCOL_T0;
    return SCARD_S_SUCCESS;
}

LONG SCardTransmit(SCARDHANDLE hCard, const SCARD_IO_REQUEST* pioSendPci, LPCBYTE pbSendBuffer,
                   DWORD cbSendLength, SCARD_IO_REQUEST*, LPBYTE pbRecvBuffer,
                   LPDWORD pcbRecvLength) {
    count("SCardTransmit");
    State& s = state();
    s.last["send_protocol"] = pioSendPci->dwProtocol;
    s.last["send_pci_length"] = pioSendPci->cbPciLength;
    s.lastCommand.assign(pbSendBuffer, pbSendBuffer + cbSendLength);
    if (hCard != s.connectedCard || hCard == 0) {
        return SCARD_E_INVALID_HANDLE;
    }
    if (s.transmitResult != SCARD_S_SUCCESS) {
        return s.transmitResult;
    }
    std::vector<uint8_t> response{0x90, 0x00};
    if (!s.responses.empty()) {
        response = s.responses.front();
        s.responses.pop_front();
    }
    if (response.size() > *pcbRecvLength) {
        *pcbRecvLength = response.size();
        return SCARD_E_INSUFFICIENT_BUFFER;
    }
    std::copy(response.begin(), response.end(), pbRecvBuffer);
    *pcbRecvLength = s.reportedLength != 0 ? s.reportedLength : response.size();
    return SCARD_S_SUCCESS;
}

LONG SCardControl(SCARDHANDLE, DWORD, LPCVOID, DWORD, LPVOID, DWORD, LPDWORD) {
    count("SCardControl");
    return SCARD_E_UNSUPPORTED_FEATURE;
}

LONG SCardCancel(SCARDCONTEXT) {
    count("SCardCancel");
    return SCARD_S_SUCCESS;
}

LONG SCardGetStatusChange(SCARDCONTEXT, DWORD, SCARD_READERSTATE*, DWORD) {
    count("SCardGetStatusChange");
    return SCARD_E_TIMEOUT;
}

LONG SCardListReaders(SCARDCONTEXT, LPCSTR, LPSTR mszReaders, LPDWORD pcchReaders) {
    count("SCardListReaders");
    const std::string& name = state().readerName;
    const DWORD needed = name.size() + 2;
    if (mszReaders != nullptr && *pcchReaders >= needed) {
        std::memcpy(mszReaders, name.c_str(), name.size() + 1);
        mszReaders[name.size() + 1] = '\0';
    }
    *pcchReaders = needed;
    return SCARD_S_SUCCESS;
}

#ifndef SCRIPTED_PCSC_INCOMPLETE
LONG SCardListReaderGroups(SCARDCONTEXT, LPSTR mszGroups, LPDWORD pcchGroups) {
    count("SCardListReaderGroups");
    static const char groups[] = "SCard$DefaultReaders\0";
    if (mszGroups != nullptr && *pcchGroups >= sizeof groups) {
        std::memcpy(mszGroups, groups, sizeof groups);
    }
    *pcchGroups = sizeof groups;
    return SCARD_S_SUCCESS;
}
#endif

} // extern "C"
