#include "VirtualCardFixture.h"

#include "CodePage.h"

#include <dlfcn.h>

#include <cstdlib>

namespace brontel {

namespace {

template <typename Entry> void bind(void* library, const char* name, Entry& entry) {
    entry = reinterpret_cast<Entry>(dlsym(library, name));
    if (entry == nullptr) {
        ADD_FAILURE() << "libvirtualsim.so lacks " << name;
    }
}

} // namespace

const VirtualSim& VirtualCard::sim() {
    static const VirtualSim controls = [] {
        VirtualSim s{};
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            ADD_FAILURE() << dlerror();
            return s;
        }
        bind(library, "virtualsim_reset", s.reset);
        bind(library, "virtualsim_insert_card_text", s.insert_card_text);
        bind(library, "virtualsim_remove_card", s.remove_card);
        bind(library, "virtualsim_pull_card", s.pull_card);
        bind(library, "virtualsim_reader_name", s.reader_name);
        bind(library, "virtualsim_rename_reader", s.rename_reader);
        bind(library, "virtualsim_add_fault", s.add_fault);
        bind(library, "virtualsim_restart_service", s.restart_service);
        bind(library, "virtualsim_apdu_count", s.apdu_count);
        bind(library, "virtualsim_last_error", s.last_error);
        bind(library, "virtualsim_insert_card", s.insert_card);
        bind(library, "virtualsim_set_persist", s.set_persist);
        bind(library, "virtualsim_trace_size", s.trace_size);
        bind(library, "virtualsim_trace_entry", s.trace_entry);
        bind(library, "virtualsim_clear_trace", s.clear_trace);
        return s;
    }();
    return controls;
}

std::string VirtualCard::profile(const std::string& atr) {
    // CHV1 1234 (enabled), UNBLOCK CHV1 12345678, CHV2 5678, UNBLOCK CHV2
    // 87654321. EF ADN holds five 28-byte records, the first one "Alice"
    // +31 6 12345678 (TS 51.011 10.5.1).
    return "[Card]\nATR=" + atr + R"(
CHV1=1234
UnblockCHV1=12345678
CHV2=5678
UnblockCHV2=87654321
CHV1Enabled=1

[3F00]
Type=MF

[3F00/2FE2]
Type=EF
Structure=transparent
Size=10
Read=ALW
Update=NEV
Data=98137000000012345678

[3F00/7F10]
Type=DF

[3F00/7F10/6F3A]
Type=EF
Structure=linear fixed
RecordLength=28
Records=5
Read=CHV1
Update=CHV1
1=416C696365FFFFFFFFFFFFFFFFFF07911316325476F8FFFFFFFFFFFF

[3F00/7F10/6F3B]
Type=EF
Structure=linear fixed
RecordLength=28
Records=2
Read=CHV1
Update=CHV1
UpdateRetries=3

[3F00/7F10/6F3C]
Type=EF
Structure=linear fixed
RecordLength=176
Records=2
Read=CHV1
Update=CHV1
MemoryProblem=1
)";
}

void VirtualCard::SetUp() {
    setenv(kPcscLibraryVariable, VIRTUALSIM_PATH, 1);
    setenv("VIRTUALSIM_CARDS", "", 1); // one empty reader
    ASSERT_TRUE(load_winscard());
    ASSERT_NE(sim().reset, nullptr);
    sim().reset();
    insert(profile());
    ASSERT_EQ(winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context),
              SCARD_S_SUCCESS);
}

void VirtualCard::TearDown() {
    card.disconnect();
    if (winscard.SCardReleaseContext != nullptr) {
        winscard.SCardReleaseContext(context);
    }
    unload_winscard();
}

void VirtualCard::insert(const std::string& text) {
    sim().remove_card(0);
    ASSERT_EQ(sim().insert_card_text(0, text.data(), text.size()), 0) << sim().last_error();
}

std::u16string VirtualCard::readerName(int reader) const {
    char name[256] = {};
    EXPECT_GE(sim().reader_name(reader, name, sizeof name), 0);
    return pelmora::platform::fromUtf8(name);
}

void VirtualCard::connect() {
    ASSERT_EQ(card.connect(&context, readerName()), 1)
        << std::hex << static_cast<uint32_t>(card.pcsc_result());
}

void VirtualCard::selectAdn() {
    ASSERT_EQ(card.select(files::kMasterFile), 1);
    ASSERT_EQ(card.select(files::kTelecom), 1);
    ASSERT_EQ(card.select(files::kAdn), 1);
}

} // namespace brontel
