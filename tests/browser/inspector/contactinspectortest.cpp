// The inspector against the loopback server: notes edits go to Google for the contacts that were
// selected, each edit once, and never text the user did not type.
#include "browser/inspector/contactinspector.h"

#include "browser/models/contactarraycontroller.h"
#include "browser/models/contactcolumns.h"

#include "tests/support/google/engineservertest.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QJsonObject>

namespace {

class ContactInspectorTest : public EngineServerTest
{
protected:
    void SetUp() override
    {
        EngineServerTest::SetUp();
        storePassword(kPassword);
        std::vector<GDataEntryPtr> seeded;
        for (const auto &[title, note] : {std::pair{"Ann Lee", "a"}, std::pair{"Bo Karl", "b"},
                                          std::pair{"Cy Acme", "c"}, std::pair{"Dee Moss", "d"}}) {
            auto contact = GDataEntryContact::contactEntryWithTitle(QString::fromLatin1(title));
            contact->setContentWithString(QString::fromLatin1(note));
            seeded.push_back(contact);
        }
        ids = server.seedContacts(kUser, seeded);
        engine = makeEngine();
        ASSERT_TRUE(logIn(*engine));
        inspector = std::make_unique<ContactInspector>(*engine);
    }

    QString serverNote(const QString &identifier)
    {
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            if (entry->identifier() == identifier)
                return entry->content().value_or(QString());
        }
        return QStringLiteral("(missing)");
    }

    int contactUpdatesSent()
    {
        int count = 0;
        for (const QJsonValue &request : server.requestLog())
            count += request.toObject().value("method").toString() == u"PUT";
        return count;
    }

    // Waits until Google answered that many edits since the journal was last cleared.
    bool answered(int count)
    {
        return runUntil([&] { return journal.count(QStringLiteral("closeUserInfo")) >= count; });
    }

    std::unique_ptr<OfferingEngine> engine;
    std::unique_ptr<ContactInspector> inspector;
    QStringList ids;
};

TEST_F(ContactInspectorTest, FollowsTheSelection_AndKeepsANoteBeingTyped)
{
    inspector->showContacts({ids[0], ids[1]});
    EXPECT_EQ(inspector->currentContact().value("name"), u"Bo Karl"_qs);
    EXPECT_EQ(inspector->notes(), u"b"_qs);
    ASSERT_TRUE(inspector->currentTolvaneContact());
    EXPECT_EQ(inspector->currentTolvaneContact()->identifier(), ids[1]);
    // A person of no gender may become a company, a man or a woman.
    EXPECT_TRUE(inspector->canBeCo() && inspector->canBeMale() && inspector->canBeFemale());

    inspector->showContacts({ids[0]});
    inspector->textChange(u"draft"_qs);
    inspector->showContacts({ids[0]});
    EXPECT_EQ(inspector->notes(), u"draft"_qs);

    inspector->showContacts({});
    EXPECT_EQ(inspector->currentContact().value("gID"), QString());
    EXPECT_FALSE(inspector->currentTolvaneContact());
}

TEST_F(ContactInspectorTest, EveryEditIsSentOnce)
{
    server.clearRequestLog();
    journal.clear();
    inspector->showContacts({ids[0]});
    inspector->textChange(u"Met at the fair"_qs);
    inspector->doUpdate();
    ASSERT_TRUE(answered(1));
    EXPECT_EQ(serverNote(ids[0]), u"Met at the fair"_qs);
    EXPECT_TRUE(journal.contains(u"openUserInfo:Updating Ann Lee/2"_qs))
        << journal.join('\n').toStdString();
    inspector->doUpdate();

    // A second edit without a new selection is sent too.
    inspector->showContacts({ids[0]});
    inspector->textChange(u"Moved to Oslo"_qs);
    inspector->doUpdate();
    ASSERT_TRUE(answered(2));
    EXPECT_EQ(serverNote(ids[0]), u"Moved to Oslo"_qs);
    EXPECT_EQ(contactUpdatesSent(), 2);
}

TEST_F(ContactInspectorTest, ANoteForThreeContactsOfASortedSearchGoesToThoseThree)
{
    ContactArrayController contacts(engine->lists());
    contacts.sort(contactcolumns::columnOf(u"name"_qs), Qt::DescendingOrder);
    contacts.setSearchString(u"e"_qs); // Dee Moss, Cy Acme, Ann Lee
    ASSERT_EQ(contacts.rowCount(), 3);
    QItemSelectionModel selection(&contacts);
    for (int row : {0, 2})
        selection.select(contacts.index(row, 0),
                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QStringList chosen;
    for (const QModelIndex &row : selection.selectedRows())
        chosen.append(contacts.gIDAt(row.row()));
    chosen.append(contacts.gIDAt(1));

    server.clearRequestLog();
    journal.clear();
    inspector->showContacts(chosen);
    inspector->setMultiNote(u"Call back"_qs);
    // Choosing other contacts sends the pending note first.
    inspector->showContacts({ids[1]});
    ASSERT_TRUE(answered(3));
    // The note follows a carriage return, which Google's XML reader keeps as a line feed.
    EXPECT_EQ(serverNote(ids[0]), u"a\nCall back"_qs);
    EXPECT_EQ(serverNote(ids[1]), u"b"_qs);
    EXPECT_EQ(serverNote(ids[2]), u"c\nCall back"_qs);
    EXPECT_EQ(serverNote(ids[3]), u"d\nCall back"_qs);
    EXPECT_EQ(contactUpdatesSent(), 3);
}

TEST_F(ContactInspectorTest, ANoteChangedOnGoogleIsShownAnew_AndNothingOldIsSentBack)
{
    inspector->showContacts({ids[0]});
    ASSERT_EQ(inspector->notes(), u"a"_qs);

    // Another program changes the note on Google.
    auto other = makeEngine();
    ASSERT_TRUE(logIn(*other));
    GDataEntryContact changed(*other->contactArray().front());
    changed.setContentWithString(u"changed elsewhere"_qs);
    journal.clear();
    other->updateGoogleContact(changed);
    ASSERT_TRUE(answered(1));

    journal.clear();
    engine->refreshFeeds();
    ASSERT_TRUE(runUntil([&] { return journal.contains(u"setContactArray:4"_qs); }));
    server.clearRequestLog();
    inspector->showContacts({ids[0]});
    EXPECT_EQ(inspector->notes(), u"changed elsewhere"_qs);
    inspector->doUpdate();
    inspector->showContacts({ids[1]});
    QCoreApplication::processEvents();
    EXPECT_EQ(contactUpdatesSent(), 0);
    EXPECT_EQ(serverNote(ids[0]), u"changed elsewhere"_qs);
}

} // namespace
