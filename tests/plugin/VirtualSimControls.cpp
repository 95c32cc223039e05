#include "VirtualSimControls.h"

#include "CodePage.h"
#include "pcsc/Winscard.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
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

const VirtualSim& virtualSim() {
    static const VirtualSim controls = [] {
        VirtualSim s{};
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            ADD_FAILURE() << dlerror();
            return s;
        }
        bind(library, "virtualsim_reset", s.reset);
        bind(library, "virtualsim_last_error", s.last_error);
        bind(library, "virtualsim_add_reader", s.add_reader);
        bind(library, "virtualsim_reader_name", s.reader_name);
        bind(library, "virtualsim_rename_reader", s.rename_reader);
        bind(library, "virtualsim_insert_card", s.insert_card);
        bind(library, "virtualsim_insert_card_text", s.insert_card_text);
        bind(library, "virtualsim_remove_card", s.remove_card);
        bind(library, "virtualsim_pull_card", s.pull_card);
        bind(library, "virtualsim_set_persist", s.set_persist);
        bind(library, "virtualsim_add_fault", s.add_fault);
        bind(library, "virtualsim_clear_faults", s.clear_faults);
        bind(library, "virtualsim_restart_service", s.restart_service);
        bind(library, "virtualsim_apdu_count", s.apdu_count);
        bind(library, "virtualsim_trace_size", s.trace_size);
        bind(library, "virtualsim_trace_entry", s.trace_entry);
        bind(library, "virtualsim_clear_trace", s.clear_trace);
        return s;
    }();
    return controls;
}

void useVirtualSim() {
    setenv(kPcscLibraryVariable, VIRTUALSIM_PATH, 1);
    setenv("VIRTUALSIM_CARDS", "", 1); // one empty reader
    ASSERT_NE(virtualSim().reset, nullptr);
    virtualSim().reset();
}

void insertCardText(int reader, const std::string& profile) {
    virtualSim().remove_card(reader);
    ASSERT_EQ(virtualSim().insert_card_text(reader, profile.data(), profile.size()), 0)
        << virtualSim().last_error();
}

void insertCardFile(int reader, const std::string& path) {
    virtualSim().remove_card(reader);
    ASSERT_EQ(virtualSim().insert_card(reader, path.c_str()), 0) << virtualSim().last_error();
}

std::u16string virtualReaderName(int reader) {
    char name[256] = {};
    EXPECT_GE(virtualSim().reader_name(reader, name, sizeof name), 0);
    return pelmora::platform::fromUtf8(name);
}

std::vector<std::vector<uint8_t>> tracedCommands() {
    std::vector<std::vector<uint8_t>> commands;
    for (size_t i = 0; i < virtualSim().trace_size(); ++i) {
        VirtualSimApdu entry{};
        if (virtualSim().trace_entry(i, &entry) == 0) {
            const size_t kept = std::min(entry.commandLength, sizeof entry.command);
            commands.emplace_back(entry.command, entry.command + kept);
        }
    }
    return commands;
}

size_t tracedCommandCount(uint8_t ins) {
    size_t count = 0;
    for (const auto& command : tracedCommands()) {
        count += command.size() > 1 && command[1] == ins;
    }
    return count;
}

void addVirtualFault(const std::string& rules) {
    ASSERT_EQ(virtualSim().add_fault(rules.c_str()), 0) << virtualSim().last_error();
}

} // namespace brontel
