#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

class BrowserWindowController;
class LoginSheet;
class QWidget;

// Follows the main program's windows as they open, writes a PNG of each into a folder, and moves
// the program on as a user would: it signs in through the login sheet, goes through the data
// loader's tabs, sheet and layouts, opens the main window after it, the browser and a second
// account's browser with its login sheet from the main window, then the web view window, and quits
// once the web page has loaded.
class WindowCaptures : public QObject
{
public:
    WindowCaptures(const QString &folder, const QString &account, const QString &password,
                   QObject *parent = nullptr);

    // The windows that were not captured, by file name; empty once each window was.
    QStringList missing() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void windowShown(QWidget *window);
    bool capture(QWidget *window, const QString &name);
    void signIn(QWidget *sheet);
    // The login sheet's browser sign-in forms, then the sign-in with the password.
    void captureBrowserSignIn(LoginSheet *sheet);
    void browserShown(BrowserWindowController *browser);
    void openReviewWindow();
    void openWebView();
    void waitForPage(QWidget *window, int triesLeft);

    QString m_folder;
    QString m_account;
    QString m_password;
    QSet<QString> m_written;
    QSet<const QWidget *> m_seen;
};
