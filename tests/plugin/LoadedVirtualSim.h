#pragma once
// The libvirtualsim.so instance the binding loads (dlopen shares it by path),
// its controls, and what the tests do with them.

#include "VirtualSimControls.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brontel {

// Bound once per process; a control the library lacks fails the test.
const VirtualSimControls& virtualSim();

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
