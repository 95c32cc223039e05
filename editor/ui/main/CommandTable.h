#pragma once
// The window's commands: id, texts by number, shortcut and icon, in one table
// that the menus, toolbars and context menus are built from.

#include "Settings.h"

#include <QString>

#include <span>

namespace pelmora::ui {

enum CommandId : int {
    kCmdExit = 2,
    kCmdAbout = 1002,
    kCmdNew = 1044,
    kCmdOpen = 1045,
    kCmdSave = 1046,
    kCmdPrint = 1047,
    kCmdReadSim = 1048,
    kCmdWriteSim = 1049,
    kCmdChangePin1 = 1050,
    kCmdRedo = 1051,
    kCmdUndo = 1052,
    kCmdCut = 1053,
    kCmdCopy = 1054,
    kCmdPaste = 1055,
    kCmdDelete = 1056,
    kCmdAdd = 1057,
    kCmdEdit = 1058,
    kCmdUp = 1059,
    kCmdDown = 1060,
    kCmdFind = 1061,
    kCmdChangeFont = 1062,
    kCmdBackupSim = 1070,
    kCmdRestoreSim = 1071,
    kCmdClose = 1072,
    kCmdChangePin2 = 1091,
    kCmdProperties = 1092,
    kCmdSaveAs = 1142,
    kCmdSimClose = 1144,
    kCmdAddPrefix = 1179,
    kCmdRestoreDeleted = 1183,
    kCmdReaders = 1233,
    kCmdReadme = 32800,
    kCmdOptions = 32803,
    kCmdHelpTopics = 32807,
};

// Which icon number of the settings a command shows.
using IconField = int velmet::IconNumbers::*;

struct Command {
    int id;
    int menuText;       // 0: not in a menu
    int tooltip;        // 0: none
    int toolbarCaption; // 0: not on a toolbar
    // The key, also appended to the menu text after a tab; "" for none.
    const char* shortcut;
    IconField icon; // nullptr: none
};

[[nodiscard]] std::span<const Command> commands();
// nullptr for an id not in the table.
[[nodiscard]] const Command* command(int id);

// The action's objectName: the command id in decimal.
[[nodiscard]] QString commandName(int id);

// Menus of the menu bar by caption text, each a list of ids; 0 is a separator.
struct MenuLayout {
    int caption;
    std::span<const int> items;
};
[[nodiscard]] std::span<const MenuLayout> menuBarLayout();
[[nodiscard]] std::span<const int> mainToolbarLayout();
[[nodiscard]] std::span<const int> cardToolbarLayout();
[[nodiscard]] std::span<const int> treeMenuLayout();
// Without the message-only "Restore deleted messages".
[[nodiscard]] std::span<const int> listMenuLayout();

} // namespace pelmora::ui
