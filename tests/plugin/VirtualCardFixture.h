#pragma once
// A SIMCard connected through the real binding to libvirtualsim.so, which
// serves a small GSM card; the test plays user and hardware through the
// library's control functions.

#include "LoadedVirtualSim.h"
#include "card/SIMCard.h"
#include "pcsc/Winscard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace brontel {

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

    // Replaces the card, connects and verifies PIN1 (and PIN2 when asked),
    // then clears the trace.
    void use(const std::string& profile, bool verifyPin2 = false);
    // What get_last_error gives for the connection.
    int lastError();
    // Records of an EF as the card holds them, read with plain commands.
    std::vector<std::vector<uint8_t>> records(FileId directory, FileId ef);

    // The commands sent since the last clearTrace(), and how many of them
    // have this instruction byte.
    static std::vector<std::vector<uint8_t>> commands();
    static size_t commandCount(uint8_t ins);
    static void clearTrace();
    static void addFault(const std::string& rules);
    static void clearFaults();

    static const VirtualSimControls& sim() { return virtualSim(); }
    static std::string profile(const std::string& atr = "3B 02 14 50");

    SCARDCONTEXT context = 0;
    SIMCard card;
};

} // namespace brontel
