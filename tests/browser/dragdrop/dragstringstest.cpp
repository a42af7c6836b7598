// The text a drag of browser rows gives other programs.
#include "browser/dragdrop/dragstrings.h"

#include <gtest/gtest.h>

namespace {

QVariantMap address(const char *street, const char *city, const char *state, const char *postal)
{
    return {{"street1", street}, {"street2", ""},    {"city", city},
            {"state", state},    {"postal", postal}, {"country", ""}};
}

QVariantMap person()
{
    return {
        {"name", "Ann Lee"},
        {"nameDict", QVariantMap{{"first", "Ann"}, {"last", "Lee"}}},
        {"isCo", false},
        {"org", "Acme"},
        {"job", "Chef"},
        {"mobilePhone", "555-0001"},
        {"workPhone", "555-0002"},
        {"workEmail", "ann@acme.com"},
        {"workIM", "annlee"},
        {"workIMType", 6},
        {"workAddrDict", address("1 Main St", "Logan", "UT", "84321")},
        {"homePhone", ""},
        {"homeEmail", "ann@home.org"},
        {"homeIM", ""},
        {"homeIMType", -1},
        // Too thin to say anything: its parts joined by "?" are 7 characters.
        {"homeAddrDict", address("", "", "", "")},
    };
}

QVariantMap company()
{
    return {
        {"name", "Acme"},
        {"nameDict", QVariantMap{{"first", ""}, {"last", ""}}},
        {"isCo", true},
        {"org", "Acme"},
        {"mobilePhone", "555-9999"},
        {"workPhone", "555-0100"},
        {"workEmail", "info@acme.com"},
        {"workAddrDict", address("9 Mill Rd", "Provo", "UT", "84601")},
    };
}

TEST(DragStrings, EmailListTakesWorkElseHomeAndSkipsRowsWithout)
{
    const QList<QVariantMap> rows = {{{"workEmail", "a@w.com"}, {"homeEmail", "a@h.com"}},
                                     {{"workEmail", ""}, {"homeEmail", "b@h.com"}},
                                     {{"workEmail", ""}, {"homeEmail", ""}}};
    EXPECT_EQ(dragstrings::emailList(rows), "a@w.com, b@h.com");
    EXPECT_EQ(dragstrings::emailList({rows[2]}), "");
    // Without modifiers a drag is the e-mail list, whatever the number of rows.
    EXPECT_EQ(dragstrings::contactDragString(rows, false, false), "a@w.com, b@h.com");
}

TEST(DragStrings, RowsHaveTwentyFiveColumnsAndTheHeaderWithShift)
{
    const QString two = dragstrings::contactDragString({person(), company()}, true, false);
    const QStringList lines = two.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_FALSE(two.endsWith('\n'));
    for (const QString &line : lines)
        EXPECT_EQ(line.split('\t').size(), 25);
    EXPECT_EQ(lines[0], "Ann\tLee\tAcme\tChef\t555-0001\tann@acme.com\t555-0002\tannlee\tSkype\t"
                        "ann@home.org\t\t\t\t1 Main St\t\tLogan\tUT\t84321\t\t\t\t\t\t\t");
    // An address dictionary without keys gives six empty columns.
    EXPECT_TRUE(lines[1].endsWith("\t\t\t\t\t\t"));

    const QStringList withHeader =
        dragstrings::contactDragString({person(), company()}, true, true).split('\n');
    ASSERT_EQ(withHeader.size(), 3);
    EXPECT_TRUE(withHeader[0].startsWith("first\tlast\torganization\tjobTitle\tmobilePhone\t"));
    EXPECT_TRUE(withHeader[0].endsWith("\thomePostal\thomeCountry"));
    EXPECT_EQ(withHeader[0].split('\t').size(), 25);
}

TEST(DragStrings, TextCardsOfAPersonAndACompany)
{
    EXPECT_EQ(dragstrings::contactDragString({person()}, false, true),
              "Ann Lee\nAcme\nChef\nMobile: 555-0001\nWork: 555-0002\nWork: ann@acme.com\n"
              "Work: annlee (Skype)\nWork: 1 Main St :  : Logan, UT  84321  \n"
              "Home: ann@home.org\n");
    // The organisation comes first, and a company has no mobile line.
    EXPECT_EQ(dragstrings::textCard(company()), "Acme\nPhone: 555-0100\nEmail: info@acme.com\n"
                                                "Address: 9 Mill Rd :  : Provo, UT  84601  \n");
    // Shift on several rows is the e-mail list.
    EXPECT_EQ(dragstrings::contactDragString({person(), company()}, false, true),
              "ann@acme.com, info@acme.com");
}

TEST(DragStrings, InstantMessagingServiceNames)
{
    const std::pair<QVariant, const char *> cases[] = {
        {0, "AIM"},   {1, "GoogleTalk"}, {2, "ICQ"}, {3, "Jabber"}, {4, "MSN"},      {5, "QQ"},
        {6, "Skype"}, {7, "Yahoo"},      {-1, ""},   {8, ""},       {QVariant(), ""}};
    for (const auto &[type, name] : cases)
        EXPECT_EQ(dragstrings::imServiceName(type), name) << type.toString().toStdString();
}

} // namespace
