// Entries, feeds and extended properties as the engine changes them in memory.

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdatafeedcontact.h"
#include "platform/gdata/gdatanetworkerror.h"
#include "platform/gdata/gdataserviceticket.h"

#include <gtest/gtest.h>

namespace {

TEST(GDataExtendedPropertyTest, XMLValues_ReplaceOrAppendAndFirstWins)
{
    auto property = GDataExtendedProperty::propertyWithName(QStringLiteral("PROPNAME"));
    property.setXMLValues({{QStringLiteral("a"), QStringLiteral("1")},
                           {QStringLiteral("b"), QStringLiteral("2")},
                           {QStringLiteral("a"), QStringLiteral("3")}});
    EXPECT_EQ(property.XMLValuesDictionary().value(QStringLiteral("a")), QStringLiteral("1"));
    property.setXMLValue(QStringLiteral("9"), QStringLiteral("a"));
    property.setXMLValue(QStringLiteral("4"), QStringLiteral("c"));
    EXPECT_EQ(property.XMLValues(), (std::vector<GDataExtendedProperty::XMLValue>{
                                        {"a", "9"}, {"b", "2"}, {"a", "3"}, {"c", "4"}}));
    EXPECT_EQ(property.XMLValueForKey(QStringLiteral("c")), QStringLiteral("4"));
    EXPECT_FALSE(property.XMLValueForKey(QStringLiteral("missing")).has_value());
    property.setXMLValuesDictionary({{QStringLiteral("only"), QStringLiteral("x")}});
    EXPECT_EQ(property.XMLValues(), (std::vector<GDataExtendedProperty::XMLValue>{{"only", "x"}}));
}

TEST(GDataFeedTest, AddEntryWithEntry_CopiesDeeplyWhileAddEntryShares)
{
    auto live = GDataEntryContact::contactEntryWithTitle(QStringLiteral("Anna"));
    live->addGroupMembershipInfo({QStringLiteral("g1"), false});
    GDataFeedPtr feed = GDataFeedContact::contactFeed();
    feed->addEntryWithEntry(*live);
    feed->addEntry(live);
    live->setTitle(QStringLiteral("Changed"));
    live->removeGroupMembershipInfo({QStringLiteral("g1"), false});
    const auto copied = std::static_pointer_cast<GDataEntryContact>(feed->entries()[0]);
    EXPECT_EQ(copied->title(), QStringLiteral("Anna"));
    EXPECT_EQ(copied->groupMembershipInfos().size(), 1u);
    EXPECT_EQ(feed->entries()[1]->title(), QStringLiteral("Changed"));

    const GDataFeedPtr snapshot = feed->copy();
    feed->entries()[1]->setTitle(QStringLiteral("Later"));
    EXPECT_EQ(snapshot->entries()[1]->title(), QStringLiteral("Changed"));
}

TEST(GDataEntryTest, MIMEType_ByFileNameWithADefault)
{
    const QString fallback = QStringLiteral("image/jpeg");
    EXPECT_EQ(GDataEntryBase::MIMETypeForFileAtPath(QStringLiteral("/x/face.png"), fallback),
              QStringLiteral("image/png"));
    EXPECT_EQ(GDataEntryBase::MIMETypeForFileAtPath(QStringLiteral("/x/face"), fallback), fallback);
}

TEST(GDataServiceTicketTest, Properties_HoldSharedArrays)
{
    GDataServiceTicket ticket;
    auto tickets = std::make_shared<std::vector<GDataServiceTicketPtr>>();
    ticket.setProperty(QStringLiteral("batchTickets"), tickets);
    tickets->push_back(std::make_shared<GDataServiceTicket>());
    const auto held = ticket.propertyAs<std::shared_ptr<std::vector<GDataServiceTicketPtr>>>(
        QStringLiteral("batchTickets"));
    ASSERT_TRUE(held);
    EXPECT_EQ(held->size(), 1u);
    EXPECT_FALSE(ticket.property(QStringLiteral("unset")).has_value());
    EXPECT_EQ(ticket.propertyAs<bool>(QStringLiteral("unset"), true), true);
}

TEST(GDataErrorTest, HTTPFailure_CarriesTheBodyAndTheServersErrors)
{
    const QByteArray body =
        R"(<errors xmlns="http://schemas.google.com/g/2005"><error><domain>GData</domain>
        <code>etagsMismatch</code><internalReason>Etags mismatch</internalReason></error></errors>)";
    const GDataError error = gdataHTTPError(412, body);
    EXPECT_EQ(error.code, 412);
    EXPECT_EQ(error.userInfo.value(kGDataErrorResponseBodyKey).toByteArray(), body);
    const QVariantList errors = error.userInfo.value(kGDataErrorServerErrorsKey).toList();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0].toMap().value("code").toString(), QStringLiteral("etagsMismatch"));
    EXPECT_FALSE(
        gdataHTTPError(500, "<html>oops</html>").userInfo.contains(kGDataErrorServerErrorsKey));
}

} // namespace
