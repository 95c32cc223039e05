#pragma once
// The virtual SIM's control functions, bound from the libvirtualsim.so
// instance the binding loads (dlopen shares it by path): through them a test
// plays user and hardware.

#include "../../virtualsim/VirtualSimControl.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brontel {

struct VirtualSim {
    decltype(&virtualsim_reset) reset;
    decltype(&virtualsim_last_error) last_error;
    decltype(&virtualsim_add_reader) add_reader;
    decltype(&virtualsim_reader_name) reader_name;
    decltype(&virtualsim_rename_reader) rename_reader;
    decltype(&virtualsim_insert_card) insert_card;
    decltype(&virtualsim_insert_card_text) insert_card_text;
    decltype(&virtualsim_remove_card) remove_card;
    decltype(&virtualsim_pull_card) pull_card;
    decltype(&virtualsim_set_persist) set_persist;
    decltype(&virtualsim_add_fault) add_fault;
    decltype(&virtualsim_clear_faults) clear_faults;
    decltype(&virtualsim_restart_service) restart_service;
    decltype(&virtualsim_apdu_count) apdu_count;
    decltype(&virtualsim_trace_size) trace_size;
    decltype(&virtualsim_trace_entry) trace_entry;
    decltype(&virtualsim_clear_trace) clear_trace;
};

// Bound once per process; a control the library lacks fails the test.
const VirtualSim& virtualSim();

// Points the binding at libvirtualsim.so with one empty reader, and resets it.
void useVirtualSim();

// Replaces the card in the reader by one from profile text or a profile file.
void insertCardText(int reader, const std::string& profile);
void insertCardFile(int reader, const std::string& path);
std::u16string virtualReaderName(int reader);

// The commands the card engine received since the trace was last cleared.
std::vector<std::vector<uint8_t>> tracedCommands();
// How many of them have this instruction byte.
size_t tracedCommandCount(uint8_t ins);
void addVirtualFault(const std::string& rules);

} // namespace brontel
