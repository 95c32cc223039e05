#pragma once
// The Properties command: the card's properties, or those of the selected
// book, read by a card command and shown in their dialog; "Save info"
// appends the card's line to a .csv file the user picks. UI thread.

#include "CardCommands.h"
#include "Settings.h"

#include <QPixmap>
#include <QString>

class QWidget;

namespace pelmora::ui {

class PropertiesCommand {
public:
    PropertiesCommand(const model::CardCommands& commands, velmet::Settings& settings,
                      QWidget* owner)
        : m_commands(commands), m_settings(settings), m_owner(owner) {}

    void setDecoration(const QPixmap& picture) { m_decoration = picture; }
    // kind -1: the card's own properties. False when the card could not be read.
    bool show(model::CardDocument& card, int kind);

private:
    void saveInfo(model::CardDocument& card);

    const model::CardCommands& m_commands;
    velmet::Settings& m_settings;
    QWidget* m_owner;
    QPixmap m_decoration;
};

} // namespace pelmora::ui
