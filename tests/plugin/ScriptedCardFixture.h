#pragma once
// A SIMCard connected through the real binding to the scripted PC/SC library.

#include "ScriptedPcsc.h"

#include "card/SIMCard.h"
#include "pcsc/Winscard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace brontel {

class ScriptedCard : public ::testing::Test {
protected:
    void SetUp() override {
        setenv(kPcscLibraryVariable, SCRIPTED_PCSC_PATH, 1);
        scripted_reset();
        ASSERT_TRUE(load_winscard());
        ASSERT_EQ(winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context),
                  SCARD_S_SUCCESS);
    }
    void TearDown() override {
        card.disconnect();
        unload_winscard();
    }

    void connect() { ASSERT_EQ(card.connect(&context, u"Scripted Reader 0"), 1); }
    static void answer(std::initializer_list<uint8_t> bytes) {
        scripted_queue_response(std::data(bytes), bytes.size());
    }
    static void answer(const std::vector<uint8_t>& bytes) {
        scripted_queue_response(bytes.data(), bytes.size());
    }
    static std::vector<uint8_t> lastCommand() {
        std::vector<uint8_t> command(300);
        command.resize(scripted_last_command(command.data(), command.size()));
        return command;
    }

    SCARDCONTEXT context = 0;
    SIMCard card;
};

} // namespace brontel
