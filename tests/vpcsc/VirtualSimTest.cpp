#include "VirtualSimTest.h"

#include <cstdlib>
#include <sstream>

namespace {

const char* const kVariables[] = {
    "VIRTUALSIM_CARDS",        "VIRTUALSIM_PERSIST",    "VIRTUALSIM_LATENCY_MS",
    "VIRTUALSIM_FAULTS",       "VIRTUALSIM_TRACE",      "VIRTUALSIM_NO_SERVICE",
    "VIRTUALSIM_POWER_OFF_MS", "VIRTUALSIM_NO_READERS", "VIRTUALSIM_ATR"};

} // namespace

Bytes hex(const std::string& text) {
    Bytes bytes;
    std::istringstream in(text);
    std::string pair;
    while (in >> pair)
        bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
    return bytes;
}

PcscLibrary& VirtualSimTest::pcsc() {
    static std::unique_ptr<PcscLibrary> library = [] {
        std::string error;
        auto loaded = PcscLibrary::load(VIRTUALSIM_LIBRARY, &error);
        if (!loaded || !loaded->hasControls) {
            ADD_FAILURE() << "cannot load " << VIRTUALSIM_LIBRARY << ": " << error;
            std::abort();
        }
        return loaded;
    }();
    return *library;
}

void VirtualSimTest::SetUp() {
    start({{"VIRTUALSIM_CARDS", ""}});
}

void VirtualSimTest::TearDown() {
    for (const char* name : kVariables)
        unsetenv(name);
    setenv("VIRTUALSIM_CARDS", "", 1);
    sim().reset(); // drops the cards before the test's card doubles go
}

void VirtualSimTest::start(const std::map<std::string, std::string>& environment) {
    for (const char* name : kVariables)
        unsetenv(name);
    for (const auto& [name, value] : environment)
        setenv(name.c_str(), value.c_str(), 1);
    sim().reset();
}

SCARDCONTEXT VirtualSimTest::establish() {
    SCARDCONTEXT context = 0;
    EXPECT_EQ(pcsc().EstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context),
              SCARD_S_SUCCESS);
    return context;
}

std::string VirtualSimTest::readerName(int reader) {
    char name[MAX_READERNAME + 1] = {};
    EXPECT_GE(sim().readerName(reader, name, sizeof name), 0) << sim().lastError();
    return name;
}

LONG VirtualSimTest::tryConnect(SCARDCONTEXT context, int reader, DWORD shareMode, DWORD protocols,
                                SCARDHANDLE* card, DWORD* active) {
    SCARDHANDLE handle = 0;
    DWORD protocol = 0;
    LONG rv = pcsc().Connect(context, readerName(reader).c_str(), shareMode, protocols, &handle,
                             &protocol);
    if (card)
        *card = handle;
    if (active)
        *active = protocol;
    return rv;
}

SCARDHANDLE VirtualSimTest::connect(SCARDCONTEXT context, int reader, DWORD shareMode,
                                    DWORD protocols) {
    SCARDHANDLE card = 0;
    EXPECT_EQ(tryConnect(context, reader, shareMode, protocols, &card), SCARD_S_SUCCESS);
    return card;
}

Bytes VirtualSimTest::transmit(SCARDHANDLE card, const Bytes& command, LONG* rv) {
    BYTE response[MAX_BUFFER_SIZE] = {};
    DWORD length = sizeof response;
    LONG result = pcsc().Transmit(card, pcsc().T0Pci, command.data(), command.size(), nullptr,
                                  response, &length);
    if (rv)
        *rv = result;
    else
        EXPECT_EQ(result, SCARD_S_SUCCESS);
    if (result != SCARD_S_SUCCESS)
        return {};
    return Bytes(response, response + length);
}

void VirtualSimTest::insert(TestCard& card, int reader) {
    VirtualSimCustomCard callbacks = card.callbacks();
    ASSERT_EQ(sim().insertCustomCard(reader, &callbacks), 0) << sim().lastError();
}
