// The review window's corrections written back against the loopback server: the name and
// address hints in the program's property, the title, one update per contact in feeds of at most
// 100, the room left for the property, the outcome of a send, and the reviewed portraits.

#include "tests/support/google/photoservertest.h"

#include "addressbook/addressbookkeys.h"
#include "google/entries/flatteneddictionary.h"
#include "google/photos/reviewproperties.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/localizedpropertyorlabel.h"
#include "platform/defaults/userdefaults.h"

#include <QImage>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Outcome = GoogleContactTool::ReviewSendOutcome;

class ReviewWriteBackTest : public PhotoServerTest
{
protected:
    QString propertyName() const
    {
        return UserDefaults::standard().stringForKey(abkeys::googleContactExtendedPropertyName);
    }

    // Seeds the contacts as given and logs in; their identifiers.
    QStringList seedEntriesAndLogIn(const std::vector<GDataEntryPtr> &contacts)
    {
        const QStringList ids = server.seedContacts(kUser, contacts);
        EXPECT_TRUE(logIn(*engine));
        return ids;
    }

    // The contact as the server holds it.
    GDataEntryPtr stored(const QString &identifier)
    {
        for (const GDataEntryPtr &entry : serverEntries(GDataEntryBase::Kind::Contact)) {
            if (entry->identifier() == identifier)
                return entry;
        }
        return nullptr;
    }

    // The program's property of the stored contact: its values by element name.
    QHash<QString, QString> storedHints(const QString &identifier)
    {
        const GDataEntryPtr entry = stored(identifier);
        if (!entry)
            return {};
        for (const GDataExtendedProperty &property : entry->extendedProperties()) {
            if (property.name() == propertyName())
                return property.XMLValuesDictionary();
        }
        return {};
    }

    // The flattened reviewed addresses of the stored contact, by element name.
    QMap<QString, QMap<QString, QString>> storedAddressHints(const QString &identifier)
    {
        QMap<QString, QMap<QString, QString>> hints;
        const QHash<QString, QString> values = storedHints(identifier);
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key().startsWith(QLatin1String("address-")))
                hints.insert(it.key(), flatteneddictionary::inflateString(it.value()));
        }
        return hints;
    }

    template <typename Send> Outcome send(Send sendRows)
    {
        std::optional<Outcome> outcome;
        sendRows([&](const Outcome &answer) { outcome = answer; });
        EXPECT_TRUE(runUntil([&] { return outcome.has_value(); }));
        return outcome.value_or(Outcome{});
    }

    Outcome sendNames(const QList<NameReviewRow> &rows)
    {
        return send([&](auto done) { engine->updateContactNameExProps(rows, done); });
    }

    Outcome sendAddresses(const QList<AddressReviewRow> &rows)
    {
        return send([&](auto done) { engine->updateContactAddressExProps(rows, done); });
    }

    // Entries in the batch feeds posted so far, one count per feed.
    QList<int> batchFeedSizes()
    {
        QList<int> sizes;
        for (const QJsonValue &request : server.requestLog()) {
            const QJsonObject object = request.toObject();
            if (object.value("url").toString().contains(QLatin1String("/batch")))
                sizes << int(object.value("body").toString().count(QLatin1String("<entry")));
        }
        return sizes;
    }

    static GDataEntryContactPtr contactWithAddresses(const QString &title,
                                                     const QStringList &addresses)
    {
        GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle(title);
        std::vector<GDataPostalAddress> postal;
        for (const QString &text : addresses) {
            GDataPostalAddress address = GDataPostalAddress::postalAddressWithString(text);
            address.rel = QStringLiteral("http://schemas.google.com/g/2005#home");
            postal.push_back(address);
        }
        contact->setPostalAddresses(postal);
        return contact;
    }

    static AddressReviewRow addressRow(const QString &gID, const QString &text,
                                       const QString &street, const QString &city)
    {
        AddressReviewRow row;
        row.gID = gID;
        row.thisLabel = localizedPropertyOrLabel(kABHomeLabel);
        row.gAddrText = text;
        row.aLine1 = street;
        row.aCity = city;
        row.delta = true;
        return row;
    }

    static NameReviewRow nameRow(const QString &gID, const QString &first, const QString &last)
    {
        NameReviewRow row;
        row.gID = gID;
        row.aFirst = first;
        row.aLast = last;
        row.delta = true;
        return row;
    }
};

struct TitleCase
{
    const char *what;
    bool isCompany;
    const char *aCo, *aFirst, *aNick, *aMiddle, *aLast;
    std::optional<QString> title;
};

TEST(ReviewedTitle, FollowsTheReviewedParts)
{
    const TitleCase cases[] = {
        {"company", true, "Acme Inc", "Ann", "", "", "Lee", QStringLiteral("Acme Inc")},
        {"company without a name", true, "", "Ann", "", "", "Lee", std::nullopt},
        {"nickname only", false, "", "", "Annie", "", "", QStringLiteral("\"Annie\"")},
        {"all parts", false, "", "Ann", "Annie", "B.", "Lee",
         QStringLiteral("Ann \"Annie\" B. Lee")},
        {"first and last", false, "Acme", "Ann", "", "", "Lee", QStringLiteral("Ann Lee")},
        {"no part", false, "Acme", "", "", "", "", std::nullopt},
    };
    for (const TitleCase &c : cases) {
        NameReviewRow row;
        row.isCompany = c.isCompany;
        row.aCo = QString::fromUtf8(c.aCo);
        row.aFirst = QString::fromUtf8(c.aFirst);
        row.aNick = QString::fromUtf8(c.aNick);
        row.aMiddle = QString::fromUtf8(c.aMiddle);
        row.aLast = QString::fromUtf8(c.aLast);
        EXPECT_EQ(reviewproperties::reviewedTitle(row), c.title) << c.what;
    }
}

TEST(ReviewedAddressLabel, KeepsHomeAndWorkAndNamesTheRest)
{
    const std::pair<QString, QString> cases[] = {
        {localizedPropertyOrLabel(kABHomeLabel), QStringLiteral("home")},
        {localizedPropertyOrLabel(kABWorkLabel).toUpper(), QStringLiteral("work")},
        {QStringLiteral("address"), QStringLiteral("other")},
        {QString(), QStringLiteral("other")},
        {QStringLiteral("cabin"), QStringLiteral("cabin")},
    };
    for (const auto &[shown, stored] : cases)
        EXPECT_EQ(reviewproperties::reviewedAddressLabel(shown), stored) << shown.toStdString();
}

TEST_F(ReviewWriteBackTest, NameValuesAndTitleReachTheServer)
{
    GDataEntryContactPtr withOther = GDataEntryContact::contactEntryWithTitle("Bea Cole");
    GDataExtendedProperty own = GDataExtendedProperty::propertyWithName(propertyName());
    own.setXMLValues({{QStringLiteral("aID"), QStringLiteral("ABC:ABPerson")},
                      {QStringLiteral("aF"), QStringLiteral("old")}});
    withOther->addExtendedProperty(own);
    const QStringList ids =
        seedEntriesAndLogIn({GDataEntryContact::contactEntryWithTitle("ann lee"), withOther});

    NameReviewRow ann = nameRow(ids[0], QStringLiteral("Ann"), QStringLiteral("Lee"));
    ann.aNick = QStringLiteral("Annie");
    ann.aMiddle = QStringLiteral("B.");
    NameReviewRow bea;
    bea.gID = ids[1];
    bea.isCompany = true;
    bea.aCo = QStringLiteral("Cole & Sons");
    const Outcome outcome = sendNames({ann, bea});

    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.acceptedIDs, ids);
    EXPECT_TRUE(outcome.refused.isEmpty() && outcome.failedFeeds.isEmpty());
    const QHash<QString, QString> annHints = storedHints(ids[0]);
    const QHash<QString, QString> expected = {
        {"aNH", "1"},    {"isCo", "0"}, {"aC", ""},    {"aF", "Ann"},
        {"aN", "Annie"}, {"aM", "B."},  {"aL", "Lee"}, {"gT", "Ann \"Annie\" B. Lee"},
        {"gID", ids[0]}};
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_EQ(annHints.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(stored(ids[0])->title(), QStringLiteral("Ann \"Annie\" B. Lee"));
    // Values of the existing property that the review does not write stay.
    const QHash<QString, QString> beaHints = storedHints(ids[1]);
    EXPECT_EQ(beaHints.value("aID"), QStringLiteral("ABC:ABPerson"));
    EXPECT_EQ(beaHints.value("aF"), QString());
    EXPECT_EQ(beaHints.value("isCo"), QStringLiteral("1"));
    EXPECT_EQ(beaHints.value("aC"), QStringLiteral("Cole & Sons"));
    EXPECT_EQ(stored(ids[1])->title(), QStringLiteral("Cole & Sons"));
    EXPECT_EQ(stored(ids[1])->extendedProperties().size(), 1u);
}

TEST_F(ReviewWriteBackTest, ManyRowsGoInFeedsOfAHundred)
{
    std::vector<GDataEntryPtr> contacts;
    for (int i = 0; i < 150; ++i)
        contacts.push_back(GDataEntryContact::contactEntryWithTitle(QStringLiteral("P %1").arg(i)));
    const QStringList ids = seedEntriesAndLogIn(contacts);
    QList<NameReviewRow> rows;
    for (const QString &id : ids)
        rows << nameRow(id, QStringLiteral("First"), QStringLiteral("Last"));
    server.clearRequestLog();

    const Outcome outcome = sendNames(rows);

    // Feeds go out side by side, so the server may log them in either order.
    QList<int> sizes = batchFeedSizes();
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (QList<int>{50, 100}));
    EXPECT_EQ(outcome.acceptedIDs.size(), 150);
    EXPECT_EQ(storedHints(ids[149]).value("aNH"), QStringLiteral("1"));
}

TEST_F(ReviewWriteBackTest, AddressesOfOneContactGoInOneUpdateAndAReviewReplacesItsHint)
{
    const QString home = QStringLiteral("1 Main St\nSpringfield");
    const QString cabin = QStringLiteral("Lake Rd 9\nPinewood");
    const QStringList ids = seedEntriesAndLogIn({contactWithAddresses("Ann Lee", {home, cabin})});
    AddressReviewRow first =
        addressRow(ids[0], home, QStringLiteral("1 Main St"), QStringLiteral("Springfield"));
    first.aLine2 = QStringLiteral("Apt <2> & more");
    first.aPostal = QStringLiteral("12345");
    AddressReviewRow second =
        addressRow(ids[0], cabin, QStringLiteral("Lake Rd 9"), QStringLiteral("Pinewood"));
    second.thisLabel = QStringLiteral("address");
    server.clearRequestLog();

    const Outcome outcome = sendAddresses({first, second});

    EXPECT_EQ(outcome.acceptedIDs, ids);
    EXPECT_EQ(batchFeedSizes(), QList<int>{1});
    QMap<QString, QMap<QString, QString>> hints = storedAddressHints(ids[0]);
    ASSERT_EQ(hints.size(), 2);
    EXPECT_EQ(storedHints(ids[0]).value("abid"), QStringLiteral("TolvaneHints"));
    EXPECT_EQ(storedHints(ids[0]).value("gID"), ids[0]);
    QMap<QString, QString> homeHint;
    for (const auto &hint : std::as_const(hints)) {
        if (hint.value("city") == QLatin1String("Springfield"))
            homeHint = hint;
    }
    const QMap<QString, QString> expected = {{"abAddressHints", "YES"},
                                             {"label", "home"},
                                             {"street", "1 Main St\nApt &lt;2&gt; &amp; more"},
                                             {"city", "Springfield"},
                                             {"state", ""},
                                             {"postal", "12345"},
                                             {"country", ""},
                                             {"googleAddressText", "1MainStSpringfield"}};
    EXPECT_EQ(homeHint, expected);

    // The same address reviewed again: its hint is replaced under the same element.
    refetch();
    const QString homeElement = hints.key(homeHint);
    first.aCity = QStringLiteral("Shelbyville");
    first.aLine2.clear();
    sendAddresses({first});
    hints = storedAddressHints(ids[0]);
    ASSERT_EQ(hints.size(), 2);
    EXPECT_EQ(hints.value(homeElement).value("city"), QStringLiteral("Shelbyville"));
    EXPECT_EQ(hints.value(homeElement).value("street"), QStringLiteral("1 Main St"));
}

TEST_F(ReviewWriteBackTest, TenForeignPropertiesLeaveNoRoomAndTheOutcomeSaysSo)
{
    const auto withForeign = [](const QString &title, int count) {
        GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle(title);
        for (int i = 0; i < count; ++i)
            contact->addExtendedProperty(GDataExtendedProperty::propertyWithName(
                QStringLiteral("other.%1").arg(i), QStringLiteral("v")));
        return contact;
    };
    const QStringList ids =
        seedEntriesAndLogIn({withForeign("Nine Props", 9), withForeign("Ten Props", 10)});

    const Outcome outcome = sendNames({nameRow(ids[0], QStringLiteral("Nine"), QString()),
                                       nameRow(ids[1], QStringLiteral("Ten"), QString())});

    EXPECT_EQ(storedHints(ids[0]).value("aNH"), QStringLiteral("1"));
    EXPECT_EQ(stored(ids[0])->extendedProperties().size(), 10u);
    EXPECT_TRUE(storedHints(ids[1]).isEmpty());
    EXPECT_EQ(outcome.noRoom, QStringList{QStringLiteral("Ten Props")});
    EXPECT_EQ(outcome.acceptedIDs, QStringList{ids[0]});
}

TEST_F(ReviewWriteBackTest, AFailedFeedAndARefusedEntryAreInTheOutcome)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea"});
    server.injectFault(QStringLiteral("/batch"), 503);
    Outcome outcome = sendNames({nameRow(ids[0], QStringLiteral("Ann"), QStringLiteral("A"))});
    EXPECT_FALSE(outcome.failedFeeds.isEmpty());
    EXPECT_TRUE(outcome.acceptedIDs.isEmpty());
    EXPECT_TRUE(storedHints(ids[0]).isEmpty());

    refetch();
    server.injectBatchEntryStatus(ids[1], 409, QStringLiteral("Conflict"));
    outcome = sendNames({nameRow(ids[0], QStringLiteral("Ann"), QStringLiteral("A")),
                         nameRow(ids[1], QStringLiteral("Bea"), QStringLiteral("B"))});
    EXPECT_EQ(outcome.acceptedIDs, QStringList{ids[0]});
    ASSERT_EQ(outcome.refused.size(), 1);
    EXPECT_TRUE(outcome.refused.front().startsWith(QLatin1String("Bea: 409")));
}

TEST_F(ReviewWriteBackTest, RowsOfUnknownContactsAndAnEngineWithoutFeedsSendNothing)
{
    const QStringList ids = seedAndLogIn({"Ann"});
    server.clearRequestLog();
    Outcome outcome = sendNames({nameRow(QStringLiteral("http://nowhere/1"), "X", "Y")});
    EXPECT_EQ(outcome.notFound, QStringList{QStringLiteral("http://nowhere/1")});
    EXPECT_TRUE(batchFeedSizes().isEmpty());

    std::unique_ptr<OfferingEngine> loggedOut = makeEngine();
    std::optional<Outcome> answer;
    loggedOut->updateContactAddressExProps({addressRow(ids[0], "a", "b", "c")},
                                           [&](const Outcome &o) { answer = o; });
    ASSERT_TRUE(runUntil([&] { return answer.has_value(); }));
    EXPECT_FALSE(answer->started);
    EXPECT_TRUE(batchFeedSizes().isEmpty());
}

TEST_F(ReviewWriteBackTest, AReviewedPortraitIsUploadedAfterTheNameBatch)
{
    const QStringList ids = seedAndLogIn({"Ann", "Bea"});
    NameReviewRow ann = nameRow(ids[0], QStringLiteral("Ann"), QString());
    ann.gDelta = true;
    ann.gImage = QImage(32, 32, QImage::Format_RGB32);
    ann.gImage.fill(Qt::red);
    NameReviewRow bea = nameRow(ids[1], QStringLiteral("Bea"), QString());
    bea.gDelta = true;
    bea.gImage = ann.gImage;
    server.clearRequestLog();
    server.injectFault(ids[1].section(u'/', -1), 403, 1, 0, false, "PUT");

    const Outcome outcome = sendNames({ann, bea});

    EXPECT_TRUE(showsColour(storedPhoto(ids[0]), Qt::red));
    EXPECT_EQ(outcome.failedPortraits, QStringList{QStringLiteral("Bea")});
    const QJsonArray log = server.requestLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_TRUE(log.first().toObject().value("url").toString().contains(QLatin1String("/batch")));
}

} // namespace
