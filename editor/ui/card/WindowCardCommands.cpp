#include "WindowCardCommands.h"

#include "CommandWait.h"
#include "UiText.h"

namespace pelmora::ui {

WindowCardCommands::WindowCardCommands(const model::PluginCalls& calls, velmet::Settings& settings,
                                       QWidget* owner)
    : m_prompter(owner, settings), m_host(owner, settings),
      m_operations(calls, m_prompter, m_host, model::cardOptions(settings)),
      m_commands(m_operations, calls, m_uiThread), m_properties(m_commands, settings, owner) {}

void WindowCardCommands::changePin(model::CardDocument& card, int type) {
    m_prompter.setReaderLine(fromU16(card.reader));
    model::SilentProgress progress;
    waitUntilFinished(*m_commands.pinFlow(card, model::PinFlowKind::Change, type, progress));
}

void WindowCardCommands::properties(model::CardDocument& card, int kind) {
    m_prompter.setReaderLine(fromU16(card.reader));
    (void)m_properties.show(card, kind);
}

} // namespace pelmora::ui
