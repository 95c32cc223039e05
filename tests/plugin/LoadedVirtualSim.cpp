#include "LoadedVirtualSim.h"

#include "CodePage.h"
#include "pcsc/Winscard.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>

namespace brontel {

const VirtualSimControls& virtualSim() {
    static const VirtualSimControls controls = [] {
        VirtualSimControls c;
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            ADD_FAILURE() << dlerror();
        } else if (!bindVirtualSimControls(library, c)) {
            ADD_FAILURE() << "libvirtualsim.so lacks a control function";
        }
        return c;
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
    virtualSim().removeCard(reader);
    ASSERT_EQ(virtualSim().insertCardText(reader, profile.data(), profile.size()), 0)
        << virtualSim().lastError();
}

void insertCardFile(int reader, const std::string& path) {
    virtualSim().removeCard(reader);
    ASSERT_EQ(virtualSim().insertCard(reader, path.c_str()), 0) << virtualSim().lastError();
}

std::u16string virtualReaderName(int reader) {
    char name[256] = {};
    EXPECT_GE(virtualSim().readerName(reader, name, sizeof name), 0);
    return pelmora::platform::fromUtf8(name);
}

std::vector<std::vector<uint8_t>> tracedCommands() {
    std::vector<std::vector<uint8_t>> commands;
    for (size_t i = 0; i < virtualSim().traceSize(); ++i) {
        VirtualSimApdu entry{};
        if (virtualSim().traceEntry(i, &entry) == 0) {
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
    ASSERT_EQ(virtualSim().addFault(rules.c_str()), 0) << virtualSim().lastError();
}

} // namespace brontel
