#pragma once
// The window's card commands without a progress dialog: Change PIN1/PIN2 and
// Properties, with the PIN dialogs, the reader choice and the messages they
// need. Their card work runs on a worker while the UI thread shows the
// dialogs it asks for. The main window hands them the selected card
// document. UI thread.

#include "CardCommands.h"
#include "PropertiesCommand.h"
#include "QueuedUiThread.h"
#include "Settings.h"
#include "WindowCardHost.h"
#include "WindowPinPrompter.h"

#include <QObject>

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
    QObject m_context;
    QueuedUiThread m_uiThread{m_context};
    model::CardCommands m_commands;
    PropertiesCommand m_properties;
};

} // namespace pelmora::ui
