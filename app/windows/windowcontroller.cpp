#include "app/windows/windowcontroller.h"

#include "google/engine/googlecontacttool.h"

#include <QEvent>
#include <QWidget>

namespace {

// The property of a top-level window that names its controller.
constexpr char kControllerProperty[] = "tolvaneWindowController";

} // namespace

WindowController::WindowController(Kind kind, QObject *parent)
    : QObject(parent)
    , m_kind(kind)
{}

WindowController::~WindowController()
{
    delete m_window.data();
}

WindowController *WindowController::forWindow(const QWidget *window)
{
    if (!window)
        return nullptr;
    return qobject_cast<WindowController *>(
        window->property(kControllerProperty).value<QObject *>());
}

void WindowController::showWindow()
{
    if (!m_window)
        return;
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void WindowController::setWinTitle(const QString &title)
{
    if (m_window)
        m_window->setWindowTitle(title);
}

GoogleContactTool *WindowController::googleTool() const
{
    return nullptr;
}

void WindowController::setGoogleTool(GoogleContactTool *) {}

void WindowController::setInternalGoogleTool() {}

void WindowController::openLoginPanel() {}

GoogleContactToolUIDelegate *WindowController::engineUIDelegate()
{
    return nullptr;
}

GoogleContactToolDataDelegate *WindowController::engineDataDelegate()
{
    return nullptr;
}

void WindowController::takeEngineDelegates()
{
    GoogleContactTool *const tool = googleTool();
    if (!tool)
        return;
    if (GoogleContactToolUIDelegate *const delegate = engineUIDelegate())
        tool->setUIDelegate(delegate);
    if (GoogleContactToolDataDelegate *const delegate = engineDataDelegate())
        tool->setDataDelegate(delegate);
}

bool WindowController::useIntersection() const
{
    return false;
}

bool WindowController::hasContactTableColumn(const QString &) const
{
    return false;
}

void WindowController::setUseIntersection(bool) {}

QVariantMap WindowController::currentContact() const
{
    return {};
}

QVariantMap WindowController::firstSelectedGroup() const
{
    return {};
}

bool WindowController::respondsToCommand(const QString &name) const
{
    return m_commands.contains(name);
}

bool WindowController::performCommand(const QString &name, const QVariant &argument)
{
    const auto command = m_commands.constFind(name);
    if (command == m_commands.constEnd())
        return false;
    (*command)(argument);
    return true;
}

void WindowController::setWindow(QWidget *window)
{
    m_window = window;
    window->setProperty(kControllerProperty, QVariant::fromValue<QObject *>(this));
    window->installEventFilter(this);
}

void WindowController::registerCommand(const QString &name,
                                       std::function<void(const QVariant &)> command)
{
    m_commands.insert(name, std::move(command));
}

bool WindowController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::Close || m_closing)
        return QObject::eventFilter(watched, event);
    // The window answers its close first (it may refuse, with a sheet still open); only a close
    // that goes through ends the controller, and only once.
    watched->event(event);
    if (event->isAccepted()) {
        m_closing = true;
        emit windowClosing(this);
        deleteLater();
    }
    return true;
}
