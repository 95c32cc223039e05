#include "MainWindow.h"

#include "CommandTable.h"
#include "DocumentTreeModel.h"
#include "FileDocument.h"
#include "Folders.h"
#include "LocaleFormats.h"
#include "ModelSettings.h"
#include "PhoneBookFiles.h"
#include "Prompts.h"
#include "UiText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QTreeView>

#include <filesystem>

namespace pelmora::ui {

namespace {

// The splitter keeps either side at least this wide.
constexpr int kNarrowest = 5;

using Slot = void (MainWindow::*)();

struct CommandSlot {
    int id;
    Slot slot;
};

// clang-format off
constexpr CommandSlot kSlots[] = {
    {kCmdNew, &MainWindow::newDocument},       {kCmdOpen, &MainWindow::openFile},
    {kCmdClose, &MainWindow::closeDocument},   {kCmdSave, &MainWindow::save},
    {kCmdSaveAs, &MainWindow::saveAs},         {kCmdPrint, &MainWindow::print},
    {kCmdExit, &MainWindow::exitProgram},      {kCmdUndo, &MainWindow::undo},
    {kCmdRedo, &MainWindow::redo},             {kCmdCut, &MainWindow::cut},
    {kCmdCopy, &MainWindow::copy},             {kCmdPaste, &MainWindow::paste},
    {kCmdDelete, &MainWindow::deleteRows},     {kCmdAdd, &MainWindow::addEntry},
    {kCmdEdit, &MainWindow::editEntry},        {kCmdAddPrefix, &MainWindow::addPrefix},
    {kCmdFind, &MainWindow::findAndReplace},   {kCmdUp, &MainWindow::moveUp},
    {kCmdDown, &MainWindow::moveDown},         {kCmdReadSim, &MainWindow::readSim},
    {kCmdWriteSim, &MainWindow::writeSim},     {kCmdChangePin1, &MainWindow::changePin1},
    {kCmdChangePin2, &MainWindow::changePin2}, {kCmdSimClose, &MainWindow::closeDocument},
    {kCmdBackupSim, &MainWindow::backupSim},   {kCmdRestoreSim, &MainWindow::restoreSim},
    {kCmdProperties, &MainWindow::properties}, {kCmdChangeFont, &MainWindow::changeFont},
    {kCmdOptions, &MainWindow::options},       {kCmdReadme, &MainWindow::readme},
    {kCmdHelpTopics, &MainWindow::helpTopics}, {kCmdAbout, &MainWindow::about},
    {kCmdRestoreDeleted, &MainWindow::restoreDeletedMessages},
};
// clang-format on

QString menuCaption(const Command& c) {
    QString caption = text(c.menuText);
    if (*c.shortcut != '\0')
        caption += QLatin1Char('\t') + QLatin1String(c.shortcut);
    return caption;
}

void addItems(QWidget* menuOrBar, std::span<const int> ids, const MainWindow& window) {
    for (const int id : ids) {
        if (id == 0) {
            auto* separator = new QAction(menuOrBar);
            separator->setSeparator(true);
            menuOrBar->addAction(separator);
        } else {
            menuOrBar->addAction(window.action(id));
        }
    }
}

} // namespace

MainWindow::MainWindow(velmet::Settings& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings) {
    setObjectName(QStringLiteral("101"));
    setWindowTitle(programTitle());
    createActions();
    createMenus();
    createToolbars();
    createCentre();
    connectCommands();
    applyLanguage();
    setMinimumSize(600, 380);
    resize(860, 560);
    placeWindow();

    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::updatePaste);
    updatePaste();
    updateEnabledState();
}

MainWindow::~MainWindow() {
    // The views go before the documents they show.
    delete m_splitter;
    m_splitter = nullptr;
}

QAction* MainWindow::action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void MainWindow::createActions() {
    for (const Command& c : commands()) {
        auto* a = new QAction(this);
        a->setObjectName(commandName(c.id));
        if (*c.shortcut != '\0') {
            a->setShortcut(QKeySequence(QLatin1String(c.shortcut)));
            // Shown in the caption already; a focused edit keeps its own keys.
            a->setShortcutVisibleInContextMenu(false);
        }
        m_actions[c.id] = a;
        addAction(a);
    }
}

void MainWindow::createMenus() {
    for (const MenuLayout& layout : menuBarLayout()) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QStringLiteral("menu%1").arg(layout.caption));
        addItems(menu, layout.items, *this);
        m_menus.emplace_back(menu, layout.caption);
    }
}

QToolBar* MainWindow::toolbar(const char* name, Qt::ToolBarArea area, std::span<const int> ids) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(32, 32));
    bar->toggleViewAction()->setVisible(false);
    addItems(bar, ids, *this);
    addToolBar(area, bar);
    m_toolbars.push_back(bar);
    return bar;
}

void MainWindow::createToolbars() {
    (void)toolbar("mainToolbar", Qt::TopToolBarArea, mainToolbarLayout());
    (void)toolbar("cardToolbar", Qt::LeftToolBarArea, cardToolbarLayout());
}

void MainWindow::createCentre() {
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("1157"));
    m_splitter->setChildrenCollapsible(false);

    m_treeModel = new DocumentTreeModel(m_settings.icons, m_icons, this);
    m_tree = new QTreeView(m_splitter);
    m_tree->setObjectName(QStringLiteral("1001"));
    m_tree->setHeaderHidden(true);
    m_tree->setModel(m_treeModel);
    m_tree->setMinimumWidth(kNarrowest);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setExpandsOnDoubleClick(false);

    m_list = new QTableView(m_splitter);
    m_list->setObjectName(QStringLiteral("1000"));
    m_list->setMinimumWidth(kNarrowest);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->setShowGrid(true);

    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({200, 600});
    setCentralWidget(m_splitter);

    connect(m_tree, &QWidget::customContextMenuRequested, this, &MainWindow::showTreeMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &MainWindow::showListMenu);
    connect(m_tree, &QTreeView::doubleClicked, this, &MainWindow::readSim);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::updateEnabledState);
}

void MainWindow::connectCommands() {
    for (const CommandSlot& s : kSlots)
        connect(action(s.id), &QAction::triggered, this, s.slot);
}

void MainWindow::applyLanguage() {
    for (const Command& c : commands()) {
        QAction* a = action(c.id);
        a->setText(menuCaption(c));
        a->setToolTip(text(c.tooltip != 0 ? c.tooltip : c.menuText).remove(QLatin1Char('&')));
        a->setIconText(c.toolbarCaption != 0 ? text(c.toolbarCaption) : QString());
    }
    for (const auto& [menu, caption] : m_menus)
        menu->setTitle(text(caption));
    const auto style =
        m_settings.showButtonText ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly;
    for (QToolBar* bar : m_toolbars)
        bar->setToolButtonStyle(style);
}

void MainWindow::loadIcons() {
    (void)m_icons.load(QString::fromStdU16String(m_settings.resourceFile));
    for (const Command& c : commands()) {
        if (c.icon != nullptr)
            action(c.id)->setIcon(m_icons.icon(m_settings.icons.*(c.icon)));
    }
    m_treeModel->layoutChanged();
}

void MainWindow::placeWindow() {
    const velmet::WindowRect& saved = m_settings.window(velmet::WindowKey::Main);
    if (m_settings.saveWindowPos && saved.right > 0 && saved.bottom > 0) {
        move(saved.left, saved.top);
        return;
    }
    const QRect screen = (QApplication::primaryScreen() != nullptr)
                             ? QApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    QRect frame = frameGeometry();
    frame.moveCenter(screen.center());
    move(frame.topLeft());
}

model::Document& MainWindow::addDocument(std::unique_ptr<model::Document> document) {
    m_documents.push_back(std::move(document));
    model::Document& added = *m_documents.back();
    m_treeModel->documentAdded(added, m_documents.size() - 1);
    m_tree->expand(m_treeModel->documentIndex(added));
    return added;
}

void MainWindow::removeDocument(const model::Document& document) {
    m_treeModel->documentRemoving(document);
    std::erase_if(m_documents, [&](const auto& d) { return d.get() == &document; });
    updateEnabledState();
}

model::Document* MainWindow::selectedDocument() const {
    return m_treeModel->document(m_tree->currentIndex());
}

model::Category* MainWindow::selectedCategory() const {
    return m_treeModel->category(m_tree->currentIndex());
}

void MainWindow::selectCategory(const model::Category& category) {
    m_tree->setCurrentIndex(m_treeModel->categoryIndex(category));
}

void MainWindow::updateEnabledState() {
    const model::Category* book = selectedCategory();
    action(kCmdUndo)->setEnabled(book != nullptr && book->canUndo());
    action(kCmdRedo)->setEnabled(book != nullptr && book->canRedo());
    if (const model::Document* document = selectedDocument())
        m_treeModel->marksChanged(*document);
}

void MainWindow::updatePaste() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    action(kCmdPaste)->setEnabled(data != nullptr && data->hasText());
}

void MainWindow::showTreeMenu(const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("treeMenu"));
    addItems(&menu, treeMenuLayout(), *this);
    menu.exec(m_tree->viewport()->mapToGlobal(at));
}

void MainWindow::showListMenu(const QPoint& at) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("listMenu"));
    addItems(&menu, listMenuLayout(), *this);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

void MainWindow::notYet() {
    Prompts::tell(this, QMessageBox::Information, text(600));
}

void MainWindow::newDocument() {
    const QString base = text(142);
    int counter = 1;
    for (const auto& document : m_documents) {
        if (document->kind() == model::DocumentKind::File &&
            QString::fromStdU16String(static_cast<model::FileDocument&>(*document).name())
                .contains(base))
            ++counter;
    }
    addDocument(model::FileDocument::createNew((base + QString::number(counter)).toStdU16String(),
                                               model::bookCapacities(m_settings.capacities)));
}

void MainWindow::openFile() {
    notYet();
}
void MainWindow::closeDocument() {
    if (model::Document* document = selectedDocument();
        document != nullptr && document->kind() == model::DocumentKind::File)
        removeDocument(*document);
}
void MainWindow::save() {
    notYet();
}
void MainWindow::saveAs() {
    notYet();
}
void MainWindow::print() {
    notYet();
}
void MainWindow::exitProgram() {
    close();
}
void MainWindow::undo() {
    notYet();
}
void MainWindow::redo() {
    notYet();
}
void MainWindow::cut() {
    notYet();
}
void MainWindow::copy() {
    notYet();
}
void MainWindow::paste() {
    notYet();
}
void MainWindow::deleteRows() {
    notYet();
}
void MainWindow::addEntry() {
    notYet();
}
void MainWindow::editEntry() {
    notYet();
}
void MainWindow::addPrefix() {
    notYet();
}
void MainWindow::findAndReplace() {
    notYet();
}
void MainWindow::moveUp() {
    notYet();
}
void MainWindow::moveDown() {
    notYet();
}
void MainWindow::readSim() {
    notYet();
}
void MainWindow::writeSim() {
    notYet();
}
void MainWindow::changePin1() {
    notYet();
}
void MainWindow::changePin2() {
    notYet();
}
void MainWindow::backupSim() {
    notYet();
}
void MainWindow::restoreSim() {
    notYet();
}
void MainWindow::properties() {
    notYet();
}
void MainWindow::changeFont() {
    notYet();
}
void MainWindow::options() {
    notYet();
}
void MainWindow::readme() {
    notYet();
}
void MainWindow::helpTopics() {
    notYet();
}
void MainWindow::about() {
    notYet();
}
void MainWindow::restoreDeletedMessages() {
    notYet();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_settings.saveWindowPos) {
        const QRect frame = frameGeometry();
        m_settings.window(velmet::WindowKey::Main) = {frame.left(), frame.top(), frame.right() + 1,
                                                      frame.bottom() + 1};
    }
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace pelmora::ui
