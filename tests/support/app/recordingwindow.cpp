#include "tests/support/app/recordingwindow.h"

#include "app/windows/windowfactory.h"

#include <QAction>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QString kindName(WindowController::Kind kind)
{
    switch (kind) {
    case WindowController::Kind::DataMover:
        return QStringLiteral("dataMover");
    case WindowController::Kind::Browser:
        return QStringLiteral("browser");
    case WindowController::Kind::Preview:
        return QStringLiteral("preview");
    case WindowController::Kind::WebView:
        return QStringLiteral("webView");
    }
    return QString();
}

} // namespace

RecordingWindow::RecordingWindow(Kind kind, QStringList &journal)
    : WindowController(kind)
    , m_journal(journal)
    , m_ui(journal)
    , m_data(journal)
{
    auto *const window = new QWidget;
    // A layout, as the program's windows have, where a menu bar can go.
    new QVBoxLayout(window);
    window->resize(320, 200);
    setWindow(window);
    m_journal << QStringLiteral("made:") + kindName(kind);
}

RecordingWindow::~RecordingWindow() = default;

void RecordingWindow::setGoogleTool(GoogleContactTool *tool)
{
    m_tool = tool;
    m_journal << QStringLiteral("setGoogleTool:") + (tool ? tool->user() : QStringLiteral("none"));
}

void RecordingWindow::setInternalGoogleTool()
{
    m_ownTool = std::make_unique<GoogleContactTool>(GoogleContactTool::Role::MainProgram);
    m_ownTool->setUIDelegate(&m_ui);
    m_tool = m_ownTool.get();
    m_journal << QStringLiteral("setInternalGoogleTool");
}

void RecordingWindow::openLoginPanel()
{
    m_journal << QStringLiteral("window:openLoginPanel");
}

void RecordingWindow::setWinTitle(const QString &title)
{
    WindowController::setWinTitle(title);
    m_journal << QStringLiteral("title:") + title;
}

void RecordingWindow::offerCommand(const QString &name)
{
    registerCommand(name, [this, name](const QVariant &argument) {
        QString value = argument.toString();
        if (argument.metaType() == QMetaType::fromType<QObject *>()) {
            const QObject *const sender = argument.value<QObject *>();
            const auto *const item = qobject_cast<const QAction *>(sender);
            value = item ? QStringLiteral("item:") + item->text()
                         : QString::fromLatin1(sender ? sender->metaObject()->className() : "null");
        }
        m_journal << QStringLiteral("command:") + name +
                         (argument.isValid() ? u'=' + value : QString());
    });
}

RecordingWindowFactory::RecordingWindowFactory(QStringList &journal)
    : m_journal(journal)
{
    for (WindowController::Kind kind :
         {WindowController::Kind::DataMover, WindowController::Kind::Browser,
          WindowController::Kind::Preview, WindowController::Kind::WebView}) {
        windowfactory::setMaker(kind, [this, kind] {
            auto window = std::make_unique<RecordingWindow>(kind, m_journal);
            // The review window loads its names when the delegate opens it.
            if (kind == WindowController::Kind::Preview)
                window->offerCommand(QStringLiteral("loadNamesForReview:"));
            made.append(window.get());
            return window;
        });
    }
}

RecordingWindowFactory::~RecordingWindowFactory()
{
    windowfactory::clear();
}
