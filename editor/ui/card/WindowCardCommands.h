#pragma once
// The window's card commands that work on the UI thread: Change PIN1/PIN2 and
// Properties, with the PIN dialogs, the reader choice and the messages they
// need. The main window hands them the selected card document. UI thread.

#include "CardOperations.h"
#include "PropertiesCommand.h"
#include "Settings.h"
#include "WindowCardHost.h"
#include "WindowPinPrompter.h"

class QWidget;

namespace pelmora::ui {

class WindowCardCommands {
public:
    WindowCardCommands(const model::PluginCalls& calls, velmet::Settings& settings, QWidget* owner);
    WindowCardCommands(const WindowCardCommands&) = delete;
    WindowCardCommands& operator=(const WindowCardCommands&) = delete;

    // Changes (or switches the check of) PIN type 1 or 2 of the card.
    void changePin(model::CardDocument& card, int type);
    // kind -1: the card's properties, else those of that book.
    void properties(model::CardDocument& card, int kind);

    [[nodiscard]] WindowPinPrompter& prompter() { return m_prompter; }
    [[nodiscard]] WindowCardHost& host() { return m_host; }

private:
    WindowPinPrompter m_prompter;
    WindowCardHost m_host;
    model::CardOperations m_operations;
    PropertiesCommand m_properties;
};

} // namespace pelmora::ui
