#pragma once
// The plug-in's exports as the editor calls them, with the library's attach
// work done over the real binding to libvirtualsim.so; the test plays user and
// hardware through the virtual SIM's controls.

#include "Brontel.h"

#include "CardProfiles.h"
#include "LoadedVirtualSim.h"

#include <gtest/gtest.h>

#include <string>

namespace brontel {

class Exports : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static const VirtualSimControls& sim() { return virtualSim(); }
    // Replaces the card in the reader by one from a profile file or text.
    static void insertFile(const std::string& path, int reader = 0) {
        insertCardFile(reader, path);
    }
    static void insertText(const std::string& profile, int reader = 0) {
        insertCardText(reader, profile);
    }
    static std::u16string readerName(int reader = 0) { return virtualReaderName(reader); }
    // Connects to the reader, failing the test when that does not work.
    SimHandle connect(int reader = 0, SimInfo* info = nullptr);

    SimHandle handle = nullptr;
};

std::u16string text(const char16_t* field);

} // namespace brontel
