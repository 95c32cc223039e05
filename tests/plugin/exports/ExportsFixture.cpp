#include "ExportsFixture.h"

#include "frame/PluginLifetime.h"
#include "pcsc/Winscard.h"

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

std::u16string text(const char16_t* field) {
    return field;
}

const SimControls& Exports::sim() {
    static const SimControls controls = [] {
        SimControls s{};
        // The same instance the binding loads: dlopen shares it by path.
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            ADD_FAILURE() << dlerror();
            return s;
        }
        bind(library, "virtualsim_reset", s.reset);
        bind(library, "virtualsim_insert_card", s.insert_card);
        bind(library, "virtualsim_insert_card_text", s.insert_card_text);
        bind(library, "virtualsim_remove_card", s.remove_card);
        bind(library, "virtualsim_add_reader", s.add_reader);
        bind(library, "virtualsim_rename_reader", s.rename_reader);
        bind(library, "virtualsim_reader_name", s.reader_name);
        bind(library, "virtualsim_add_fault", s.add_fault);
        bind(library, "virtualsim_last_error", s.last_error);
        return s;
    }();
    return controls;
}

void Exports::SetUp() {
    setenv(kPcscLibraryVariable, VIRTUALSIM_PATH, 1);
    setenv("VIRTUALSIM_CARDS", "", 1); // one empty reader
    ASSERT_NE(sim().reset, nullptr);
    sim().reset();
    attach({});
    ASSERT_NE(pcsc_context, 0u);
    insertFile(demoCard());
}

void Exports::TearDown() {
    if (handle != nullptr) {
        disconnect_sim(handle);
    }
    detach();
}

void Exports::insertFile(const std::string& path, int reader) {
    sim().remove_card(reader);
    ASSERT_EQ(sim().insert_card(reader, path.c_str()), 0) << sim().last_error();
}

void Exports::insertText(const std::string& profile, int reader) {
    sim().remove_card(reader);
    ASSERT_EQ(sim().insert_card_text(reader, profile.data(), profile.size()), 0)
        << sim().last_error();
}

std::u16string Exports::readerName(int reader) {
    char name[256] = {};
    EXPECT_GE(sim().reader_name(reader, name, sizeof name), 0);
    return pelmora::platform::fromUtf8(name);
}

SimHandle Exports::connect(int reader, SimInfo* info) {
    SimHandle h = nullptr;
    EXPECT_EQ(connect_sim(readerName(reader).c_str(), &h, info), 1);
    return h;
}

} // namespace brontel
