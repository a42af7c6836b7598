// A browser window's actions on its selection that need no batch: the editor sheets the
// application delegate offers, the function panes, mail to the selection and map links, with the
// mail and web addresses intercepted.
#include "browser/actions/browseractions.h"
#include "browser/actions/actionkeys.h"
#include "browser/actions/functiontabview.h"
#include "browser/models/browserlistkeys.h"
#include "browser/models/contactarraycontroller.h"
#include "browser/selection/groupsetcontroller.h"
#include "browser/window/browserwindowcontroller.h"
#include "foundation/mailcomposer.h"
#include "google/browser/browserlist.h"
#include "google/entries/contactaccessors.h"
#include "google/lookups/contactlookups.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/ui/beep.h"

#include "tests/browser/browseraccount.h"
#include "tests/support/app/urlrecorder.h"

#include <QLineEdit>
#include <QTextEdit>
#include <QUrlQuery>

namespace {

// An application delegate that offers the editor sheets and records what it was asked.
class SheetOfferingDelegate : public QObject
{
    Q_OBJECT

public:
    Q_INVOKABLE void setCurrentContact(const QVariantMap &contact) { current = contact; }
    Q_INVOKABLE void editGoogleContact(QObject *sender) { asked.append({"edit", sender}); }
    Q_INVOKABLE void editGoogleGroup(QObject *sender) { asked.append({"group", sender}); }
    Q_INVOKABLE void newGoogleGroup(QObject *sender) { asked.append({"newGroup", sender}); }
    Q_INVOKABLE void openNewGoogleContact(QObject *sender) { asked.append({"newContact", sender}); }

    QVariantMap current;
    QList<std::pair<QString, QObject *>> asked;
};

class BrowserActionsTest : public BrowserAccountTest
{
protected:
    void SetUp() override
    {
        BrowserAccountTest::SetUp();
        UserDefaults::standard().setInteger(1, browserlistkeys::systemGroupUseAll);
        previousBeep = beep::setHandler([this] { ++beeps; });
        VozuVeva::setMailOpener([this](const QUrl &url) {
            mails.append(url);
            return true;
        });
        window = std::make_unique<BrowserWindowController>();
        window->setGoogleTool(&tool);
    }
    void TearDown() override
    {
        window.reset();
        VozuVeva::setMailOpener({});
        beep::setHandler(previousBeep);
        BrowserAccountTest::TearDown();
    }

    BrowserActions &actions() { return *window->actions(); }
    GroupSetController &groupSet() { return *window->groupSetController(); }

    // Selects the contacts of the list by their "gID"; the last one becomes the current contact.
    void selectContacts(const QStringList &ids)
    {
        QItemSelectionModel *const selection = groupSet().contactSelection();
        selection->clearSelection();
        ContactArrayController &contacts = *window->contactArrayController();
        for (const QString &id : ids) {
            for (int row = 0; row < contacts.rowCount(); ++row) {
                if (contacts.gIDAt(row) == id)
                    selection->select(contacts.index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
            }
        }
    }

    void rebuildRows()
    {
        GoogleContactLists &lists = tool.lists();
        lists.entriesChanged();
        BrowserRowsProgress quiet;
        browserlist::setContactBrowserArray(
            lists, QList<GDataEntryContactPtr>(lists.contacts().begin(), lists.contacts().end()),
            quiet);
        window->refreshView();
    }

    static QString recipient(const QUrl &mail) { return mail.path(); }
    static QString queryValue(const QUrl &mail, const QString &key)
    {
        return QUrlQuery(mail).queryItemValue(key, QUrl::FullyDecoded);
    }

    std::function<void()> previousBeep;
    int beeps = 0;
    QList<QUrl> mails;
    std::unique_ptr<BrowserWindowController> window;
};

TEST_F(BrowserActionsTest, EditContactNeedsACurrentContactWithAGoogleIdentifier)
{
    SheetOfferingDelegate delegate;
    actions().setApplicationDelegate(&delegate);
    selectContacts({});
    actions().editContact();
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(delegate.asked.isEmpty());

    selectContacts({"bo"});
    actions().editContact();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(delegate.current.value("gID").toString(), "bo");
    using Asked = QList<std::pair<QString, QObject *>>;
    EXPECT_EQ(delegate.asked, (Asked{{"edit", window.get()}}));
}

TEST_F(BrowserActionsTest, EditGroupBeepsUnlessOneRowOtherThanAllIsSelected)
{
    SheetOfferingDelegate delegate;
    actions().setApplicationDelegate(&delegate);
    struct Case
    {
        QStringList rows;
        bool opens;
    };
    const Case cases[] = {
        {{}, false}, {{golf, work}, false}, {{myContacts}, false}, {{golf}, true}};
    for (const Case &c : cases) {
        groupSet().groupSelection()->clearSelection();
        if (!c.rows.isEmpty())
            groupSet().selectGroupIdentifiers(c.rows);
        const int beepsBefore = beeps;
        delegate.asked.clear();
        actions().editGroup();
        EXPECT_EQ(beeps - beepsBefore, c.opens ? 0 : 1) << c.rows.join(",").toStdString();
        EXPECT_EQ(delegate.asked.size(), c.opens ? 1 : 0) << c.rows.join(",").toStdString();
    }
}

TEST_F(BrowserActionsTest, SheetsNotOfferedAreSkipped)
{
    QObject bare;
    actions().setApplicationDelegate(&bare);
    selectContacts({"bo"});
    actions().editContact();
    actions().newContact();
    actions().newGroup();
    EXPECT_EQ(beeps, 0);

    SheetOfferingDelegate delegate;
    actions().setApplicationDelegate(&delegate);
    actions().newContact();
    actions().newGroup();
    actions().editGoogleContact();
    QObject *const sender = window.get();
    using Asked = QList<std::pair<QString, QObject *>>;
    EXPECT_EQ(delegate.asked,
              (Asked{{"newContact", sender}, {"newGroup", sender}, {"edit", sender}}));
}

TEST_F(BrowserActionsTest, PaneActionsSelectTheirPanes)
{
    FunctionTabView &panes = *window->functionTabView();
    selectContacts({"bo"});
    actions().showBulkEdit();
    EXPECT_EQ(panes.selectedIdentifier(), "Bulk");
    actions().cancelBulkEdit();
    EXPECT_EQ(panes.selectedIdentifier(), "MultipleNote");
    actions().showMessage();
    EXPECT_EQ(panes.selectedIdentifier(), "sendMessage");
    actions().cancelMessage();
    EXPECT_EQ(panes.selectedIdentifier(), "SingleNote");
    selectContacts({"bo", "ann"});
    actions().showMessage();
    actions().cancelMessage();
    EXPECT_EQ(panes.selectedIdentifier(), "MultipleNote");
    // The window's commands reach the same actions.
    ASSERT_TRUE(window->performCommand("showBulkEdit:"));
    EXPECT_EQ(panes.selectedIdentifier(), "Bulk");
}

TEST_F(BrowserActionsTest, MessageGoesToTheSelectionWithThePanesSubjectAndBody)
{
    // Ann gets a home address, Cy and Eve work addresses.
    contactlookups::contactForID(tool.lists(), "eve")
        ->setEmailAddresses({{"eve@example.com", QString(kGDataContactWork), {}, false}});
    contactlookups::contactForID(tool.lists(), "ann")
        ->setEmailAddresses({{"ann@home.org", QString(kGDataContactHome), {}, false}});
    contactlookups::contactForID(tool.lists(), "cy")
        ->setEmailAddresses({{"cy@acme.com", QString(kGDataContactWork), {}, false}});
    rebuildRows();
    FunctionTabView &panes = *window->functionTabView();
    panes.msgSubject()->setText("Dinner");
    panes.msgBody()->setPlainText("At eight.");
    struct Case
    {
        int mode;
        const char *to, *cc, *bcc;
    };
    const Case cases[] = {
        {0, "eve@example.com,ann@home.org,cy@acme.com", "", ""},
        {1, "eve@example.com", "ann@home.org,cy@acme.com", ""},
        {2, "eve@example.com", "", "ann@home.org,cy@acme.com"},
    };
    for (const Case &c : cases) {
        mails.clear();
        UserDefaults::standard().setInteger(c.mode, actionkeys::msgAddressMode);
        // Bo has no address; Eve, selected last, is the current contact.
        selectContacts({"ann", "bo", "cy", "eve"});
        actions().sendMessage();
        ASSERT_EQ(mails.size(), 1) << c.mode;
        EXPECT_EQ(recipient(mails.first()), c.to) << c.mode;
        EXPECT_EQ(queryValue(mails.first(), "CC"), c.cc) << c.mode;
        EXPECT_EQ(queryValue(mails.first(), "BCC"), c.bcc) << c.mode;
        EXPECT_EQ(queryValue(mails.first(), "Subject"), "Dinner") << c.mode;
        EXPECT_EQ(queryValue(mails.first(), "Body"), "At eight.") << c.mode;
    }
    EXPECT_EQ(UserDefaults::standard().stringForKey(actionkeys::msgSubject), "Dinner");
    // A mode of none of the three sends nothing.
    mails.clear();
    UserDefaults::standard().setInteger(3, actionkeys::msgAddressMode);
    actions().sendMessage();
    EXPECT_TRUE(mails.isEmpty());
}

TEST_F(BrowserActionsTest, MessageToASelectionWithoutAddressesOpensNothing)
{
    selectContacts({"ann", "bo"});
    actions().sendMessage();
    EXPECT_TRUE(mails.isEmpty());
    EXPECT_EQ(beeps, 1);
}

TEST_F(BrowserActionsTest, MapLinksOpenInTheBrowserAndMailWithoutRecipient)
{
    UrlRecorder browser(QStringLiteral("http"));
    selectContacts({"bo"});
    const QString link =
        tolvane::tolvaneMapURLForHome(*contactlookups::contactForID(tool.lists(), "bo"));
    ASSERT_FALSE(link.isEmpty());

    actions().viewMapToHome();
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.first().toString(QUrl::FullyEncoded), link);
    // Bo has no work address.
    actions().viewMapToWork();
    EXPECT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(beeps, 1);

    actions().sendMapToHome();
    ASSERT_EQ(mails.size(), 1);
    EXPECT_EQ(recipient(mails.first()), QString());
    EXPECT_EQ(queryValue(mails.first(), "Subject"), "A Map to bo Karl's home");
    EXPECT_EQ(queryValue(mails.first(), "Body"), "\r\r\rhere's the link:\r" + link);
}

} // namespace

#include "browseractionstest.moc"
