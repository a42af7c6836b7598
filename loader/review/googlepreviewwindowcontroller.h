#pragma once

#include "app/windows/windowcontroller.h"
#include "browser/portrait/portraitcontroller.h"
#include "browser/portrait/portraitmakerviewdelegate.h"
#include "foundation/parsers/addressparser.h"
#include "google/browser/reviewrows.h"
#include "google/engine/googlecontacttool.h"
#include "google/engine/googlecontacttooldatadelegate.h"
#include "google/engine/googlecontacttooluidelegate.h"
#include "google/entries/titleunpacking.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

class AddressReviewModel;
class PortraitMakerView;
class PortraitSheet;
class QAbstractItemModel;
class QMimeData;
class NameReviewModel;
class QCheckBox;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QStringListModel;
class QTabWidget;
class QTableView;

// The review window: for each Google contact, how its title splits into name parts (or a company
// name) and how each postal address splits into fields. The user corrects the split and sends the
// corrected rows, which the engine stores as hints in each contact's program property. The
// window borrows the engine.
class GooglePreviewWindowController : public WindowController,
                                      public GoogleContactToolUIDelegate,
                                      public GoogleContactToolDataDelegate,
                                      public PortraitController,
                                      public PortraitMakerViewDelegate
{
    Q_OBJECT
    Q_INTERFACES(PortraitController PortraitMakerViewDelegate)

public:
    // The tags of the fields and tables.
    enum Tag {
        FirstTag = 10,
        MiddleTag = 11,
        LastTag = 12,
        NickTag = 13,
        CompanyTag = 14,
        NamesTableTag = 200,
        AddressFieldTag = 300,
        AddressesTableTag = 300
    };

    GooglePreviewWindowController();
    ~GooglePreviewWindowController() override;

    GoogleContactTool *googleTool() const override { return m_tool; }
    void setGoogleTool(GoogleContactTool *tool) override;
    GoogleContactToolUIDelegate *engineUIDelegate() override;
    GoogleContactToolDataDelegate *engineDataDelegate() override;
    void showWindow() override;
    QWidget *window() override { return WindowController::window(); }
    void windowDidLoad();
    // Publishes the engine's counts and takes its delegate roles, unless the engine runs a job of
    // another window, whose progress and end would otherwise be lost.
    void windowDidBecomeKey();

    // Loading. The names load first, then the addresses, each by its own option.
    void loadNamesForReview();
    void loadAddressesForReview();
    // The address rows of one contact, one per postal address.
    QList<AddressReviewRow> addrsForContact(const GDataEntryContact &contact) const;
    // The label shown for an address of that relation and label.
    static QString labelForRel(const QString &rel, const QString &label);
    static tolvane::SplitTitle unpackGoogleTitle(const QString &title);
    // An expanded reviewed address ("street", "city", ...) as a Google address: a street of one
    // line fills the first line, of more lines the first line and all that follows it.
    static zeltor::GoogleAddress unpackGoogleAddressDict(const QMap<QString, QString> &address);

    // Sending the changed rows; the outcome is shown when anything did not go through, and the
    // rows Google stored take what was sent as their loaded values.
    void updateGoogleNamesReview();
    void updateGoogleAddressReview();
    bool isSending() const { return m_sending > 0; }

    // Editing. The control's tag says which row it edits.
    void controlTextDidEndEditing(QWidget *control);
    void changeCoStatus();
    void setNamesDeltaOn();
    void setAddressDeltaOn();
    void showReviewTabViewItem(const QString &identifier);
    void reviewGoogleNames();
    void toggleIsCompany() {}
    // The labels an address may take: the localized home, work and other labels, lower-cased.
    // A label typed in the label field is the row's own and does not join the list.
    const QStringList &addressLabels() const { return m_addressLabels; }
    void setAddressLabels(const QStringList &labels);
    QStringList countryNamesArray() const;
    QStringList countryMenuItems() const;
    // The country names that begin with the typed text, ignoring case and diacritics.
    QStringList completionsForSubstring(const QString &typed) const;

    // Portraits: the editor sheet on the selected name row. It starts only from a photo loaded
    // from Google or a picture the user brought, so the placeholder is never sent as a photo.
    void openImageView() override;
    void openOriginalImageView() override;
    // Cancel: the row keeps the portrait it had, a saved one included.
    void closeImageMaker();
    // The crop becomes the row's portrait, marked changed.
    void saveImage();
    void grabImageFile(const QVariantMap &userInfo) override;
    void grabiPhotoFile(const QVariantMap &userInfo) override;
    ZoomSlider *imageSizeSlider() const override;
    float portraitImageSize() const;
    void setPortraitImageSize(float size);
    PortraitSheet *imageMaker() const { return m_imageMaker; }
    PortraitMakerView *portraitView() const;
    // Drops on the window, as the browser's window takes them.
    Qt::DropAction draggingEntered(const QMimeData *data) const;
    bool performDragOperation(const QMimeData *data);

    // What the window holds.
    const QList<NameReviewRow> &googleNames() const;
    const QList<AddressReviewRow> &googleAddresses() const;
    // Positions in googleNames and googleAddresses; -1 when no single row is selected.
    int currentGoogleContact() const { return m_currentName; }
    int currentContactAddress() const { return m_currentAddress; }
    GDataEntryContactPtr currentGoogleC() const { return m_currentGoogleC; }
    const std::vector<GDataEntryContactPtr> &googleContactArray() const { return m_contacts; }
    int updateCount() const { return m_updateCount; }
    int updateTotalCount() const { return m_updateTotalCount; }
    QString loadMessage() const { return m_loadMessage; }
    // How often the load progress was painted during the last load.
    int progressPaints() const { return m_progressPaints; }

    // The controls, for tests and screens.
    QTabWidget *reviewTabView() const { return m_tabs; }
    QTableView *namesTableView() const { return m_namesTable; }
    QTableView *addressesTableView() const { return m_addressesTable; }
    NameReviewModel *namesModel() const { return m_names; }
    AddressReviewModel *addressesModel() const { return m_addresses; }
    QLineEdit *nameField(int tag) const;
    // The address fields in order: street lines, city, state, postal code, country.
    QList<QLineEdit *> addressFields() const { return m_addressFields; }
    // The label of the selected address, chosen from addressLabels or typed.
    QComboBox *addressLabelField() const { return m_addressLabelField; }
    QCheckBox *companyBox() const { return m_companyBox; }
    QPushButton *sendNamesButton() const { return m_sendNames; }
    QPushButton *sendAddressesButton() const { return m_sendAddresses; }

    // GoogleContactToolUIDelegate: only closeUserInfo (this window's load progress) acts.
    void openUserInfoWithMessage(const QString &, int) override {}
    void updateUserInfoWithMessage(const QString &) override {}
    void closeUserInfo() override;
    void setStatusMessage(const QString &) override {}
    void setProgressMessage(const QString &) override {}
    void setProgressMaxValue(double) override {}
    void setProgressCurValue(double) override {}
    void refreshView() override {}
    void openLoginPanel(GoogleContactTool *) override {}
    void setGoogleDataMask() override {}

private:
    void buildWindow();
    QWidget *buildNamesTab();
    QWidget *buildAddressesTab();
    QTableView *buildTable(QAbstractItemModel *model, QSortFilterProxyModel *proxy, int tag);
    void rowTracker(QTableView *table);
    void showCurrentName();
    void showCurrentAddress();
    void takeNameFields();
    void takeAddressFields();
    void fillAddressLabels();
    // The address split by the address parser, a word after the postal code that names no
    // country of the store being the town.
    static zeltor::GoogleAddress parsedAddress(const GDataPostalAddress &address);
    void logThisContact(const GDataEntryContact &contact) const;
    bool otherWindowRunsJob() const;
    bool mayStartSend();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void buildImageMaker();
    // A photo loaded from Google or a picture the user saved; null for the placeholder.
    QImage editablePortrait(const NameReviewRow &row, bool original) const;
    void beginImageMaker(const QImage &picture);

    NameReviewRow nameRowFor(const GDataEntryContact &contact);
    void openUserInfoMessage(const QString &message, int progressMax);
    void updateUserInfo();
    void paintProgress();

    void namesSent(const GoogleContactTool::ReviewSendOutcome &outcome);
    void addressesSent(const GoogleContactTool::ReviewSendOutcome &outcome);
    void showOutcome(const GoogleContactTool::ReviewSendOutcome &outcome);

    QPointer<GoogleContactTool> m_tool;
    std::vector<GDataEntryContactPtr> m_contacts;
    NameReviewModel *m_names = nullptr;
    AddressReviewModel *m_addresses = nullptr;
    QSortFilterProxyModel *m_namesProxy = nullptr;
    QSortFilterProxyModel *m_addressesProxy = nullptr;
    int m_currentName = -1;
    int m_currentAddress = -1;
    GDataEntryContactPtr m_currentGoogleC;
    int m_sending = 0;

    int m_updateCount = 0;
    int m_updateTotalCount = 0;
    QString m_loadMessage;
    QElapsedTimer m_paintClock;
    int m_progressPaints = 0;

    QTabWidget *m_tabs = nullptr;
    QTableView *m_namesTable = nullptr;
    QTableView *m_addressesTable = nullptr;
    QHash<int, QLineEdit *> m_nameFields;
    QList<QLineEdit *> m_addressFields;
    QComboBox *m_addressLabelField = nullptr;
    QStringList m_addressLabels;
    QStringListModel *m_addressLabelsModel = nullptr;
    QCheckBox *m_companyBox = nullptr;
    QLabel *m_imageView = nullptr;
    PortraitSheet *m_imageMaker = nullptr;
    // The contacts whose photo came from Google at load.
    QSet<QString> m_loadedPhotos;
    // The row the open editor works on.
    QString m_portraitContactID;
    QPushButton *m_sendNames = nullptr;
    QPushButton *m_sendAddresses = nullptr;
    QProgressBar *m_loadProgress = nullptr;
    QLabel *m_loadText = nullptr;
    QCompleter *m_countryCompleter = nullptr;
    QStringListModel *m_countryModel = nullptr;
};
