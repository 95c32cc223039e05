#include "VirtualCard.h"

#include "CardProfiles.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace pelmora::ui::testing {

const VirtualSimControls& VirtualCard::sim() {
    // The instance the plug-in loads: dlopen shares it by path.
    static const VirtualSimControls controls = [] {
        VirtualSimControls bound;
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr || !bindVirtualSimControls(library, bound))
            bound = VirtualSimControls{};
        return bound;
    }();
    return controls;
}

VirtualCard::VirtualCard(
    const std::vector<std::pair<std::string, std::pair<std::string, std::string>>>& edits,
    const std::string& cardName) {
    setenv("PELMORA_PCSC_LIBRARY", VIRTUALSIM_PATH, 1);
    setenv("VIRTUALSIM_CARDS", "", 1);
    const QByteArray logs = m_temp.filePath(QStringLiteral("log")).toLocal8Bit();
    setenv("PELMORA_LOG_ROOTS", logs.constData(), 1);
    if (sim().insertCardText == nullptr)
        return;
    std::string profile = brontel::test::cardProfile(cardName);
    for (const auto& [section, change] : edits)
        profile = brontel::test::withKey(std::move(profile), section, change.first, change.second);
    sim().clearFaults();
    sim().setLatency(0, 0);
    sim().removeCard(0);
    if (sim().insertCardText(0, profile.data(), profile.size()) != 0)
        return;
    sim().clearTrace();
    m_ready = binding.bindLibrary(BRONTEL_PATH) && calls.readerName(0, card.reader);
}

VirtualCard::~VirtualCard() {
    calls.close(card);
    binding.unbind();
    sim().clearFaults();
    sim().setLatency(0, 0);
}

bool VirtualCard::bindPlugin(model::PluginBinding& other) {
    return other.bindLibrary(BRONTEL_PATH);
}

bool VirtualCard::traced(const std::string& commandHex) const {
    const size_t count = sim().traceSize();
    for (size_t i = 0; i < count; ++i) {
        VirtualSimApdu entry{};
        if (sim().traceEntry(i, &entry) != 0)
            continue;
        std::string hex;
        char byte[3];
        for (size_t b = 0; b < entry.commandLength && b < sizeof(entry.command); ++b) {
            std::snprintf(byte, sizeof byte, "%02X", entry.command[b]);
            hex += byte;
        }
        if (hex.rfind(commandHex, 0) == 0)
            return true;
    }
    return false;
}

} // namespace pelmora::ui::testing
