#pragma once

#include "app/windows/windowcontroller.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "loader/passes/downloadpass.h"
#include "loader/passes/uploadplanner.h"
#include "platform/ui/prompter.h"

#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QString>
#include <QTabWidget>
#include <QTableView>
#include <QVariantMap>

class GoogleSignIn;
class GroupRowsModel;
class QFormLayout;
class QHBoxLayout;
class QVBoxLayout;

// The data loader window: the address book and Google group tables with their counts, the full
// updates in both directions, Simple and Advanced, and their progress and results. While one of
// its processes runs it is the engine's UI and data delegate, and it stays alive until the
// process has ended, even when the user closes the window.
class DataMoverWindowController : public WindowController,
                                  public GoogleContactToolUIDelegate,
                                  public GoogleContactToolDataDelegate
{
    Q_OBJECT

public:
    DataMoverWindowController();
    ~DataMoverWindowController() override;

    // The window.
    GoogleContactTool *googleTool() const override { return m_tool; }
    void setGoogleTool(GoogleContactTool *tool) override;
    GoogleContactToolUIDelegate *engineUIDelegate() override { return this; }
    GoogleContactToolDataDelegate *engineDataDelegate() override { return this; }
    void showWindow() override;
    QWidget *window() override { return WindowController::window(); }
    void windowDidLoad();
    void windowDidBecomeKey();

    // The full updates: each opens its confirmation sheet on the key window.
    void simpleUpdateGMail();
    void advancedUpdateGMail();
    void simpleUpdateAddressBook();
    void advancedUpdateAddressBook();
    void checkAB();
    // Preferences: the sheet on the pane of the options of each direction.
    void reviewABPrefs();
    void reviewGooglePrefs();
    bool processRunning() const { return m_process.running; }
    // No process runs and the fetch that follows one has come back.
    bool isIdle() const { return !m_process.running && !m_refetchPending; }

    // The backing data.
    void setABBackingData();
    void manageWindowUI();
    void toggleSmartGroups();
    void updateUI(QObject *sender);
    const QList<QVariantMap> &localABGroupArray() const { return m_localABGroupArray; }
    const QList<QVariantMap> &googleGroupUIArray() const { return m_googleGroupUIArray; }
    GroupRowsModel *abGroupModel() const { return m_abModel; }
    GroupRowsModel *googleGroupModel() const { return m_googleModel; }
    QString buttonLabel() const { return m_buttonLabel; }
    QString googleButtonLabel() const { return m_googleButtonLabel; }
    int isAGroupSelected() const { return m_isAGroupSelected; }
    int isAGoogleGroupSelected() const { return m_isAGoogleGroupSelected; }
    int willContactBeUploaded() const { return m_willContactBeUploaded; }
    int willGoogleContactBeDownloaded() const { return m_willGoogleContactBeDownloaded; }
    QStringList curABGroupSelections() const { return m_curABGroupSelections; }
    QStringList curGoogleGroupSelections() const { return m_curGoogleGroupSelections; }
    int totalABGroups() const { return m_totalABGroups; }
    int totalABPeople() const { return m_totalABPeople; }
    int totalABCompanies() const { return m_totalABCompanies; }
    int totalABContacts() const { return m_totalABContacts; }
    int totalABNoGroups() const { return m_totalABNoGroups; }
    int totalGoogleGroups() const { return m_totalGoogleGroups; }
    int totalGoogleContacts() const { return m_totalGoogleContacts; }
    int totalGoogleNoGroups() const { return m_totalGoogleNoGroups; }
    int canDeleteABGroups() const { return m_canDeleteABGroups; }
    int canDeleteABSmartGroups() const { return m_canDeleteABSmartGroups; }
    int canDeleteABPeople() const { return m_canDeleteABPeople; }
    int canDeleteABCompanies() const { return m_canDeleteABCompanies; }
    int canDeleteABContacts() const { return m_canDeleteABContacts; }
    int updateCount() const { return m_updateCount; }
    int updateTotalCount() const { return m_updateTotalCount; }
    QString statusMessage() const { return m_statusMessage; }

    // Login.
    QString googleUser() const;
    void reLogin();
    void openLoginPanel() override;
    void openLoginPanel(GoogleContactTool *tool) override;
    void login();
    void cancelLogin();
    QDialog *loginPanel() const { return m_loginPanel; }
    bool canLogin() const { return m_canLogin; }

    // The old platform's scripts.
    QString doAppleScript(const QString &source);
    void manageSafari();
    void quitAB();

    // The controls, for the window's tests and screens.
    QTabWidget *syncTabView() const { return m_tabs; }
    QAbstractButton *controlWithTag(int tag) const;
    QPushButton *simpleUploadButton() const { return m_simpleUpload; }
    QPushButton *advancedUploadButton() const { return m_advancedUpload; }
    QPushButton *simpleDownloadButton() const { return m_simpleDownload; }
    QPushButton *advancedDownloadButton() const { return m_advancedDownload; }
    QPushButton *checkABButton() const { return m_checkAB; }
    QProgressBar *statusProgressBar() const { return m_progress; }
    QLabel *statusTextField() const { return m_statusField; }
    QLineEdit *userTextField() const { return m_userField; }
    QLineEdit *pwTextField() const { return m_pwField; }

    // GoogleContactToolUIDelegate
    void openUserInfoWithMessage(const QString &message, int progressMax) override;
    void updateUserInfoWithMessage(const QString &message) override;
    void closeUserInfo() override;
    void setStatusMessage(const QString &message) override;
    void setProgressMessage(const QString &message) override;
    void setProgressMaxValue(double value) override;
    void setProgressCurValue(double value) override;
    void refreshView() override;
    void setGoogleDataMask() override;
    void cleanupGUIforProcess(const QString &process, const QString &subtitle,
                              const std::optional<GDataError> &error) override;
    void setContactArray(const QList<QVariantMap> &browserRows) override;
    // The loader compares entries and shows counts, never the browser's rows.
    bool showsContactBrowserRows() const override;
    void determineGoogleGroupCounts() override;
    void beginBulkAddressBookChange() override;
    void endBulkAddressBookChange() override;

    // GoogleContactToolDataDelegate
    BatchActionQueue batchActionContactArray() override;
    void loadPending() override;
    void refreshGroupData() override;
    void listenForNotifications() override;

    // Confirmed batch actions. Each address book action stores its confirmation key in the
    // preference contextString and asks in a sheet; its handler reads the key back and does the
    // work on the answer (Cancel 1, the action 0, the third button -1), with a listening agent
    // silenced. A name is the title of the menu item that sent the action.
    void removeABAllSmartGroups();
    void removeABAllManualGroups();
    void removeABGroup(const QString &name);
    void removeABGoogleGroup(const QString &name);
    void removeABAllGoogleGroups();
    void removeGroupSheetDidEnd(int returnCode);
    void removeABGroupMembers(const QString &name);
    void removeABAllCompanies();
    void removeABAllPeople();
    void removeABGoogleGroupMembers(const QString &name);
    void removeABAllGoogleContacts();
    void removeABGoogleOnlyEmailContacts();
    void removeABGoogleNoGroupContacts();
    void removeContactSheetDidEnd(int returnCode);
    // The downloads first fetch Google's lists again and work on what comes back; a fetch that
    // fails changes nothing.
    void downloadFromGoogleGoogleGroupMembers(const QString &name);
    void downloadFromGoogleNoGroupContacts();
    void downloadFromGoogleOnlyEmailContacts();
    void downloadFromGoogleAllGoogleContacts();
    void downloadFromGoogleABGroupMembers(const QString &name);
    void downloadFromGoogleCompanies();
    void downloadFromGooglePeople();
    void downloadFromGoogleGoogleGroup(const QString &name);
    void downloadFromGoogleAllGroups();
    void updateContactSheetDidEnd(int returnCode);
    // The Google side, passed to the engine, which asks itself.
    void uploadFromABABGroup(const QString &name);
    void uploadFromABAllManualGroups();
    void uploadFromABAllSmartGroups();
    void uploadFromABGoogleGroupMembers(const QString &title);
    void uploadFromABAllGoogleContacts();
    void uploadFromABABGroupMembers(const QString &name);
    void uploadFromABAllCompanies();
    void uploadFromABAllPeople();
    void removeGoogleAllGoogleGroups();
    void removeGoogleAllGoogleContacts();
    void removeGoogleGoogleOnlyEmailContacts();
    void removeGoogleGoogleGroup(const QString &title);
    void removeGoogleGoogleGroupMembers(const QString &title);
    void removeGoogleGoogleNoGroupContacts();
    void removeGoogleABGroupMembers(const QString &name);
    void removeGoogleAllPeople();
    void removeGoogleAllCompanies();

signals:
    // The comparison of an upload, or the first change of a download, is about to begin.
    void passStarting();
    // A process has ended: its progress closed and the agent listens again if it did.
    void processEnded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Pass { None, SimpleUpload, AdvancedUpload, SimpleDownload, AdvancedDownload };
    struct Process
    {
        bool running = false;
        Pass pass = Pass::None;
        QString name;
        bool agentWasListening = false;
        bool backup = false;
        bool fetchPending = false;
        bool groupsHandedOver = false;
        bool contactQueueAsked = false;
        bool contactsHandedOver = false;
        QList<uploadplanner::TickedGroup> tickedAB;
        QList<downloadpass::TickedGoogleGroup> tickedGoogle;
        downloadpass::Options downloadOptions;
    };
    struct ProcessEnd
    {
        QString process;
        QString subtitle;
        std::optional<GDataError> error;
        bool failed = false;
        // The engine has shown the failure already.
        bool sheetShown = false;
        // A fetch that has just failed would only fail again, with a second sheet.
        bool refetch = true;
    };

    void buildWindow();
    QTableView *buildGroupTable(GroupRowsModel *model, const QString &name, int tag);
    void addSelectAll(QHBoxLayout *options, const QString &label, const QString &name, int tag);
    void addPreferenceBox(QHBoxLayout *options, const QString &text, const QString &key, int tag);
    void addOptionsRow(QVBoxLayout *layout, QHBoxLayout *options);
    QWidget *buildUploadTab();
    QWidget *buildDownloadTab();
    void buildLoginPanel();
    void tagged(QObject *control, int tag);

    // Confirmation and the passes.
    void beginUploadSheet(Pass pass);
    void beginDownloadSheet(Pass pass);
    void proceedUpload(Pass pass, int returnCode);
    void proceedDownload(Pass pass, int returnCode);
    void startProcess(Pass pass, const QString &name);
    void passFetched();
    void checkPassFetch();
    void runUpload();
    void runDownload();
    // The comparison of an upload: its totals, options and plan.
    uploadplanner::Plan planUpload(bool simple);
    void handOver(const uploadplanner::Plan &plan);
    void endProcess(const ProcessEnd &end);
    void afterGroupRefetch();
    // What the engine's report of the contact send says Google refused; empty when nothing.
    QString failedEntriesReport() const;
    void abChangeManager();
    int simpleProgressMaximum() const;

    // Backing data.
    QVariantMap groupRow(const GroupPtr &group, bool recursive, bool people, bool companies,
                         bool tickKept) const;
    void setTotals();
    void setIsAGroupSelected(int selected);
    void setIsAGoogleGroupSelected(int selected);
    void recomputeWillContactBeUploaded();
    void recomputeWillGoogleContactBeDownloaded();
    void selectAll(GroupRowsModel *model, bool google, bool tick);
    void rowsTicked(GroupRowsModel *model, bool google);
    void setLocalABGroupArray(const QList<QVariantMap> &rows);
    void showCounts();
    void tabSelected(int index);

    // Login.
    void updateCanLogin();
    void loginPanelDidEnd(int result);
    // On the People protocol the sheet signs in through the browser in place of the password.
    bool signsInWithBrowser() const;
    void browserLogin();

    GoogleContactTool *m_tool = nullptr;
    Process m_process;
    bool m_refetchPending = false;
    bool m_closeRequested = false;
    BatchActionQueue m_batchActionGroupArray;
    BatchActionQueue m_batchActionContactArray;

    QList<QVariantMap> m_localABGroupArray;
    QList<QVariantMap> m_smartGroups;
    QList<QVariantMap> m_googleGroupUIArray;
    QStringList m_curABGroupSelections;
    QStringList m_curGoogleGroupSelections;
    QString m_buttonLabel;
    QString m_googleButtonLabel;
    int m_isAGroupSelected = 0;
    int m_isAGoogleGroupSelected = 0;
    int m_willContactBeUploaded = 0;
    int m_willGoogleContactBeDownloaded = 0;
    int m_totalABGroups = 0;
    int m_totalABPeople = 0;
    int m_totalABCompanies = 0;
    int m_totalABContacts = 0;
    int m_totalABNoGroups = 0;
    int m_totalGoogleGroups = 0;
    int m_totalGoogleContacts = 0;
    int m_totalGoogleNoGroups = 0;
    int m_canDeleteABGroups = 0;
    int m_canDeleteABSmartGroups = 0;
    int m_canDeleteABPeople = 0;
    int m_canDeleteABCompanies = 0;
    int m_canDeleteABContacts = 0;
    int m_updateCount = 0;
    int m_updateTotalCount = 0;
    QString m_statusMessage;
    // When a step of a pass was last drawn.
    QElapsedTimer m_stepPainted;
    bool m_canLogin = false;

    QPointer<QTabWidget> m_tabs;
    GroupRowsModel *m_abModel = nullptr;
    GroupRowsModel *m_googleModel = nullptr;
    QPointer<QTableView> m_abTable;
    QPointer<QTableView> m_googleTable;
    QPointer<QProgressBar> m_progress;
    QPointer<QLabel> m_statusField;
    QPointer<QLabel> m_connectionErrorField;
    QPointer<QLabel> m_abCounts;
    QPointer<QLabel> m_googleCounts;
    QPointer<QPushButton> m_cancelButton;
    QPointer<QPushButton> m_simpleUpload;
    QPointer<QPushButton> m_advancedUpload;
    QPointer<QPushButton> m_simpleDownload;
    QPointer<QPushButton> m_advancedDownload;
    QPointer<QPushButton> m_checkAB;
    QPointer<QCheckBox> m_layoutControl;
    QList<QPointer<QWidget>> m_fullLayoutOnly;
    // The window's size before the compact layout took its minimum.
    QSize m_fullSize;
    QPointer<QDialog> m_loginPanel;
    QPointer<QLineEdit> m_userField;
    QPointer<QLineEdit> m_pwField;
    QPointer<QPushButton> m_loginButton;
    // Browser sign-in.
    QFormLayout *m_loginForm = nullptr;
    QPointer<QLabel> m_browserLine;
    QPointer<QLabel> m_signInMessage;
    QPointer<GoogleSignIn> m_signIn;
    bool m_hasClient = false;

    // Confirmed batch actions.
    void beginConfirmedSheet(const QString &key, const Prompt &prompt,
                             void (DataMoverWindowController::*handler)(int));
    void beginGroupDeletion(const QString &key, const QString &title, const QString &button);
    void beginRecordDeletion(const QString &key, const QString &title, const QString &button,
                             const QString &message);
    void beginDownload(const QString &key, const QString &title, const QString &button,
                       const QString &third = QString());
    bool fetchBeforeDownload();
    bool m_confirmedFetchDone = false;

    // The main menu's commands, by name, with the menu item as sender where they take a name.
    void registerMenuCommands();
    bool m_agentSilencedForBulkChange = false;
};
