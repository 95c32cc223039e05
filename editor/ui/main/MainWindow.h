#pragma once
// The editor's main window: the document tree left and the entry list right
// of a splitter, the iDEN panel at the right edge, menus, toolbars and
// context menus. Each command is one slot that hands the work to the model.

#include "CardCommand.h"
#include "CardDocument.h"
#include "Document.h"
#include "IconBundle.h"
#include "JobProgress.h"
#include "Prompts.h"
#include "QueuedUiThread.h"
#include "ReaderCheck.h"
#include "SessionListener.h"
#include "Settings.h"
#include "Subscription.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QStackedWidget;
class QMenu;
class QSplitter;
class QTableView;
class QToolBar;
class QTimer;
class QTreeView;

namespace pelmora::model {
class EditorSession;
}

namespace pelmora::ui {

class WindowCardCommands;
class ReadersDialog;
class CellEditDelegate;
class DocumentTreeModel;
class EntryTableModel;
class IdenPanel;
class AdditionalValuesPanel;
class EntryPanel;
enum class CardWork;

class MainWindow : public QMainWindow, private model::SessionListener {
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

    // Binds the window to the session: its documents fill the tree, the
    // reader refresh runs every 1.5 s, and Read, Write, Backup and Restore SIM
    // run through it. cardCommands must use the session's plug-in; both
    // outlive the window.
    void bindSession(model::EditorSession& session, WindowCardCommands& cardCommands);

    // The session's documents once bound, else the window's own.
    [[nodiscard]] const std::vector<std::unique_ptr<model::Document>>& documents() const;
    model::Document& addDocument(std::unique_ptr<model::Document> document);
    void removeDocument(const model::Document& document);

    [[nodiscard]] model::Document* selectedDocument() const;
    [[nodiscard]] model::Category* selectedCategory() const;
    void selectCategory(const model::Category& category);

    [[nodiscard]] QTreeView* tree() const { return m_tree; }
    [[nodiscard]] QTableView* list() const { return m_list; }
    [[nodiscard]] EntryTableModel* listModel() const { return m_listModel; }
    [[nodiscard]] IdenPanel* idenPanel() const { return m_panel; }
    [[nodiscard]] AdditionalValuesPanel* valuesPanel() const { return m_valuesPanel; }
    // The slots of the selected list rows, ascending.
    [[nodiscard]] std::vector<int> selectedSlots() const;

    // Opens a phone-book file as a new document; false after telling the user why not.
    bool openDocumentFile(const QString& path);
    // Offers to register the default extension when it is not the program's.
    void checkFileAssociation();
    // The card commands that run on this thread (Change PIN, Properties).
    void setCardCommands(WindowCardCommands* commands) { m_cardCommands = commands; }
    // The support library Help > About loads: beside the program unless set.
    void setSupportLibrary(std::filesystem::path library) { m_supportLibrary = std::move(library); }

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
    // The readers with their states, refreshed with the reader refresh.
    void showReaders();

    // Undo and Redo follow the selected book's history; the changed marks of
    // its document are brought up to date.
    void updateEnabledState();
    // Shows the selected book in the list (and the iDEN panel for the iDEN book).
    void showSelectedCategory();
    // The reader check of the session's card documents: in the readers
    // dialog, and in the list area while it shows no book and no reader works.
    // leaving: a document about to leave the session, left out.
    void showReaderCheck(const model::Document* leaving = nullptr);
    [[nodiscard]] model::ReaderCheck readerCheck(const model::Document* leaving = nullptr) const;
    // The list's font and colour from the settings.
    void applyListFont();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolbars();
    void createCentre();
    void placeWindow();
    [[nodiscard]] QSize minimumWindowSize() const;
    [[nodiscard]] int treeWidthForCaptions() const;
    // Widens the tree and the window's minimum for the texts and icons.
    void fitToTexts();
    void connectCommands();
    void updatePaste();
    void showTreeMenu(const QPoint& at);
    void showListMenu(const QPoint& at);
    // Card roots of the session: the tree follows its document list.
    void documentAdded(model::Document& document, size_t index) override;
    void documentRemoving(model::Document& document, size_t index) override;
    void documentChanged(model::Document& document) override;
    // Lets go of the list's book when it belongs to document.
    void releaseShown(const model::Document& document);
    void runCardWork(
        CardWork work,
        const std::function<std::shared_ptr<model::CardCommand>(model::JobProgress&)>& start);
    // Backup or Restore SIM of the selected card, to or from the file the user picks.
    void runWholeCardWork(CardWork work);
    // After a card command replaced books: the tree and list show the new ones.
    void cardWorkApplied();
    void selectBook(model::Document& document, int kind);
    void closeCard(model::CardDocument& card);
    void treeDoubleClicked(const QModelIndex& index);
    // The selected document when it is a card's; nullptr otherwise.
    [[nodiscard]] model::CardDocument* selectedCard() const;
    void sortByColumn(int column);
    void sizeColumns();
    [[nodiscard]] std::array<EntryPanel*, 2> panels() const;
    void clearPanels();
    void fillPanel();
    void commitPanel(EntryPanel& panel);
    void selectSlotsInList(const std::vector<int>& slotList);
    void afterEdit();
    bool saveDocument(model::Document& document, bool askName);
    // The file dialog's start folder and patterns for phone-book files.
    [[nodiscard]] FileChoice phoneBookChoice(int caption) const;
    void openShipped(const char* fileName);
    [[nodiscard]] bool mayLeave(int way);
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
    EntryTableModel* m_listModel = nullptr;
    CellEditDelegate* m_delegate = nullptr;
    IdenPanel* m_panel = nullptr;
    AdditionalValuesPanel* m_valuesPanel = nullptr;
    QStackedWidget* m_listArea = nullptr;
    QLabel* m_readerAdvice = nullptr;
    QPointer<ReadersDialog> m_readersDialog;
    int m_leaveWay = 0; // how the window is being closed
    WindowCardCommands* m_cardCommands = nullptr;
    model::EditorSession* m_session = nullptr;
    QueuedUiThread m_uiThread{*this};
    QTimer* m_readerRefresh = nullptr;
    model::Subscription m_sessionSubscription;
    std::filesystem::path m_supportLibrary;
};

} // namespace pelmora::ui
