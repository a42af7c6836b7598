// The actions a browser window offers on its selection that need no batch of the engine: the
// editor sheets the application delegate opens, the function panes, mail to the selection, map
// links, and the user's scripts.
#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <memory>

class BrowserWindowController;

class BrowserActions : public QObject
{
    Q_OBJECT

public:
    explicit BrowserActions(BrowserWindowController &window, QObject *parent = nullptr);
    ~BrowserActions() override;

    // The object that opens the editor sheets: the application delegate unless replaced. It
    // offers a sheet by an invokable operation of the sheet's name taking the asking window's
    // controller ("editGoogleContact(QObject*)", "editGoogleGroup(QObject*)",
    // "newGoogleGroup(QObject*)", "openNewGoogleContact(QObject*)") and takes the contact to edit
    // through "setCurrentContact(QVariantMap)"; what it does not offer is skipped.
    void setApplicationDelegate(QObject *delegate) { m_applicationDelegate = delegate; }

    // Editor sheets.
    void editContact();
    void editGoogleContact();
    void editGroup();
    void newGroup();
    void newContact();

    // The function panes.
    void showBulkEdit();
    void cancelBulkEdit();
    void showMessage();
    void cancelMessage();

    // Mail and maps.
    void sendMessage();
    void viewMapToWork() { viewMap(true); }
    void viewMapToHome() { viewMap(false); }
    void sendMapToWork() { sendMap(true); }
    void sendMapToHome() { sendMap(false); }

    // The user's scripts: the menu of the scripts folder, built anew on each call, and one run.
    // Each item runs the file it names.
    QMenu *buildScriptsMenu();
    QMenu *scriptsMenu() const { return m_scriptsMenu.get(); }
    void executeScript(const QString &title, const QString &fileName = QString());
    // The longest a script may run before it is ended and reported; 60 s.
    static void setScriptTimeLimitForTesting(int milliseconds);

private:
    QList<QVariantMap> selectedContactRows() const;
    QObject *applicationDelegate() const;
    // Runs the delegate's sheet operation with the window's controller; false when not offered.
    bool openSheet(const char *operation);
    void viewMap(bool work);
    void sendMap(bool work);
    QString scriptsFolderPath() const;
    void showScriptAlert(const QString &message, const QString &scriptName);

    BrowserWindowController &m_window;
    QPointer<QObject> m_applicationDelegate;
    bool m_applicationDelegateSet = false;
    std::unique_ptr<QMenu> m_scriptsMenu;
};
