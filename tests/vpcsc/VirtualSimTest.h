#pragma once
// Tests of libvirtualsim.so run against the library as the plug-in sees it:
// loaded with dlopen, called through pcsc-lite's function types. Each test
// starts from a fresh library state built from the environment it sets.

#include "PcscLibrary.h"
#include "TestCard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

class VirtualSimTest : public ::testing::Test {
protected:
    static PcscLibrary& pcsc();
    static VirtualSimControls& sim() { return pcsc().control; }

    // Without a call to start(), the library holds one empty reader.
    void SetUp() override;
    void TearDown() override;
    // Resets the library under these VIRTUALSIM_* variables (others unset).
    void start(const std::map<std::string, std::string>& environment);

    SCARDCONTEXT establish();
    std::string readerName(int reader);
    // Connects and expects success.
    SCARDHANDLE connect(SCARDCONTEXT context, int reader, DWORD shareMode = SCARD_SHARE_EXCLUSIVE,
                        DWORD protocols = SCARD_PROTOCOL_T0);
    LONG tryConnect(SCARDCONTEXT context, int reader, DWORD shareMode, DWORD protocols,
                    SCARDHANDLE* card = nullptr, DWORD* active = nullptr);
    // The response, or nothing with the result in *rv.
    Bytes transmit(SCARDHANDLE card, const Bytes& command, LONG* rv = nullptr);
    void insert(TestCard& card, int reader = 0);
};

// Bytes from "A0 A4 00 00 02" style text.
Bytes hex(const std::string& text);
