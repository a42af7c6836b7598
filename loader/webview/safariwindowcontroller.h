#pragma once

#include "app/windows/windowcontroller.h"
#include "loader/webview/resourcetally.h"

#include <QString>
#include <QUrl>

#include <memory>

class QLineEdit;
class QWebChannel;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineUrlRequestInfo;
class QWebEngineUrlRequestInterceptor;
class QWebEngineView;
class ResourceReporter;

// The window that shows the Google Contacts page (the preference googleContactsPage) and any
// address typed into its address field, and keeps its title on the page's title, the main frame's
// load state and the progress of the page's resources.
class SafariWindowController : public WindowController
{
    Q_OBJECT

public:
    SafariWindowController();
    ~SafariWindowController() override;

    QWebEngineView *webView() const { return m_webView; }
    QLineEdit *addressField() const { return m_addressField; }
    QString docTitle() const { return m_docTitle; }
    QString frameStatus() const { return m_frameStatus; }
    QString resourceStatus() const { return m_resourceStatus; }
    QString URL() const { return m_url; }
    const ResourceTally &resources() const { return m_resources; }

    void loadURL(const QUrl &url);
    // The address field's action: its text made into an address and loaded.
    void connectURL(const QString &text);
    void updateWindow();
    void updateResourceStatus();

private:
    void buildWindow();
    void windowDidLoad();
    void loadingChanged(const QWebEngineLoadingInfo &info);
    void mainFrameStarted(const QUrl &url);
    void mainFrameFinished();
    void mainFrameFailed(const QString &description);
    void readDocumentTitle();
    void requestAboutToBeSent(const QWebEngineUrlRequestInfo &info);
    void resourceFinished(const QString &address);
    void resourceFailed(const QString &address);
    void windowWillClose();

    // The page goes before its profile; the interceptor and the channel outlive the page.
    std::shared_ptr<QWebEngineProfile> m_profile;
    std::unique_ptr<QWebEngineUrlRequestInterceptor> m_interceptor;
    QWebChannel *m_channel = nullptr;
    ResourceReporter *m_reporter = nullptr;
    QWebEnginePage *m_page = nullptr;
    QWebEngineView *m_webView = nullptr;
    QLineEdit *m_addressField = nullptr;

    ResourceTally m_resources;
    QString m_docTitle;
    QString m_frameStatus;
    QString m_resourceStatus;
    QString m_url;
    // The failure of the main frame's load, which the title shows before any resource progress.
    bool m_frameFailed = false;
    // The first address the main frame asked for in this load; later main-frame requests of the
    // same load are its redirects, which are no resources of their own.
    QUrl m_mainDocument;
    // Counts the main-frame loads, so that a title read for one load is not taken for the next.
    int m_loadNumber = 0;
};
