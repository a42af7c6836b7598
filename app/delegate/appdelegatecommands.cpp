#include "app/delegate/appdelegate.h"

#include "addressbook/groups/grouplists.h"
#include "addressbook/records/emaillookup.h"
#include "app/apptexts.h"
#include "app/bundleinfo.h"
#include "app/menus/commandtexts.h"
#include "app/menus/forwardedcommands.h"
#include "app/windows/windowfactory.h"
#include "foundation/log.h"
#include "foundation/vozuveva/vozuvevaappcontrol.h"
#include "google/browser/pseudogroups.h"
#include "google/engine/googlecontacttool.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/group.h"
#include "platform/ui/prompter.h"

#include <QAction>
#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

QString titleOf(QObject *sender)
{
    const auto *const item = qobject_cast<const QAction *>(sender);
    return item ? item->text() : QString();
}

} // namespace

void AppDelegate::setUpMenus()
{
    m_menuSet = std::make_unique<MenuSet>();
    m_menuSet->setGroupNames(
        [this](MenuSet::GroupSource source) { return groupMenuNames(source); });
    m_menuSet->setValidator([this](const QAction &item) { return validateMenuItem(item); });
    connect(m_menuSet.get(), &MenuSet::commandTriggered, this,
            [this](const QString &command, QAction *item) {
                // An item enabled for the window that was in front does not run for another.
                if (!validateMenuItem(*item)) {
                    item->setEnabled(false);
                    return;
                }
                performMenuCommand(command, item);
            });
    // The active window is known once the focus change has been handled whole.
    connect(qApp, &QGuiApplication::focusWindowChanged, m_menuSet.get(), [this] {
        QTimer::singleShot(0, m_menuSet.get(), [this] { m_menuSet->validateAll(); });
    });
    m_menuSet->validateAll();
}

void AppDelegate::attachMenuBar(WindowController *controller)
{
    QWidget *const window = controller ? controller->window() : nullptr;
    if (!window)
        return;
    if (auto *const mainWindow = qobject_cast<QMainWindow *>(window)) {
        mainWindow->setMenuBar(m_menuSet->buildMenuBar(mainWindow));
        return;
    }
    if (QLayout *const layout = window->layout())
        layout->setMenuBar(m_menuSet->buildMenuBar(window));
}

QMenu *AppDelegate::buildStatusMenu(QWidget *parent) const
{
    return m_menuSet->buildStatusMenu(parent);
}

bool AppDelegate::performMenuCommand(const QString &command, QObject *sender)
{
    if (forwardedcommands::lookup(command)) {
        forwardToDataLoader(command, sender);
        return true;
    }
    return performOwnCommand(command, sender);
}

bool AppDelegate::performOwnCommand(const QString &command, QObject *sender)
{
    using Operation = std::function<void(AppDelegate &, QObject *)>;
    static const QHash<QString, Operation> operations = {
        {QStringLiteral("openDataMover:"),
         [](AppDelegate &d, QObject *) {
             d.openDataMover();
         }},
        {QStringLiteral("openBrowserView:"),
         [](AppDelegate &d, QObject *) {
             d.openBrowserView();
         }},
        {QStringLiteral("openBrowser2View:"),
         [](AppDelegate &d, QObject *) {
             d.openBrowser2View();
         }},
        {QStringLiteral("openWebView:"),
         [](AppDelegate &d, QObject *) {
             d.openWebView();
         }},
        {QStringLiteral("reviewGoogleNames:"),
         [](AppDelegate &d, QObject *) {
             d.reviewGoogleNames();
         }},
        {QStringLiteral("refreshGoogleState:"),
         [](AppDelegate &d, QObject *s) {
             d.refreshGoogleState(s);
         }},
        {QStringLiteral("toggleGroupNav:"),
         [](AppDelegate &d, QObject *) {
             d.toggleGroupNav();
         }},
        {QStringLiteral("toggleBrowserImage:"),
         [](AppDelegate &d, QObject *) {
             d.toggleBrowserImage();
         }},
        {QStringLiteral("toggleNotes:"),
         [](AppDelegate &d, QObject *) {
             d.toggleNotes();
         }},
        {QStringLiteral("toggleSetOperator:"),
         [](AppDelegate &d, QObject *) {
             d.toggleSetOperator();
         }},
        {QStringLiteral("showTableColumnSheet:"),
         [](AppDelegate &d, QObject *) {
             d.showTableColumnSheet();
         }},
        {QStringLiteral("showTableColumn:"),
         [](AppDelegate &d, QObject *s) {
             d.chooseTableColumn(s, true);
         }},
        {QStringLiteral("hideTableColumn:"),
         [](AppDelegate &d, QObject *s) {
             d.chooseTableColumn(s, false);
         }},
        {QStringLiteral("verifyAB:"),
         [](AppDelegate &d, QObject *) {
             d.verifyAB();
         }},
        {QStringLiteral("startGoogleABSync:"),
         [](AppDelegate &d, QObject *) {
             d.startGoogleABSync();
         }},
        {QStringLiteral("quitTolvane:"),
         [](AppDelegate &d, QObject *) {
             d.quitTolvane();
         }},
        // Preferences, and the browser toolbar's commands; the show and hide item names what it
        // will do next.
        {QStringLiteral("showPreferencePanel:"),
         [](AppDelegate &d, QObject *) {
             d.showPreferencePanel();
         }},
        {QStringLiteral("customize:"),
         [](AppDelegate &d, QObject *) {
             d.customize();
         }},
        {QStringLiteral("showhide:"),
         [](AppDelegate &d, QObject *sender) {
             d.showhide();
             if (auto *const item = qobject_cast<QAction *>(sender))
                 item->setText(d.toolbarMenuVerb());
         }},
    };
    const auto found = operations.constFind(command);
    if (found == operations.cend())
        return false;
    (*found)(*this, sender);
    return true;
}

void AppDelegate::forwardToDataLoader(const QString &command, QObject *sender)
{
    const std::optional<forwardedcommands::Forwarded> forwarded =
        forwardedcommands::lookup(command);
    if (!forwarded)
        return;
    if (command == QLatin1String("uploadFromABABGroup:"))
        tlog::value(kClass, command, QStringLiteral("sender"), titleOf(sender));
    WindowController *const loader = m_dataMoverWindowController;
    if (!loader)
        return;
    QObject *const passed =
        forwarded->sender == forwardedcommands::Sender::MenuItem ? sender : this;
    loader->performCommand(forwarded->sentAs, QVariant::fromValue(passed));
}

void AppDelegate::chooseTableColumn(QObject *sender, bool shown)
{
    const auto *const item = qobject_cast<const QAction *>(sender);
    if (!item || !isBrowserFront())
        return;
    // The show and hide items of one column share the tag's last digit.
    const int column = 100 + MenuSet::tag(*item) % 10;
    forwardCommand(shown ? QStringLiteral("showTableColumn:") : QStringLiteral("hideTableColumn:"),
                   column);
}

bool AppDelegate::validateMenuItem(const QAction &item) const
{
    const int tag = MenuSet::tag(item);
    const bool columnItem = tag >= 99 && tag <= 128;
    if (!isBrowserFront())
        return !columnItem;
    const bool showItem = tag >= 100 && tag <= 108;
    const bool hideItem = tag >= 120 && tag <= 128;
    if (!showItem && !hideItem)
        return true;
    static const QString identifiers[] = {
        QStringLiteral("mobilePhone"), QStringLiteral("org"),       QStringLiteral("job"),
        QStringLiteral("workPhone"),   QStringLiteral("workEmail"), QStringLiteral("workLocation"),
        QStringLiteral("homePhone"),   QStringLiteral("homeEmail"), QStringLiteral("homeLocation"),
    };
    const bool shownNow = keyWindowController()->hasContactTableColumn(identifiers[tag % 10]);
    return showItem ? !shownNow : shownNow;
}

QStringList AppDelegate::groupMenuNames(MenuSet::GroupSource source) const
{
    QStringList names;
    if (source == MenuSet::GroupSource::GoogleGroups) {
        // The groups of the account the commands go to.
        GoogleContactTool *tool = m_dataMoverWindowController
                                      ? m_dataMoverWindowController->googleTool()
                                      : m_appGoogleContactTool.get();
        if (!tool)
            return names;
        for (const GDataEntryContactGroupPtr &group :
             pseudogroups::nonSystemGroupsArray(tool->lists()))
            names << group->title().value_or(QString());
        return names;
    }
    const QList<GroupPtr> groups = source == MenuSet::GroupSource::SmartGroups
                                       ? AddressBookTool::smartABGroups()
                                       : AddressBookTool::nonSmartABGroups();
    for (const GroupPtr &group : groups)
        names << group->valueForProperty(kABGroupNameProperty).toString();
    return names;
}

void AppDelegate::verifyAB()
{
    const QStringList duplicates = AddressBookTool::duplicatesByEmail();
    Prompt prompt;
    prompt.buttons = {apptexts::okButton};
    if (duplicates.isEmpty()) {
        prompt.message = commandtexts::compatibleAB;
        prompt.informativeText = commandtexts::mayProceed;
    } else {
        prompt.message = commandtexts::duplicatedEmails;
        prompt.informativeText = duplicates.join(u'\r');
    }
    Prompter::current().beginSheet(prompt, keyWindow(), [](int) {});
}

void AppDelegate::refreshGoogleState(QObject *sender)
{
    WindowController *controller = qobject_cast<WindowController *>(sender);
    if (!controller)
        controller = keyWindowController();
    if (GoogleContactTool *const tool = controller ? controller->googleTool() : nullptr)
        tool->refreshFeeds();
}

void AppDelegate::reviewGoogleNames()
{
    if (m_googlePreviewWinController) {
        m_googlePreviewWinController->showWindow();
        return;
    }
    WindowController *const key = keyWindowController();
    std::unique_ptr<WindowController> made = windowfactory::make(WindowController::Kind::Preview);
    if (!made)
        return;
    WindowController *const controller = made.release();
    adoptController(controller);
    m_googlePreviewWinController = controller;
    GoogleContactTool *tool = m_appGoogleContactTool.get();
    if (key && key->kind() == WindowController::Kind::Browser && key->googleTool())
        tool = key->googleTool();
    controller->setGoogleTool(tool);
    controller->showWindow();
    controller->setWinTitle(commandtexts::previewTitle.arg(tool ? tool->user() : QString()));
    controller->performCommand(QStringLiteral("loadNamesForReview:"),
                               QVariant::fromValue<QObject *>(this));
}

void AppDelegate::startGoogleABSync()
{
    if (!VozuVeva::isApplicationRunning(bundleinfo::kAgentBundleIdentifier))
        VozuVeva::launchApplication(bundleinfo::kAgentBundleIdentifier);
    else
        VozuVeva::quitApplication(bundleinfo::kAgentBundleIdentifier);
}
