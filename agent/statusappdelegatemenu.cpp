#include "agent/statusappdelegate.h"

#include "agent/agentkeys.h"
#include "agent/agenttexts.h"
#include "agent/configurationpanel.h"
#include "agent/quickentrycontroller.h"
#include "foundation/log.h"
#include "google/push/googleabautoupdate.h"
#include "platform/defaults/userdefaults.h"
#include "platform/ui/statusitem.h"

#include <QActionGroup>
#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QLocale>
#include <QMenu>
#include <QWidget>

namespace {

const QString kClass = QStringLiteral("StatusAppDelegate");

QIcon myPerson()
{
    return QIcon(QStringLiteral(":/images/MyPerson.png"));
}

} // namespace

void StatusAppDelegate::initAsStatusItem()
{
    Q_INIT_RESOURCE(agentimages);
    m_statusMenu = std::make_unique<QMenu>();
    // The three lines of the state, shown and never chosen.
    for (int tag = 0; tag < 3; ++tag) {
        QAction *info = m_statusMenu->addAction(QString());
        info->setData(tag);
        info->setEnabled(false);
        m_infoActions << info;
    }
    m_statusMenu->addSeparator();
    m_pauseAction = m_statusMenu->addAction(agenttexts::pauseItem, this, &StatusAppDelegate::pauseStop);
    m_statusMenu->addAction(agenttexts::pollItem, this, &StatusAppDelegate::togglePolling);
    m_statusMenu->addAction(agenttexts::pushItem, this, &StatusAppDelegate::togglePush);
    m_statusMenu->addSeparator();
    m_statusMenu->addAction(agenttexts::configureItem, this, &StatusAppDelegate::configure);
    m_statusMenu->addAction(agenttexts::newContactItem, this, &StatusAppDelegate::newContact);
    m_statusMenu->addAction(agenttexts::viewLogItem, this, [this] {
        if (!m_quickEntry)
            m_quickEntry = std::make_unique<QuickEntryController>(this);
        m_quickEntry->viewCardzapLog();
    });
    QMenu *levels = m_statusMenu->addMenu(agenttexts::logLevelItem);
    auto *levelGroup = new QActionGroup(levels);
    const int current = UserDefaults::standard().integerForKey(agentkeys::appLogLevel);
    int tag = 0;
    for (const QString &title : {agenttexts::logNone, agenttexts::logTerse, agenttexts::logVerbose}) {
        QAction *level = levels->addAction(title);
        level->setCheckable(true);
        level->setChecked(tag == current);
        levelGroup->addAction(level);
        connect(level, &QAction::triggered, this, [this, tag] { setLoggingLevel(tag); });
        ++tag;
    }
    m_statusMenu->addSeparator();
    m_statusMenu->addAction(agenttexts::quitItem, this, &StatusAppDelegate::terminateStatusItem);
    m_statusItem = std::make_unique<StatusItem>(myPerson(), agenttexts::toolTip,
                                                agenttexts::windowTitle, m_statusMenu.get());
}

void StatusAppDelegate::setStatusMessage(const QString &message)
{
    m_statusMessage = agenttexts::statusFormat.arg(message);
    if (!m_infoActions.isEmpty())
        m_infoActions[0]->setText(m_statusMessage);
    if (m_statusItem)
        m_statusItem->setStatusLine(m_statusMessage);
}

void StatusAppDelegate::setLastAction(const QString &action)
{
    m_lastAction = action;
    m_lastActionDateTime =
        QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("MMM d, hh:mm:ss AP"));
    if (m_infoActions.size() == 3) {
        m_infoActions[1]->setText(m_lastAction);
        m_infoActions[2]->setText(m_lastActionDateTime);
    }
    if (m_statusItem)
        m_statusItem->setLastActionLine(
            QStringLiteral("%1 (%2)").arg(m_lastAction, m_lastActionDateTime));
}

void StatusAppDelegate::setPauseMenu()
{
    m_isPaused = !m_isPaused;
    if (m_isPaused) {
        m_pauseMenu = agenttexts::listenItem;
        setStatusMessage(agenttexts::paused);
        setLastAction(agenttexts::paused);
        startBlinker();
    } else {
        m_pauseMenu = agenttexts::pauseItem;
        setStatusMessage(agenttexts::listening);
        setLastAction(agenttexts::unPaused);
        stopBlinker();
    }
    if (m_pauseAction)
        m_pauseAction->setText(m_pauseMenu);
}

void StatusAppDelegate::startBlinker()
{
    if (!m_blinker.isActive())
        m_blinker.start();
}

void StatusAppDelegate::stopBlinker()
{
    m_blinker.stop();
    if (m_statusItem)
        m_statusItem->setImage(myPerson());
}

void StatusAppDelegate::pauseStop()
{
    setPauseMenu();
    if (m_isPaused) {
        // Nothing queued or in flight is taken as done by the snapshot.
        if (m_googleABAutoUpdate)
            m_googleABAutoUpdate->savePendingWork();
        takePushSnapshot();
        return;
    }
    attemptLogin();
}

void StatusAppDelegate::configure()
{
    if (!m_configurationPanel) {
        m_configurationPanel = new ConfigurationPanel(this);
        connect(m_configurationPanel, &ConfigurationPanel::closeRequested, this,
                &StatusAppDelegate::closeConfigure);
    }
    m_configurationPanel->reload();
    placeUnderStatusItem(m_configurationPanel);
    m_configurationPanel->show();
    m_configurationPanel->raise();
    m_configurationPanel->activateWindow();
}

void StatusAppDelegate::placeUnderStatusItem(QWidget *panel)
{
    if (!m_statusItem)
        return;
    const QRect frame = m_statusItem->statusItemFrame();
    QPoint topLeft(frame.x() - panel->width() / 2, frame.bottom() + 1);
    if (m_statusItem->form() == StatusItem::Form::Window)
        topLeft = QPoint(frame.x(), frame.bottom() + 1);
    panel->move(QPoint(std::max(0, topLeft.x()), std::max(0, topLeft.y())));
}

void StatusAppDelegate::terminateStatusItem()
{
    QCoreApplication::quit();
}

void StatusAppDelegate::setLoggingLevel(int level)
{
    UserDefaults::standard().setInteger(level, agentkeys::appLogLevel);
}

void StatusAppDelegate::openUserInfoWithMessage(const QString &message, int)
{
    setLastAction(message);
}

void StatusAppDelegate::updateUserInfoWithMessage(const QString &message)
{
    setLastAction(message);
}

void StatusAppDelegate::closeUserInfo() {}

void StatusAppDelegate::setProgressMessage(const QString &message)
{
    if (!message.isEmpty())
        setLastAction(message);
}

void StatusAppDelegate::setProgressMaxValue(double) {}

void StatusAppDelegate::setProgressCurValue(double) {}

void StatusAppDelegate::refreshView() {}

bool StatusAppDelegate::showsContactBrowserRows() const
{
    return false;
}

void StatusAppDelegate::setGoogleDataMask() {}

void StatusAppDelegate::showWindow() {}

QWidget *StatusAppDelegate::window()
{
    return m_statusItem ? m_statusItem->window() : nullptr;
}

void StatusAppDelegate::cleanupGUIforProcess(const QString &process, const QString &subtitle,
                                             const std::optional<GDataError> &error)
{
    if (!error)
        return;
    setLastAction(QStringLiteral("%1: %2").arg(process, error->description));
    tlog::write(QStringLiteral("[%1 %2] - %3 %4 %5")
                    .arg(kClass, QStringLiteral("cleanupGUIforProcess:subtitle:error:"), process,
                         subtitle, error->description));
    // A failure the batch answers do not carry (a photo upload) ends the push.
    if (m_googleABAutoUpdate)
        m_googleABAutoUpdate->jobFailed();
}
