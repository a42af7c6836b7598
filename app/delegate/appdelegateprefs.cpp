#include "app/delegate/appdelegate.h"

#include "addressbook/addressbookkeys.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "app/appkeys.h"
#include "app/prefs/customizedialog.h"
#include "app/prefs/prefkeys.h"
#include "app/prefs/prefpages.h"
#include "app/prefs/prefpanes.h"
#include "app/prefs/prefsheet.h"
#include "app/prefs/pushselection.h"
#include "foundation/log.h"
#include "foundation/views/imagetext.h"
#include "platform/addressbook/abconstants.h"
#include "platform/defaults/userdefaults.h"

#include <QAction>
#include <QActionGroup>
#include <QDesktopServices>
#include <QIcon>
#include <QMainWindow>
#include <QToolBar>
#include <QUrl>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

QString yesNo(bool value)
{
    return value ? QStringLiteral("YES") : QStringLiteral("NO");
}

// Who performs each pane action.
using PaneAction = void (AppDelegate::*)();
struct PaneActionEntry
{
    const QString &identifier;
    PaneAction action;
};
const PaneActionEntry kPaneActions[] = {
    {prefpanes::general, &AppDelegate::generalPrefs},
    {prefpanes::account, &AppDelegate::accountPrefs},
    {prefpanes::addressBook, &AppDelegate::abPrefs},
    {prefpanes::console, &AppDelegate::consolePrefs},
    {prefpanes::google, &AppDelegate::googlePrefs},
    {prefpanes::safari, &AppDelegate::safariPrefs},
    {prefpanes::updates, &AppDelegate::updatePrefs},
    {prefpanes::international, &AppDelegate::internationalPrefs},
    {prefpanes::vCard, &AppDelegate::vCardPrefs},
    {prefpanes::push, &AppDelegate::pushPrefs},
};

} // namespace

void AppDelegate::setupToolbarForWindow(PrefSheet *sheet)
{
    auto *const toolbar = new QToolBar(sheet);
    toolbar->setObjectName(prefpanes::toolbarIdentifier);
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->setIconSize(QSize(32, 32));
    auto *const selectable = new QActionGroup(toolbar);
    selectable->setExclusive(true);
    const QStringList selectableItems = toolbarSelectableItemIdentifiers();
    for (const QString &identifier : toolbarDefaultItemIdentifiers()) {
        QAction *const item = toolbarItemForItemIdentifier(identifier);
        item->setParent(toolbar);
        if (selectableItems.contains(identifier)) {
            item->setCheckable(true);
            selectable->addAction(item);
        }
        toolbar->addAction(item);
    }
    sheet->setToolbar(toolbar);
    sheet->setSelectedItemIdentifier(prefpanes::general);
}

QAction *AppDelegate::toolbarItemForItemIdentifier(const QString &identifier)
{
    auto *const item = new QAction(this);
    item->setObjectName(identifier);
    const prefpanes::PaneDefinition *const pane = prefpanes::definitionOf(identifier);
    if (!pane)
        return item;
    item->setText(pane->label);
    item->setIconText(pane->label);
    item->setToolTip(pane->toolTip);
    item->setIcon(QIcon(imagetext::imagePath(pane->image)));
    for (const PaneActionEntry &entry : kPaneActions) {
        if (entry.identifier == identifier)
            connect(item, &QAction::triggered, this, entry.action);
    }
    return item;
}

QStringList AppDelegate::toolbarDefaultItemIdentifiers()
{
    return prefpanes::defaultItemIdentifiers();
}

QStringList AppDelegate::toolbarAllowedItemIdentifiers()
{
    return prefpanes::defaultItemIdentifiers();
}

QStringList AppDelegate::toolbarSelectableItemIdentifiers()
{
    return prefpanes::selectableItemIdentifiers();
}

void AppDelegate::showPreferencePanel()
{
    openPreferencesOn(keyWindow());
}

void AppDelegate::openPreferencesOn(QWidget *window)
{
    tlog::trace(kClass, QStringLiteral("showPreferencePanel:"));
    if (!m_prefSheet)
        makePrefSheet();
    setIsLoginItem(loginItemExistsForPath(agentLoginItemPath()));
    loadAutoABGroups();
    loadRegionData();
    setHasSelectedGroups();
    m_prefPages->reload();
    QToolBar *const browserToolbar = browserToolbarOf(window);
    m_toolbarWasVisible = browserToolbar && !browserToolbar->isHidden();
    if (browserToolbar)
        browserToolbar->hide();
    const QString selected = m_prefSheet->selectedItemIdentifier();
    if (selected.isEmpty()) {
        m_prefSheet->setSelectedItemIdentifier(prefpanes::general);
        m_prefSheet->showTab(prefpanes::generalTab);
    } else {
        const prefpanes::PaneDefinition *const pane = prefpanes::definitionOf(selected);
        m_prefSheet->showTab(pane ? pane->tab : QString());
    }
    if (m_prefSheet->parentWidget() != window)
        m_prefSheet->setParent(window, m_prefSheet->windowFlags() | Qt::Dialog);
    m_prefSheet->setWindowModality(window ? Qt::WindowModal : Qt::NonModal);
    m_prefSheet->open();
}

void AppDelegate::reviewABPrefs()
{
    showPreferencePanel();
    selectPane(prefpanes::addressBook);
}

void AppDelegate::reviewGooglePrefs()
{
    showPreferencePanel();
    selectPane(prefpanes::google);
}

void AppDelegate::selectPane(const QString &identifier)
{
    if (!m_prefSheet)
        return;
    m_prefSheet->setSelectedItemIdentifier(identifier);
    const prefpanes::PaneDefinition *const pane = prefpanes::definitionOf(identifier);
    m_prefSheet->showTab(pane ? pane->tab : QString());
}

void AppDelegate::generalPrefs()
{
    selectPane(prefpanes::general);
}

void AppDelegate::accountPrefs()
{
    // Nothing here drives another program's interface, so interface scripting is always possible.
    UserDefaults::standard().setBool(true, appkeys::guiScriptingEnabled);
    selectPane(prefpanes::account);
}

void AppDelegate::abPrefs()
{
    selectPane(prefpanes::addressBook);
}

void AppDelegate::googlePrefs()
{
    selectPane(prefpanes::google);
}

void AppDelegate::updatePrefs()
{
    selectPane(prefpanes::updates);
}

void AppDelegate::safariPrefs()
{
    selectPane(prefpanes::safari);
}

void AppDelegate::consolePrefs()
{
    selectPane(prefpanes::console);
}

void AppDelegate::pushPrefs()
{
    selectPane(prefpanes::push);
}

void AppDelegate::internationalPrefs()
{
    selectPane(prefpanes::international);
}

void AppDelegate::vCardPrefs()
{
    // What the address book leaves out of its own vCards is left out of ours too; the user may
    // leave out more, and nothing here puts it back.
    UserDefaults &defaults = UserDefaults::standard();
    if (!isVCardPicABEnabled())
        defaults.setBool(true, kVCardNotPicture);
    if (!isVCardNoteABEnabled())
        defaults.setBool(true, kVCardNotNotes);
    selectPane(prefpanes::vCard);
}

void AppDelegate::closePrefSheet()
{
    tlog::trace(kClass, QStringLiteral("closePrefSheet:"));
    if (m_prefSheet)
        m_prefSheet->done(QDialog::Accepted);
    recordAutoABGroupKeys();
    recordTolvaneRegions();
    UserDefaults::standard().synchronize();
    if (m_dataMoverWindowController)
        m_dataMoverWindowController->performCommand(QStringLiteral("setABBackingData"));
    prefSheetDidEnd();
}

void AppDelegate::prefSheetDidEnd()
{
    // The key window is the one the sheet stood on.
    QWidget *const window = m_prefSheet ? m_prefSheet->parentWidget() : keyWindow();
    if (m_prefSheet)
        m_prefSheet->hide();
    QToolBar *const browserToolbar = browserToolbarOf(window);
    if (browserToolbar && browserToolbar->isHidden() && m_toolbarWasVisible)
        browserToolbar->show();
}

QToolBar *AppDelegate::browserToolbarOf(const QWidget *window)
{
    const WindowController *const controller = WindowController::forWindow(window);
    if (!controller || controller->kind() != WindowController::Kind::Browser)
        return nullptr;
    return window->findChild<QToolBar *>(QString(), Qt::FindDirectChildrenOnly);
}

bool AppDelegate::isVCardPicABEnabled()
{
    const QVariant photos =
        UserDefaults(kABPreferencesDomain).objectForKey(kABIncludePhotosInVCard);
    return !photos.isValid() || photos.toBool();
}

bool AppDelegate::isVCardNoteABEnabled()
{
    return UserDefaults(kABPreferencesDomain).boolForKey(kABIncludeNotesInVCard);
}

void AppDelegate::setCanDoSimpleAB()
{
    UserDefaults &defaults = UserDefaults::standard();
    const bool contacts = defaults.boolForKey(prefkeys::abUpdateContacts);
    const bool groups = defaults.boolForKey(prefkeys::abUpdateGroups);
    const bool canDo = contacts || groups;
    defaults.setBool(canDo, prefkeys::canDoSimpleABUpdate);
    const QString op = QStringLiteral("setCanDoSimpleAB:");
    const auto reads = [](const QString &key) {
        return QStringLiteral("[[NSUserDefaults standardUserDefaults] boolForKey:@\"%1\"]")
            .arg(key);
    };
    tlog::value(kClass, op, reads(prefkeys::abUpdateContacts), yesNo(contacts));
    tlog::value(kClass, op, reads(prefkeys::abUpdateGroups), yesNo(groups));
    tlog::value(kClass, op, prefkeys::canDoSimpleABUpdate, yesNo(canDo));
}

int AppDelegate::gmUpdateContacts()
{
    UserDefaults &defaults = UserDefaults::standard();
    return defaults.integerForKey(abkeys::gmUpdatePeople) +
           defaults.integerForKey(abkeys::gmUpdateCompanies);
}

QList<AppDelegate::SortKey> AppDelegate::sortOrder()
{
    return {{QStringLiteral("sortOrder")}, {QStringLiteral("ABName")}};
}

QList<AppDelegate::SortKey> AppDelegate::lastNameSort()
{
    return {{QStringLiteral("lastName")}, {QStringLiteral("firstName")}};
}

QList<AppDelegate::SortKey> AppDelegate::nameSort()
{
    return {{QStringLiteral("name")}};
}

QList<AppDelegate::SortKey> AppDelegate::valueSort()
{
    return {{QStringLiteral("value")}};
}

void AppDelegate::launchConsole()
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(logFilePath())))
        tlog::labelled(kClass, QStringLiteral("launchConsole:"), QStringLiteral("ERROR:"),
                       logFilePath());
}

void AppDelegate::customize()
{
    QToolBar *const toolbar = m_browserToolbar;
    if (!toolbar)
        return;
    QStringList allowed;
    QStringList shown;
    QVariantMap labels;
    if (!QMetaObject::invokeMethod(toolbar, "allowedItemIdentifiers",
                                   Q_RETURN_ARG(QStringList, allowed)) ||
        !QMetaObject::invokeMethod(toolbar, "itemIdentifiers", Q_RETURN_ARG(QStringList, shown)) ||
        !QMetaObject::invokeMethod(toolbar, "paletteLabels", Q_RETURN_ARG(QVariantMap, labels)))
        return;
    QHash<QString, QString> names;
    for (auto it = labels.cbegin(); it != labels.cend(); ++it)
        names.insert(it.key(), it.value().toString());
    auto *const dialog = new CustomizeDialog(allowed, names, shown, toolbar->window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, toolbar, [toolbar, dialog] {
        QMetaObject::invokeMethod(toolbar, "setItemIdentifiers",
                                  Q_ARG(QStringList, dialog->chosenIdentifiers()));
    });
    m_customizeDialog = dialog;
    dialog->open();
}

void AppDelegate::showhide()
{
    if (m_browserToolbar)
        m_browserToolbar->setVisible(m_browserToolbar->isHidden());
}

QString AppDelegate::toolbarMenuVerb() const
{
    return m_browserToolbar && !m_browserToolbar->isHidden() ? QStringLiteral("Hide Toolbar")
                                                             : QStringLiteral("Show Toolbar");
}

void AppDelegate::makePrefSheet()
{
    // The panes' images, found on the "images" search path.
    Q_INIT_RESOURCE(prefimages);
    m_prefSheet = new PrefSheet;
    m_prefPages = new PrefPages(*this, *m_prefSheet,
                                [this]() -> QList<AutoABGroup> & { return m_autoABGroups; });
    connect(m_prefSheet, &PrefSheet::closeRequested, this, &AppDelegate::closePrefSheet);
    setupToolbarForWindow(m_prefSheet);
}

void AppDelegate::setHasSelectedGroups()
{
    m_hasSelectedGroups =
        pushselection::hasSelectedGroups(m_autoABGroups, UserDefaults::standard());
}

PrefSheet *AppDelegate::prefSheet() const
{
    return m_prefSheet;
}

PrefPages *AppDelegate::prefPages() const
{
    return m_prefPages;
}

void AppDelegate::setToolbar(QToolBar *toolbar)
{
    m_browserToolbar = toolbar;
}

QToolBar *AppDelegate::toolbar() const
{
    return m_browserToolbar;
}

CustomizeDialog *AppDelegate::customizeDialog() const
{
    return m_customizeDialog;
}
