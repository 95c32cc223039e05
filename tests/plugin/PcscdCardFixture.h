#pragma once
// A SIMCard through the real PC/SC stack: the real binding loads
// libpcsclite.so.1, pcscd hands the commands to the vsmartcard-vpcd driver and
// virtualsim-vpcd answers as the card of a profile on the driver's second
// reader. Needs the pcscd test fixture.

#include "VpcdProcess.h"
#include "card/SIMCard.h"

#include <gtest/gtest.h>

#include <memory>

namespace brontel {

class PcscdCard : public ::testing::Test {
protected:
    static constexpr const char* kReader = kVpcdReader;
    static constexpr const char16_t* kReaderName = u"Virtual PCD 00 01";

    void SetUp() override;
    void TearDown() override;

    // Puts the card of the profile into the reader and waits until it shows.
    void serve(const char* profile, bool persist = false);
    // Closes the connection and takes the card out again.
    void stopServing();
    bool waitForCard(bool present);

    SCARDCONTEXT m_context = 0;
    SIMCard m_card;
    std::unique_ptr<VpcdProcess> m_vpcd;
};

} // namespace brontel
