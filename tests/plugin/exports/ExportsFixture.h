#pragma once
// The plug-in's exports as the editor calls them, with the library's attach
// work done over the real binding to libvirtualsim.so; the test plays user and
// hardware through the virtual SIM's controls.

#include "Brontel.h"

#include "../../virtualsim/VirtualSimControl.h"

#include <gtest/gtest.h>

#include <string>

namespace brontel {

struct SimControls {
    decltype(&virtualsim_reset) reset;
    decltype(&virtualsim_insert_card) insert_card;
    decltype(&virtualsim_insert_card_text) insert_card_text;
    decltype(&virtualsim_remove_card) remove_card;
    decltype(&virtualsim_add_reader) add_reader;
    decltype(&virtualsim_rename_reader) rename_reader;
    decltype(&virtualsim_reader_name) reader_name;
    decltype(&virtualsim_add_fault) add_fault;
    decltype(&virtualsim_last_error) last_error;
};

class Exports : public ::testing::Test {
public:
    static std::string demoCard() { return PELMORA_DEMO_CARD; }

protected:
    void SetUp() override;
    void TearDown() override;

    static const SimControls& sim();
    // Replaces the card in the reader by one from a profile file or text.
    void insertFile(const std::string& path, int reader = 0);
    void insertText(const std::string& profile, int reader = 0);
    static std::u16string readerName(int reader = 0);
    // Connects to the reader, failing the test when that does not work.
    SimHandle connect(int reader = 0, SimInfo* info = nullptr);

    static std::string testCard(const std::string& name) {
        return std::string(PELMORA_TEST_CARDS) + "/" + name;
    }

    SimHandle handle = nullptr;
};

std::u16string text(const char16_t* field);

} // namespace brontel
