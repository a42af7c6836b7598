#include "loader/window/datamoverwindowcontroller.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/google/linkproperties.h"
#include "addressbook/groups/grouplists.h"
#include "addressbook/groups/groupmembers.h"
#include "addressbook/records/recordcounts.h"
#include "addressbook/records/recordlists.h"
#include "addressbook/records/recordlookup.h"
#include "app/delegate/appdelegate.h"
#include "foundation/log.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlecontacttool.h"
#include "google/entries/datamask.h"
#include "google/entries/groupaccessors.h"
#include "google/lookups/contactlookups.h"
#include "google/upload/googleelementkeys.h"
#include "loader/loaderkeys.h"
#include "loader/loadertexts.h"
#include "loader/window/grouprowsmodel.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/group.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"

#include <QAbstractItemView>
#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString &kClass = loadertexts::windowClass;
const QString kTick = QStringLiteral("doGroupSync");
const QString kName = QStringLiteral("groupName");
const QString kTagProperty = QStringLiteral("tag");
const QString kAtoG = QStringLiteral("AtoG");
const QString kGtoA = QStringLiteral("GtoA");
const QString kSimple = QStringLiteral("Simple");

// The progress bar is not repainted more often than this while the engine reports many small
// steps (the browser rows of a big account).
constexpr int kProgressPaintEvery = 100;
// The least time between two drawings of the pass's own steps.
constexpr qint64 kStepPaintMs = 40;

int tickSum(const QList<QVariantMap> &rows)
{
    int sum = 0;
    for (const QVariantMap &row : rows)
        sum += row.value(kTick).toInt();
    return sum;
}

QStringList tickedNames(const QList<QVariantMap> &rows)
{
    QStringList names;
    for (const QVariantMap &row : rows) {
        if (row.value(kTick).toInt() == 1)
            names << row.value(kName).toString();
    }
    return names;
}

} // namespace

DataMoverWindowController::DataMoverWindowController()
    : WindowController(Kind::DataMover)
{
    setObjectName(kClass);
    UserDefaults::standard().setInteger(0, abkeys::addressBookHasData);
    m_buttonLabel = loadertexts::selectAllGroups;
    m_googleButtonLabel = loadertexts::selectAllGroups;
    buildWindow();
    GoogleContactToolUIDelegate::registerSelector(QStringLiteral("dataLoaderPassFetched"),
                                                  [this] { passFetched(); });
    GoogleContactToolUIDelegate::registerSelector(QStringLiteral("confirmedActionFetched"),
                                                  [this] { m_confirmedFetchDone = true; });
    // An address book restored from a backup is shown again at once.
    registerCommand(QStringLiteral("setABBackingData"),
                    [this](const QVariant &) { setABBackingData(); });
    registerMenuCommands();
}

void DataMoverWindowController::reviewABPrefs()
{
    if (AppDelegate *const delegate = AppDelegate::shared())
        delegate->reviewABPrefs();
}

void DataMoverWindowController::reviewGooglePrefs()
{
    if (AppDelegate *const delegate = AppDelegate::shared())
        delegate->reviewGooglePrefs();
}

DataMoverWindowController::~DataMoverWindowController() = default;

void DataMoverWindowController::tagged(QObject *control, int tag)
{
    control->setProperty(kTagProperty.toUtf8().constData(), tag);
}

QAbstractButton *DataMoverWindowController::controlWithTag(int tag) const
{
    if (!WindowController::window())
        return nullptr;
    for (QAbstractButton *button : WindowController::window()->findChildren<QAbstractButton *>()) {
        if (button->property(kTagProperty.toUtf8().constData()).toInt() == tag)
            return button;
    }
    if (m_loginPanel) {
        for (QAbstractButton *button : m_loginPanel->findChildren<QAbstractButton *>()) {
            if (button->property(kTagProperty.toUtf8().constData()).toInt() == tag)
                return button;
        }
    }
    return nullptr;
}

void DataMoverWindowController::buildWindow()
{
    auto *window = new QWidget;
    window->setObjectName(QStringLiteral("DataMover"));
    window->setMinimumSize(460, 150);
    window->resize(620, 520);
    auto *layout = new QVBoxLayout(window);

    auto *top = new QHBoxLayout;
    m_layoutControl = new QCheckBox(loadertexts::simpleLayout);
    tagged(m_layoutControl, 30);
    connect(m_layoutControl, &QCheckBox::clicked, this, [this] { updateUI(m_layoutControl); });
    top->addWidget(m_layoutControl);
    top->addStretch();
    auto *relogin = new QPushButton(loadertexts::reLoginButton);
    connect(relogin, &QPushButton::clicked, this, &DataMoverWindowController::reLogin);
    top->addWidget(relogin);
    layout->addLayout(top);

    m_tabs = new QTabWidget;
    m_tabs->addTab(buildUploadTab(), loadertexts::atoGTab);
    m_tabs->widget(0)->setObjectName(kAtoG);
    m_tabs->addTab(buildDownloadTab(), loadertexts::gtoATab);
    m_tabs->widget(1)->setObjectName(kGtoA);
    connect(m_tabs, &QTabWidget::currentChanged, this, &DataMoverWindowController::tabSelected);
    layout->addWidget(m_tabs, 1);

    m_connectionErrorField = new QLabel;
    m_connectionErrorField->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_connectionErrorField->hide();
    layout->addWidget(m_connectionErrorField);
    auto *progressRow = new QHBoxLayout;
    m_progress = new QProgressBar;
    m_progress->setTextVisible(false);
    m_progress->hide();
    progressRow->addWidget(m_progress, 1);
    m_cancelButton = new QPushButton(loadertexts::cancelButton);
    m_cancelButton->hide();
    progressRow->addWidget(m_cancelButton);
    layout->addLayout(progressRow);
    m_statusField = new QLabel;
    m_statusField->setWordWrap(true);
    m_statusField->hide();
    layout->addWidget(m_statusField);

    setWindow(window);
    // Ours runs before the base controller's: a close during a process only hides the window.
    window->installEventFilter(this);
    buildLoginPanel();
}

QTableView *DataMoverWindowController::buildGroupTable(GroupRowsModel *model, const QString &name,
                                                      int tag)
{
    auto *table = new QTableView;
    table->setObjectName(name);
    table->setModel(model);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->verticalHeader()->hide();
    table->setSelectionMode(QAbstractItemView::NoSelection);
    tagged(table, tag);
    connect(model, &GroupRowsModel::tickChanged, this, [this, table] { updateUI(table); });
    m_fullLayoutOnly << table;
    return table;
}

void DataMoverWindowController::addSelectAll(QHBoxLayout *options, const QString &label,
                                             const QString &name, int tag)
{
    auto *selectAll = new QPushButton(label);
    selectAll->setObjectName(name);
    tagged(selectAll, tag);
    connect(selectAll, &QPushButton::clicked, this, [this, selectAll] { updateUI(selectAll); });
    options->addWidget(selectAll);
}

void DataMoverWindowController::addPreferenceBox(QHBoxLayout *options, const QString &text,
                                                 const QString &key, int tag)
{
    auto *box = new QCheckBox(text);
    tagged(box, tag);
    connect(box, &QCheckBox::clicked, this, [this, box, key](bool on) {
        UserDefaults::standard().setBool(on, key);
        updateUI(box);
    });
    options->addWidget(box);
}

void DataMoverWindowController::addOptionsRow(QVBoxLayout *layout, QHBoxLayout *options)
{
    options->addStretch();
    auto *optionsBox = new QWidget;
    optionsBox->setLayout(options);
    layout->addWidget(optionsBox);
    m_fullLayoutOnly << optionsBox;
}

QWidget *DataMoverWindowController::buildUploadTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    m_abModel = new GroupRowsModel(this);
    m_abTable = buildGroupTable(m_abModel, QStringLiteral("abGroupTable"), 300);
    layout->addWidget(m_abTable, 1);

    auto *options = new QHBoxLayout;
    addSelectAll(options, m_buttonLabel, QStringLiteral("abSelectAll"), 25);
    addPreferenceBox(options, loadertexts::includeSmartGroups, loaderkeys::gsIncludeSmartGroups,
                     26);
    addPreferenceBox(options, loadertexts::uploadNoGroup, loaderkeys::gsNoGroup, 75);
    addOptionsRow(layout, options);

    m_abCounts = new QLabel;
    layout->addWidget(m_abCounts);
    auto *actions = new QHBoxLayout;
    m_simpleUpload = new QPushButton(loadertexts::simpleUploadButton);
    connect(m_simpleUpload, &QPushButton::clicked, this,
            &DataMoverWindowController::simpleUpdateGMail);
    actions->addWidget(m_simpleUpload);
    m_advancedUpload = new QPushButton(loadertexts::advancedUploadButton);
    connect(m_advancedUpload, &QPushButton::clicked, this,
            &DataMoverWindowController::advancedUpdateGMail);
    actions->addWidget(m_advancedUpload);
    m_fullLayoutOnly << m_advancedUpload.data();
    m_checkAB = new QPushButton(loadertexts::checkABButton);
    connect(m_checkAB, &QPushButton::clicked, this, &DataMoverWindowController::checkAB);
    actions->addWidget(m_checkAB);
    actions->addStretch();
    // Preferences: the Google pane holds the options of the uploads.
    auto *const googlePrefs = new QPushButton(loadertexts::reviewPrefsButton);
    googlePrefs->setObjectName(QStringLiteral("reviewGooglePrefs"));
    connect(googlePrefs, &QPushButton::clicked, this,
            &DataMoverWindowController::reviewGooglePrefs);
    actions->addWidget(googlePrefs);
    layout->addLayout(actions);
    return tab;
}

QWidget *DataMoverWindowController::buildDownloadTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    m_googleModel = new GroupRowsModel(this);
    m_googleTable = buildGroupTable(m_googleModel, QStringLiteral("googleGroupTable"), 400);
    layout->addWidget(m_googleTable, 1);

    auto *options = new QHBoxLayout;
    addSelectAll(options, m_googleButtonLabel, QStringLiteral("googleSelectAll"), 50);
    addPreferenceBox(options, loadertexts::downloadNoGroup, loaderkeys::abNoGroup, 76);
    addOptionsRow(layout, options);

    m_googleCounts = new QLabel;
    layout->addWidget(m_googleCounts);
    auto *actions = new QHBoxLayout;
    m_simpleDownload = new QPushButton(loadertexts::simpleDownloadButton);
    connect(m_simpleDownload, &QPushButton::clicked, this,
            &DataMoverWindowController::simpleUpdateAddressBook);
    actions->addWidget(m_simpleDownload);
    m_advancedDownload = new QPushButton(loadertexts::advancedDownloadButton);
    connect(m_advancedDownload, &QPushButton::clicked, this,
            &DataMoverWindowController::advancedUpdateAddressBook);
    actions->addWidget(m_advancedDownload);
    m_fullLayoutOnly << m_advancedDownload.data();
    actions->addStretch();
    // Preferences: the Address Book pane holds the options of the downloads.
    auto *const abPrefs = new QPushButton(loadertexts::reviewPrefsButton);
    abPrefs->setObjectName(QStringLiteral("reviewABPrefs"));
    connect(abPrefs, &QPushButton::clicked, this, &DataMoverWindowController::reviewABPrefs);
    actions->addWidget(abPrefs);
    layout->addLayout(actions);
    return tab;
}

void DataMoverWindowController::setGoogleTool(GoogleContactTool *tool)
{
    m_tool = tool;
}

void DataMoverWindowController::showWindow()
{
    const bool firstShow = WindowController::window() && !WindowController::window()->isVisible();
    m_closeRequested = false;
    WindowController::showWindow();
    if (firstShow)
        windowDidLoad();
    else
        windowDidBecomeKey();
}

void DataMoverWindowController::windowDidLoad()
{
    tlog::trace(kClass, QStringLiteral("windowDidLoad"));
    windowDidBecomeKey();
    setABBackingData();
    determineGoogleGroupCounts();
    manageWindowUI();
}

void DataMoverWindowController::windowDidBecomeKey()
{
    if (!m_tool)
        return;
    m_tool->setGoogleUserDefaults();
    takeEngineDelegates();
}

bool DataMoverWindowController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == WindowController::window() && event->type() == QEvent::Close &&
        m_process.running) {
        // The engine is midway through the process and asks this window for its next steps: the
        // window goes, the controller stays until the process has ended.
        m_closeRequested = true;
        WindowController::window()->hide();
        event->ignore();
        return true;
    }
    if (watched == WindowController::window() && event->type() == QEvent::WindowActivate)
        windowDidBecomeKey();
    return WindowController::eventFilter(watched, event);
}

// The address book side.

QVariantMap DataMoverWindowController::groupRow(const GroupPtr &group, bool recursive, bool people,
                                                bool companies, bool tickKept) const
{
    const QString name = group->valueForProperty(kABGroupNameProperty).toString();
    const int count = int(recursive ? AddressBookTool::recursiveMembersOfABGroup(group, people,
                                                                                   companies)
                                          .size()
                                    : AddressBookTool::membersOfABGroup(group, people, companies)
                                          .size());
    return {{kTick, tickKept && m_curABGroupSelections.contains(name)},
            {kName, name},
            {QStringLiteral("groupCount"), count},
            {QStringLiteral("groupABID"), group->uniqueId()},
            {QStringLiteral("groupIsSmart"), group->isSmartGroup() ? 1 : 0},
            {QStringLiteral("groupGoogleID"),
             group->valueForProperty(AddressBookTool::groupIDPropertyName()).toString()}};
}

void DataMoverWindowController::setABBackingData()
{
    tlog::trace(kClass, QStringLiteral("setABBackingData"));
    UserDefaults &ud = UserDefaults::standard();
    const bool recursive = ud.integerForKey(googlekeys::gmRecurseGroups) == 1;
    const bool people = ud.boolForKey(abkeys::gmUpdatePeople);
    const bool companies = ud.boolForKey(abkeys::gmUpdateCompanies);
    const bool keep = !m_curABGroupSelections.isEmpty();
    m_smartGroups.clear();
    for (const GroupPtr &group : AddressBookTool::smartABGroups())
        m_smartGroups << groupRow(group, recursive, people, companies, keep);
    QList<QVariantMap> rows;
    for (const GroupPtr &group : AddressBookTool::nonSmartABGroups())
        rows << groupRow(group, recursive, people, companies, keep);
    if (ud.boolForKey(loaderkeys::gsIncludeSmartGroups))
        rows << m_smartGroups;
    setLocalABGroupArray(rows);
    m_buttonLabel = loadertexts::selectAllGroups;
    setIsAGroupSelected(0);
    setTotals();
    AddressBookTool::setUserDefaultCounts();
    showCounts();
}

void DataMoverWindowController::setLocalABGroupArray(const QList<QVariantMap> &rows)
{
    m_localABGroupArray = rows;
    m_abModel->setRows(rows);
    if (tlog::diagnostics())
        tlog::value(kClass, QStringLiteral("setLocalABGroupArray:"),
                    QStringLiteral("localABGroupArray"), QString::number(rows.size()));
}

void DataMoverWindowController::setTotals()
{
    UserDefaults &ud = UserDefaults::standard();
    AddressBook *book = AddressBook::shared();
    m_totalABGroups = int(book->groups().size());
    // Counted over the book as it stands: the sorted lists would sort every record to count them.
    const QList<PersonPtr> records = AddressBookTool::allRecords();
    m_totalABPeople =
        int(std::count_if(records.cbegin(), records.cend(), AddressBookTool::personIsPerson));
    m_totalABCompanies =
        int(std::count_if(records.cbegin(), records.cend(), AddressBookTool::personIsCompany));
    ud.setInteger(m_totalABCompanies, loaderkeys::totalABCompanies);
    m_totalABContacts = m_totalABPeople + m_totalABCompanies;
    ud.setInteger(m_totalABContacts, loaderkeys::totalABContacts);
    m_totalABNoGroups = AddressBookTool::countNoGroupIncludePeople(
        ud.boolForKey(abkeys::gmUpdatePeople), ud.boolForKey(abkeys::gmUpdateCompanies));
    m_canDeleteABGroups = m_totalABGroups > 0 ? 1 : 0;
    m_canDeleteABSmartGroups = AddressBookTool::smartABGroups().isEmpty() ? 0 : 1;
    m_canDeleteABCompanies = m_totalABCompanies > 0 ? 1 : 0;
    const PersonPtr me = AddressBookTool::meAB();
    const auto onlyPerson = m_totalABPeople == 1 ? std::find_if(records.cbegin(), records.cend(),
                                                                AddressBookTool::personIsPerson)
                                                 : records.cend();
    const bool onlyMe =
        onlyPerson != records.cend() && me && (*onlyPerson)->uniqueId() == me->uniqueId();
    m_canDeleteABPeople = (m_totalABPeople >= 2 || (m_totalABPeople == 1 && !onlyMe)) ? 1 : 0;
    m_canDeleteABContacts = onlyMe ? m_totalABCompanies : m_totalABPeople + m_totalABCompanies;
}

void DataMoverWindowController::showCounts()
{
    if (m_abCounts)
        m_abCounts->setText(loadertexts::countsLine.arg(m_totalABGroups)
                                .arg(m_totalABPeople)
                                .arg(m_totalABCompanies)
                                .arg(m_totalABNoGroups));
    if (m_googleCounts)
        m_googleCounts->setText(loadertexts::googleCountsLine.arg(m_totalGoogleGroups)
                                    .arg(m_totalGoogleContacts)
                                    .arg(m_totalGoogleNoGroups));
    if (QAbstractButton *button = controlWithTag(25))
        button->setText(m_buttonLabel);
    if (QAbstractButton *button = controlWithTag(50))
        button->setText(m_googleButtonLabel);
    UserDefaults &ud = UserDefaults::standard();
    if (QAbstractButton *button = controlWithTag(26))
        button->setChecked(ud.boolForKey(loaderkeys::gsIncludeSmartGroups));
    if (QAbstractButton *button = controlWithTag(75))
        button->setChecked(ud.boolForKey(loaderkeys::gsNoGroup));
    if (QAbstractButton *button = controlWithTag(76))
        button->setChecked(ud.boolForKey(loaderkeys::abNoGroup));
}

void DataMoverWindowController::setIsAGroupSelected(int selected)
{
    m_isAGroupSelected = selected;
    if (selected == 0)
        UserDefaults::standard().setBool(false, loaderkeys::gsRemoveOtherGroups);
    recomputeWillContactBeUploaded();
}

void DataMoverWindowController::setIsAGoogleGroupSelected(int selected)
{
    m_isAGoogleGroupSelected = selected;
    if (selected == 0)
        UserDefaults::standard().setBool(false, loaderkeys::abRemoveOtherGroups);
    recomputeWillGoogleContactBeDownloaded();
}

void DataMoverWindowController::recomputeWillContactBeUploaded()
{
    m_willContactBeUploaded =
        m_isAGroupSelected + UserDefaults::standard().integerForKey(loaderkeys::gsNoGroup);
    if (m_willContactBeUploaded == 0)
        UserDefaults::standard().setBool(false, loaderkeys::gsRemoveOtherContacts);
}

void DataMoverWindowController::recomputeWillGoogleContactBeDownloaded()
{
    m_willGoogleContactBeDownloaded =
        m_isAGoogleGroupSelected + UserDefaults::standard().integerForKey(loaderkeys::abNoGroup);
    if (m_willGoogleContactBeDownloaded == 0)
        UserDefaults::standard().setBool(false, loaderkeys::abRemoveOtherContacts);
}

void DataMoverWindowController::toggleSmartGroups()
{
    QList<QVariantMap> rows;
    for (const QVariantMap &row : m_localABGroupArray) {
        if (row.value(QStringLiteral("groupIsSmart")).toInt() == 0)
            rows << row;
    }
    if (UserDefaults::standard().boolForKey(loaderkeys::gsIncludeSmartGroups))
        rows << m_smartGroups;
    setLocalABGroupArray(rows);
    const bool any = tickSum(rows) > 0;
    m_buttonLabel = any ? loadertexts::deselectAllGroups : loadertexts::selectAllGroups;
    setIsAGroupSelected(any ? 1 : 0);
    showCounts();
}

void DataMoverWindowController::selectAll(GroupRowsModel *model, bool google, bool tick)
{
    model->setAllTicked(tick);
    QList<QVariantMap> rows = model->rows();
    const QStringList names = tick ? tickedNames(rows) : QStringList();
    const QString label = tick ? loadertexts::deselectAllGroups : loadertexts::selectAllGroups;
    if (google) {
        m_googleGroupUIArray = rows;
        m_curGoogleGroupSelections = names;
        m_googleButtonLabel = label;
        setIsAGoogleGroupSelected(tick ? 1 : 0);
    } else {
        m_localABGroupArray = rows;
        m_curABGroupSelections = names;
        m_buttonLabel = label;
        setIsAGroupSelected(tick ? 1 : 0);
    }
    showCounts();
}

void DataMoverWindowController::rowsTicked(GroupRowsModel *model, bool google)
{
    const QList<QVariantMap> rows = model->rows();
    const int sum = tickSum(rows);
    const QString label = sum > 0 && sum == rows.size() ? loadertexts::deselectAllGroups
                                                        : loadertexts::selectAllGroups;
    if (google) {
        m_googleGroupUIArray = rows;
        m_curGoogleGroupSelections = tickedNames(rows);
        m_googleButtonLabel = label;
        setIsAGoogleGroupSelected(sum > 0 ? 1 : 0);
    } else {
        m_localABGroupArray = rows;
        m_curABGroupSelections = tickedNames(rows);
        m_buttonLabel = label;
        setIsAGroupSelected(sum > 0 ? 1 : 0);
    }
    showCounts();
}

void DataMoverWindowController::updateUI(QObject *sender)
{
    if (!qobject_cast<QAbstractItemView *>(sender) && !qobject_cast<QComboBox *>(sender) &&
        !qobject_cast<QAbstractButton *>(sender))
        return;
    const int tag = sender->property(kTagProperty.toUtf8().constData()).toInt();
    tlog::value(kClass, QStringLiteral("updateUI:"), QString::fromLatin1(sender->metaObject()->className()),
                tag);
    switch (tag) {
    case 25:
    case 50: {
        const auto *button = qobject_cast<QAbstractButton *>(sender);
        const bool tick = button && button->text().contains(QStringLiteral("Select"));
        selectAll(tag == 25 ? m_abModel : m_googleModel, tag == 50, tick);
        break;
    }
    case 26:
        toggleSmartGroups();
        break;
    case 30: {
        UserDefaults &ud = UserDefaults::standard();
        const bool simple = m_layoutControl && m_layoutControl->isChecked();
        ud.setString(simple ? kSimple : (m_tabs->currentIndex() == 1 ? kGtoA : kAtoG),
                     loaderkeys::gsTabViewIdentifier);
        manageWindowUI();
        break;
    }
    case 75:
        recomputeWillContactBeUploaded();
        break;
    case 76:
        recomputeWillGoogleContactBeDownloaded();
        break;
    case 300:
        rowsTicked(m_abModel, false);
        break;
    case 400:
        rowsTicked(m_googleModel, true);
        break;
    case 1234:
        setLocalABGroupArray({});
        break;
    default:
        break;
    }
}

void DataMoverWindowController::tabSelected(int index)
{
    UserDefaults &ud = UserDefaults::standard();
    if (ud.stringForKey(loaderkeys::gsTabViewIdentifier) != kSimple)
        ud.setString(index == 1 ? kGtoA : kAtoG, loaderkeys::gsTabViewIdentifier);
    tlog::trace(kClass, QStringLiteral("tabView:didSelectTabViewItem:"));
}

void DataMoverWindowController::manageWindowUI()
{
    tlog::trace(kClass, QStringLiteral("manageWindowUI"));
    UserDefaults &ud = UserDefaults::standard();
    QWidget *const window = WindowController::window();
    const bool simple = ud.stringForKey(loaderkeys::gsTabViewIdentifier) == kSimple;
    if (m_layoutControl)
        m_layoutControl->setChecked(simple);
    for (const QPointer<QWidget> &widget : m_fullLayoutOnly) {
        if (widget)
            widget->setVisible(!simple);
    }
    if (!simple) {
        // Back from the compact layout: the size the user had.
        if (window && m_fullSize.isValid()) {
            window->resize(m_fullSize);
            m_fullSize = QSize();
        }
        const int type = ud.integerForKey(loaderkeys::gsType);
        if (type == 0) {
            m_tabs->setCurrentIndex(0);
        } else if (type == 1) {
            if (m_tool && !m_process.running)
                m_tool->refreshFeeds();
            m_tabs->setCurrentIndex(1);
        }
    } else if (window) {
        // The compact layout keeps the window's top left corner where it was.
        const QRect old = window->geometry();
        if (!m_fullSize.isValid())
            m_fullSize = old.size();
        window->adjustSize();
        const QSize size = window->minimumSizeHint().expandedTo(window->minimumSize());
        window->setGeometry(QRect(old.topLeft(), size));
        tlog::value(kClass, QStringLiteral("manageWindowUI"), QStringLiteral("thisWF"),
                    QStringLiteral("ox = %1; oy = %2; sw = %3; sh = %4")
                        .arg(old.x())
                        .arg(old.y())
                        .arg(old.width())
                        .arg(old.height()));
    }
    QVariantList rows;
    for (const QVariantMap &row : m_localABGroupArray)
        rows << row;
    ud.setObject(rows, loaderkeys::autoABArray);
}

// The Google side.

void DataMoverWindowController::determineGoogleGroupCounts()
{
    if (!m_tool)
        return;
    const GoogleContactLists &lists = m_tool->lists();
    const QList<GDataEntryContactGroupPtr> groups = pseudogroups::nonSystemGroupsArray(lists);
    int inGroups = 0;
    for (const GDataEntryContactPtr &contact : lists.contacts()) {
        if (!contact->groupMembershipInfos().empty())
            ++inGroups;
    }
    const int noGroups = lists.contactCount() - inGroups;
    if (noGroups != m_totalGoogleNoGroups || !UserDefaults::standard().objectForKey(loaderkeys::googleNoGroupCount).isValid()) {
        m_totalGoogleNoGroups = noGroups;
        UserDefaults::standard().setInteger(noGroups, loaderkeys::googleNoGroupCount);
    }
    QList<QVariantMap> rows;
    for (const GDataEntryContactGroupPtr &group : groups) {
        const QString abid = tolvane::tolvaneABID(*group);
        rows << QVariantMap{{kTick, 0},
                            {kName, tolvane::entryDisplayName(*group)},
                            {QStringLiteral("groupCount"),
                             contactlookups::countOfMembersOfGroupID(lists, group->identifier())},
                            {QStringLiteral("groupGoogleID"), group->identifier()},
                            {QStringLiteral("groupGoogleABID"), abid},
                            {QStringLiteral("groupGoogleModDate"), group->updatedDate()}};
    }
    m_googleGroupUIArray = rows;
    m_googleModel->setRows(rows);
    m_googleButtonLabel = loadertexts::selectAllGroups;
    setIsAGoogleGroupSelected(0);
    m_totalGoogleGroups = lists.groupCount();
    m_totalGoogleContacts = lists.contactCount();
    UserDefaults::standard().setInteger(m_totalGoogleGroups, loaderkeys::totalGoogleGroups);
    UserDefaults::standard().setInteger(m_totalGoogleContacts, loaderkeys::totalGoogleContacts);
    showCounts();
}

// Progress.

void DataMoverWindowController::openUserInfoWithMessage(const QString &message, int progressMax)
{
    m_updateTotalCount = progressMax;
    m_updateCount = 1;
    m_progress->setMinimum(0);
    m_progress->setMaximum(std::max(progressMax, 1));
    m_progress->setValue(std::min(m_updateCount, m_progress->maximum()));
    m_progress->show();
    m_progress->repaint();
    m_cancelButton->show();
    setStatusMessage(message);
    m_statusField->show();
    m_statusField->repaint();
}

void DataMoverWindowController::updateUserInfoWithMessage(const QString &message)
{
    m_statusMessage = message;
    m_statusField->setText(message);
    ++m_updateCount;
    m_progress->setValue(std::min(m_updateCount, m_progress->maximum()));
    // A pass steps through every record of the book while the event loop waits: its line and bar
    // are drawn at once, but not more often than a person can read them, or the drawing takes
    // longer than the pass.
    if (m_process.running && (!m_stepPainted.isValid() || m_stepPainted.hasExpired(kStepPaintMs))) {
        m_statusField->repaint();
        m_progress->repaint();
        m_stepPainted.start();
    }
}

void DataMoverWindowController::closeUserInfo()
{
    m_cancelButton->hide();
    m_progress->hide();
    m_statusField->hide();
}

void DataMoverWindowController::setStatusMessage(const QString &message)
{
    m_statusMessage = message;
    m_statusField->setText(message);
    // A failed fetch reports itself here first.
    if (m_process.fetchPending)
        QMetaObject::invokeMethod(this, [this] { checkPassFetch(); }, Qt::QueuedConnection);
}

void DataMoverWindowController::setProgressMessage(const QString &message)
{
    m_statusMessage = message;
    m_statusField->setText(message);
}

void DataMoverWindowController::setProgressMaxValue(double value)
{
    m_updateTotalCount = int(value);
    m_progress->setMaximum(std::max(int(value), 1));
}

void DataMoverWindowController::setProgressCurValue(double value)
{
    // Called once per row of a whole account: the bar takes the value, and is painted only now
    // and then.
    m_updateCount = int(value);
    if (m_updateCount % kProgressPaintEvery == 0 || m_updateCount >= m_updateTotalCount)
        m_progress->setValue(std::min(m_updateCount, m_progress->maximum()));
}

void DataMoverWindowController::refreshView()
{
    showCounts();
}

void DataMoverWindowController::setGoogleDataMask()
{
    datamask::setGoogleDataMask();
}

void DataMoverWindowController::setContactArray(const QList<QVariantMap> &)
{
    if (m_process.fetchPending)
        QMetaObject::invokeMethod(this, [this] { checkPassFetch(); }, Qt::QueuedConnection);
}

bool DataMoverWindowController::showsContactBrowserRows() const
{
    return false;
}

void DataMoverWindowController::loadPending()
{
    m_refetchPending = false;
}
