#include "tools/window-captures/agentcaptures.h"

#include "agent/configurationpanel.h"
#include "agent/quickentrycontroller.h"
#include "agent/quickentrypanel.h"
#include "agent/statusappdelegate.h"
#include "platform/ui/statusitem.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace {

// Time for a shown window to be laid out and painted before it is captured.
constexpr int kSettleMs = 400;
// The login is given this many checks of kSettleMs.
constexpr int kLoginTries = 50;

const QStringList kPictures = {
    QStringLiteral("agent-window.png"),          QStringLiteral("agent-menu.png"),
    QStringLiteral("agent-configuration.png"),   QStringLiteral("agent-quickentry-home.png"),
    QStringLiteral("agent-quickentry-work.png"), QStringLiteral("agent-quickentry-note.png")};

void settle()
{
    QTimer wait;
    wait.setSingleShot(true);
    wait.start(kSettleMs);
    while (wait.isActive())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

AgentCaptures::AgentCaptures(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
{}

QStringList AgentCaptures::missing() const
{
    QStringList names;
    for (const QString &name : kPictures)
        if (!m_written.contains(name))
            names << name;
    return names;
}

bool AgentCaptures::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *const widget = static_cast<QWidget *>(watched);
    if (auto *const alert = qobject_cast<QMessageBox *>(widget)) {
        // An alert stops the agent until it is answered: say what it is, answer it.
        QTimer::singleShot(kSettleMs, alert, [this, alert] {
            capture(alert, QStringLiteral("agent-alert-%1.png").arg(m_written.size()));
            std::printf("agent-window-captures: alert: %s %s\n", qPrintable(alert->text()),
                        qPrintable(alert->informativeText()));
            if (QAbstractButton *button = alert->defaultButton())
                button->click();
            else
                alert->close();
        });
        return false;
    }
    // The item's window shows while the delegate starts, before it is the program's delegate:
    // the first window of the run starts the wait, which finds the delegate later.
    if (!m_started && widget->isWindow()) {
        m_started = true;
        QTimer::singleShot(kSettleMs, this, [this] { waitForLogin(kLoginTries); });
    }
    return false;
}

void AgentCaptures::waitForLogin(int triesLeft)
{
    const StatusAppDelegate *delegate = StatusAppDelegate::shared();
    if ((!delegate || delegate->isPaused()) && triesLeft > 0) {
        QTimer::singleShot(kSettleMs, this, [this, triesLeft] { waitForLogin(triesLeft - 1); });
        return;
    }
    if (delegate)
        captureAll();
    QCoreApplication::quit();
}

void AgentCaptures::captureAll()
{
    StatusAppDelegate *delegate = StatusAppDelegate::shared();
    QWidget *window = delegate->statusItem()->window();
    if (!window) {
        std::printf("agent-window-captures: the agent shows its item in a tray, not a window\n");
        return;
    }
    std::printf("agent-window-captures: status \"%s\", last action \"%s\"\n",
                qPrintable(delegate->statusItem()->statusLine()),
                qPrintable(delegate->statusItem()->lastActionLine()));
    capture(window, QStringLiteral("agent-window.png"));

    QMenu *menu = delegate->statusMenu();
    menu->popup(window->mapToGlobal(QPoint(0, window->height())));
    settle();
    capture(menu, QStringLiteral("agent-menu.png"));
    menu->hide();

    delegate->configure();
    settle();
    if (ConfigurationPanel *panel = delegate->configurationPanel())
        capture(panel, QStringLiteral("agent-configuration.png"));
    delegate->closeConfigure();

    delegate->newContact();
    QuickEntryPanel *entry = delegate->quickEntry()->panel();
    for (int tab = 0; tab < entry->tabs()->count(); ++tab) {
        entry->tabs()->setCurrentIndex(tab);
        settle();
        capture(
            entry,
            QStringLiteral("agent-quickentry-%1.png").arg(entry->tabs()->tabText(tab).toLower()));
    }
    delegate->quickEntry()->closeCardzap();
}

bool AgentCaptures::capture(QWidget *window, const QString &name)
{
    const QString path = QDir(m_folder).filePath(name);
    if (!window->grab().save(path, "PNG")) {
        std::printf("agent-window-captures: cannot write %s\n", qPrintable(path));
        return false;
    }
    m_written.insert(name);
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    return true;
}
