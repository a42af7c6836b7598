#include "tools/window-captures/windowcaptures.h"

#include "app/delegate/appdelegate.h"
#include "app/windows/loginsheet.h"
#include "app/windows/mainwindow.h"
#include "app/windows/welcomepanel.h"
#include "app/windows/windowcontroller.h"
#include "app/windows/windowfactory.h"
#include "browser/actions/browseractions.h"
#include "browser/columns/contacttablecolumns.h"
#include "browser/window/browserwindowcontroller.h"
#include "google/engine/googlecontacttool.h"
#include "loader/review/googlepreviewwindowcontroller.h"
#include "loader/review/reviewtexts.h"
#include "loader/webview/safariwindowcontroller.h"
#include "loader/window/datamoverwindowcontroller.h"
#include "tools/window-captures/archivecaptures.h"
#include "tools/window-captures/dataloadercaptures.h"
#include "tools/window-captures/deletesheetcapture.h"
#include "tools/window-captures/menucaptures.h"
#include "tools/window-captures/portraitcaptures.h"
#include "tools/window-captures/modecaptures.h"
#include "tools/window-captures/prefcaptures.h"
#include "tools/window-captures/sheetcaptures.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

// Time for a shown window to be laid out and painted before it is captured.
constexpr int kSettleMs = 400;
// The web page is given this many checks of kSettleMs to report that it has loaded.
constexpr int kPageTries = 50;
// How long the web view window is waited for, its page included.
constexpr int kWebViewWaitMs = kSettleMs * (kPageTries + 10);

const QStringList kWindows = {QStringLiteral("welcome-panel.png"),
                              QStringLiteral("login-sheet.png"),
                              QStringLiteral("main-window.png"),
                              portraitcaptures::portraitSheet,
                              QStringLiteral("browser.png"),
                              QStringLiteral("browser-column-chooser.png"),
                              QStringLiteral("browser-second-account.png"),
                              QStringLiteral("browser-second-account-login.png"),
                              QStringLiteral("review-names.png"),
                              QStringLiteral("review-addresses.png"),
                              QStringLiteral("web-view.png"),
                              QStringLiteral("browser-bulk-pane.png"),
                              QStringLiteral("browser-message-pane.png")};

// Browser sign-in: the login sheet as the People protocol shows it, without a client and while
// the browser answers.
const QStringList kBrowserSignInWindows = {QStringLiteral("login-sheet-browser-no-client.png"),
                                           QStringLiteral("login-sheet-browser-waiting.png")};

// Key by key, so that the sheet sees the edits a user makes.
void type(QLineEdit *field, const QString &text)
{
    field->setFocus();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(field, &press);
    }
}

} // namespace

WindowCaptures::WindowCaptures(const QString &folder, const QString &account,
                               const QString &password, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
    , m_account(account)
    , m_password(password)
{}

QStringList WindowCaptures::missing() const
{
    QStringList names;
    const QStringList deleteSheet{deletesheetcapture::deleteSheet};
    for (const QString &name : kWindows + kBrowserSignInWindows + dataloadercaptures::names() + sheetcaptures::names() +
                                   menucaptures::names() + deleteSheet + archivecaptures::names() +
                                   prefcaptures::names() + modecaptures::names())
        if (!m_written.contains(name))
            names << name;
    return names;
}

bool WindowCaptures::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    // Every object's events pass here, the web engine's internal ones too, whose types the
    // sanitizer cannot see: the watched object is only compared with the top-level windows.
    QWidget *widget = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (static_cast<QObject *>(window) == watched)
            widget = window;
    if (!widget)
        return false;
    // The welcome panel lives only while the program starts; its last step is what it showed.
    if (event->type() == QEvent::Hide && qobject_cast<WelcomePanel *>(widget))
        capture(widget, QStringLiteral("welcome-panel.png"));
    else if (event->type() == QEvent::Show && !qobject_cast<WelcomePanel *>(widget) &&
             !m_seen.contains(widget)) {
        m_seen.insert(widget);
        QPointer<QWidget> shown(widget);
        QTimer::singleShot(kSettleMs, this, [this, shown] {
            if (shown)
                windowShown(shown);
        });
    }
    return false;
}

void WindowCaptures::windowShown(QWidget *window)
{
    if (auto *const sheet = qobject_cast<LoginSheet *>(window)) {
        capture(sheet, QStringLiteral("login-sheet.png"));
        captureBrowserSignIn(sheet);
    } else if (qobject_cast<MainWindow *>(window)) {
        capture(window, QStringLiteral("main-window.png"));
        if (AppDelegate *delegate = AppDelegate::shared())
            delegate->openBrowserView();
    } else if (auto *const browser =
                   qobject_cast<BrowserWindowController *>(WindowController::forWindow(window))) {
        browserShown(browser);
    } else if (const WindowController *controller = WindowController::forWindow(window);
               controller && controller->kind() == WindowController::Kind::WebView) {
        waitForPage(window, kPageTries);
    } else if (auto *const loader =
                   qobject_cast<DataMoverWindowController *>(WindowController::forWindow(window))) {
        // The start-up opens the data loader where a new user has an empty book; the main
        // window comes after its pictures.
        dataloadercaptures::run(
            loader, kSettleMs,
            [this](QWidget *shown, const QString &name) { return capture(shown, name); },
            [] {
                if (AppDelegate *delegate = AppDelegate::shared())
                    delegate->showWindow();
            });
    } else if (auto *const alert = qobject_cast<QMessageBox *>(window);
               alert && !deletesheetcapture::isDeleteSheet(alert) &&
               !modecaptures::isRestartSheet(alert)) {
        // An alert stops the program until it is answered: capture it, say so, answer it.
        capture(alert, QStringLiteral("alert-%1.png").arg(m_written.size()));
        std::printf("window-captures: alert: %s %s\n", qPrintable(alert->text()),
                    qPrintable(alert->informativeText()));
        if (QAbstractButton *button = alert->defaultButton())
            button->click();
        else
            alert->close();
    }
}

bool WindowCaptures::capture(QWidget *window, const QString &name)
{
    if (m_written.contains(name))
        return true;
    const QString path = QDir(m_folder).filePath(name);
    if (!window->grab().save(path, "PNG")) {
        std::printf("window-captures: cannot write %s\n", qPrintable(path));
        return false;
    }
    m_written.insert(name);
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    return true;
}

void WindowCaptures::signIn(QWidget *sheet)
{
    // The sheet shows the account only when a browser asks; at start-up the user types it.
    auto *const login = static_cast<LoginSheet *>(sheet);
    if (login->userTextField()->text().isEmpty())
        type(login->userTextField(), m_account);
    type(login->pwTextField(), m_password);
    login->loginButton()->click();
}

void WindowCaptures::browserShown(BrowserWindowController *browser)
{
    if (browser->cacheKey().isEmpty()) {
        capture(browser->WindowController::window(), QStringLiteral("browser.png"));
        browser->showTableColumnSheet();
        if (QDialog *const chooser = browser->tableColumns()->tableColumnSheet())
            capture(chooser, QStringLiteral("browser-column-chooser.png"));
        browser->closeTableColumnSheet();
        // Menus.
        menucaptures::run(browser->WindowController::window(),
                          [this](QWidget *shown, const QString &name) { return capture(shown, name); });
        // The find-and-replace and the message panes in the notes' place.
        browser->actions()->showBulkEdit();
        capture(browser->WindowController::window(), QStringLiteral("browser-bulk-pane.png"));
        browser->actions()->showMessage();
        capture(browser->WindowController::window(), QStringLiteral("browser-message-pane.png"));
        browser->actions()->cancelMessage();
        const auto captureShown = [this](QWidget *shown, const QString &name) {
            return capture(shown, name);
        };
        // The delete confirmation, then the editor sheets, the backups and restores, the
        // preferences on each pane with the toolbar's customisation, and the restart sheet, on
        // this browser before the second account's.
        deletesheetcapture::run(browser, kSettleMs, captureShown, [this, captureShown] {
            sheetcaptures::run(kSettleMs, captureShown, [this, captureShown] {
                archivecaptures::run(kSettleMs, captureShown, [this, captureShown] {
                    prefcaptures::run(kSettleMs, captureShown, [this, captureShown] {
                        modecaptures::run(kSettleMs, captureShown, [this] {
                            if (AppDelegate *const delegate = AppDelegate::shared())
                                delegate->openBrowser2View();
                            else
                                openWebView();
                        });
                    });
                });
            });
        });
        return;
    }
    // The second account's browser, with the sheet that asks for its login.
    capture(browser->WindowController::window(), QStringLiteral("browser-second-account.png"));
    if (QDialog *const sheet = browser->loginPanel())
        capture(sheet, QStringLiteral("browser-second-account-login.png"));
    browser->cancelLogin();
    // Back on the main browser, a picture dropped on it opens the portrait sheet.
    AppDelegate *const shared = AppDelegate::shared();
    auto *const main =
        shared ? qobject_cast<BrowserWindowController *>(shared->googleBrowserWindowController())
               : nullptr;
    if (!main) {
        openReviewWindow();
        return;
    }
    portraitcaptures::run(
        main, kSettleMs,
        [this](QWidget *shown, const QString &name) { return capture(shown, name); },
        [this] { openReviewWindow(); });
}

// The review window as its opener makes it, on both tabs; closed again before the web view.
void WindowCaptures::openReviewWindow()
{
    AppDelegate *const delegate = AppDelegate::shared();
    std::unique_ptr<WindowController> made = windowfactory::make(WindowController::Kind::Preview);
    auto *const review = qobject_cast<GooglePreviewWindowController *>(made.get());
    if (!delegate || !review) {
        openWebView();
        return;
    }
    made.release();
    GoogleContactTool *const tool = delegate->appGoogleContactTool();
    review->setGoogleTool(tool);
    review->showWindow();
    review->setWinTitle(reviewtexts::windowTitle.arg(tool ? tool->user() : QString()));
    review->loadNamesForReview();
    const QPointer<GooglePreviewWindowController> guarded(review);
    QTimer::singleShot(kSettleMs, this, [this, guarded] {
        if (!guarded) {
            openWebView();
            return;
        }
        capture(guarded->WindowController::window(), QStringLiteral("review-names.png"));
        guarded->showReviewTabViewItem(reviewtexts::addressesTabIdentifier);
        QTimer::singleShot(kSettleMs, this, [this, guarded] {
            if (guarded) {
                capture(guarded->WindowController::window(),
                        QStringLiteral("review-addresses.png"));
                guarded->WindowController::window()->close();
            }
            openWebView();
        });
    });
}

void WindowCaptures::openWebView()
{
    if (AppDelegate *delegate = AppDelegate::shared())
        delegate->openWebView();
    // Where the web view cannot run, the page goes to the user's browser and no window opens.
    QTimer::singleShot(kWebViewWaitMs, this, [this] {
        if (!m_written.contains(QStringLiteral("web-view.png")))
            QCoreApplication::quit();
    });
}

// The web view counts the page's resources as they end or fail; once every one has, the page is
// whole.
void WindowCaptures::waitForPage(QWidget *window, int triesLeft)
{
    const auto *const controller =
        qobject_cast<const SafariWindowController *>(WindowController::forWindow(window));
    const ResourceTally *const tally = controller ? &controller->resources() : nullptr;
    const bool loaded = tally && tally->requested() > 0 &&
                        tally->completed() + tally->failed() >= tally->requested();
    QPointer<QWidget> guarded(window);
    if (loaded || triesLeft == 0) {
        std::printf("window-captures: web view: %s\n", qPrintable(window->windowTitle()));
        // The page is drawn by the web engine's compositor a moment after its load ends.
        QTimer::singleShot(kSettleMs * 4, this, [this, guarded] {
            if (guarded)
                capture(guarded, QStringLiteral("web-view.png"));
            QCoreApplication::quit();
        });
        return;
    }
    QTimer::singleShot(kSettleMs, this, [this, guarded, triesLeft] {
        if (guarded)
            waitForPage(guarded, triesLeft - 1);
    });
}

void WindowCaptures::captureBrowserSignIn(LoginSheet *sheet)
{
    QPointer<LoginSheet> shown(sheet);
    sheet->setSignsInWithBrowser(true, false);
    QTimer::singleShot(kSettleMs, this, [this, shown] {
        if (!shown)
            return;
        capture(shown, kBrowserSignInWindows.at(0));
        // The browser step starts only for a typed account.
        if (shown->userTextField()->text().isEmpty())
            type(shown->userTextField(), m_account);
        shown->setSignsInWithBrowser(true, true);
        shown->setWaitingForBrowser(true);
        QTimer::singleShot(kSettleMs, this, [this, shown] {
            if (!shown)
                return;
            capture(shown, kBrowserSignInWindows.at(1));
            shown->setWaitingForBrowser(false);
            shown->setSignsInWithBrowser(false, false);
            signIn(shown);
        });
    });
}
