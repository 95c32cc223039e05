#include "CommandTable.h"

#include <array>

namespace pelmora::ui {

namespace {

using velmet::IconNumbers;

// clang-format off
constexpr std::array kCommands = {
    Command{kCmdNew, 150, 32, 193, "", &IconNumbers::newIcon},
    Command{kCmdOpen, 151, 33, 194, "", &IconNumbers::openIcon},
    Command{kCmdClose, 152, 0, 0, "", nullptr},
    Command{kCmdSave, 153, 34, 195, "", &IconNumbers::saveIcon},
    Command{kCmdSaveAs, 154, 0, 0, "", nullptr},
    Command{kCmdPrint, 155, 35, 196, "", &IconNumbers::printIcon},
    Command{kCmdExit, 180, 0, 0, "", nullptr},
    Command{kCmdUndo, 163, 38, 200, "Ctrl+Z", &IconNumbers::undoIcon},
    Command{kCmdRedo, 164, 37, 201, "Ctrl+Y", &IconNumbers::redoIcon},
    Command{kCmdCut, 165, 39, 202, "Ctrl+X", &IconNumbers::cutIcon},
    Command{kCmdCopy, 166, 40, 203, "Ctrl+C", &IconNumbers::copyIcon},
    Command{kCmdPaste, 167, 41, 204, "Ctrl+V", &IconNumbers::pasteIcon},
    Command{kCmdDelete, 168, 42, 205, "Del", &IconNumbers::deleteIcon},
    Command{kCmdAdd, 169, 43, 206, "", &IconNumbers::addIcon},
    Command{kCmdEdit, 170, 44, 207, "", &IconNumbers::editIcon},
    Command{kCmdUp, 156, 45, 208, "", &IconNumbers::upIcon},
    Command{kCmdDown, 157, 46, 209, "", &IconNumbers::downIcon},
    Command{kCmdAddPrefix, 230, 0, 0, "", nullptr},
    Command{kCmdFind, 171, 6, 73, "", &IconNumbers::searchIcon},
    Command{kCmdReadSim, 22, 4, 197, "", &IconNumbers::readIcon},
    Command{kCmdWriteSim, 23, 5, 198, "", &IconNumbers::writeIcon},
    Command{kCmdChangePin1, 158, 36, 199, "", &IconNumbers::pinIcon},
    Command{kCmdChangePin2, 159, 0, 0, "", nullptr},
    Command{kCmdSimClose, 152, 0, 0, "", nullptr},
    Command{kCmdBackupSim, 160, 0, 0, "", nullptr},
    Command{kCmdRestoreSim, 161, 0, 0, "", nullptr},
    Command{kCmdProperties, 162, 0, 0, "", nullptr},
    Command{kCmdReaders, 1233, 0, 0, "", &IconNumbers::cardIcon},
    Command{kCmdChangeFont, 172, 7, 0, "", &IconNumbers::fontIcon},
    Command{kCmdOptions, 223, 0, 0, "", &IconNumbers::settingsIcon},
    Command{kCmdReadme, 178, 0, 0, "", nullptr},
    Command{kCmdHelpTopics, 227, 0, 0, "", nullptr},
    Command{kCmdAbout, 179, 0, 0, "", nullptr},
    Command{kCmdRestoreDeleted, 232, 0, 0, "", nullptr},
};

constexpr int kFileMenu[] = {kCmdNew, kCmdOpen, kCmdClose, 0, kCmdSave, kCmdSaveAs, 0,
                                  kCmdPrint, 0, kCmdExit};
constexpr int kEditMenu[] = {kCmdUndo, kCmdRedo, 0, kCmdCut, kCmdCopy, kCmdPaste, kCmdDelete,
                                  0, kCmdAdd, kCmdEdit, kCmdAddPrefix, 0, kCmdFind};
constexpr int kSimMenu[] = {kCmdReadSim, kCmdWriteSim, 0, kCmdChangePin1, kCmdChangePin2, 0,
                                 kCmdSimClose, 0, kCmdBackupSim, kCmdRestoreSim, 0,
                                 kCmdProperties, 0, kCmdReaders};
constexpr int kOptionsMenu[] = {kCmdChangeFont, kCmdOptions};
constexpr int kHelpMenu[] = {kCmdReadme, kCmdHelpTopics, 0, kCmdAbout};

constexpr std::array kMenuBar = {MenuLayout{173, kFileMenu}, MenuLayout{174, kEditMenu},
                                 MenuLayout{175, kSimMenu}, MenuLayout{176, kOptionsMenu},
                                 MenuLayout{177, kHelpMenu}};

constexpr int kMainToolbar[] = {kCmdNew, kCmdOpen, kCmdSave, kCmdPrint, 0, kCmdUndo,
                                     kCmdRedo, 0, kCmdCut, kCmdCopy, kCmdPaste, kCmdDelete, 0,
                                     kCmdUp, kCmdDown, 0, kCmdAdd, kCmdEdit, 0, kCmdFind};
constexpr int kCardToolbar[] = {kCmdReadSim, kCmdWriteSim, kCmdChangePin1};

constexpr int kTreeMenu[] = {kCmdReadSim, kCmdWriteSim, kCmdChangePin1, kCmdChangePin2, 0,
                                  kCmdClose, 0, kCmdBackupSim, kCmdRestoreSim, 0,
                                  kCmdProperties};
constexpr int kListMenu[] = {kCmdCut, kCmdCopy, kCmdPaste, kCmdDelete, 0, kCmdUp,
                                  kCmdDown, 0, kCmdAdd, kCmdEdit};
// clang-format on

} // namespace

std::span<const Command> commands() {
    return kCommands;
}

const Command* command(int id) {
    for (const Command& c : kCommands) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

QString commandName(int id) {
    return QString::number(id);
}

std::span<const MenuLayout> menuBarLayout() {
    return kMenuBar;
}
std::span<const int> mainToolbarLayout() {
    return kMainToolbar;
}
std::span<const int> cardToolbarLayout() {
    return kCardToolbar;
}
std::span<const int> treeMenuLayout() {
    return kTreeMenu;
}
std::span<const int> listMenuLayout() {
    return kListMenu;
}

} // namespace pelmora::ui
