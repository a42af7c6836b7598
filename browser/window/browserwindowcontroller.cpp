#include "browser/window/browserwindowcontroller.h"

#include "app/appkeys.h"
#include "app/delegate/appdelegate.h"
#include "app/signin/googlesignin.h"
#include "app/signin/signinrows.h"
#include "app/signin/signintexts.h"
#include "browser/actions/actiontexts.h"
#include "browser/actions/browseractions.h"
#include "browser/actions/functiontabview.h"
#include "browser/columns/contacttablecolumns.h"
#include "browser/dragdrop/browserdragdrop.h"
#include "browser/dragdrop/contacttabledragdrop.h"
#include "browser/dragdrop/grouptabledragdrop.h"
#include "browser/inspector/contactinspector.h"
#include "browser/menus/contactcontextmenu.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/models/contactcolumns.h"
#include "browser/models/grouparraycontroller.h"
#include "browser/portrait/clickableimageview.h"
#include "browser/portrait/tolvanewindow.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/selection/selectiontexts.h"
#include "browser/splitview/browserimagesplitview.h"
#include "browser/splitview/groupnavsplitview.h"
#include "browser/splitview/notesplitview.h"
#include "browser/tables/contacttableview.h"
#include "browser/tables/grouptableview.h"
#include "browser/toolbar/applicationdelegatecalls.h"
#include "browser/toolbar/browsertoolbar.h"
#include "browser/toolbar/toolbarkeys.h"
#include "browser/window/namewithimagedelegate.h"
#include "browser/window/windowkeys.h"
#include "browser/window/windowtexts.h"
#include "foundation/log.h"
#include "foundation/scripting/applescripttool.h"
#include "foundation/views/imagetext.h"
#include "foundation/views/tolvanepopuptableheader.h"
#include "foundation/views/tolvanesearchfield.h"
#include "google/batch/batchkeys.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlekeys.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/grouplookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/prompter.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kClass = QStringLiteral("BrowserWindowController");
constexpr char kTagProperty[] = "tag";
// Used while the preferences hold no row metrics: a view of rows 0 points high shows nothing.
constexpr float kDefaultRowHeight = 18;
constexpr float kDefaultRowFontSize = 11;
constexpr float kDefaultNoteFontSize = 12;
// Cancelling the login sheet ends it with this code.
constexpr int kLoginCancelled = -1001;

QString describe(const QVariantMap &info)
{
    QStringList parts;
    for (auto it = info.cbegin(); it != info.cend(); ++it)
        parts << QStringLiteral("%1 = %2").arg(it.key(), it.value().toString());
    return parts.join(QStringLiteral("; "));
}

// The time of the status line as the pattern "EEE, MMM d  h:m:ss" writes it: the short day and
// month names in English whatever the user's language, two spaces after the day, the hour on a
// 12-hour clock without a mark, the minutes unpadded. Qt's own patterns have no 12-hour hour
// without the mark.
QString asOfTime(const QDateTime &time)
{
    const int hour = time.time().hour() % 12;
    return QStringLiteral("%1  %2:%3:%4")
        .arg(QLocale::c().toString(time, QStringLiteral("ddd, MMM d")))
        .arg(hour == 0 ? 12 : hour)
        .arg(time.time().minute())
        .arg(time.time().second(), 2, 10, QLatin1Char('0'));
}

float storedOr(const QString &key, float fallback)
{
    const double value = UserDefaults::standard().doubleForKey(key);
    return value > 0 ? float(value) : fallback;
}

// The main window the browser lives in: its close is the controller's.
class BrowserWindow : public TolvaneWindow
{
public:
    using TolvaneWindow::TolvaneWindow;
};

} // namespace

BrowserWindowController::BrowserWindowController()
    : WindowController(Kind::Browser)
{
    setObjectName(kClass);
    buildWindow();
    GoogleContactToolUIDelegate::registerSelector(QStringLiteral("manageSafari"),
                                                  [this] { manageSafari(); });
    registerCommand(QStringLiteral("toggleGroupNav:"),
                    [this](const QVariant &) { toggleGroupNav(); });
    registerCommand(QStringLiteral("toggleBrowserImage:"),
                    [this](const QVariant &) { toggleBrowserImage(); });
    registerCommand(QStringLiteral("toggleNotes:"), [this](const QVariant &) { toggleNotes(); });
    // The application delegate has set the operator already; the list follows it.
    registerCommand(QStringLiteral("toggleSetOperator:"), [this](const QVariant &) {
        if (m_groupSet && m_groupSet->selectedGroupIdentifiers().size() >= 2)
            m_groupSet->refreshView();
    });
    connect(this, &WindowController::windowClosing, this, [this] { windowWillClose(); });
    registerActions();
}

// The actions on the selection, by their command names.
void BrowserWindowController::registerActions()
{
    m_actions = std::make_unique<BrowserActions>(*this);
    BrowserActions *const actions = m_actions.get();
    const std::pair<const char *, void (BrowserActions::*)()> commands[] = {
        {"editContact:", &BrowserActions::editContact},
        {"editGoogleContact:", &BrowserActions::editGoogleContact},
        {"editGroup:", &BrowserActions::editGroup},
        {"newGroup:", &BrowserActions::newGroup},
        {"newContact:", &BrowserActions::newContact},
        {"showBulkEdit:", &BrowserActions::showBulkEdit},
        {"cancelBulkEdit:", &BrowserActions::cancelBulkEdit},
        {"showMessage:", &BrowserActions::showMessage},
        {"cancelMessage:", &BrowserActions::cancelMessage},
        {"sendMessage:", &BrowserActions::sendMessage},
        {"viewMapToWork:", &BrowserActions::viewMapToWork},
        {"viewMapToHome:", &BrowserActions::viewMapToHome},
        {"sendMapToWork:", &BrowserActions::sendMapToWork},
        {"sendMapToHome:", &BrowserActions::sendMapToHome},
        {"flagAsMale:", &BrowserActions::flagAsMale},
        {"flagAsFemale:", &BrowserActions::flagAsFemale},
        {"flagAsPerson:", &BrowserActions::flagAsPerson},
        {"flagAsCompany:", &BrowserActions::flagAsCompany},
        {"bulkRemoveMemberships:", &BrowserActions::bulkRemoveMemberships},
        {"applyBulkChanges:", &BrowserActions::applyBulkChanges},
        {"mergeContacts:", &BrowserActions::mergeContacts},
    };
    for (const auto &[name, action] : commands)
        registerCommand(QString::fromLatin1(name),
                        [actions, action](const QVariant &) { (actions->*action)(); });
    connect(m_functionTabView, &FunctionTabView::applyBulkChanges, actions,
            &BrowserActions::applyBulkChanges);
    connect(m_functionTabView, &FunctionTabView::cancelBulkEdit, actions,
            &BrowserActions::cancelBulkEdit);
    connect(m_functionTabView, &FunctionTabView::sendMessage, actions,
            &BrowserActions::sendMessage);
    connect(m_functionTabView, &FunctionTabView::cancelMessage, actions,
            &BrowserActions::cancelMessage);

    // Drags and drops of the two tables; the group copies' follow-up steps are named steps,
    // because the engine runs them by name once the groups exist.
    m_dragDrop = std::make_unique<BrowserDragDrop>(*this);
    GroupTableDragDrop *const groupDrops = &m_dragDrop->groupTable();
    GoogleContactToolUIDelegate::registerSelector(
        QStringLiteral("processGoogleGroups"), [groupDrops] { groupDrops->processGoogleGroups(); });
    GoogleContactToolUIDelegate::registerSelector(
        QStringLiteral("processGroupABGroups"),
        [groupDrops] { groupDrops->processGroupABGroups(); });
    GoogleContactToolUIDelegate::registerSelector(QStringLiteral("processGroupArrayVCards"),
                                                  [groupDrops] { groupDrops->processVCards(); });
    for (QTableView *table : {m_groupsTable, m_contactsTable}) {
        table->setDragEnabled(true);
        table->setAcceptDrops(true);
        table->setDragDropMode(QAbstractItemView::DragDrop);
        table->setDefaultDropAction(Qt::CopyAction);
        table->setDropIndicatorShown(true);
    }
}

BrowserWindowController::~BrowserWindowController()
{
    // The lists and the inspector read the engine; they go before a second account's engine.
    m_inspector.reset();
    m_groupSet.reset();
    m_contacts.reset();
    m_groups.reset();
    if (m_ownTool) {
        m_ownTool->setUIDelegate(nullptr);
        m_ownTool->setDataDelegate(nullptr);
    }
    keepEngineForImageFetch();
}

// Building the window.

void BrowserWindowController::buildWindow()
{
    auto *const window = new BrowserWindow;
    window->setWindowTitle(windowtexts::notLoggedIn);
    window->setMinimumSize(200, 120);
    window->resize(900, 600);

    m_groupNavSplitView = new GroupNavSplitView;
    m_browserImageSplitView = new BrowserImageSplitView;
    m_noteSplitView = new NoteSplitView;
    m_groupNavSplitView->setBrowserImageSplitView(m_browserImageSplitView);
    m_browserImageSplitView->setGroupNavSplitView(m_groupNavSplitView);

    auto *const groupPane = new QVBoxLayout(m_groupNavSplitView->leftSubView());
    groupPane->setContentsMargins(0, 0, 0, 0);
    groupPane->addWidget(m_browserImageSplitView);
    auto *const rightPane = new QVBoxLayout(m_groupNavSplitView->rightSubView());
    rightPane->setContentsMargins(0, 0, 0, 0);
    rightPane->addWidget(m_noteSplitView);

    m_groupsTable = new GroupTableView;
    configureTable(m_groupsTable, kGroupsTableTag);
    // One column of titles: a header would only name it.
    m_groupsTable->horizontalHeader()->hide();
    auto *const groupList = new QVBoxLayout(m_browserImageSplitView->topSubview());
    groupList->setContentsMargins(0, 0, 0, 0);
    groupList->addWidget(m_groupsTable);
    auto *const imagePane = new QVBoxLayout(m_browserImageSplitView->bottomSubview());
    imagePane->setContentsMargins(0, 0, 0, 0);
    m_imageView = new ClickableImageView;
    imagePane->addWidget(m_imageView);

    auto *const contactArea = new QVBoxLayout(m_noteSplitView->topSubview());
    contactArea->setContentsMargins(0, 0, 0, 0);
    m_searchField = new TolvaneSearchField;
    m_searchField->setObjectName(QStringLiteral("searchField"));
    contactArea->addWidget(m_searchField);
    m_contactsTable = new ContactTableView;
    m_contactsTable->setHorizontalHeader(
        new TolvanePopupTableHeader(Qt::Horizontal, m_contactsTable));
    configureTable(m_contactsTable, kContactsTableTag);
    m_contactsTable->setSortingEnabled(true);
    contactArea->addWidget(m_contactsTable);

    auto *const notesPane = new QVBoxLayout(m_noteSplitView->bottomSubview());
    notesPane->setContentsMargins(0, 0, 0, 0);
    m_notesView = new QPlainTextEdit;
    m_notesView->setObjectName(QStringLiteral("notes"));
    m_notesView->installEventFilter(this);
    // The notes share their place with the find-and-replace and the message panes.
    m_functionTabView = new FunctionTabView(m_notesView);
    notesPane->addWidget(m_functionTabView);

    auto *const central = new QWidget;
    auto *const layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_groupNavSplitView, 1);
    layout->addWidget(buildStatusBar());
    window->setCentralWidget(central);

    connect(m_notesView, &QPlainTextEdit::textChanged, this, [this] {
        if (m_showingNotes || !m_inspector)
            return;
        if (m_groupSet && m_groupSet->selectedContactIDs().size() > 1)
            m_inspector->setMultiNote(m_notesView->toPlainText());
        else
            m_inspector->textChange(m_notesView->toPlainText());
    });
    connect(m_searchField, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (m_contacts)
            m_contacts->setSearchString(text);
    });
    setWindow(window);
    window->installEventFilter(this);
    // Pictures dropped on the window go to the portrait editor.
    window->setAcceptDrops(true);
    buildImageMaker();

    // Load-time set-up.
    m_browserRowHeight = storedOr(windowkeys::browserRowHeight, kDefaultRowHeight);
    m_browserRowFontSize = storedOr(windowkeys::browserRowFontSize, kDefaultRowFontSize);
    m_browserNoteFontSize = storedOr(windowkeys::browserNoteFontSize, kDefaultNoteFontSize);
    applyRowHeight();
    QFont notesFont = m_notesView->font();
    notesFont.setPointSizeF(m_browserNoteFontSize);
    m_notesView->setFont(notesFont);
    setStatusMessage(windowtexts::dragHint);
    setupToolbarForWindow(window);
}

QWidget *BrowserWindowController::buildStatusBar()
{
    auto *const bar = new QWidget;
    auto *const layout = new QHBoxLayout(bar);
    layout->setContentsMargins(6, 2, 6, 2);
    m_toggleImageButton = new QPushButton;
    m_toggleImageButton->setFlat(true);
    m_toggleImageButton->setFixedSize(20, 20);
    connect(m_toggleImageButton, &QPushButton::clicked, this, [this] { toggleBrowserImage(); });
    layout->addWidget(m_toggleImageButton);
    m_statusField = new QLabel;
    m_statusField->setObjectName(QStringLiteral("status"));
    layout->addWidget(m_statusField, 1);
    m_progressField = new QLabel;
    m_progressField->setObjectName(QStringLiteral("progress"));
    m_progressField->hide();
    layout->addWidget(m_progressField, 1);
    m_progressBar = new QProgressBar;
    m_progressBar->setMaximumWidth(160);
    m_progressBar->setTextVisible(false);
    m_progressBar->hide();
    layout->addWidget(m_progressBar);
    m_infoField = new QLabel;
    layout->addWidget(m_infoField);
    return bar;
}

void BrowserWindowController::configureTable(QTableView *table, int tag)
{
    table->setProperty(kTagProperty, tag);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setShowGrid(false);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    // Uniform, fixed row heights: no view measures its rows.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setStretchLastSection(true);
}

void BrowserWindowController::applyRowHeight()
{
    for (QTableView *table : {m_groupsTable, m_contactsTable}) {
        table->verticalHeader()->setMinimumSectionSize(1);
        table->verticalHeader()->setDefaultSectionSize(int(m_browserRowHeight));
        QFont font = table->font();
        font.setPointSizeF(m_browserRowFontSize);
        table->setFont(font);
    }
}

void BrowserWindowController::buildLists()
{
    m_inspector.reset();
    m_groupSet.reset();
    m_contacts.reset();
    m_groups.reset();
    if (!m_tool)
        return;
    m_groups = std::make_unique<GroupArrayController>();
    // The Google groups that the agent fills from address book groups show as bound rows.
    m_groups->setAutoABGroupsSource([] {
        AppDelegate *const delegate = AppDelegate::shared();
        if (!delegate)
            return QList<AutoABGroup>();
        delegate->loadAutoABGroups();
        return delegate->autoABGroups();
    });
    m_contacts = std::make_unique<ContactArrayController>(m_tool->lists());
    m_groupSet = std::make_unique<GroupSetController>(*m_tool, *m_groups, *m_contacts);
    m_inspector = std::make_unique<ContactInspector>(*m_tool);
    m_groupSet->setUseIntersection(
        UserDefaults::standard().boolForKey(windowkeys::multipleGroupsUseIntersection));

    m_contacts->setDragDrop(&m_dragDrop->contactTable());
    m_groups->setDragDrop(&m_dragDrop->groupTable());
    m_groupsTable->setModel(m_groups.get());
    m_groupsTable->setSelectionModel(m_groupSet->groupSelection());
    m_groupsTable->setItemDelegateForColumn(
        0, new NameWithImageDelegate(GroupArrayController::NameWithImageRole, m_groupsTable));
    m_contactsTable->setModel(m_contacts.get());
    m_contactsTable->setSelectionModel(m_groupSet->contactSelection());
    const int nameColumn = contactcolumns::columnOf(QStringLiteral("name"));
    m_contactsTable->setItemDelegateForColumn(
        nameColumn,
        new NameWithImageDelegate(ContactArrayController::NameWithImageRole, m_contactsTable));
    m_contactsTable->sortByColumn(nameColumn, Qt::AscendingOrder);
    connectToolbarToLists();

    connect(m_groupSet->contactSelection(), &QItemSelectionModel::selectionChanged, this,
            [this] { showSelectedContact(); });
    connect(m_groupSet.get(), &GroupSetController::listRefreshed, this,
            [this] { showSelectedContact(); });
    connect(m_groupSet.get(), &GroupSetController::searchCleared, this, [this] {
        const QSignalBlocker quiet(m_searchField);
        m_searchField->clear();
    });
    connect(m_contacts.get(), &ContactArrayController::filterChanged, this,
            [this] { showSelectedContact(); });
}

void BrowserWindowController::setGoogleTool(GoogleContactTool *tool)
{
    if (tool == m_tool)
        return;
    m_tool = tool;
    buildLists();
    windowDidLoad();
}

void BrowserWindowController::setInternalGoogleTool()
{
    auto tool = std::make_unique<GoogleContactTool>(GoogleContactTool::Role::MainProgram);
    GoogleContactTool *const made = tool.get();
    setGoogleTool(made);
    // The engine the lists were built on is kept; the one before it, if any, goes.
    m_ownTool = std::move(tool);
}

void BrowserWindowController::windowDidLoad()
{
    if (!m_tool)
        return;
    m_actions->buildScriptsMenu();
    takeEngineDelegates();
    // The first fetch may have come already: the window shows what the engine holds. Before any
    // groups came there are no rows to choose from: the program's own rows alone would leave one
    // of them selected once the account's groups arrive.
    refreshView();
    if (m_contacts->rowCount() > 0)
        m_contactsTable->setFocus();
}

void BrowserWindowController::openPanes()
{
    // The panes are laid out in the window's size, known once it shows: the group pane at its
    // full width with the portrait below it, and the notes under the contacts. The first launch
    // keeps the portrait pane closed.
    m_groupNavSplitView->setLeftWidth(GroupNavSplitView::kLeftWidthMax);
    if (!m_noteSplitView->noteIsVisible())
        m_noteSplitView->toggle();
    if (!m_browserImageSplitView->imageIsVisible())
        m_browserImageSplitView->toggle();
    if (m_browserImageSplitView->imageIsVisible() &&
        UserDefaults::standard().boolForKey(appkeys::newPrefFileCreated))
        m_browserImageSplitView->toggle();
    m_toggleImageButtonImage =
        m_browserImageSplitView->imageIsVisible() ? windowtexts::imageDown : windowtexts::imageUp;
    m_toggleImageButton->setIcon(QIcon(imagetext::imagePath(m_toggleImageButtonImage)));
    if (m_browserImageSplitView->imageIsVisible())
        showPortraitPane();
}

void BrowserWindowController::showWindow()
{
    WindowController::showWindow();
    if (!m_panesOpened) {
        m_panesOpened = true;
        openPanes();
    }
    windowDidBecomeKey();
}

void BrowserWindowController::windowDidBecomeKey()
{
    if (!m_tool)
        return;
    m_tool->setGoogleUserDefaults();
    takeEngineDelegates();
}

bool BrowserWindowController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_notesView && event->type() == QEvent::FocusOut && m_inspector)
        m_inspector->doUpdate();
    if (watched == WindowController::window() && event->type() == QEvent::WindowActivate)
        windowDidBecomeKey();
    return WindowController::eventFilter(watched, event);
}

void BrowserWindowController::windowWillClose()
{
    if (m_inspector)
        m_inspector->doUpdate();
    UserDefaults &ud = UserDefaults::standard();
    const int nameColumn = contactcolumns::columnOf(QStringLiteral("name"));
    ud.setDouble(m_contactsTable->columnWidth(nameColumn), windowkeys::browserNameColumnWidth);
    ud.setDouble(m_browserRowHeight, windowkeys::browserRowHeight);
    ud.setDouble(m_browserRowFontSize, windowkeys::browserRowFontSize);
    ud.setDouble(m_browserNoteFontSize, windowkeys::browserNoteFontSize);
    ud.setBool(useIntersection(), windowkeys::multipleGroupsUseIntersection);
    // The application delegate forgets this window alone, and takes back the engine's delegate
    // roles where they point here.
}

bool BrowserWindowController::hasContactTableColumn(const QString &identifier) const
{
    const int column = contactcolumns::columnOf(identifier);
    return m_contactsTable && column >= 0 && !m_contactsTable->isColumnHidden(column);
}

bool BrowserWindowController::useIntersection() const
{
    return m_groupSet && m_groupSet->useIntersection();
}

void BrowserWindowController::setUseIntersection(bool intersection)
{
    if (m_groupSet)
        m_groupSet->setUseIntersection(intersection);
    if (m_toolbar)
        m_toolbar->setUseIntersection(intersection);
}

void BrowserWindowController::loadGoogleTool()
{
    if (!m_tool)
        return;
    m_tool->establishUserCredentials();
    if (tlog::diagnostics())
        tlog::write(QStringLiteral("[%1 %2] %3 = %4")
                        .arg(kClass, QStringLiteral("loadGoogleTool"), windowtexts::serviceInfoLine,
                             m_tool->serviceInfo()));
    m_tool->fetchAllGroupsWithUIRefresh(true, true);
}

void BrowserWindowController::setInfoMessage(const QString &message)
{
    m_infoField->setText(message);
}

// The inspector.

void BrowserWindowController::showSelectedContact()
{
    if (!m_inspector || !m_groupSet)
        return;
    const QStringList selected = m_groupSet->selectedContactIDs();
    m_inspector->showContacts(selected);
    m_actions->contactSelectionChanged(selected);
    m_functionTabView->selectTabViewItemWithIdentifier(
        selected.size() < 2 ? actiontexts::singleNote : actiontexts::multipleNote);
    m_infoField->setText(QStringLiteral("%1/%2").arg(selected.size()).arg(m_contacts->rowCount()));
    showNotes();
    showCurrentPicture();
}

void BrowserWindowController::showNotes()
{
    const QString shown =
        m_inspector->updateRequired() ? m_notesView->toPlainText() : m_inspector->notes();
    if (m_notesView->toPlainText() == shown)
        return;
    const bool several = m_groupSet->selectedContactIDs().size() > 1;
    m_showingNotes = true;
    m_notesView->setPlainText(several ? QString() : shown);
    m_showingNotes = false;
}

// The panes.

void BrowserWindowController::toggleGroupNav()
{
    m_groupNavSplitView->toggle();
    UserDefaults::standard().setBool(m_groupNavSplitView->isLeftSubViewCollapsed(),
                                     windowkeys::groupNavHidden);
}

void BrowserWindowController::toggleBrowserImage()
{
    if (m_groupNavSplitView->isLeftSubViewCollapsed())
        toggleGroupNav();
    m_toggleImageButtonImage =
        m_browserImageSplitView->imageIsVisible() ? windowtexts::imageUp : windowtexts::imageDown;
    m_toggleImageButton->setIcon(QIcon(imagetext::imagePath(m_toggleImageButtonImage)));
    if (!m_browserImageSplitView->imageIsVisible())
        showPortraitPane();
    m_browserImageSplitView->toggle();
    UserDefaults::standard().setBool(m_browserImageSplitView->imageIsVisible(),
                                     windowkeys::browserImageHidden);
}

void BrowserWindowController::toggleNotes()
{
    m_noteSplitView->toggle();
    UserDefaults::standard().setBool(m_noteSplitView->noteIsVisible(), windowkeys::noteHidden);
}

// The status line and the progress display.

void BrowserWindowController::openStatusBarMessage(const QString &message)
{
    setStatusMessage(message);
    m_statusField->show();
    m_statusField->repaint();
}

void BrowserWindowController::closeStatusBarMessage()
{
    m_statusField->hide();
}

void BrowserWindowController::closeProgress()
{
    m_progressBar->hide();
    m_statusField->hide();
    m_progressField->hide();
}

void BrowserWindowController::openUserInfoWithMessage(const QString &message, int progressMax)
{
    m_statusField->hide();
    m_statusField->repaint();
    m_progressBar->setMinimum(0);
    m_progressBar->setMaximum(std::max(progressMax, 1));
    m_updateTotalCount = progressMax;
    m_updateCount = 1;
    m_progressBar->setValue(std::min(m_updateCount, m_progressBar->maximum()));
    m_progressBar->show();
    m_progressBar->repaint();
    setProgressMessage(message);
    m_progressField->show();
    m_progressField->repaint();
}

void BrowserWindowController::updateUserInfoWithMessage(const QString &message)
{
    setProgressMessage(message);
    ++m_updateCount;
    m_progressBar->setValue(std::min(m_updateCount, m_progressBar->maximum()));
}

void BrowserWindowController::closeUserInfo()
{
    setStatusMessage(windowtexts::asOf.arg(asOfTime(QDateTime::currentDateTime())));
    m_statusField->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_progressBar->hide();
    m_progressField->hide();
    m_statusField->show();
}

void BrowserWindowController::setStatusMessage(const QString &message)
{
    m_statusMessage = message;
    m_statusField->setText(message);
}

void BrowserWindowController::setProgressMessage(const QString &message)
{
    m_progressMessage = message;
    m_progressField->setText(message);
}

void BrowserWindowController::setProgressMaxValue(double value)
{
    m_updateTotalCount = int(value);
    m_progressBar->setMaximum(std::max(int(value), 1));
}

void BrowserWindowController::setProgressCurValue(double value)
{
    m_updateCount = int(value);
    m_progressBar->setValue(std::min(m_updateCount, m_progressBar->maximum()));
}

void BrowserWindowController::setLastAction(const QString &action)
{
    tlog::trace(kClass, QStringLiteral("setLastAction: %1").arg(action));
}

void BrowserWindowController::setGoogleDataMask() {}

bool BrowserWindowController::contactFetchSettled() const
{
    const GDataServiceTicketPtr asked = m_tool->contactFetchTicket();
    return !asked || asked.get() == m_shownContactFetch || m_tool->contactFetchError();
}

void BrowserWindowController::cleanupGUIforProcess(const QString &process, const QString &subtitle,
                                                   const std::optional<GDataError> &error)
{
    closeUserInfo();
    UserDefaults &ud = UserDefaults::standard();
    ud.setBool(false, googlekeys::waitingOnGoogle);
    const std::function<void(int)> thenSafari = [this](int) {
        manageSafari();
    };
    QWidget *const sheetWindow =
        QApplication::activeWindow() ? QApplication::activeWindow() : WindowController::window();
    if (error) {
        const QString text = subtitle.isNull() ? windowtexts::googleReportedError.arg(
                                                     error->description, describe(error->userInfo))
                                               : subtitle;
        const QString title = process.isNull() ? windowtexts::aProcessFailed
                                               : windowtexts::processFailed.arg(process);
        Prompter::current().beginSheet(Prompt{title, text, {windowtexts::ok}}, sheetWindow,
                                       thenSafari);
    } else if (ud.boolForKey(batchkeys::showGoogleAlerts)) {
        const QString title = process.isNull() ? windowtexts::aProcessSucceeded
                                               : windowtexts::processSucceeded.arg(process);
        Prompter::current().beginSheet(
            Prompt{title, subtitle.isNull() ? QStringLiteral("") : subtitle, {windowtexts::ok}},
            sheetWindow, thenSafari);
    }
    if (!m_tool)
        return;
    // The job changed Google: the lists take its groups and then its contacts, once. A job whose
    // own chain is fetching the contacts already is not fetched a second time.
    if (contactFetchSettled())
        m_tool->refreshFeeds();
    else
        m_tool->lists().clearGAllIDs();
}

void BrowserWindowController::manageSafari()
{
    AppleScriptTool::manageSafari();
}

// The lists.

void BrowserWindowController::refreshView()
{
    if (!m_groupSet)
        return;
    m_shownContactFetch = m_tool->contactFetchTicket().get();
    // The engine tells no window of a group fetch of its own (a second account's login): the rows
    // follow its groups here, an unchanged list changing nothing.
    if (!m_tool->groupArray().empty())
        m_groupSet->setGroupArray(m_tool->groupArray());
    m_groupSet->refreshView();
}

void BrowserWindowController::setContactArray(const QList<QVariantMap> &)
{
    // The engine's rows of every contact: the list shown still follows the group selection.
    refreshView();
}

void BrowserWindowController::contactBrowserRowReplaced(const QString &gID)
{
    if (!m_contacts)
        return;
    m_contacts->contactRowReplaced(gID);
    showSelectedContact();
}

void BrowserWindowController::setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups)
{
    if (m_groupSet)
        m_groupSet->setGroupArray(groups);
}

// The second account's login sheet.

void BrowserWindowController::buildLoginPanel()
{
    m_loginPanel = new QDialog(WindowController::window());
    m_loginPanel->setWindowModality(Qt::WindowModal);
    auto *const form = new QFormLayout(m_loginPanel);
    m_userField = new QLineEdit;
    m_userField->setMinimumWidth(260);
    m_pwField = new QLineEdit;
    m_pwField->setEchoMode(QLineEdit::Password);
    form->addRow(windowtexts::user, m_userField);
    form->addRow(windowtexts::password, m_pwField);
    const SignInRows signInRows = addSignInRows(form);
    m_browserLine = signInRows.browserLine;
    m_signInMessage = signInRows.message;
    auto *const buttons = new QDialogButtonBox;
    m_loginButton = buttons->addButton(windowtexts::login, QDialogButtonBox::AcceptRole);
    QPushButton *const cancel =
        buttons->addButton(windowtexts::cancel, QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    connect(m_userField, &QLineEdit::textChanged, this, [this] { updateCanLogin(); });
    connect(m_pwField, &QLineEdit::textChanged, this, [this] { updateCanLogin(); });
    connect(m_loginButton, &QPushButton::clicked, this, [this] { login(); });
    connect(cancel, &QPushButton::clicked, this, [this] { cancelLogin(); });
    updateCanLogin();
}

void BrowserWindowController::updateCanLogin()
{
    if (m_browserLine->isVisibleTo(m_loginPanel))
        m_canLogin = !m_userField->text().isEmpty() && m_hasClient &&
                     !(m_signIn && m_signIn->isRunning());
    else
        m_canLogin = !m_userField->text().isEmpty() && !m_pwField->text().isEmpty();
    m_loginButton->setEnabled(m_canLogin);
}

void BrowserWindowController::openLoginPanel()
{
    if (!m_loginPanel)
        buildLoginPanel();
    m_pwField->clear();
    const bool browser = AppDelegate::signsInWithBrowser();
    m_hasClient = browser && GoogleSignIn::hasClient();
    static_cast<QFormLayout *>(m_loginPanel->layout())->setRowVisible(m_pwField, !browser);
    m_browserLine->setVisible(browser);
    m_signInMessage->setText(browser && !m_hasClient ? signintexts::needsClient : QString());
    m_signInMessage->setVisible(!m_signInMessage->text().isEmpty());
    updateCanLogin();
    m_loginPanel->open();
}

void BrowserWindowController::openLoginPanel(GoogleContactTool *)
{
    openLoginPanel();
}

void BrowserWindowController::login()
{
    if (!m_canLogin || !m_tool)
        return;
    const QString user = m_userField->text();
    if (m_browserLine->isVisibleTo(m_loginPanel)) {
        browserLogin(user);
        return;
    }
    const QString password = m_pwField->text();
    m_loginPanel->accept();
    m_pwField->clear();
    m_tool->establishUser2CredentialsForUser(user, password);
    setWinTitle(m_tool->user());
}

// The second account signs in through the browser like the first, but its credential is handed
// to the engine as the code of the sign-in and never stored.
void BrowserWindowController::browserLogin(const QString &user)
{
    if (!m_signIn)
        m_signIn = new GoogleSignIn(this);
    const QString account = GoogleSignIn::completedAccount(user);
    m_signInMessage->setText(signintexts::waitingForBrowser);
    m_signInMessage->show();
    m_userField->setEnabled(false);
    m_signIn->start(account, QString(), [this, user](const GoogleSignIn::Outcome &outcome) {
        if (!m_loginPanel)
            return;
        m_userField->setEnabled(true);
        updateCanLogin();
        if (!outcome.signedIn) {
            m_signInMessage->setText(outcome.message);
            return;
        }
        m_signInMessage->clear();
        m_signInMessage->hide();
        m_loginPanel->accept();
        if (!m_tool)
            return;
        m_tool->establishUser2CredentialsForUser(user, outcome.credentialText);
        setWinTitle(m_tool->user());
    });
    updateCanLogin();
}

void BrowserWindowController::cancelLogin()
{
    if (m_signIn)
        m_signIn->cancel();
    m_loginPanel->done(kLoginCancelled);
    if (WindowController::window())
        WindowController::window()->close();
}

// The toolbar, the contact table's columns, and the tables' keys.

GroupTableView *BrowserWindowController::groupTableView() const
{
    return static_cast<GroupTableView *>(m_groupsTable);
}

ContactTableView *BrowserWindowController::contactTableView() const
{
    return static_cast<ContactTableView *>(m_contactsTable);
}

void BrowserWindowController::setupToolbarForWindow(QMainWindow *window)
{
    const BrowserToolbar::Metrics metrics{m_browserRowHeight, m_browserRowFontSize,
                                          m_browserNoteFontSize};
    const bool intersection =
        UserDefaults::standard().boolForKey(windowkeys::multipleGroupsUseIntersection);
    m_toolbar = new BrowserToolbar(*m_searchField, metrics, intersection, window);
    window->addToolBar(m_toolbar);
    applicationdelegatecalls::setToolbar(m_toolbar);
    applicationdelegatecalls::setToolbarMenuVerb(QStringLiteral("ignored"));
    applicationdelegatecalls::setBrowserSetModeMenuTitle(
        intersection ? selectiontexts::changeToUnion : selectiontexts::changeToIntersection);
    // The toolbar's copy of the search field is the one the user types into.
    if (m_toolbar->searchField())
        m_searchField->hide();
    connect(m_toolbar, &BrowserToolbar::itemActivated, this, [this](const QString &action) {
        // The Reload item's target is the application delegate.
        if (action == QStringLiteral("refreshGoogleState:"))
            applicationdelegatecalls::refreshGoogleState(this);
        else
            sendAction(action);
    });
    connect(m_toolbar, &BrowserToolbar::searchChanged, this, [this](const QString &text) {
        if (m_searchField->text() != text)
            m_searchField->setText(text);
    });
    connect(m_searchField, &QLineEdit::textChanged, m_toolbar, &BrowserToolbar::setSearchText);
    connect(m_toolbar, &BrowserToolbar::setOperatorChosen, this, [this] {
        if (m_groupSet)
            m_groupSet->toggleSetOperator();
    });
    connect(m_toolbar, &BrowserToolbar::rowHeightChanged, this,
            &BrowserWindowController::setBrowserRowHeight);
    connect(m_toolbar, &BrowserToolbar::rowFontSizeChanged, this,
            &BrowserWindowController::setBrowserRowFontSize);
    connect(m_toolbar, &BrowserToolbar::noteFontSizeChanged, this,
            &BrowserWindowController::setBrowserNoteFontSize);

    m_tableColumns = new ContactTableColumns(*m_contactsTable, this);
    static_cast<TolvanePopupTableHeader *>(m_contactsTable->horizontalHeader())
        ->setMenu(m_tableColumns->tableColumnsMenu());

    contactTableView()->setGroupsTableView(groupTableView());
    connect(contactTableView(), &ContactTableView::editRequested, this,
            [this] { sendAction(QStringLiteral("editGoogleContact:")); });
    // The confirmed sheets name their contacts and groups by identifier, so a fetch between the
    // question and the answer cannot turn the answer onto other rows.
    connect(contactTableView(), &ContactTableView::deleteContactsConfirmed, this,
            [this](const QStringList &gIDs) { m_actions->deleteContacts(gIDs); });
    connect(contactTableView(), &ContactTableView::removeContactsConfirmed, this,
            [this](const QStringList &gIDs, const QStringList &groups) {
                m_actions->removeContactsFromGroups(gIDs, groups);
            });
    connect(groupTableView(), &GroupTableView::deleteGroupsConfirmed, this,
            [this](const QStringList &identifiers) { m_actions->deleteGroups(identifiers); });

    m_contextMenu = new ContactContextMenu(this);
    m_contactsTable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_contactsTable, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        prepareContactContextMenu()->popup(m_contactsTable->viewport()->mapToGlobal(at));
    });
    connect(m_contextMenu, &ContactContextMenu::itemActivated, this, [this](const QString &action) {
        // The menu's own choice of operator, as the toolbar's segments make it.
        if (action == QStringLiteral("toggleSetOperator:")) {
            if (m_groupSet)
                m_groupSet->toggleSetOperator();
            m_toolbar->setUseIntersection(useIntersection());
            return;
        }
        sendAction(action);
    });

    registerCommand(QStringLiteral("deleteItems:"), [this](const QVariant &) { deleteItems(); });
    registerCommand(QStringLiteral("changeBrowserDataField:"),
                    [this](const QVariant &tag) { changeBrowserDataField(tag.toInt()); });
    registerCommand(QStringLiteral("showTableColumnSheet:"),
                    [this](const QVariant &) { showTableColumnSheet(); });
    // The main menu's column items, with the column's tag.
    registerCommand(QStringLiteral("showTableColumn:"),
                    [this](const QVariant &tag) { m_tableColumns->chooseColumn(tag.toInt(), true); });
    registerCommand(QStringLiteral("hideTableColumn:"), [this](const QVariant &tag) {
        m_tableColumns->chooseColumn(tag.toInt(), false);
    });
}

void BrowserWindowController::connectToolbarToLists()
{
    m_tableColumns->setupTableColumns();
    // A group chosen may clear the search: the toolbar's field too.
    connect(m_groupSet.get(), &GroupSetController::searchCleared, m_toolbar,
            [this] { m_toolbar->setSearchText(QString()); });
    connect(m_groupSet->groupSelection(), &QItemSelectionModel::selectionChanged, this, [this] {
        m_isGroupSelection = true;
        revalidateToolbar();
    });
    connect(m_groupSet->contactSelection(), &QItemSelectionModel::selectionChanged, this, [this] {
        m_isGroupSelection = false;
        revalidateToolbar();
    });
    revalidateToolbar();
}

void BrowserWindowController::revalidateToolbar()
{
    if (!m_groupSet)
        return;
    ToolbarSelection selection;
    selection.isGroupSelection = m_isGroupSelection;
    for (const GroupRow &row : groupTableView()->selectedGroupRows())
        selection.selectedGroupTypes.append(row.groupType);
    selection.selectedContacts = int(m_groupSet->selectedContactIDs().size());
    m_toolbar->validateToolbarItems(selection);
    if (QAction *const setOperator = m_toolbar->setOperatorToolbarItem())
        setOperator->setEnabled(selection.selectedGroupTypes.size() >= 2);
}

void BrowserWindowController::sendAction(const QString &action, const QVariant &argument)
{
    if (respondsToCommand(action))
        performCommand(action, argument);
}

void BrowserWindowController::hideToolbar()
{
    m_toolbar->setVisible(false);
}

void BrowserWindowController::showToolbar()
{
    m_toolbar->setVisible(true);
}

void BrowserWindowController::changeBrowserDataField(int tag)
{
    m_tableColumns->changeBrowserDataField(tag);
    setDataLabel();
}

void BrowserWindowController::setDataLabel()
{
    static const QStringList labels = {QStringLiteral("Email"), QStringLiteral("Phonel"),
                                       QStringLiteral("Location")};
    const int field = int(UserDefaults::standard().integerForKey(toolbarkeys::browserDataField));
    if (field >= 1 && field <= labels.size())
        m_dataLabel = labels[field - 1];
}

void BrowserWindowController::showTableColumnSheet()
{
    m_tableColumns->showTableColumnSheet(WindowController::window());
}

void BrowserWindowController::closeTableColumnSheet()
{
    m_tableColumns->closeTableColumnSheet();
}

QVariantMap BrowserWindowController::currentContact() const
{
    return m_inspector ? m_inspector->currentContact() : QVariantMap();
}

QVariantMap BrowserWindowController::firstSelectedGroup() const
{
    const QList<GroupRow> rows =
        groupTableView() ? groupTableView()->selectedGroupRows() : QList<GroupRow>();
    if (rows.isEmpty())
        return {};
    return {{QStringLiteral("groupName"), rows.front().groupName},
            {QStringLiteral("identifier"), rows.front().identifier},
            {QStringLiteral("groupType"), rows.front().groupType}};
}

void BrowserWindowController::deleteItems()
{
    if (m_isGroupSelection)
        groupTableView()->deleteGroups();
    else
        contactTableView()->deleteContacts();
}

void BrowserWindowController::setBrowserRowHeight(float value)
{
    m_browserRowHeight = value;
    applyRowHeight();
}

void BrowserWindowController::setBrowserRowFontSize(float value)
{
    m_browserRowFontSize = value;
    applyRowHeight();
}

void BrowserWindowController::setBrowserNoteFontSize(float value)
{
    m_browserNoteFontSize = value;
    QFont notesFont = m_notesView->font();
    notesFont.setPointSizeF(value);
    m_notesView->setFont(notesFont);
}

QMenu *BrowserWindowController::prepareContactContextMenu()
{
    ContactMenuSelection selection;
    selection.selectedGroupRows = int(groupTableView()->selectedGroupRows().size());
    selection.countOfSelectedContacts = int(contactTableView()->selectedContactIDs().size());
    QStringList memberships;
    const GDataEntryContactPtr current =
        m_inspector ? m_inspector->currentTolvaneContact() : GDataEntryContactPtr();
    if (current && selection.countOfSelectedContacts > 0) {
        selection.hasWorkMap = !tolvane::tolvaneMapURLForWork(*current).isEmpty();
        selection.hasHomeMap = !tolvane::tolvaneMapURLForHome(*current).isEmpty();
        selection.hasEmail = !tolvane::tolvaneHomeEmail(*current).isEmpty() ||
                             !tolvane::tolvaneWorkEmail(*current).isEmpty();
        for (const GDataGroupMembershipInfo &membership : current->groupMembershipInfos()) {
            if (!membership.deleted)
                memberships.append(membership.href);
        }
    }
    const QList<GroupRow> noRows;
    m_contextMenu->buildGroupsMenu(m_groups ? m_groups->groupArray() : noRows,
                                   m_tool ? grouplookups::myContactsID(m_tool->lists()) : QString(),
                                   memberships);
    m_contextMenu->setScriptsMenu(m_actions->scriptsMenu());
    m_contextMenu->setSetOperatorTitle(useIntersection() ? selectiontexts::changeToUnion
                                                         : selectiontexts::changeToIntersection);
    m_contextMenu->validate(selection);
    return m_contextMenu->contactContextMenu();
}
