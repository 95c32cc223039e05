#include "MainWindow.h"

#include "AddPrefixDialog.h"
#include "AdditionalValuesPanel.h"
#include "BookKind.h"
#include "BookPrinting.h"
#include "CardCommandRun.h"
#include "CardCommandTexts.h"
#include "CardDocument.h"
#include "CellEditDelegate.h"
#include "ClipboardText.h"
#include "CommandTable.h"
#include "DocumentTreeModel.h"
#include "EditorSession.h"
#include "EntryDialog.h"
#include "EntryTableModel.h"
#include "FileAssociation.h"
#include "FileDocument.h"
#include "FindReplaceDialog.h"
#include "Folders.h"
#include "FontConversion.h"
#include "IdenPanel.h"
#include "LocaleFormats.h"
#include "ModelSettings.h"
#include "NewDocumentName.h"
#include "OptionsDialog.h"
#include "PhoneBookFiles.h"
#include "Prompts.h"
#include "ReadersDialog.h"
#include "RowEditing.h"
#include "SupportLibrary.h"
#include "UiText.h"
#include "UnsavedChanges.h"
#include "WindowCardCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>

#include <algorithm>
#include <filesystem>

namespace pelmora::ui {

namespace {

// The splitter keeps either side at least this wide.
constexpr int kNarrowest = 5;
// The tree's width when its texts need no more.
constexpr int kTreeWidth = 230;
constexpr int kListStartWidth = 600;
constexpr int kProgramIcon = 100;
// The program's icon as the default logo of a print, in pixels.
constexpr int kLogoIconSide = 64;
// How often the reader refresh looks at the readers, in milliseconds.
constexpr int kReaderRefreshMs = 1500;

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
    {kCmdReaders, &MainWindow::showReaders},
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
    resize(860, 560);
    placeWindow();

    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &MainWindow::updatePaste);
    updatePaste();
    updateEnabledState();
}

MainWindow::~MainWindow() {
    if (m_session != nullptr) {
        // No pass of the refresh posts to this window once it is gone.
        m_sessionSubscription.reset();
        m_session->pauseReaderRefresh();
    }
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
    // A command that opens another card frees the old card's books while it
    // runs, long before it ends.
    connect(m_treeModel, &DocumentTreeModel::booksReleasing, this,
            [this](const model::Document* document) { releaseShown(*document); });
    m_tree = new QTreeView(m_splitter);
    m_tree->setObjectName(QStringLiteral("1001"));
    m_tree->setHeaderHidden(true);
    m_tree->setModel(m_treeModel);
    m_tree->setMinimumWidth(kNarrowest);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setExpandsOnDoubleClick(false);

    auto* right = new QWidget(m_splitter);
    auto* rightLayout = new QHBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_list = new QTableView;
    m_list->setObjectName(QStringLiteral("1000"));
    m_list->setMinimumWidth(kNarrowest);
    m_listModel = new EntryTableModel(this);
    m_list->setModel(m_listModel);
    m_delegate = new CellEditDelegate(*m_listModel, this);
    m_list->setItemDelegate(m_delegate);
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->horizontalHeader()->setSectionsClickable(true);
    m_list->horizontalHeader()->setStretchLastSection(true);
    // Where the list would stand empty, what keeps the readers from working.
    m_listArea = new QStackedWidget(right);
    m_listArea->addWidget(m_list);
    m_readerAdvice = new QLabel(m_listArea);
    m_readerAdvice->setObjectName(QStringLiteral("readerAdvice"));
    m_readerAdvice->setWordWrap(true);
    m_readerAdvice->setAlignment(Qt::AlignCenter);
    m_readerAdvice->setMargin(24);
    m_listArea->addWidget(m_readerAdvice);
    rightLayout->addWidget(m_listArea, 1);
    m_panel = new IdenPanel(right);
    m_valuesPanel = new AdditionalValuesPanel(model::kBookUsim, right);
    for (EntryPanel* panel : panels()) {
        panel->hide();
        rightLayout->addWidget(panel);
        connect(panel, &EntryPanel::applyRequested, this, [this, panel] { commitPanel(*panel); });
    }

    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);

    connect(m_tree, &QWidget::customContextMenuRequested, this, &MainWindow::showTreeMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &MainWindow::showListMenu);
    connect(m_tree, &QTreeView::doubleClicked, this, &MainWindow::treeDoubleClicked);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::showSelectedCategory);
    connect(m_list->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &MainWindow::sortByColumn);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &MainWindow::fillPanel);
    connect(m_listModel, &EntryTableModel::slotsSelected, this, &MainWindow::selectSlotsInList);
    connect(m_listModel, &EntryTableModel::rowCommitted, this, [this](int slot) {
        selectSlotsInList({slot});
        afterEdit();
    });
    applyListFont();
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
    for (EntryPanel* panel : panels())
        panel->applyLanguage();
    m_listModel->headerDataChanged(Qt::Horizontal, 0, std::max(0, m_listModel->columnCount() - 1));
    fitToTexts();
}

void MainWindow::fitToTexts() {
    const int tree = treeWidthForCaptions();
    // Before the first show the splitter has no sizes of its own yet.
    const QList<int> sizes = m_splitter->sizes();
    if (!m_splitter->isVisible())
        m_splitter->setSizes({tree, kListStartWidth});
    else if (sizes.size() == 2 && sizes[0] < tree)
        m_splitter->setSizes({tree, std::max(kNarrowest, sizes[1] - (tree - sizes[0]))});
    setMinimumSize(minimumWindowSize());
}

int MainWindow::treeWidthForCaptions() const {
    const QFontMetrics metrics = m_tree->fontMetrics();
    int widest = 0;
    for (const uint16_t kind : model::kBookCreationOrder) {
        // A changed book is shown with a leading "*".
        const QString caption =
            QLatin1Char('*') + QString::fromStdU16String(model::bookCaption(kind));
        widest = std::max(widest, metrics.horizontalAdvance(caption));
    }
    // Books sit one level below their document: two indentations, the icon,
    // the item's margins and the frame.
    const int icon = m_tree->style()->pixelMetric(QStyle::PM_SmallIconSize);
    return std::max(kTreeWidth, widest + 2 * m_tree->indentation() + icon + 24);
}

void MainWindow::loadIcons() {
    // Undo, Redo and Paste have pictures of their own for the disabled state.
    static constexpr std::pair<int, int> kDisabledIcons[] = {
        {kCmdUndo, 26}, {kCmdRedo, 27}, {kCmdPaste, 28}};
    (void)m_icons.load(QString::fromStdU16String(m_settings.resourceFile));
    for (const Command& c : commands()) {
        if (c.icon == nullptr)
            continue;
        const int number = m_settings.icons.*(c.icon);
        const auto* disabled = std::find_if(std::begin(kDisabledIcons), std::end(kDisabledIcons),
                                            [&](const auto& pair) { return pair.first == c.id; });
        action(c.id)->setIcon(disabled == std::end(kDisabledIcons)
                                  ? m_icons.icon(number)
                                  : m_icons.icon(number, disabled->second));
    }
    setWindowIcon(m_icons.icon(kProgramIcon));
    m_treeModel->layoutChanged();
    fitToTexts();
}

QSize MainWindow::minimumWindowSize() const {
    // Room for either panel in full beside a usable list, and for its Apply
    // button below the toolbars.
    QSize panel;
    for (EntryPanel* shown : panels()) {
        shown->setMinimumSize(shown->sizeHint());
        panel = panel.expandedTo(shown->sizeHint());
    }
    // The tree with every book caption, a narrow list, and the main
    // toolbar's buttons with their captions, none of them cut.
    constexpr int kListWidth = 150;
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    const int width = std::max(m_toolbars.back()->sizeHint().width() + treeWidthForCaptions() +
                                   kListWidth + panel.width(),
                               m_toolbars.front()->sizeHint().width() + frame);
    const int height = menuBar()->sizeHint().height() + m_toolbars.front()->sizeHint().height() +
                       panel.height() + frame + 24;
    return {std::max(600, width), std::max(380, height)};
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

void MainWindow::bindSession(model::EditorSession& session, WindowCardCommands& cardCommands) {
    m_session = &session;
    m_cardCommands = &cardCommands;
    session.setFrontEnd({cardCommands.prompter(), cardCommands.host(), m_uiThread});
    cardCommands.host().setRefreshControl([&session] { session.pauseReaderRefresh(); },
                                          [&session] { session.resumeReaderRefresh(); });
    for (size_t index = 0; index < session.documents().size(); ++index)
        documentAdded(*session.documents()[index], index);
    m_sessionSubscription = session.subscribe(*this);
    m_readerRefresh = new QTimer(this);
    m_readerRefresh->setInterval(kReaderRefreshMs);
    connect(m_readerRefresh, &QTimer::timeout, this,
            [&session] { (void)session.startReaderRefresh(); });
    m_readerRefresh->start();
    // The readers appear without waiting for the first tick.
    QTimer::singleShot(0, this, [&session] { (void)session.startReaderRefresh(); });
}

const std::vector<std::unique_ptr<model::Document>>& MainWindow::documents() const {
    return m_session != nullptr ? m_session->documents() : m_documents;
}

void MainWindow::documentAdded(model::Document& document, size_t index) {
    m_treeModel->documentAdded(document, index);
    m_tree->expand(m_treeModel->documentIndex(document));
    showReaderCheck();
}

void MainWindow::releaseShown(const model::Document& document) {
    const auto& books = document.categories();
    const bool listShowsOne = std::any_of(books.begin(), books.end(), [this](const auto& book) {
        return book.get() == m_listModel->category();
    });
    if (!listShowsOne && selectedDocument() != &document)
        return;
    m_listModel->show(nullptr, {});
    clearPanels();
}

void MainWindow::documentRemoving(model::Document& document, size_t /*index*/) {
    releaseShown(document);
    m_treeModel->documentRemoving(document);
    showSelectedCategory();
    showReaderCheck(&document);
}

void MainWindow::documentChanged(model::Document& document) {
    releaseShown(document);
    m_treeModel->documentChanged(document);
    m_tree->expand(m_treeModel->documentIndex(document));
    showSelectedCategory();
}

model::Document& MainWindow::addDocument(std::unique_ptr<model::Document> document) {
    if (m_session != nullptr)
        return m_session->addDocument(std::move(document));
    m_documents.push_back(std::move(document));
    model::Document& added = *m_documents.back();
    m_treeModel->documentAdded(added, m_documents.size() - 1);
    m_tree->expand(m_treeModel->documentIndex(added));
    return added;
}

void MainWindow::removeDocument(const model::Document& document) {
    if (m_session != nullptr) {
        (void)m_session->removeDocument(document);
        updateEnabledState();
        return;
    }
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

void MainWindow::showSelectedCategory() {
    model::Category* book = selectedCategory();
    m_listModel->show(book, ListOptions{m_settings.showDeletedSms, m_settings.simWithoutHoles,
                                        toQColor(m_settings.color)});
    m_panel->setVisible(book != nullptr && book->kind() == model::kBookNextel);
    m_valuesPanel->setVisible(book != nullptr && book->kind() == m_valuesPanel->bookKind());
    clearPanels();
    // Once the panel has taken or given back its room.
    QTimer::singleShot(0, this, &MainWindow::sizeColumns);
    updateEnabledState();
    showReaderCheck();
}

model::ReaderCheck MainWindow::readerCheck(const model::Document* leaving) const {
    std::vector<model::CardDocument*> cards = m_session->cardDocuments();
    std::erase_if(cards, [leaving](const model::CardDocument* c) { return c == leaving; });
    return model::checkReaders(m_session->binding().bound(), cards, m_session->readerListError());
}

void MainWindow::showReaderCheck(const model::Document* leaving) {
    if (m_session == nullptr)
        return;
    const model::ReaderCheck check = readerCheck(leaving);
    if (m_readersDialog != nullptr)
        m_readersDialog->showCheck(check);
    m_readerAdvice->setText(fromU16(check.advice()));
    const bool advise = m_listModel->category() == nullptr && !check.usable();
    m_listArea->setCurrentWidget(advise ? static_cast<QWidget*>(m_readerAdvice) : m_list);
}

void MainWindow::showReaders() {
    if (m_readersDialog == nullptr) {
        m_readersDialog = new ReadersDialog(this);
        m_readersDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (m_session != nullptr)
        m_readersDialog->showCheck(readerCheck());
    m_readersDialog->show();
    m_readersDialog->raise();
}

void MainWindow::sizeColumns() {
    const model::Category* book = m_listModel->category();
    if (book == nullptr)
        return;
    const QFontMetrics metrics(m_list->font());
    const int slotWidth = metrics.horizontalAdvance(QStringLiteral("00000")) + 12;
    const int rest = std::max(0, m_list->viewport()->width() - slotWidth);
    m_list->setColumnWidth(0, slotWidth);
    if (book->isMessages()) {
        const int numberWidth = metrics.horizontalAdvance(QStringLiteral("+0000000000000")) + 12;
        m_list->setColumnWidth(1, std::max(rest / 5, numberWidth));
        m_list->setColumnWidth(2, std::max(rest / 5, numberWidth));
        m_list->setColumnWidth(3,
                               metrics.horizontalAdvance(QStringLiteral("00.00.0000 00:00")) + 12);
    } else {
        m_list->setColumnWidth(1, m_listModel->columnCount() > 2 ? rest / 2 : rest);
    }
    // Every header stays readable in every language: a column is never
    // narrower than its caption.
    QHeaderView* header = m_list->horizontalHeader();
    for (int column = 0; column < m_listModel->columnCount(); ++column)
        m_list->setColumnWidth(
            column, std::max(m_list->columnWidth(column), header->sectionSizeHint(column)));
}

void MainWindow::applyListFont() {
    const QFont font = m_settings.font ? toQFont(*m_settings.font) : QApplication::font();
    m_list->setFont(font);
    m_list->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 6);
    showSelectedCategory();
}

std::vector<int> MainWindow::selectedSlots() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
        rows.push_back(index.row());
    return m_listModel->slotsOfRows(rows);
}

void MainWindow::selectSlotsInList(const std::vector<int>& slotList) {
    QItemSelection selection;
    int lastRow = -1;
    for (const int slot : slotList) {
        const int row = m_listModel->rowOfSlot(slot);
        if (row < 0)
            continue;
        selection.select(m_listModel->index(row, 0),
                         m_listModel->index(row, m_listModel->columnCount() - 1));
        lastRow = row;
    }
    if (lastRow < 0)
        return;
    m_list->selectionModel()->setCurrentIndex(m_listModel->index(lastRow, 0),
                                              QItemSelectionModel::NoUpdate);
    m_list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_list->scrollTo(m_listModel->index(lastRow, 0));
}

void MainWindow::afterEdit() {
    updateEnabledState();
    fillPanel();
}

std::array<EntryPanel*, 2> MainWindow::panels() const {
    return {m_panel, m_valuesPanel};
}

void MainWindow::clearPanels() {
    for (EntryPanel* panel : panels())
        panel->showEntry(nullptr, -1);
}

void MainWindow::fillPanel() {
    const QModelIndex current = m_list->currentIndex();
    for (EntryPanel* panel : panels()) {
        if (panel->isVisible())
            panel->showEntry(m_listModel->category(),
                             current.isValid() ? m_listModel->slotOfRow(current.row()) : -1);
    }
}

void MainWindow::commitPanel(EntryPanel& panel) {
    model::Category* book = m_listModel->category();
    if (book == nullptr || panel.slot() < 0)
        return;
    const model::RowCommit commit = panel.commit(m_settings.simWithoutHoles);
    if (commit.stored) {
        m_listModel->refillEntries(*book);
        selectSlotsInList({commit.slot});
    }
    afterEdit();
}

void MainWindow::sortByColumn(int column) {
    if (m_listModel->sortBy(column))
        updateEnabledState();
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
    if (m_listModel->offersRestoreDeleted(selectedSlots()))
        menu.addAction(action(kCmdRestoreDeleted));
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

void MainWindow::newDocument() {
    std::vector<std::u16string> captions;
    for (const auto& document : documents()) {
        if (document->kind() == model::DocumentKind::File)
            captions.push_back(
                m_treeModel->data(m_treeModel->documentIndex(*document), Qt::DisplayRole)
                    .toString()
                    .toStdU16String());
    }
    const std::u16string name = model::newDocumentName(text(142).toStdU16String(), captions);
    addDocument(model::FileDocument::createNew(name, model::bookCapacities(m_settings.capacities)));
}

FileChoice MainWindow::phoneBookChoice(int caption) const {
    FileChoice choice;
    choice.caption = text(caption);
    choice.folder = QString::fromStdU16String(m_settings.initialFolder);
    choice.filter =
        text(143) + QStringLiteral(" (") +
        QString::fromStdU16String(m_settings.filter).replace(QLatin1Char(';'), QLatin1Char(' ')) +
        QStringLiteral(");;") + text(850) + QStringLiteral(";;") + text(603) +
        QStringLiteral(" (*)");
    return choice;
}

bool MainWindow::openDocumentFile(const QString& path) {
    model::OpenOutcome opened =
        model::openDocument(std::filesystem::path(path.toStdString()), platform::listSeparator(),
                            model::phoneBookFileOptions(m_settings));
    if (!opened.document) {
        Prompts::tell(this, QMessageBox::Warning, text(601, path.toStdU16String()));
        return false;
    }
    addDocument(std::move(opened.document));
    return true;
}

void MainWindow::openFile() {
    const QString path = Prompts::openFile(this, phoneBookChoice(33));
    if (!path.isEmpty())
        (void)openDocumentFile(path);
}

bool MainWindow::saveDocument(model::Document& document, bool askName) {
    QString path;
    if (document.kind() == model::DocumentKind::File) {
        const std::filesystem::path name(static_cast<model::FileDocument&>(document).name());
        if (name.is_absolute())
            path = QString::fromStdString(name.string());
    }
    if (askName || path.isEmpty()) {
        FileChoice choice = phoneBookChoice(34);
        choice.proposedName = QFileInfo(path).fileName();
        choice.defaultSuffix =
            QString::fromStdU16String(m_settings.defaultExtension).remove(QLatin1Char('.'));
        path = Prompts::saveFile(this, choice);
        if (path.isEmpty())
            return false;
    }
    const model::SaveOutcome saved = model::saveDocument(
        document, std::filesystem::path(path.toStdString()), platform::listSeparator(),
        model::csvHeaderTexts(), model::phoneBookFileOptions(m_settings));
    if (saved.error) {
        Prompts::tell(this, QMessageBox::Warning, text(602, path.toStdU16String()));
        return false;
    }
    if (saved.csvWrittenAsUtf16)
        Prompts::tell(this, QMessageBox::Information, text(605));
    m_treeModel->documentChanged(document);
    m_treeModel->marksChanged(document);
    return true;
}

void MainWindow::save() {
    if (model::Document* document = selectedDocument())
        (void)saveDocument(*document, false);
}

void MainWindow::saveAs() {
    if (model::Document* document = selectedDocument())
        (void)saveDocument(*document, true);
}

void MainWindow::closeDocument() {
    model::Document* document = selectedDocument();
    if (document == nullptr || (m_session != nullptr && m_session->busy(*document)))
        return;
    if (document->kind() == model::DocumentKind::Card) {
        closeCard(static_cast<model::CardDocument&>(*document));
        return;
    }
    const model::Document* const one[] = {document};
    const bool mayClose = model::mayLeave(
        one, model::LeaveWay::CloseDocument, [this](const model::UnsavedQuestion& q) {
            return Prompts::ask(this, QMessageBox::Warning, text(q.text),
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        });
    if (!mayClose)
        return;
    m_listModel->show(nullptr, {});
    removeDocument(*document);
    showSelectedCategory();
}

void MainWindow::exitProgram() {
    m_leaveWay = int(model::LeaveWay::Exit);
    close();
}

void MainWindow::undo() {
    if (model::Category* book = selectedCategory(); book != nullptr && book->canUndo()) {
        (void)book->undo(m_listModel);
        afterEdit();
    }
}

void MainWindow::redo() {
    if (model::Category* book = selectedCategory(); book != nullptr && book->canRedo()) {
        (void)book->redo(m_listModel);
        afterEdit();
    }
}

void MainWindow::copy() {
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        edit->copy();
        return;
    }
    const model::Category* book = selectedCategory();
    if (book == nullptr)
        return;
    const std::u16string rows = model::copyRows(*book, selectedSlots(), platform::listSeparator());
    if (!rows.empty())
        QApplication::clipboard()->setText(QString::fromStdU16String(rows));
}

void MainWindow::cut() {
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        edit->cut();
        return;
    }
    copy();
    deleteRows();
}

void MainWindow::paste() {
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        edit->paste();
        return;
    }
    model::Category* book = selectedCategory();
    const model::Document* document = selectedDocument();
    if (book == nullptr || book->isMessages())
        return;
    const model::PasteOptions options{m_settings.allowEmptyNameContacts,
                                      document->kind() == model::DocumentKind::File};
    std::vector<std::u16string> notes;
    if (model::pasteRows(*book, QApplication::clipboard()->text().toStdU16String(),
                         platform::listSeparator(), options, m_listModel, &notes) > 0)
        m_tree->update();
    afterEdit();
    if (!notes.empty()) {
        QStringList lines;
        for (const std::u16string& note : notes)
            lines << QString::fromStdU16String(note);
        Prompts::tell(this, QMessageBox::Information, lines.join(QLatin1Char('\n')));
    }
}

void MainWindow::deleteRows() {
    model::Category* book = selectedCategory();
    if (book == nullptr)
        return;
    if (model::deleteRows(*book, selectedSlots(), m_settings.simWithoutHoles, m_listModel))
        m_listModel->refillEntries(*book);
    afterEdit();
}

void MainWindow::moveUp() {
    if (model::Category* book = selectedCategory()) {
        (void)model::moveRows(*book, selectedSlots(), model::MoveDirection::Up,
                              m_settings.simWithoutHoles, m_listModel);
        afterEdit();
    }
}

void MainWindow::moveDown() {
    if (model::Category* book = selectedCategory()) {
        (void)model::moveRows(*book, selectedSlots(), model::MoveDirection::Down,
                              m_settings.simWithoutHoles, m_listModel);
        afterEdit();
    }
}

void MainWindow::restoreDeletedMessages() {
    model::Category* book = selectedCategory();
    if (book == nullptr || !book->isMessages())
        return;
    model::restoreDeletedMessages(*book, selectedSlots(), m_listModel);
    m_listModel->refillEntries(*book);
    afterEdit();
}

void MainWindow::changeFont() {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, m_list->font(), this);
    if (!chosen)
        return;
    const QColor colour = QColorDialog::getColor(toQColor(m_settings.color), this);
    m_settings.font = toFontSpec(font);
    if (colour.isValid())
        m_settings.color = toColorValue(colour);
    applyListFont();
}

void MainWindow::openShipped(const char* fileName) {
    const std::filesystem::path file = platform::dataFile(fileName);
    if (!std::filesystem::exists(file)) {
        Prompts::tell(this, QMessageBox::Information,
                      text(604, QString::fromStdString(file.string()).toStdU16String()));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

void MainWindow::readme() {
    openShipped("README.md");
}

void MainWindow::helpTopics() {
    openShipped("manual/index.html");
}

void MainWindow::about() {
    const std::filesystem::path library = m_supportLibrary.empty()
                                              ? platform::programFolder() / kSupportLibraryName
                                              : m_supportLibrary;
    if (!showSupportAbout(this, library, m_settings.languageFile, m_settings.languageSection))
        Prompts::tell(this, QMessageBox::Warning, text(80, library.filename().u16string()));
}

void MainWindow::checkFileAssociation() {
    const std::u16string& extension = m_settings.defaultExtension;
    if (!velmet::shouldOfferAssociation(extension, m_settings.title, platform::dataHome()))
        return;
    const QString question =
        QString::fromStdU16String(velmet::associationQuestion(extension, m_settings.title));
    if (Prompts::ask(this, QMessageBox::Question, question,
                     QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok) {
        velmet::FileAssociation association;
        (void)association.associate(extension, m_settings.title);
    }
}

void MainWindow::print() {
    PrintRequest request;
    request.book = selectedCategory();
    request.kindIcon = m_tree->currentIndex().data(Qt::DecorationRole).value<QIcon>();
    request.programIcon = m_icons.icon(kProgramIcon).pixmap(kLogoIconSide).toImage();
    (void)printBook(this, m_settings, request);
    action(kCmdPrint)->setToolTip(text(35));
}
void MainWindow::addEntry() {
    model::Category* book = selectedCategory();
    const model::Document* document = selectedDocument();
    if (book == nullptr || document == nullptr)
        return;
    // Only a file's books grow; a card's hold what the card holds.
    const bool mayGrow = document->kind() == model::DocumentKind::File;
    if (runEntryDialog(*book, -1, mayGrow, m_icons.icon(m_settings.icons.addIcon),
                       m_icons.icon(m_settings.icons.editIcon), m_settings, m_listModel, this) >= 0)
        afterEdit();
}
void MainWindow::editEntry() {
    model::Category* book = selectedCategory();
    const QModelIndex focused = m_list->currentIndex();
    if (book == nullptr || !focused.isValid())
        return;
    if (runEntryDialog(*book, m_listModel->slotOfRow(focused.row()), false,
                       m_icons.icon(m_settings.icons.addIcon),
                       m_icons.icon(m_settings.icons.editIcon), m_settings, m_listModel, this) >= 0)
        afterEdit();
}
void MainWindow::addPrefix() {
    model::Category* book = selectedCategory();
    const std::vector<int> chosen = selectedSlots();
    if (book == nullptr || !book->isPhoneBook() || chosen.empty())
        return;
    AddPrefixDialog dialog(*book, chosen, m_listModel, this);
    if (dialog.exec() == QDialog::Accepted)
        afterEdit();
}
void MainWindow::findAndReplace() {
    model::Category* book = selectedCategory();
    if (book == nullptr)
        return;
    FindReplaceDialog dialog(*book, m_listModel, m_settings, this);
    dialog.exec();
    afterEdit();
}
void MainWindow::treeDoubleClicked(const QModelIndex& index) {
    if (index.isValid() && !index.parent().isValid())
        readSim();
}
void MainWindow::readSim() {
    model::CardDocument* card = selectedCard();
    if (card == nullptr || m_session == nullptr)
        return;
    runCardWork(CardWork::Read, [this, card](model::JobProgress& progress) {
        return m_session->readSim(*card, selectedCategory(), progress);
    });
}
void MainWindow::writeSim() {
    model::Document* document = selectedDocument();
    if (document == nullptr || m_session == nullptr)
        return;
    const std::vector<model::CardDocument*> readers = m_session->cardDocuments();
    runCardWork(CardWork::Write, [&](model::JobProgress& progress) {
        return m_session->writeSim(*document, selectedCategory(), readers, progress);
    });
}
void MainWindow::runCardWork(
    CardWork work,
    const std::function<std::shared_ptr<model::CardCommand>(model::JobProgress&)>& start) {
    model::Document* document = selectedDocument();
    const model::Category* book = selectedCategory();
    const int kind = book != nullptr ? int(book->kind()) : -1;
    ProgressLook look;
    const bool wholeCard = work == CardWork::Backup || work == CardWork::Restore;
    look.style = wholeCard ? ProgressStyle::Animation : ProgressStyle::Bar;
    look.icon = m_icons.icon(work == CardWork::Read || work == CardWork::Backup
                                 ? m_settings.icons.readIcon
                                 : m_settings.icons.writeIcon);
    look.animationIcon = m_icons.icon(m_settings.icons.cardIcon);
    const std::shared_ptr<model::CardCommand> command =
        runCardCommand(look, this, start, [this] { cardWorkApplied(); });
    if (!command)
        return;
    // The book shown before, or the phone book after the first read.
    if (document != nullptr && command->report().opened)
        selectBook(*document, kind >= 0 ? kind : int(model::kBookAdn));
    const QString message = cardOutcomeMessage(work, command->report());
    if (!message.isEmpty())
        Prompts::tell(this, QMessageBox::Warning, message);
}
void MainWindow::cardWorkApplied() {
    // Books may have been replaced: nothing may show the old ones past here.
    m_listModel->show(nullptr, {});
    clearPanels();
    for (const auto& document : documents())
        m_session->documentChanged(*document);
}
void MainWindow::selectBook(model::Document& document, int kind) {
    const auto& books = document.categories();
    if (books.empty())
        return;
    const auto same = std::find_if(books.begin(), books.end(),
                                   [kind](const auto& b) { return int(b->kind()) == kind; });
    m_tree->expand(m_treeModel->documentIndex(document));
    selectCategory(same != books.end() ? **same : *books.front());
}
void MainWindow::closeCard(model::CardDocument& card) {
    const model::Document* const one[] = {&card};
    const bool mayClose = model::mayLeave(
        one, model::LeaveWay::CloseDocument, [this](const model::UnsavedQuestion& q) {
            return Prompts::ask(this, QMessageBox::Warning, text(q.text),
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
        });
    if (!mayClose || m_session == nullptr)
        return;
    m_session->cardOperations().closeCard(card);
    card.close();
    m_session->documentChanged(card);
}
model::CardDocument* MainWindow::selectedCard() const {
    model::Document* document = selectedDocument();
    return document != nullptr && document->kind() == model::DocumentKind::Card
               ? static_cast<model::CardDocument*>(document)
               : nullptr;
}
void MainWindow::changePin1() {
    if (model::CardDocument* card = selectedCard(); card != nullptr && m_cardCommands != nullptr)
        m_cardCommands->changePin(*card, 1);
}
void MainWindow::changePin2() {
    if (model::CardDocument* card = selectedCard(); card != nullptr && m_cardCommands != nullptr)
        m_cardCommands->changePin(*card, 2);
}
void MainWindow::backupSim() {
    runWholeCardWork(CardWork::Backup);
}
void MainWindow::restoreSim() {
    runWholeCardWork(CardWork::Restore);
}
void MainWindow::runWholeCardWork(CardWork work) {
    model::CardDocument* card = selectedCard();
    if (card == nullptr || m_session == nullptr)
        return;
    const bool restore = work == CardWork::Restore;
    const QString file = chooseBackupFile(this, m_settings, restore);
    if (file.isEmpty())
        return;
    const std::filesystem::path path(file.toStdString());
    runCardWork(work, [&](model::JobProgress& progress) {
        return restore ? m_session->restoreSim(*card, path, progress)
                       : m_session->backupSim(*card, path, progress);
    });
}
void MainWindow::properties() {
    model::CardDocument* card = selectedCard();
    if (card == nullptr || m_cardCommands == nullptr)
        return;
    const model::Category* book = selectedCategory();
    m_cardCommands->properties(*card, book != nullptr ? book->kind() : -1);
}
void MainWindow::options() {
    velmet::FileAssociation association;
    OptionsDialog dialog(m_settings, association, m_icons.icon(m_settings.icons.settingsIcon),
                         this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    applyLanguage();
    showSelectedCategory();
}

bool MainWindow::mayLeave(int way) {
    std::vector<const model::Document*> roots;
    for (const auto& document : documents())
        roots.push_back(document.get());
    return model::mayLeave(roots, model::LeaveWay(way), [this](const model::UnsavedQuestion& q) {
        return Prompts::ask(this, QMessageBox::Warning, text(q.text),
                            QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    const int way = std::exchange(m_leaveWay, int(model::LeaveWay::CloseBox));
    if (!mayLeave(way)) {
        event->ignore();
        return;
    }
    if (m_settings.saveWindowPos) {
        const QRect frame = frameGeometry();
        m_settings.window(velmet::WindowKey::Main) = {frame.left(), frame.top(), frame.right() + 1,
                                                      frame.bottom() + 1};
    }
    event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_leaveWay = int(model::LeaveWay::Escape);
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace pelmora::ui
