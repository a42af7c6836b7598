#include "app/delegate/appdelegate.h"

#include "app/appkeys.h"
#include "app/bundleinfo.h"
#include "app/delegate/modetexts.h"
#include "app/prefs/prefsheet.h"
#include "foundation/log.h"
#include "foundation/programfolder.h"
#include "platform/defaults/userdefaults.h"
#include "platform/scripting/lifelineprocess.h"
#include "platform/ui/prompter.h"
#include "platform/ui/statusitem.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QTimer>

namespace {

const QString kClass = QStringLiteral("AppDelegate");

// The old platform's answers of the restart sheet: its default button gave 1, its alternate 0.
constexpr int kDefaultReturn = 1;
constexpr int kAlternateReturn = 0;
constexpr int kBlinkIntervalMs = 2000;

} // namespace

// The images of the tray item; the program's images are found by name on the "images" path.
static QIcon namedImage(const QString &name)
{
    Q_INIT_RESOURCE(modeimages);
    return QIcon(QStringLiteral("images:%1.png").arg(name));
}

void AppDelegate::initAsStatusItem()
{
    tlog::trace(kClass, QStringLiteral("initAsStatusItem"));
    // Without a tray the item could not be reached: the program is an application then.
    if (!StatusItem::isTrayAvailable()) {
        tlog::write(modetexts::noTray);
        morphToApp();
        return;
    }
    // The tray item's menu holds the whole main menu, so no command is out of reach while no
    // window with its menu bar is open.
    m_statusMenu.reset(buildStatusMenu(nullptr));
    m_statusItem = std::make_unique<StatusItem>(namedImage(QStringLiteral("MyPerson")),
                                                bundleinfo::kBundleName, bundleinfo::kBundleName,
                                                m_statusMenu.get());
}

void AppDelegate::morphToApp()
{
    const QString op = QStringLiteral("morphToApp");
    tlog::trace(kClass, op);
    if (m_statusItem) {
        tlog::message(kClass, op, modetexts::removingStatusItem);
        m_statusItem->remove();
        m_statusItem.reset();
        m_statusMenu.reset();
    }
    m_isStatusItem = UserDefaults::standard().boolForKey(appkeys::runAsStatusItem);
    // The program's windows come to the front, as the application it has become.
    QWidget *front = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isWindow() || !window->isVisible())
            continue;
        window->raise();
        if (!front)
            front = window;
    }
    if (front)
        front->activateWindow();
    tlog::message(kClass, op, modetexts::morphed);
    initAsApplication();
}

void AppDelegate::initAsApplication() {}

void AppDelegate::changeStatusItemStatus(bool runAsStatusItem)
{
    UserDefaults::standard().setBool(runAsStatusItem, appkeys::runAsStatusItem);
    if (!runAsStatusItem) {
        morphToApp();
        return;
    }
    QPointer<AppDelegate> self(this);
    Prompter::current().beginSheet(Prompt{modetexts::restartTitle,
                                          modetexts::restartMessage,
                                          {modetexts::restartLater, modetexts::restartNow}},
                                   keyWindow(), [self](int answer) {
                                       if (self)
                                           self->proceedQuit(answer == kAlertSecondButtonReturn
                                                                 ? kAlternateReturn
                                                                 : kDefaultReturn);
                                   });
}

void AppDelegate::proceedQuit(int returnCode)
{
    if (returnCode != kAlternateReturn)
        return;
    // The preferences sheet ends as its own Close button ends it, keeping what it shows.
    if (prefSheet() && prefSheet()->isVisible())
        closePrefSheet();
    QString error;
    const QString relauncher = programfolder::programPath(bundleinfo::kRelauncherFileName);
    const QString program = programfolder::programPath(bundleinfo::kMainProgramFileName);
    // Quitting without a relauncher running would leave the user with no program at all.
    if (!lifelineprocess::start(relauncher, {program}, &error)) {
        tlog::write(modetexts::relaunchNotStarted.arg(error));
        Prompter::current().runModal(Prompt{
            modetexts::relaunchFailed, modetexts::relaunchFailedSmall.arg(error), {modetexts::ok}});
        return;
    }
    quitTolvane();
}

void AppDelegate::startBlinker()
{
    if (m_blinker)
        return;
    m_blinker = new QTimer(this);
    m_blinker->setInterval(kBlinkIntervalMs);
    connect(m_blinker, &QTimer::timeout, this, &AppDelegate::blink);
    m_blinker->start();
}

void AppDelegate::stopBlinker()
{
    delete m_blinker;
    m_blinker = nullptr;
    if (m_statusItem)
        m_statusItem->setImage(namedImage(QStringLiteral("MePerson")));
}

void AppDelegate::blink() {}
