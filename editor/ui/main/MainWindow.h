#pragma once
// The editor's main window: the document tree left and the entry list right
// of a splitter, the iDEN panel at the right edge, menus, toolbars and
// context menus. Each command is one slot that hands the work to the model.

#include "Document.h"
#include "IconBundle.h"
#include "Settings.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QSplitter;
class QTableView;
class QToolBar;
class QTreeView;

namespace pelmora::ui {

class DocumentTreeModel;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(velmet::Settings& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The action of a command id (objectName: the id), or nullptr.
    [[nodiscard]] QAction* action(int id) const;
    // Menu, toolbar and panel captions from the language in use.
    void applyLanguage();
    // Icons from the bundle RES names; empty icons when it is missing.
    void loadIcons();

    [[nodiscard]] const std::vector<std::unique_ptr<model::Document>>& documents() const {
        return m_documents;
    }
    model::Document& addDocument(std::unique_ptr<model::Document> document);
    void removeDocument(const model::Document& document);

    [[nodiscard]] model::Document* selectedDocument() const;
    [[nodiscard]] model::Category* selectedCategory() const;
    void selectCategory(const model::Category& category);

    [[nodiscard]] QTreeView* tree() const { return m_tree; }
    [[nodiscard]] QTableView* list() const { return m_list; }

public slots:
    void newDocument();
    void openFile();
    void closeDocument();
    void save();
    void saveAs();
    void print();
    void exitProgram();
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void deleteRows();
    void addEntry();
    void editEntry();
    void addPrefix();
    void findAndReplace();
    void moveUp();
    void moveDown();
    void readSim();
    void writeSim();
    void changePin1();
    void changePin2();
    void backupSim();
    void restoreSim();
    void properties();
    void changeFont();
    void options();
    void readme();
    void helpTopics();
    void about();
    void restoreDeletedMessages();

    // Undo and Redo follow the selected book's history; the changed marks of
    // its document are brought up to date.
    void updateEnabledState();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolbars();
    void createCentre();
    void placeWindow();
    void connectCommands();
    void updatePaste();
    void showTreeMenu(const QPoint& at);
    void showListMenu(const QPoint& at);
    void notYet();
    [[nodiscard]] QToolBar* toolbar(const char* name, Qt::ToolBarArea area,
                                    std::span<const int> ids);

    velmet::Settings& m_settings;
    std::vector<std::unique_ptr<model::Document>> m_documents;
    IconBundle m_icons;
    std::map<int, QAction*> m_actions;
    std::vector<std::pair<QMenu*, int>> m_menus; // menu and its caption text
    std::vector<QToolBar*> m_toolbars;
    QSplitter* m_splitter = nullptr;
    QTreeView* m_tree = nullptr;
    QTableView* m_list = nullptr;
    DocumentTreeModel* m_treeModel = nullptr;
};

} // namespace pelmora::ui
