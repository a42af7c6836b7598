// One browser window: the groups and contacts of one Google account, shown through one engine.
// The main browser borrows the application's engine; a browser of a second account makes its own
// and asks for that account's login. While the window is key it is its engine's UI and data
// delegate, so that the engine's progress and results reach the browser in front.
#pragma once

#include "app/windows/windowcontroller.h"
#include "browser/portrait/portraitcontroller.h"
#include "browser/portrait/portraitmakerviewdelegate.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttooluidelegate.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <memory>

class BrowserActions;
class GoogleSignIn;
class BrowserDragDrop;
class BrowserImageSplitView;
class BrowserToolbar;
class ContactContextMenu;
class ContactTableColumns;
class ContactTableView;
class GroupTableView;
class QMainWindow;
class QMenu;
class ContactArrayController;
class ContactInspector;
class FunctionTabView;
class GroupArrayController;
class GroupNavSplitView;
class GroupSetController;
class NoteSplitView;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class TolvaneSearchField;
class ClickableImageView;
class PortraitMakerView;
class PortraitSheet;

class BrowserWindowController : public WindowController,
                                public GoogleContactToolUIDelegate,
                                public GoogleContactToolDataDelegate,
                                public PortraitController,
                                public PortraitMakerViewDelegate
{
    Q_OBJECT
    Q_INTERFACES(PortraitController PortraitMakerViewDelegate)

public:
    // The tags of the two tables.
    static constexpr int kGroupsTableTag = 100;
    static constexpr int kContactsTableTag = 200;

    BrowserWindowController();
    ~BrowserWindowController() override;

    // The engine.
    GoogleContactTool *googleTool() const override { return m_tool; }
    void setGoogleTool(GoogleContactTool *tool) override;
    void setInternalGoogleTool() override;
    // Signs in with the stored credentials and fetches the groups and then the contacts.
    void loadGoogleTool();
    GoogleContactToolUIDelegate *engineUIDelegate() override { return this; }
    GoogleContactToolDataDelegate *engineDataDelegate() override { return this; }
    bool useIntersection() const override;
    bool hasContactTableColumn(const QString &identifier) const override;
    void setUseIntersection(bool intersection) override;

    // The window.
    void showWindow() override;
    QWidget *window() override { return WindowController::window(); }
    void windowDidBecomeKey();

    // The second account's login sheet.
    void openLoginPanel() override;
    void openLoginPanel(GoogleContactTool *tool) override;
    void login();
    void cancelLogin();
    bool canLogin() const { return m_canLogin; }
    QDialog *loginPanel() const { return m_loginPanel; }
    QLineEdit *userTextField() const { return m_userField; }
    QLineEdit *pwTextField() const { return m_pwField; }

    // The panes.
    void toggleGroupNav();
    void toggleBrowserImage();
    void toggleNotes();
    GroupNavSplitView *groupNavSplitView() const { return m_groupNavSplitView; }
    BrowserImageSplitView *browserImageSplitView() const { return m_browserImageSplitView; }
    NoteSplitView *noteSplitView() const { return m_noteSplitView; }
    QString toggleImageButtonImage() const { return m_toggleImageButtonImage; }

    // The status line and the progress display.
    void openStatusBarMessage(const QString &message);
    void closeStatusBarMessage();
    void closeProgress();
    QString statusMessage() const { return m_statusMessage; }
    QString progressMessage() const { return m_progressMessage; }
    int updateCount() const { return m_updateCount; }
    int updateTotalCount() const { return m_updateTotalCount; }
    QLabel *statusTextField() const { return m_statusField; }
    QLabel *progressTextField() const { return m_progressField; }
    QProgressBar *progressBar() const { return m_progressBar; }

    // The lists, the inspector and the controls, for the window's tests and screens.
    GroupArrayController *groupArrayController() const { return m_groups.get(); }
    ContactArrayController *contactArrayController() const { return m_contacts.get(); }
    GroupSetController *groupSetController() const { return m_groupSet.get(); }
    ContactInspector *inspector() const { return m_inspector.get(); }
    QTableView *groupsTableView() const { return m_groupsTable; }
    QTableView *contactsTableView() const { return m_contactsTable; }
    QPlainTextEdit *notesView() const { return m_notesView; }
    TolvaneSearchField *searchField() const { return m_searchField; }
    float browserRowHeight() const { return m_browserRowHeight; }
    float browserRowFontSize() const { return m_browserRowFontSize; }
    float browserNoteFontSize() const { return m_browserNoteFontSize; }

    // The actions on the selection and the function panes they switch.
    BrowserActions *actions() const { return m_actions.get(); }
    FunctionTabView *functionTabView() const { return m_functionTabView; }
    BrowserDragDrop *dragDrop() const { return m_dragDrop.get(); }
    // The selection count line.
    void setInfoMessage(const QString &message);

    void manageSafari();

    // The toolbar, the contact table's columns, and the tables' keys.
    BrowserToolbar *toolbar() const { return m_toolbar; }
    void hideToolbar();
    void showToolbar();
    ContactTableColumns *tableColumns() const { return m_tableColumns; }
    GroupTableView *groupTableView() const;
    ContactTableView *contactTableView() const;
    void changeBrowserDataField(int tag);
    // The data field's label, from browserDataField: 1 "Email", 2 "Phonel", 3 "Location"; another
    // value leaves it as it was.
    QString dataLabel() const { return m_dataLabel; }
    void setDataLabel();
    void showTableColumnSheet();
    void closeTableColumnSheet();
    // The toolbar's Delete: the sheet of the table the user touched last.
    void deleteItems();
    // The editor sheets' contact (the inspector's) and group (the first one chosen).
    QVariantMap currentContact() const override;
    QVariantMap firstSelectedGroup() const override;
    bool isGroupSelection() const { return m_isGroupSelection; }
    void setBrowserRowHeight(float value);
    void setBrowserRowFontSize(float value);
    void setBrowserNoteFontSize(float value);
    // The contact table's context menu, its groups submenu and enabling brought up to date.
    QMenu *prepareContactContextMenu();
    ContactContextMenu *contextMenu() const { return m_contextMenu; }

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
    void setLastAction(const QString &action) override;
    void setContactArray(const QList<QVariantMap> &browserRows) override;
    void contactBrowserRowReplaced(const QString &gID) override;
    void setGroupArray(const std::vector<GDataEntryContactGroupPtr> &groups) override;

    // The portrait: the image well of the portrait pane, the editor's sheet and its zoom, which
    // the slider and the editor follow both ways. The sheet works on the contact it was opened
    // for; a fetched portrait goes to the contact it was fetched for.
    ClickableImageView *imageView() const { return m_imageView; }
    PortraitSheet *imageMaker() const { return m_imageMaker; }
    PortraitMakerView *portraitView() const;
    ZoomSlider *imageSizeSlider() const override;
    float portraitImageSize() const;
    void setPortraitImageSize(float size);
    void openImageView() override;
    void openOriginalImageView() override;
    void imageMakerDidEnd();
    void closeImageMaker();
    void removeImage();
    void saveImage();
    void grabImageFile(const QVariantMap &userInfo) override;
    void grabiPhotoFile(const QVariantMap &userInfo) override;

private:
    void buildImageMaker();
    void beginImageMaker();
    void showCurrentPicture();
    void showPictureInWell();
    // Fetches the current contact's portrait from Google, waiting on the event loop.
    void loadCurrentImage();
    void scheduleImageLoad();
    // The contact's portrait as fetched from Google, or none: its "image" is only its type icon
    // until the portrait has come.
    QVariant loadedPortrait(const QVariantMap &contact) const;
    // The pane opens: the current contact's portrait is fetched and the well shows its picture.
    void showPortraitPane();
    // A closing window hands its own engine to a photo fetch still waiting on it.
    void keepEngineForImageFetch();
    // The picture (TIFF or any format the image reader knows), or none, as the portrait of the
    // contact, in the engine's cache, its list rows and, while it is current, the inspector.
    void updateImage(const std::optional<QByteArray> &data, const QString &gID);
    void setContactPicture(const QString &gID, const QVariantMap &values);

    ClickableImageView *m_imageView = nullptr;
    PortraitSheet *m_imageMaker = nullptr;
    // The contact the open sheet edits, and whether Remove was pressed since it opened.
    QString m_portraitContactID;
    bool m_portraitRemoved = false;
    // The contact whose picture the well shows; a load under way, and whether the current
    // contact changed during it.
    QString m_pictureContactID;
    bool m_loadingImage = false;
    bool m_reloadImage = false;
    struct ImageFetchHold;
    ImageFetchHold *m_imageFetchHold = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void registerActions();
    void buildWindow();
    QWidget *buildGroupPane();
    QWidget *buildContactPane();
    QWidget *buildStatusBar();
    void buildLoginPanel();
    void buildLists();
    void configureTable(QTableView *table, int tag);
    void applyRowHeight();
    void windowDidLoad();
    void openPanes();
    void windowWillClose();
    void showSelectedContact();
    void showNotes();
    void updateCanLogin();
    void browserLogin(const QString &user);
    // The contacts asked for last have arrived, or their fetch failed.
    bool contactFetchSettled() const;
    void setupToolbarForWindow(QMainWindow *window);
    // The toolbar, the columns and the keys follow the lists of the engine.
    void connectToolbarToLists();
    void revalidateToolbar();
    // Performs the operation when the window offers it.
    void sendAction(const QString &action, const QVariant &argument = QVariant());

    GoogleContactTool *m_tool = nullptr;
    // The engine of a second account; declared before the lists, which read it until they go.
    std::unique_ptr<GoogleContactTool> m_ownTool;
    std::unique_ptr<GroupArrayController> m_groups;
    std::unique_ptr<ContactArrayController> m_contacts;
    std::unique_ptr<GroupSetController> m_groupSet;
    std::unique_ptr<ContactInspector> m_inspector;
    std::unique_ptr<BrowserActions> m_actions;
    QString m_dataLabel;
    FunctionTabView *m_functionTabView = nullptr;
    std::unique_ptr<BrowserDragDrop> m_dragDrop;

    GroupNavSplitView *m_groupNavSplitView = nullptr;
    BrowserImageSplitView *m_browserImageSplitView = nullptr;
    NoteSplitView *m_noteSplitView = nullptr;
    QTableView *m_groupsTable = nullptr;
    QTableView *m_contactsTable = nullptr;
    QPlainTextEdit *m_notesView = nullptr;
    TolvaneSearchField *m_searchField = nullptr;
    QLabel *m_statusField = nullptr;
    QLabel *m_progressField = nullptr;
    QLabel *m_infoField = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QPushButton *m_toggleImageButton = nullptr;
    QString m_toggleImageButtonImage;
    QPointer<QDialog> m_loginPanel;
    QLineEdit *m_userField = nullptr;
    QLineEdit *m_pwField = nullptr;
    QPushButton *m_loginButton = nullptr;
    // The browser sign-in of the People protocol in place of the password.
    QLabel *m_browserLine = nullptr;
    QLabel *m_signInMessage = nullptr;
    QPointer<GoogleSignIn> m_signIn;
    bool m_hasClient = false;

    QString m_statusMessage;
    QString m_progressMessage;
    int m_updateCount = 0;
    int m_updateTotalCount = 0;
    bool m_canLogin = false;
    float m_browserRowHeight = 0;
    float m_browserRowFontSize = 0;
    float m_browserNoteFontSize = 0;
    // Set while the window itself writes the notes view.
    bool m_showingNotes = false;
    bool m_panesOpened = false;
    // The contact fetch whose answer the lists show last.
    const void *m_shownContactFetch = nullptr;
    BrowserToolbar *m_toolbar = nullptr;
    ContactTableColumns *m_tableColumns = nullptr;
    ContactContextMenu *m_contextMenu = nullptr;
    // The last selection change came from the group table.
    bool m_isGroupSelection = false;
};
