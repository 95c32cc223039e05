#pragma once
// The real card plug-in over the virtual SIM, in this process: a shipped
// card (optionally edited) in one reader, its document, and the virtual SIM's
// controls for latency, faults and the command trace.

#include "CardDocument.h"
#include "PluginBinding.h"
#include "PluginCalls.h"

#include "VirtualSimControls.h"

#include <QTemporaryDir>

#include <string>
#include <utility>
#include <vector>

namespace pelmora::ui::testing {

class VirtualCard {
public:
    // edits: (section, key, value) changes to the profile of the shipped
    // card named (the demo card unless told).
    explicit VirtualCard(
        const std::vector<std::pair<std::string, std::pair<std::string, std::string>>>& edits = {},
        const std::string& cardName = "demo");
    ~VirtualCard();
    VirtualCard(const VirtualCard&) = delete;
    VirtualCard& operator=(const VirtualCard&) = delete;

    [[nodiscard]] bool ready() const { return m_ready; }
    [[nodiscard]] static const VirtualSimControls& sim();
    // Binds another binding (an editor session's) to the plug-in over the virtual SIM.
    [[nodiscard]] static bool bindPlugin(model::PluginBinding& other);
    // Whether the card has seen a command starting with these bytes ("A024").
    [[nodiscard]] bool traced(const std::string& commandHex) const;
    [[nodiscard]] QString path(const QString& name) const { return m_temp.filePath(name); }

    model::PluginBinding binding;
    model::PluginCalls calls{binding};
    model::CardDocument card;

private:
    QTemporaryDir m_temp;
    bool m_ready = false;
};

} // namespace pelmora::ui::testing
