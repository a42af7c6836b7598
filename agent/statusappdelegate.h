#pragma once

#include "agent/configurationpanel.h"
#include "agent/quickentrycontroller.h"
#include "foundation/applicationdelegate.h"
#include "google/engine/googleabautoupdatedelegate.h"
#include "google/engine/googlecontacttoolmocdelegate.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googletoolhostdelegate.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <memory>

class GoogleABAutoUpdate;
class GoogleContactTool;
class ManagedObjectContext;
class OwnerAddressBook;
class PersistentStore;
class Prompter;
class QAction;
class QMenu;
class StatusItem;
class TolvaneOwner;

// Agent Tolvane's one application delegate: its start-up checks, preferences, store and engine,
// the internet test and poll, the paused and listening states, the status item and its menu,
// the address book listeners that feed the automatic push, the push snapshot, and the quit.
class StatusAppDelegate : public QObject,
                          public ApplicationDelegate,
                          public GoogleContactToolUIDelegate,
                          public GoogleContactToolMocDelegate,
                          public GoogleToolHostDelegate,
                          public GoogleABAutoUpdateDelegate
{
    Q_OBJECT

public:
    // The start-up checks; false once one failed and its fatal alert was shown.
    static bool initialize();

    // The value transformers are registered.
    StatusAppDelegate();
    ~StatusAppDelegate() override;

    static StatusAppDelegate *shared();

    // The start-up steps, ending in the first login attempt. False when a step ended the
    // program.
    bool awakeFromNib();

    // The engine is the agent's: its waits give up by failing the job.
    bool isStatusItem() const { return true; }

    // States.
    bool isPaused() const { return m_isPaused; }
    bool hadConnection() const { return m_hadConnection; }
    QString statusMessage() const { return m_statusMessage; }
    QString lastAction() const { return m_lastAction; }
    QString lastActionDateTime() const { return m_lastActionDateTime; }
    QString pauseMenu() const { return m_pauseMenu; }
    bool isBlinking() const { return m_blinker.isActive(); }
    bool isPolling() const { return m_poller.isActive(); }
    int pushMode() const { return m_pushMode; }
    double pollInterval() const { return m_pollInterval; }

    // Listening: the address book handlers are connected (or not) and the choice is stored.
    bool isListening() const;
    void setABNotifications(bool on);

    // Login.
    bool hasInternetConnection();
    void attemptLogin();
    void loginToGoogle();
    void openLoginPanel(GoogleContactTool *tool) override;

    // Menu actions.
    void pauseStop();
    void togglePolling();
    void togglePush();
    void configure();
    void closeConfigure();
    void terminateStatusItem();
    void setLoggingLevel(int level);

    // The push snapshot and the changes since it.
    void takePushSnapshot();
    void loadPendingABChanges();
    void loadPending() override;
    void loadAutoABGroups();
    void recordAutoABGroupKeys();
    QList<AutoABGroup> autoABGroups() override { return m_autoABGroups; }
    void setAutoABGroups(const QList<AutoABGroup> &rows);
    void setGroupSynch(int row, bool doSynch);
    QStringList monitoredGroupIDs() const { return m_monitoredGroupIDs; }
    QStringList monitoredContactIDs() const { return m_monitoredContactIDs; }
    void setMonitoredGroupIDs(const QStringList &ids);
    // The ticked rows become the monitored groups, recorded anew even when they are the same.
    void monitorTickedGroups();
    bool hasSelectedGroups() const { return m_hasSelectedGroups; }
    void setHasSelectedGroups();
    GoogleABAutoUpdate *sharedABUpdateTool();
    void abChanged(const QVariantMap &info);
    void abChangedExternally(const QVariantMap &info);
    // A change handler that is never connected: it keeps the rows of push mode 2 in step with
    // the groups of the change and hands the monitored records of it to the push; a restore
    // switches the main program's automatic push off and tells the user.
    void pushNotificationManager(const QVariantMap &info);
    // The identifiers the push mode lets through: none in mode 0, all in mode 1, the monitored
    // groups or contacts in mode 2. Changes nothing.
    QStringList filterByUserPrefs(const QStringList &ids, bool isGroupType) const;

    // Quick entry: a hand-over file fills the panel (false, with the reason, when the file is
    // refused and left alone); the menu opens an empty panel.
    bool cardzapFromFile(const QString &path, QString *why);
    void openCardzapPanelWithString(const QString &text);
    void newContact() { openCardzapPanelWithString(QString()); }
    QuickEntryController *quickEntry() const { return m_quickEntry.get(); }

    // One value into the main program's domain, on disk at once.
    static void setPrefValue(const QVariant &value, const QString &key);
    static void postAlert(const QString &message, const QString &smallText, bool doDie);

    // The quit steps, once.
    void applicationWillTerminate();

    // Store.
    ManagedObjectContext *managedObjectContext() const { return m_context.get(); }
    TolvaneOwner *owner() const { return m_owner; }
    GoogleContactTool *appGoogleContactTool() const { return m_appGoogleContactTool.get(); }
    bool offersUpdateCoreData() const override { return m_context != nullptr; }
    void updateCoreData() override;
    bool offersFormatAsPhoneNumber() const override { return true; }
    QString formatAsPhoneNumber(const QString &phoneNumber) override;

    // The status item and its menu.
    StatusItem *statusItem() const { return m_statusItem.get(); }
    QMenu *statusMenu() const { return m_statusMenu.get(); }
    QAction *pauseAction() const { return m_pauseAction; }
    ConfigurationPanel *configurationPanel() const { return m_configurationPanel; }

    // Folders from the main program's preferences.
    std::optional<QString> pendingFolderPath() override;
    std::optional<QString> pendingArchiveFolderPath() override;
    std::optional<QString> restartFolderPath() override;
    std::optional<QString> googleBackupFolderPath() override;
    std::optional<QString> tmpFolderPath() override;

    // The engine's UI delegate: progress goes to the status lines.
    void openUserInfoWithMessage(const QString &message, int progressMax) override;
    void updateUserInfoWithMessage(const QString &message) override;
    void closeUserInfo() override;
    void setStatusMessage(const QString &message) override;
    void setLastAction(const QString &action) override;
    void setProgressMessage(const QString &message) override;
    void setProgressMaxValue(double value) override;
    void setProgressCurValue(double value) override;
    void refreshView() override;
    void setGoogleDataMask() override;
    void showWindow() override;
    QWidget *window() override;
    void cleanupGUIforProcess(const QString &process, const QString &subtitle,
                              const std::optional<GDataError> &error) override;
    // The agent has no browser.
    bool showsContactBrowserRows() const override;

private:
    void registerFactoryDefaults();
    void readPushOptions();
    void initAsStatusItem();
    bool setupCoreDataEnvironment();
    void setPauseMenu();
    void startBlinker();
    void stopBlinker();
    void pollForInternet();
    void watchLogin();
    void loginFailed(const QString &reason);
    // Logged out in effect: waiting, and trying the login again at the poll interval.
    void waitForGoogle();
    void pushFailed(const QString &reason);
    void loginEnded();
    void placeUnderStatusItem(QWidget *panel);
    QStringList computeMonitoredContactIDs() const;
    void restoreSeen();
    // Notes a restore that the handlers have not dealt with: one since the last run, or one read
    // in while they do not act.
    void watchForRestores();
    void markRestoresSeen();
    void connectHandlers();
    void disconnectHandlers();
    static bool isRestoreNotice(const QVariantMap &info);

    // States.
    bool m_hadConnection = false;
    bool m_isPaused = true;
    // A restore of the book that is yet to be dealt with (nothing pushed, a new snapshot, the
    // alert).
    bool m_restorePending = false;
    bool m_hasSelectedGroups = false;
    bool m_abPushSelectedGroups = false;
    bool m_abPushAllGroups = true;
    bool m_abPushIncludeNewGroups = false;
    bool m_abPushIncludeNestedGroups = false;
    bool m_abPushIncludeNoGroupContacts = false;
    int m_pushMode = 0;
    double m_pollInterval = 5.0;
    QString m_lastAction;
    QString m_lastActionDateTime;
    QString m_statusMessage;
    QString m_pauseMenu;
    QTimer m_blinker;
    QTimer m_poller;
    QTimer m_loginWatch;
    bool m_loginRunning = false;
    bool m_loginErrorShown = false;
    bool m_terminated = false;
    std::unique_ptr<Prompter> m_quietSheets;

    // Groups of push mode 2.
    QList<AutoABGroup> m_autoABGroups;
    QStringList m_monitoredGroupIDs;
    QStringList m_monitoredContactIDs;

    // Listening.
    QMetaObject::Connection m_changedConnection;
    QMetaObject::Connection m_changedExternallyConnection;
    // Listening was switched off by a command (another program writes meanwhile).
    bool m_silenced = false;

    // Store and engine.
    std::shared_ptr<PersistentStore> m_store;
    std::unique_ptr<ManagedObjectContext> m_context;
    std::unique_ptr<OwnerAddressBook> m_ownerAddressBook;
    TolvaneOwner *m_owner = nullptr;
    std::unique_ptr<GoogleContactTool> m_appGoogleContactTool;
    std::unique_ptr<GoogleABAutoUpdate> m_googleABAutoUpdate;

    // Interface.
    std::unique_ptr<QMenu> m_statusMenu;
    QAction *m_pauseAction = nullptr;
    QList<QAction *> m_infoActions;
    std::unique_ptr<StatusItem> m_statusItem;
    QPointer<ConfigurationPanel> m_configurationPanel;
    std::unique_ptr<QuickEntryController> m_quickEntry;
};
