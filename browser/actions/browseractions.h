// The actions a browser window offers on its contacts and groups: deletes, memberships and flags
// through the engine's batches, the editor sheets the application delegate opens, the function
// panes, mail to the selection, map links, and the user's scripts.
#pragma once

#include <QList>
#include <QMap>
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

    // Deletes and memberships, called back by the tables' delete sheets with the identifiers
    // ("gID" of contacts, "identifier" of group rows) named when the sheet opened, so that a
    // fetch that reorders the rows meanwhile never changes what goes. Deletion forbidden by the
    // preferences is refused in a sheet and nothing is sent; the All row is never deleted.
    void deleteGroups(const QStringList &groupIDs);
    void deleteContacts(const QStringList &gIDs);
    // The contacts leave the groups (the All row's identifier passed on as it is).
    void removeContactsFromGroups(const QStringList &gIDs, const QStringList &groupIDs);

    // Flags and memberships of the selected contacts; with nothing selected nothing is sent.
    void flagAsMale();
    void flagAsFemale();
    void flagAsPerson();
    void flagAsCompany();
    void bulkRemoveMemberships();

    // Find and replace over the selected contacts, by the Bulk pane's settings.
    void applyBulkChanges();
    // The merge master is the contact selected alone last, held by its "gID" so that a sort or
    // a search never makes another contact the master. The selection merges into it; a master
    // that is no longer selected stops the merge, and the user is told.
    void contactSelectionChanged(const QStringList &selectedIDs);
    QString mergeMasterID() const { return m_mergeMasterID; }
    // The merge item's title: "Merge <master> and <n> other" with several contacts selected,
    // else "<master> selected".
    QString mergeMenuTitle() const;
    void mergeContacts();

    // The user's scripts: the menu of the scripts folder, built anew on each call, and one run.
    // Each item runs the file it names.
    QMenu *buildScriptsMenu();
    QMenu *scriptsMenu() const { return m_scriptsMenu.get(); }
    void executeScript(const QString &title, const QString &fileName = QString());
    // The longest a script may run before it is ended and reported; 60 s.
    static void setScriptTimeLimitForTesting(int milliseconds);

private:
    QList<QVariantMap> selectedContactRows() const;
    QStringList selectedContactIDs() const;
    // The browser rows of these contacts, in the order given; contacts without a row are left
    // out.
    QList<QVariantMap> rowsOfContacts(const QStringList &gIDs) const;
    void flagSelection(const QMap<QString, QString> &flags);
    void refuseDeletion(const QString &message);
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
    QString m_mergeMasterID;
    QString m_mergeName;
};
