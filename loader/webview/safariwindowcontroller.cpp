#include "loader/webview/safariwindowcontroller.h"

#include "app/appkeys.h"
#include "foundation/log.h"
#include "loader/webview/resourcereporter.h"
#include "loader/webview/webviewprofile.h"
#include "loader/webview/webviewtexts.h"
#include "platform/defaults/userdefaults.h"

#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QWidget>

#include <functional>

// The report script is a resource of this static library, which Qt registers only when asked.
static void registerWebViewResources()
{
    Q_INIT_RESOURCE(webview);
}

namespace {

const QString kClass = QStringLiteral("SafariWindowController");
constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 768;

// Sees every request of the window's page before it is sent, the main document, each of its
// resources and each redirect, and lets it go unchanged.
class RequestWatcher : public QWebEngineUrlRequestInterceptor
{
public:
    explicit RequestWatcher(std::function<void(const QWebEngineUrlRequestInfo &)> seen)
        : m_seen(std::move(seen))
    {}
    void interceptRequest(QWebEngineUrlRequestInfo &info) override { m_seen(info); }

private:
    std::function<void(const QWebEngineUrlRequestInfo &)> m_seen;
};

QString readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tlog::write(QStringLiteral("[%1] resource %2 cannot be read").arg(kClass, path));
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

// The report script with the channel's client before it, run in the window's own world in every
// frame, from the creation of each document.
QWebEngineScript resourceReportScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("tolvaneResourceReport"));
    script.setSourceCode(readResource(QStringLiteral(":/qtwebchannel/qwebchannel.js")) +
                         QLatin1Char('\n') +
                         readResource(QStringLiteral(":/webview/resourcereport.js")));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    return script;
}

} // namespace

SafariWindowController::SafariWindowController()
    : WindowController(Kind::WebView)
    , m_profile(webviewprofile::shared())
{
    registerWebViewResources();
    buildWindow();
    connect(this, &WindowController::windowClosing, this, &SafariWindowController::windowWillClose);
    windowDidLoad();
}

SafariWindowController::~SafariWindowController()
{
    // The view and its page go while the profile, the channel and the interceptor they use stand.
    delete window();
    delete m_page;
}

void SafariWindowController::buildWindow()
{
    auto *const window = new QWidget;
    window->setWindowTitle(webviewtexts::defaultTitle);
    window->resize(kDefaultWidth, kDefaultHeight);
    m_addressField = new QLineEdit(window);
    m_addressField->setClearButtonEnabled(true);
    m_webView = new QWebEngineView(window);
    auto *const layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_addressField);
    layout->addWidget(m_webView, 1);

    m_page = new QWebEnginePage(m_profile.get());
    m_interceptor = std::make_unique<RequestWatcher>(
        [this](const QWebEngineUrlRequestInfo &info) { requestAboutToBeSent(info); });
    m_page->setUrlRequestInterceptor(m_interceptor.get());
    m_reporter = new ResourceReporter(this);
    m_channel = new QWebChannel(this);
    m_channel->registerObject(QStringLiteral("resourceReporter"), m_reporter);
    m_page->setWebChannel(m_channel, QWebEngineScript::ApplicationWorld);
    m_page->scripts().insert(resourceReportScript());
    m_webView->setPage(m_page);

    connect(m_page, &QWebEnginePage::loadingChanged, this, &SafariWindowController::loadingChanged);
    connect(m_page, &QWebEnginePage::titleChanged, this,
            &SafariWindowController::readDocumentTitle);
    connect(m_reporter, &ResourceReporter::resourceFinished, this,
            &SafariWindowController::resourceFinished);
    connect(m_reporter, &ResourceReporter::resourceFailed, this,
            &SafariWindowController::resourceFailed);
    connect(m_addressField, &QLineEdit::returnPressed, this,
            [this] { connectURL(m_addressField->text()); });
    setWindow(window);
}

void SafariWindowController::windowDidLoad()
{
    const QString op = QStringLiteral("windowDidLoad");
    tlog::trace(kClass, op);
    const QUrl address(UserDefaults::standard().stringForKey(appkeys::googleContactsPage));
    tlog::value(kClass, op, QStringLiteral("URL"), address.toString());
    loadURL(address);
}

void SafariWindowController::loadURL(const QUrl &url)
{
    m_page->load(url);
}

void SafariWindowController::connectURL(const QString &text)
{
    const QUrl url = QUrl::fromUserInput(text.trimmed());
    if (url.isValid())
        loadURL(url);
}

void SafariWindowController::loadingChanged(const QWebEngineLoadingInfo &info)
{
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        mainFrameStarted(info.url());
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        mainFrameFinished();
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        // An error answer of the server is a page the server sent, with its own title.
        if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain)
            mainFrameFinished();
        else
            mainFrameFailed(info.errorString());
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        break;
    }
}

void SafariWindowController::mainFrameStarted(const QUrl &url)
{
    ++m_loadNumber;
    m_resources.reset();
    m_mainDocument.clear();
    m_frameStatus = webviewtexts::loading;
    m_frameFailed = false;
    m_url = url.toString();
    m_addressField->setText(m_url);
    updateWindow();
}

void SafariWindowController::mainFrameFinished()
{
    m_frameStatus.clear();
    readDocumentTitle();
    // The main document is one of the page's resources and ends with its frame.
    if (m_resources.markFinished(m_mainDocument))
        updateResourceStatus();
    else
        updateWindow();
}

void SafariWindowController::mainFrameFailed(const QString &description)
{
    m_docTitle.clear();
    m_frameStatus = description;
    m_frameFailed = true;
    if (m_resources.markFailed(m_mainDocument))
        updateResourceStatus();
    else
        updateWindow();
}

void SafariWindowController::readDocumentTitle()
{
    // The engine's own title is the address while the page has none; the document's is empty
    // then. Read in the window's world, where no script of the page can answer for it.
    const int load = m_loadNumber;
    QPointer<SafariWindowController> self(this);
    m_page->runJavaScript(QStringLiteral("document.title"), QWebEngineScript::ApplicationWorld,
                          [self, load](const QVariant &title) {
                              if (!self || self->m_loadNumber != load || self->m_frameFailed)
                                  return;
                              self->m_docTitle = title.toString();
                              self->updateWindow();
                          });
}

void SafariWindowController::requestAboutToBeSent(const QWebEngineUrlRequestInfo &info)
{
    const bool mainFrame = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame;
    if (mainFrame && !m_mainDocument.isEmpty()) {
        updateResourceStatus();
        return;
    }
    if (mainFrame)
        m_mainDocument = info.requestUrl();
    m_resources.addRequest(info.requestUrl());
    updateResourceStatus();
}

void SafariWindowController::resourceFinished(const QString &address)
{
    if (m_resources.markFinished(QUrl(address)))
        updateResourceStatus();
}

void SafariWindowController::resourceFailed(const QString &address)
{
    if (m_resources.markFailed(QUrl(address)))
        updateResourceStatus();
}

void SafariWindowController::updateWindow()
{
    // A load that could not start says why, whatever the progress of the page before it.
    QString title;
    if (m_frameFailed)
        title = webviewtexts::titleWithStatus.arg(m_docTitle, m_frameStatus);
    else if (!m_resourceStatus.isEmpty())
        title = webviewtexts::titleWithStatus.arg(m_docTitle, m_resourceStatus);
    else if (!m_frameStatus.isEmpty())
        title = webviewtexts::titleWithStatus.arg(m_docTitle, m_frameStatus);
    else if (!m_docTitle.isEmpty())
        title = m_docTitle;
    else
        title = webviewtexts::defaultTitle;
    setWinTitle(title);
}

void SafariWindowController::updateResourceStatus()
{
    const int completed = m_resources.completed();
    const int requested = m_resources.requested();
    const int failed = m_resources.failed();
    m_resourceStatus =
        failed > 0
            ? webviewtexts::loadedWithErrors.arg(completed).arg(requested - failed).arg(failed)
            : webviewtexts::loaded.arg(completed).arg(requested);
    tlog::labelled(kClass, QStringLiteral("updateResourceStatus"), QStringLiteral("resourceStatus"),
                   m_resourceStatus);
    updateWindow();
}

void SafariWindowController::windowWillClose()
{
    // A window's closing carries no details.
    tlog::labelled(kClass, QStringLiteral("windowWillClose:"), QStringLiteral("[note userInfo]"),
                   tlog::orNull(QString()));
}
