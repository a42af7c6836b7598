#include "tests/loader/window/dataloadertest.h"

#include "addressbook/google/linkproperties.h"
#include "google/engine/googlecontacttool.h"
#include "loader/loadertexts.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"
#include "platform/gdata/gdataconstants.h"
#include "platform/gdata/gdataservicegooglecontact.h"
#include "tests/support/google/booksnapshot.h"
#include "tests/support/google/googleaccountseed.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

namespace {

namespace seed = googleaccountseed;
using QueryFault = GDataTestServer::QueryFault;

// The seeded account in pages of 100: three pages of contacts, a few with photos.
class FetchFaultFixture : public DataLoaderTest
{
protected:
    static constexpr int kContacts = 280;

    void SetUp() override
    {
        DataLoaderTest::SetUp();
        std::vector<GDataEntryPtr> groups;
        for (const QString &title : seed::groupTitles())
            groups.push_back(GDataEntryContactGroup::contactGroupEntryWithTitle(title));
        const QStringList groupIDs = server.seedGroups(kAccount, groups);
        QString myContacts;
        for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::ContactGroup)) {
            const auto group = std::static_pointer_cast<GDataEntryContactGroup>(entry);
            if (group->systemGroup() == QLatin1String(kGDataSystemGroupContacts))
                myContacts = group->identifier();
        }
        std::vector<GDataEntryPtr> contacts;
        QList<int> indexes;
        for (int index = 0; index < kContacts; ++index) {
            if (seed::isDeleted(index))
                continue;
            contacts.push_back(seed::contactAt(index, groupIDs, myContacts));
            indexes << index;
        }
        const QStringList ids = server.seedContacts(kAccount, contacts);
        ASSERT_EQ(ids.size(), indexes.size());
        for (qsizetype i = 0; i < ids.size(); ++i) {
            const QByteArray photo = seed::photoAt(indexes.at(i));
            if (!photo.isEmpty()) {
                server.setPhoto(kAccount, ids.at(i), photo, "image/png");
                photoIDs << ids.at(i);
            }
        }
        server.setOptions(QJsonObject{{"pageSize", 100}});
    }

    QSet<QString> liveContactIDs()
    {
        QSet<QString> ids;
        for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::Contact))
            ids.insert(entry->identifier());
        return ids;
    }
    // The Google identifiers the book's people are linked to, each as often as it is held. A
    // download leaves the Me record alone, whatever link it holds.
    QList<QString> links(bool withMe)
    {
        QList<QString> ids;
        const PersonPtr me = AddressBook::shared()->me();
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            if (!withMe && me && person->uniqueId() == me->uniqueId())
                continue;
            const QString id =
                person->valueForProperty(AddressBookTool::contactIDPropertyName()).toString();
            if (!id.isEmpty())
                ids << id;
        }
        return ids;
    }
    // Every contact of the account has one person, linked to it, and the book holds nobody else
    // but the Me record.
    void expectBookHoldsTheAccount()
    {
        const QList<QString> linked = links(false);
        const QSet<QString> live = liveContactIDs();
        const QSet<QString> held(linked.cbegin(), linked.cend());
        EXPECT_EQ(QSet<QString>(live).subtract(held), QSet<QString>())
            << "contacts without a person";
        EXPECT_EQ(QSet<QString>(held).subtract(live), QSet<QString>()) << "links to no contact";
        EXPECT_EQ(linked.size(), held.size()) << "contacts linked twice";
        EXPECT_EQ(AddressBook::shared()->people().size(), live.size() + 1);
    }
    PersonPtr personLinkedTo(const QString &id)
    {
        for (const PersonPtr &person : AddressBook::shared()->people()) {
            if (person->valueForProperty(AddressBookTool::contactIDPropertyName()).toString() == id)
                return person;
        }
        return {};
    }
    QString photoPathOf(const QString &id)
    {
        for (const GDataEntryPtr &entry : liveEntries(GDataEntryBase::Kind::Contact)) {
            const auto contact = std::static_pointer_cast<GDataEntryContact>(entry);
            if (contact->identifier() == id && contact->photoLink())
                return contact->photoLink()->URL().path();
        }
        return {};
    }
    // The logged requests that would change the account: anything but a read of the feeds.
    int writesToTheAccount()
    {
        int writes = 0;
        for (const QJsonValue &request : server.requestLog()) {
            const QJsonObject logged = request.toObject();
            writes += logged.value("method").toString() != "GET" &&
                              logged.value("url").toString().contains("/m8/feeds/")
                          ? 1
                          : 0;
        }
        return writes;
    }
    void deleteOnServer(const QString &identifier)
    {
        for (const GDataEntryContactPtr &contact : tool()->contactArray()) {
            if (contact->identifier() != identifier)
                continue;
            bool done = false;
            tool()->contactService()->deleteEntry(
                *contact, tool(), [&](const auto &, const auto &) { done = true; },
                [&](const auto &, const auto &) { done = true; });
            ASSERT_TRUE(runUntil([&] { return done; }));
        }
    }

    QStringList photoIDs;
};

struct PageFault
{
    const char *name;
    QueryFault kind;
    int status;
    // The second page's next link points back at that page instead.
    bool loopingNextLink = false;
};

class PageFaultTest : public FetchFaultFixture, public ::testing::WithParamInterface<PageFault>
{
protected:
    // On the second page of the contact feed, at every try.
    void injectPageFault()
    {
        const PageFault &fault = GetParam();
        if (fault.loopingNextLink)
            server.setOptions(QJsonObject{{"nextLinkLoopsFrom", 101}});
        else
            server.injectQueryFault(QStringLiteral("/contacts/"), QStringLiteral("start-index=101"),
                                    fault.kind, fault.status, 1000);
    }
    void clearPageFault()
    {
        server.clearFaults();
        server.setOptions(QJsonObject{{"nextLinkLoopsFrom", 0}});
    }
};

// The first page came, a later one did not: what came is not the account. Neither pass reads
// the missing contacts as deletions or as records to add, and the reruns complete the job once.
TEST_P(PageFaultTest, AFaultOnALaterPageStopsBothPassesAndTheRerunsCompleteTheJobOnce)
{
    ASSERT_TRUE(openLoader());
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    expectBookHoldsTheAccount();

    // The account moves on: a contact goes, one arrives; both are for the rerun to carry.
    const QString gone = *liveContactIDs().cbegin();
    deleteOnServer(gone);
    auto late = std::make_shared<GDataEntryContact>();
    late->setTitle(QStringLiteral("Late Arrival"));
    const QString arrived = server.seedContacts(kAccount, {late}).value(0);
    const booksnapshot::Snapshot book = booksnapshot::snapshot();
    const QSet<QString> account = liveContactIDs();

    injectPageFault();
    server.clearRequestLog();
    for (QAbstractButton *button : {static_cast<QAbstractButton *>(loader->simpleDownloadButton()),
                                    static_cast<QAbstractButton *>(loader->simpleUploadButton())}) {
        const qsizetype shown = prompter.shown().size();
        ASSERT_TRUE(runPass(button));
        EXPECT_EQ(booksnapshot::snapshot(), book);
        EXPECT_EQ(liveContactIDs(), account);
        EXPECT_EQ(writesToTheAccount(), 0);
        // The confirmation, then one sheet that says why.
        EXPECT_EQ(prompter.shown().size(), shown + 2) << sheetTitles().join(" | ").toStdString();
    }

    clearPageFault();
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    expectBookHoldsTheAccount();
    EXPECT_TRUE(personLinkedTo(arrived));
    EXPECT_FALSE(personLinkedTo(gone));
    ASSERT_TRUE(runPass(loader->simpleUploadButton()));
    // The Me record went up as a contact of its own; nobody else was added.
    EXPECT_EQ(liveContactIDs().size(), account.size() + 1);
    const QList<QString> linked = links(true);
    EXPECT_EQ(QSet<QString>(linked.cbegin(), linked.cend()), liveContactIDs());
    EXPECT_EQ(linked.size(), AddressBook::shared()->people().size());
}

INSTANTIATE_TEST_SUITE_P(Faults, PageFaultTest,
                         ::testing::Values(PageFault{"ServerError", QueryFault::Status, 500},
                                           PageFault{"Unavailable", QueryFault::Status, 503},
                                           PageFault{"Dropped", QueryFault::Drop, 0},
                                           PageFault{"CutShort", QueryFault::CutBody, 0},
                                           PageFault{"Malformed", QueryFault::MalformedBody, 0},
                                           PageFault{"LoopingNextLink", QueryFault::Status, 0,
                                                     true}),
                         [](const auto &info) { return std::string(info.param.name); });

struct PhotoFault
{
    const char *name;
    int status;
    bool drop;
};

class PhotoFaultTest : public FetchFaultFixture, public ::testing::WithParamInterface<PhotoFault>
{
};

// A photo that does not come leaves out that picture alone, and the rerun brings it.
TEST_P(PhotoFaultTest, TheRecordComesWithoutItsPictureAndTheRerunBringsIt)
{
    ASSERT_FALSE(photoIDs.isEmpty());
    const QString failing = photoIDs.front();
    const QString path = photoPathOf(failing);
    ASSERT_FALSE(path.isEmpty());
    ASSERT_TRUE(openLoader());
    server.injectFault(path, GetParam().status, 1000, 0, GetParam().drop, "GET");
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    expectBookHoldsTheAccount();
    for (const QString &id : photoIDs) {
        const PersonPtr person = personLinkedTo(id);
        ASSERT_TRUE(person);
        EXPECT_EQ(person->imageData().isEmpty(), id == failing) << id.toStdString();
    }

    server.clearFaults();
    ASSERT_TRUE(runPass(loader->simpleDownloadButton()));
    expectBookHoldsTheAccount();
    for (const QString &id : photoIDs)
        EXPECT_FALSE(personLinkedTo(id)->imageData().isEmpty()) << id.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faults, PhotoFaultTest,
                         ::testing::Values(PhotoFault{"ServerError", 500, false},
                                           PhotoFault{"Unavailable", 503, false},
                                           PhotoFault{"Dropped", 0, true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
