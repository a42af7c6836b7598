#pragma once

#include "app/menus/menuset.h"
#include "app/sheets/contactsheet.h"
#include "app/sheets/groupsheet.h"
#include "app/signin/googlesignin.h"
#include "app/startup/folderlayout.h"
#include "app/windows/loginsheet.h"
#include "app/windows/mainwindow.h"
#include "app/windows/welcomepanel.h"
#include "app/windows/windowcontroller.h"
#include "foundation/applicationdelegate.h"
#include "google/batch/batchaction.h"
#include "google/engine/googleabautoupdatedelegate.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttoolmocdelegate.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/engine/googletoolhostdelegate.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QVariantMap>

#include <map>
#include <memory>

class Country;
class GoogleContactTool;
class GoogleABAutoUpdate;
class CustomizeDialog;
class PrefPages;
class PrefSheet;
class ManagedObjectContext;
class QAction;
class QMenu;
class OwnerAddressBook;
class PersistentStore;
class QAbstractButton;
class QLineEdit;
class QMenu;
class QMimeData;
class QTimer;
class StatusItem;
class TolvaneOwner;

// The main program's one application delegate: its start-up, folders, store, login, windows,
// countries and shutdown. It is the application's Google engine's first UI, data and store
// delegate and its host; every window reaches it through shared().
class AppDelegate : public QObject,
                    public ApplicationDelegate,
                    public GoogleContactToolUIDelegate,
                    public GoogleContactToolDataDelegate,
                    public GoogleContactToolMocDelegate,
                    public GoogleToolHostDelegate
{
    Q_OBJECT

public:
    // Class initialisation: the log level and the environment checks. False once a check has
    // failed and the program is ending (its alert shown); nothing after it may run then.
    static bool initialize();

    // The initialiser: the preferences file test, the random seed, the factory defaults and the
    // value transformers.
    AppDelegate();
    ~AppDelegate() override;

    static AppDelegate *shared();

    // The ordered start-up steps behind the welcome panel, ending in the login. False when a step
    // ended the program.
    bool awakeFromNib();
    void applicationDidFinishLaunching();
    // Packages are updated by the system; the check only writes its trace line, and the feed
    // parameters of the old updater have no caller.
    void checkForUpdate();
    static QVariantList feedParametersForUpdater();

    // Start-up progress.
    QString progressMessage() const { return m_progressMessage; }
    int updateCount() const { return m_progressCount; }
    WelcomePanel *welcomePanel() const { return m_welcomePanel; }
    void showWelcomPanel();
    void closeWelcomPanel();

    // Folders and the store.
    const FolderLayout &folders() const { return m_folders; }
    QString libraryFolderPath() const { return m_folders.libraryFolderPath; }
    QString logFilePath() const { return m_folders.logFilePath; }
    QString crashLogFilePath() const { return m_folders.crashLogFilePath; }
    QString datafilePath() const { return m_datafilePath; }
    QString scriptsFolderPath() const { return m_folders.scriptsFolderPath; }
    std::optional<QString> tmpFolderPath() override { return m_folders.tmpFolderPath; }
    std::optional<QString> googleBackupFolderPath() override
    {
        return m_folders.googleBackupFolderPath;
    }
    std::optional<QString> pendingFolderPath() override { return m_folders.pendingFolderPath; }
    std::optional<QString> pendingArchiveFolderPath() override
    {
        return m_folders.pendingArchiveFolderPath;
    }
    std::optional<QString> restartFolderPath() override { return m_folders.restartFolderPath; }
    ManagedObjectContext *managedObjectContext() const { return m_context.get(); }
    TolvaneOwner *owner() const { return m_owner; }
    void setOwner(TolvaneOwner *owner) { m_owner = owner; }
    bool offersUpdateCoreData() const override { return m_context != nullptr; }
    void updateCoreData() override;

    // The application's engine, made in the last start-up step.
    GoogleContactTool *appGoogleContactTool() const { return m_appGoogleContactTool.get(); }

    // Login and password.
    void loginToGoogle();
    void openLoginPanel(GoogleContactTool *tool) override;
    void changeGoogleAccount();
    LoginSheet *loginPanel() const { return m_loginPanel; }
    bool canLogin() const { return m_canLogin; }
    // Recomputed from the sheet's two fields, whatever the argument.
    void setCanLogin();
    void login();
    void cancelLogin();
    QString gsUser() const { return m_gsUser; }
    void setGsUser(const QString &user) { m_gsUser = user; }
    QString gsPW() const { return m_gsPW; }
    // The password controls of the preferences sheet, which hands them in when it is made.
    struct PasswordControls
    {
        QPointer<QAbstractButton> changePW;
        QPointer<QAbstractButton> cancelPW;
        QPointer<QAbstractButton> savePW;
        QPointer<QLineEdit> changePWField;
        QPointer<QLineEdit> prefUserAccountField;
    };
    void setPasswordControls(const PasswordControls &controls) { m_passwordControls = controls; }
    void changePassword();
    void cancelPassword();
    void savePassword();

    // Windows.
    void openDataMover(GoogleContactTool *tool = nullptr) override;
    void openBrowserView(GoogleContactTool *tool = nullptr) override;
    void openBrowser2View();
    void openWebView();
    WindowController *createCachedController();
    const std::map<QString, QPointer<WindowController>> &browserControllerCache() const
    {
        return m_browserControllerCache;
    }
    void killAppBrowserController();
    WindowController *dataMoverWindowController() const { return m_dataMoverWindowController; }
    WindowController *googleBrowserWindowController() const
    {
        return m_googleBrowserWindowController;
    }
    WindowController *googlePreviewWinController() const { return m_googlePreviewWinController; }
    WindowController *safariWindowController() const { return m_safariWindowController; }
    void setDataMoverWindowController(WindowController *controller);
    void setGoogleBrowserWindowController(WindowController *controller);
    void setGooglePreviewWinController(WindowController *controller);
    void setSafariWindowController(WindowController *controller);
    // The key window (a window-modal sheet counts as the window it is on) and its controller.
    QWidget *keyWindow() const;
    WindowController *keyWindowController() const;
    MainWindow *mainWindow() const { return m_mainWindow; }
    bool isBrowserFront() const;
    // Menu commands, passed on to the key window's controller when it answers them.
    void toggleGroupNav();
    void toggleBrowserImage();
    void toggleNotes();
    void browserChangeDataField(int tag);
    void showTableColumnSheet();
    void toggleSetOperator();
    QString browserSetModeMenuTitle() const { return m_browserSetModeMenuTitle; }
    QString statusMessage() const { return m_statusMessage; }

    // Countries, regions and address labels.
    struct RegionChoice
    {
        QString name;
        bool on = false;
        bool operator==(const RegionChoice &) const = default;
    };
    QString defaultCountry() const;
    void loadRegionData();
    void loadCountryData();
    void selectCountryAndRegionRows();
    void toggleDefaultCountry();
    QStringList countryMenuItems() const;
    void loadTolvaneRegions();
    void recordTolvaneRegions();
    void initializeTolvaneRegion();
    void initializeTolvaneGeoRegion();
    const QList<RegionChoice> &useRegionsArray() const { return m_useRegionsArray; }
    void setRegionOn(int row, bool on);
    const QList<Country *> &useCountriesArray() const { return m_useCountriesArray; }
    const QStringList &countryNamesArray() const { return m_countryNamesArray; }
    // The rows chosen in the preferences' country and region lists; -1 for none.
    int countrySelection() const { return m_countrySelection; }
    int regionSelection() const { return m_regionSelection; }
    const QStringList &threeLabels() const { return m_threeLabels; }
    const QStringList &twoLabels() const { return m_twoLabels; }
    void setThreeLabels(const QStringList &labels) { m_threeLabels = labels; }
    void setTwoLabels(const QStringList &labels) { m_twoLabels = labels; }
    void resetTwoLabels();
    void resetLastLabel();
    QVariantMap unpackAddress(const QString &text) const;

    // Preferences: the sheet, its panes' toolbar, the values its panes show, and the browser
    // toolbar's commands.
    struct SortKey
    {
        QString key;
        Qt::SortOrder order = Qt::AscendingOrder;
        bool operator==(const SortKey &) const = default;
    };
    // Made at start-up; again when the window it stood on took it along.
    void makePrefSheet();
    void setupToolbarForWindow(PrefSheet *sheet);
    QAction *toolbarItemForItemIdentifier(const QString &identifier);
    static QStringList toolbarDefaultItemIdentifiers();
    static QStringList toolbarAllowedItemIdentifiers();
    static QStringList toolbarSelectableItemIdentifiers();
    PrefSheet *prefSheet() const;
    PrefPages *prefPages() const;
    Q_INVOKABLE void showPreferencePanel();
    Q_INVOKABLE void reviewABPrefs();
    Q_INVOKABLE void reviewGooglePrefs();
    void generalPrefs();
    void accountPrefs();
    void abPrefs();
    void googlePrefs();
    void updatePrefs();
    void safariPrefs();
    void consolePrefs();
    void pushPrefs();
    void internationalPrefs();
    void vCardPrefs();
    void closePrefSheet();
    void prefSheetDidEnd();
    bool toolbarWasVisible() const { return m_toolbarWasVisible; }
    static bool isVCardPicABEnabled();
    static bool isVCardNoteABEnabled();
    bool hasSelectedGroups() const { return m_hasSelectedGroups; }
    // Recomputed from the push selection and its options, whatever the argument.
    void setHasSelectedGroups();
    void setCanDoSimpleAB();
    static int gmUpdateContacts();
    bool isLeopardPlus() const { return m_isLeopardPlus; }
    static QList<SortKey> sortOrder();
    static QList<SortKey> lastNameSort();
    static QList<SortKey> nameSort();
    static QList<SortKey> valueSort();
    void launchConsole();
    // The browser hands in its toolbar when it makes it.
    Q_INVOKABLE void setToolbar(QToolBar *toolbar);
    QToolBar *toolbar() const;
    void customize();
    CustomizeDialog *customizeDialog() const;
    void showhide();
    QString toolbarMenuVerb() const;

    // Shutdown: the snapshot, the restart lists and the saves, once.
    void applicationWillTerminate();
    void quitTolvane();

    // Application mode, the relaunch and the agent's login item.
    bool isStatusItem() const { return m_isStatusItem; }
    StatusItem *statusItem() const { return m_statusItem.get(); }
    QMenu *statusMenu() const { return m_statusMenu.get(); }
    void initAsStatusItem();
    void morphToApp();
    void initAsApplication();
    // The application mode preference's action, with the value just chosen: on, the restart
    // sheet; off, application mode at once.
    void changeStatusItemStatus(bool runAsStatusItem);
    // The restart sheet's end; the prompter has closed the sheet. Only "Restart now" (0) acts.
    void proceedQuit(int returnCode);
    void startBlinker();
    void stopBlinker();
    void blink();
    // The login item of the installed agent, as the preferences' checkbox shows it.
    bool isLoginItem() const { return m_isLoginItem; }
    void setIsLoginItem(bool isLoginItem);
    QString agentLoginItemPath() const;
    bool loginItemExistsForPath(const QString &path) const;
    // Adds the agent's login item when there is none, removes it otherwise, then shows what is
    // really there.
    void manageLoginItemStatus();
    // The program's surroundings: the front application, the menus' actions, the web pages and
    // the scripts (which always fail here: there is no script runner).
    QString frontAppBundle() const { return m_frontAppBundle; }
    void setFrontAppBundle(const QString &name);
    void menuNotification();
    void defaultsDidChangeNotification(const QVariantMap &userInfo);
    void openGoogleContactPage();
    void openFAQPage();
    void openManuaPage();
    void openSupportForum();
    void openHomePage();
    QString doAppleScript(const QString &source);

Q_SIGNALS:
    void isLoginItemChanged(bool isLoginItem);

private:
    std::unique_ptr<QMenu> m_statusMenu;
    std::unique_ptr<StatusItem> m_statusItem;
    QTimer *m_blinker = nullptr;
    bool m_isLoginItem = false;
    QString m_frontAppBundle;

public:

    // The engine's UI delegate: what the application delegate answers while no window has taken
    // the engine over. It shows no progress sheet of its own.
    void openUserInfoWithMessage(const QString &message, int progressMax) override;
    void updateUserInfoWithMessage(const QString &message) override;
    void closeUserInfo() override;
    void setStatusMessage(const QString &message) override;
    void setProgressMessage(const QString &message) override;
    void setProgressMaxValue(double value) override;
    void setProgressCurValue(double value) override;
    void refreshView() override;
    void setGoogleDataMask() override;
    void showWindow() override;
    QWidget *window() override;

    // The contact and group editor sheets and the text pasted into them. Each sheet works on the
    // browser window it was opened on (the application engine once that window has closed), and
    // a rename on the group it was opened for. The openers take the asking window's controller
    // (the key window's when there is none); the browser's actions invoke them by name.
    Q_INVOKABLE void newGoogleGroup(QObject *sender = nullptr);
    Q_INVOKABLE void editGoogleGroup(QObject *sender = nullptr);
    void cancelNewGoogleGroup();
    void saveNewGoogleGroup();
    Q_INVOKABLE void openNewGoogleContact(QObject *sender = nullptr);
    Q_INVOKABLE void cloneGoogleContact(QObject *sender = nullptr);
    void cancelNewGoogleContact();
    void saveNewGoogleContact();
    // The edit sheet edits a copy of the asking window's current contact, or, where the window
    // shows none, of the contact handed in just before by setCurrentContact.
    Q_INVOKABLE void setCurrentContact(const QVariantMap &contact);
    Q_INVOKABLE void editGoogleContact(QObject *sender = nullptr);
    // The new contact's country and IM service as chosen when its sheet opened, stored in its
    // dictionary, which the open sheet then shows again.
    void updateContactCountry();
    void updateContactImProtocol();
    void cancelEditGoogleContact();
    void saveEditGoogleContact();
    // Formats the phone fields (tags 95 to 97) as they are left; always true.
    bool controlTextShouldEndEditing(QLineEdit *control);
    // The account field of the login sheet (tag 10) and the paste fields (tags 91 and 92).
    void controlTextDidChange(QObject *control);
    bool offersFormatAsPhoneNumber() const override { return true; }
    QString formatAsPhoneNumber(const QString &phoneNumber) override;
    // The Services message: opens the new-contact sheet with the dragged text. False, with the
    // error text set, when the data holds no such text.
    bool cardzap(const QMimeData *pasteboard, const QString &userData, QString *error);
    bool newGroupFlag() const { return m_newGroupFlag; }
    bool newRecordMode() const { return m_newRecordMode; }
    QString newGroupName() const { return m_newGroupName; }
    const QVariantMap &newGoogleContact() const { return m_newGoogleContact; }
    const QVariantMap &currentContact() const { return m_currentContact; }
    bool addToAddressBook() const { return m_addToAddressBook; }
    bool addToGoogleContacts() const { return m_addToGoogleContacts; }
    QString linkifiedNotes() const { return m_linkifiedNotes; }
    QString expressPastedString() const { return m_expressPastedString; }
    const QStringList &abGroupNamesArray() const { return m_abGroupNamesArray; }
    const QStringList &googleGroupNamesArray() const { return m_googleGroupNamesArray; }
    const QStringList &sheetCountryNames() const { return m_sheetCountryNames; }
    GroupSheet *newGroupPanel() const { return m_newGroupPanel; }
    ContactSheet *newContactPanel() const { return m_newContactPanel; }
    ContactSheet *editContactPanel() const { return m_editContactPanel; }

private:
    // The editor sheets.
    WindowController *askingWindow(QObject *sender) const;
    WindowController *browserForSheet(QObject *sender);
    GoogleContactTool *sheetEngine() const;
    void showGroupSheet();
    ContactSheet *contactSheet(bool forNewContact);
    void showContactSheet(ContactSheet *sheet);
    void endContactSheet(ContactSheet *sheet);
    void startNewContact();
    QString notesWithCreationLines(QString notes) const;
    void saveNewContactToAddressBook();
    void saveNewContactToGoogle(GoogleContactTool &tool);
    void processExpressString();
    void applyPastedValue(QVariantMap &target, const QString &key, const QString &value);

    bool m_newGroupFlag = false;
    bool m_newRecordMode = false;
    QStringList m_abGroupNamesArray;
    QStringList m_googleGroupNamesArray;
    QStringList m_sheetCountryNames;
    QString m_linkifiedNotes;
    QString m_newGroupName;
    QString m_newContactCountry;
    int m_imProtocol = 0;
    bool m_addToAddressBook = false;
    bool m_addToGoogleContacts = false;
    QVariantMap m_newGoogleContact;
    QVariantMap m_currentContact;
    QVariantMap m_handedContact;
    QString m_expressPastedString;
    // The window a sheet was opened on, and the identifier of the group a rename is for.
    QPointer<WindowController> m_sheetWindow;
    QString m_sheetGroupID;
    QPointer<GroupSheet> m_newGroupPanel;
    QPointer<ContactSheet> m_newContactPanel;
    QPointer<ContactSheet> m_editContactPanel;

public:
    // Menus and their commands. One set of menu actions serves every main window, each of which
    // gets a menu bar built from it; items are validated as their menu opens and whenever the
    // active window changes, so a disabled shortcut never fires.
    MenuSet *menuSet() const { return m_menuSet.get(); }
    // Gives the controller's window the main menu as its menu bar.
    void attachMenuBar(WindowController *controller);
    // The whole main menu as one menu (for the tray item), owned by the parent.
    QMenu *buildStatusMenu(QWidget *parent) const;
    // Runs the command of a menu item: a forwarded command goes to the data loader (nothing
    // without one), any other to the delegate's own operation. False for a name no menu has.
    Q_INVOKABLE bool performMenuCommand(const QString &command, QObject *sender = nullptr);
    bool validateMenuItem(const QAction &item) const;
    // The group names a group menu lists as it opens.
    QStringList groupMenuNames(MenuSet::GroupSource source) const;
    void verifyAB();
    // Refetches through the engine of the asking window's controller (the key window's when the
    // sender is none).
    Q_INVOKABLE void refreshGoogleState(QObject *sender = nullptr);
    void reviewGoogleNames();
    void startGoogleABSync();
    // No such synchronisers exist here.
    bool isMobileMeSyncRunning() const { return false; }
    bool isGoogleSyncRunning() const { return false; }
    GoogleContactTool *appGoogleContactTool2() const { return m_appGoogleContactTool2; }
    void setAppGoogleContactTool2(GoogleContactTool *tool) { m_appGoogleContactTool2 = tool; }
    const BatchActionQueue &batchActionGroupArray() const { return m_batchActionGroupArray; }
    void setBatchActionGroupArray(const BatchActionQueue &queue) { m_batchActionGroupArray = queue; }
    const QList<GDataEntryContactGroupPtr> &groupArray() const { return m_groupArray; }
    void setGroupArray(const QList<GDataEntryContactGroupPtr> &groups) { m_groupArray = groups; }
    // The push selection: one row per address book group, marked when its changes are pushed.
    void loadAutoABGroups();
    void recordAutoABGroupKeys();
    const QList<AutoABGroup> &autoABGroups() const { return m_autoABGroups; }
    void setAutoABGroups(const QList<AutoABGroup> &groups) { m_autoABGroups = groups; }
    // Address book change notices (their information dictionaries); nothing registers them.
    void abChanged(const QVariantMap &info);
    void abChangedExternally(const QVariantMap &info);
    void googlePushManager(const QVariantMap &info);
    // Push selection: the automatic push that googlePushManager hands changes to. The main
    // program makes none (the agent pushes), so it stays null unless one is set. Not owned.
    GoogleABAutoUpdate *googleABAutoUpdate() const;
    void setGoogleABAutoUpdate(GoogleABAutoUpdate *push);

private:
    void setUpMenus();
    bool performOwnCommand(const QString &command, QObject *sender);
    void forwardToDataLoader(const QString &command, QObject *sender);
    void chooseTableColumn(QObject *sender, bool shown);
    // Push selection: the book's changes kept to the selected groups and their records.
    struct PushChanges
    {
        QStringList inserted;
        QStringList updated;
        QStringList deleted;
    };
    PushChanges followPushSelection(const QVariantMap &info);
    QPointer<GoogleABAutoUpdate> m_googleABAutoUpdate;
    std::unique_ptr<MenuSet> m_menuSet;
    GoogleContactTool *m_appGoogleContactTool2 = nullptr;
    BatchActionQueue m_batchActionGroupArray;
    QList<GDataEntryContactGroupPtr> m_groupArray;
    QList<AutoABGroup> m_autoABGroups;

private:
    friend class AppDelegateTest;

    void progressStep(const QString &text, bool redraw = true);
    void logBasicData();
    void setupFileAndFolderEnvironment();
    bool setupCoreDataEnvironment();
    void examineAddressBook();
    void makeApplicationEngine();
    void connectLoginSheet();
    void startFetch(GoogleContactTool *tool);
    void loginPanelDidEnd();
    // The window of a controller the delegate keeps has closed: forget it and take back the
    // engine's delegates it held.
    void windowWillClose(WindowController *controller);
    void adoptController(WindowController *controller);
    void forwardCommand(const QString &name, const QVariant &argument = QVariant());
    void showMainWindowInstead();
    void writeRestartList(const QString &name, const QStringList &identifiers);
    Country *countryNamed(const QString &name) const;

    // Start-up.
    bool m_isLeopardPlus = true;
    bool m_isStatusItem = false;
    bool m_isUserAgent = false;
    int m_progressCount = 0;
    QString m_progressMessage;
    QStringList m_threeLabels;
    QStringList m_twoLabels;
    QString m_cityLabel;
    QString m_stateLabel;
    QString m_postalLabel;
    QPointer<WelcomePanel> m_welcomePanel;
    std::unique_ptr<GoogleContactTool> m_appGoogleContactTool;

    // Folders and the store.
    FolderLayout m_folders;
    QString m_datafilePath;
    std::shared_ptr<PersistentStore> m_store;
    std::unique_ptr<ManagedObjectContext> m_context;
    std::unique_ptr<OwnerAddressBook> m_ownerAddressBook;
    TolvaneOwner *m_owner = nullptr;

    // Login.
    bool m_canLogin = false;
    QString m_gsUser;
    QString m_gsPW;
    QPointer<LoginSheet> m_loginPanel;
    // Which engine the open sheet signs in, and whether it is the start-up's own sheet for want
    // of credentials, the only one whose Cancel ends the program.
    QPointer<QObject> m_loginTarget;
    GoogleContactTool *m_loginTool = nullptr;
    bool m_loginEndsProgramOnCancel = false;
    PasswordControls m_passwordControls;

    // Windows.
    QString m_statusMessage;
    QString m_browserSetModeMenuTitle;
    std::map<QString, QPointer<WindowController>> m_browserControllerCache;
    QPointer<WindowController> m_dataMoverWindowController;
    QPointer<WindowController> m_googleBrowserWindowController;
    QPointer<WindowController> m_googlePreviewWinController;
    QPointer<WindowController> m_safariWindowController;
    QPointer<MainWindow> m_mainWindow;

    // Countries.
    QList<RegionChoice> m_useRegionsArray;
    QList<Country *> m_useCountriesArray;
    QStringList m_countryNamesArray;
    int m_countrySelection = -1;
    int m_regionSelection = -1;

    // Preferences.
    // The toolbar of a browser's window; null for any other window.
    static QToolBar *browserToolbarOf(const QWidget *window);
    // The sheet on that window; standing alone without one.
    void openPreferencesOn(QWidget *window);
    void selectPane(const QString &identifier);
    QPointer<PrefSheet> m_prefSheet;
    QPointer<PrefPages> m_prefPages;
    QPointer<CustomizeDialog> m_customizeDialog;
    QPointer<QToolBar> m_browserToolbar;
    bool m_toolbarWasVisible = false;
    bool m_hasSelectedGroups = false;

    bool m_terminated = false;

    // Backups and restores of either side.
public:
    // The Google account's backup and restore, on the engine of a second-account browser in
    // front, else on the application engine.
    void backupGMail();
    void restoreGMail();
    // The whole address book to a file the user chooses, and back.
    void backupAddressBook();
    void restoreAddressBook();
    QString addressBookBackupFolderPath() const;
    // How a listening agent is silenced around an address book restore: the program hands in the
    // data loader's agent client, whose folder comes after this one, before the delegate is made.
    struct AgentListener
    {
        std::function<bool()> isListening;
        std::function<void()> silence;
        std::function<void()> turnOn;
    };
    static void setAgentListener(AgentListener listener);

private:
    GoogleContactTool *archiveEngine() const;
    void restoreAddressBookFrom(const QString &path);
    void addressBookWasRestored();
    static AgentListener &agentListener();

    // Opened vCard files.
public:
    // The cards of the files become contacts added to Google. Files given before the launch's
    // first window has opened wait for it. False when nothing is sent: no window to show the
    // work, or no card in the files (the user is told either way).
    bool openFiles(const QStringList &paths);
    // The launch's first window has opened; files held for it go now.
    void launchWindowDidOpen();
    BatchActionQueue batchActionContactArray() override;

private:
    bool sendOpenedFiles(const QStringList &paths);
    bool m_launchWindowShown = false;
    QStringList m_heldOpenFiles;
    BatchActionQueue m_batchActionContactArray;

    // Browser sign-in of the People protocol: the login sheet's, the preferences' "Sign in
    // again…", and the OAuth client those need.
public:
    // Whether the account's protocol signs in through the browser instead of a password.
    static bool signsInWithBrowser();
    // The imported client changed: an open login sheet shows whether it can sign in now.
    void googleClientChanged();
    // Signs the account of the preferences in again, replaces its keychain item (the old grant
    // is revoked) and logs in; ended gets the failure's message, empty on success.
    void signInAgain(std::function<void(const QString &message)> ended);
    GoogleSignIn *googleSignIn();

private:
    void connectBrowserSignIn();
    void browserLogin();
    void browserLoginEnded(const QString &account, const GoogleSignIn::Outcome &outcome);
    void cancelBrowserSignIn();
    void openClientSection();
    QPointer<GoogleSignIn> m_googleSignIn;
    bool m_loginHasClient = false;
};
