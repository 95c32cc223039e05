#pragma once
// A SIMCard connected through the real binding to libvirtualsim.so, which
// serves a small GSM card; the test plays user and hardware through the
// library's control functions.

#include "card/SIMCard.h"
#include "pcsc/Winscard.h"

#include "../../virtualsim/VirtualSimControl.h"

#include <gtest/gtest.h>

#include <string>

namespace brontel {

// The controls, bound from the same library instance the binding loaded.
struct VirtualSim {
    decltype(&virtualsim_reset) reset;
    decltype(&virtualsim_insert_card_text) insert_card_text;
    decltype(&virtualsim_remove_card) remove_card;
    decltype(&virtualsim_pull_card) pull_card;
    decltype(&virtualsim_reader_name) reader_name;
    decltype(&virtualsim_rename_reader) rename_reader;
    decltype(&virtualsim_add_fault) add_fault;
    decltype(&virtualsim_restart_service) restart_service;
    decltype(&virtualsim_apdu_count) apdu_count;
    decltype(&virtualsim_last_error) last_error;
    decltype(&virtualsim_insert_card) insert_card;
    decltype(&virtualsim_set_persist) set_persist;
    decltype(&virtualsim_trace_size) trace_size;
    decltype(&virtualsim_trace_entry) trace_entry;
    decltype(&virtualsim_clear_trace) clear_trace;
};

class VirtualCard : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the card in reader 0 by one built from the profile text.
    void insert(const std::string& profile);
    std::u16string readerName(int reader = 0) const;
    void connect();
    // Selects MF, DF telecom and EF ADN.
    void selectAdn();

    static const VirtualSim& sim();
    static std::string profile(const std::string& atr = "3B 02 14 50");

    SCARDCONTEXT context = 0;
    SIMCard card;
};

} // namespace brontel
