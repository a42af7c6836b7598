// Folding a contact into a master: each kind of value by exact text, the master only growing,
// the note with its every line, and the contact's notes kept also without the note.

#include "google/browser/contactmerge.h"

#include "foundation/text/textdate.h"
#include "platform/gdata/gdataconstants.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

const QString kWork = QString::fromLatin1(kGDataContactWork);
const QDateTime kNow(QDate(2009, 3, 14), QTime(15, 9, 26), QTimeZone(-7 * 3600));
// The date as the engine writes dates, in the zone the test runs in.
QString header()
{
    return "** merged " + textdate::format(kNow) + "\r";
}

GDataEntryContactPtr contactWith(const QString &title, const QStringList &emails,
                                 const std::optional<QString> &notes = std::nullopt)
{
    const GDataEntryContactPtr contact = GDataEntryContact::contactEntryWithTitle(title);
    std::vector<GDataEmail> list;
    for (const QString &email : emails)
        list.push_back(GDataEmail{email, QStringLiteral("http://schemas.google.com/g/2005#home"),
                                  std::nullopt, false});
    contact->setEmailAddresses(list);
    contact->setContentWithString(notes);
    return contact;
}

GDataOrganization org(const std::optional<QString> &name, const std::optional<QString> &title)
{
    GDataOrganization organization;
    organization.orgName = name;
    organization.orgTitle = title;
    return organization;
}

contactmerge::Settings settings(bool info, bool groups = false)
{
    contactmerge::Settings s;
    s.includeMergeInfo = info;
    s.includeMergeGroups = groups;
    s.groupTitle = [](const QString &id) {
        return QStringLiteral("Group ") + id;
    };
    s.now = kNow;
    return s;
}

QStringList addresses(const GDataEntryContact &contact)
{
    QStringList list;
    for (const GDataEmail &email : contact.emailAddresses())
        list << email.address;
    return list;
}

TEST(ContactMerge, Emails_OnlyTheMissingOnes_CaseCounts_NoteNamesThem)
{
    const auto master = contactWith("Ann Lee", {"a@x.org"});
    const auto donor = contactWith("Ann L.", {"a@x.org", "b@x.org", "A@x.org", "b@x.org"});

    contactmerge::merge(*donor, *master, settings(true));

    EXPECT_EQ(addresses(*master), (QStringList{"a@x.org", "b@x.org", "A@x.org"}));
    EXPECT_EQ(master->emailAddresses()[1].rel, donor->emailAddresses()[1].rel);
    EXPECT_FALSE(master->emailAddresses()[1].primary);
    EXPECT_EQ(master->content(), header() + "name: Ann L.\rEmail: b@x.org\rA@x.org\r");
    EXPECT_EQ(master->title(), QStringLiteral("Ann Lee"));
}

TEST(ContactMerge, PhonesAddressesAndIMs_Added_WithTheirNoteLines)
{
    const auto master = contactWith("M", {});
    master->setPhoneNumbers({GDataPhoneNumber::phoneNumberWithString("555 1")});
    const auto donor = contactWith("", {});
    GDataPhoneNumber mobile = GDataPhoneNumber::phoneNumberWithString("555 2");
    mobile.rel = QStringLiteral("http://schemas.google.com/g/2005#mobile");
    donor->setPhoneNumbers({GDataPhoneNumber::phoneNumberWithString("555 1"), mobile});
    donor->setPostalAddresses({GDataPostalAddress::postalAddressWithString("1 Main St\nTown"),
                               GDataPostalAddress::postalAddressWithString("2 Side St")});
    donor->setIMAddresses({GDataIM::IMWithProtocol(QStringLiteral("AIM"), std::nullopt,
                                                   QStringLiteral("chat"), "ann99")});

    contactmerge::merge(*donor, *master, settings(true));

    ASSERT_EQ(master->phoneNumbers().size(), 2u);
    EXPECT_EQ(master->phoneNumbers()[1].rel, mobile.rel);
    ASSERT_EQ(master->postalAddresses().size(), 2u);
    ASSERT_EQ(master->IMAddresses().size(), 1u);
    EXPECT_EQ(master->IMAddresses()[0].label, QStringLiteral("chat"));
    EXPECT_EQ(master->IMAddresses()[0].protocol, QStringLiteral("AIM"));
    EXPECT_EQ(master->content(), header() + "Phone: 555 2\rIM: ann99\r"
                                            "Address: 1 Main St\nTown\r\r2 Side St\r");
}

TEST(ContactMerge, Organisations_PairedByPosition_EveryOneInTheNote)
{
    struct Case
    {
        const char *label;
        std::vector<GDataOrganization> master, donor, added;
        QString line;
    } cases[] = {
        {"same name, other title: the title alone",
         {org("N", "U")},
         {org("N", "T")},
         {org("", "T")},
         "Organization: T\r\r"},
        {"two organisations: both listed",
         {},
         {org("Acme", "Boss"), org("Bolt", "Clerk")},
         {org("Acme", "Boss"), org("Bolt", "Clerk")},
         "Organization: Acme - Boss\rBolt - Clerk\r\r"},
        {"a name without title",
         {},
         {org("Acme", std::nullopt)},
         {org("Acme", std::nullopt)},
         "Organization: Acme\r\r"},
        {"nothing new", {org("N", "T")}, {org("N", "T")}, {}, ""},
    };
    for (const Case &c : cases) {
        const auto master = contactWith("M", {});
        master->setOrganizations(c.master);
        const auto donor = contactWith("", {});
        donor->setOrganizations(c.donor);

        contactmerge::merge(*donor, *master, settings(true));

        const std::vector<GDataOrganization> &orgs = master->organizations();
        ASSERT_EQ(orgs.size(), c.master.size() + c.added.size()) << c.label;
        for (size_t i = 0; i < c.added.size(); ++i) {
            const GDataOrganization &made = orgs[c.master.size() + i];
            EXPECT_EQ(made.orgName, c.added[i].orgName) << c.label;
            EXPECT_EQ(made.orgTitle, c.added[i].orgTitle) << c.label;
            EXPECT_EQ(made.rel, kWork) << c.label;
        }
        EXPECT_EQ(master->content(), header() + c.line) << c.label;
    }
}

TEST(ContactMerge, Groups_OnlyWithTheirSetting)
{
    for (const bool groups : {true, false}) {
        const auto master = contactWith("M", {});
        master->addGroupMembershipInfo(GDataGroupMembershipInfo::groupMembershipInfoWithHref("g1"));
        const auto donor = contactWith("", {});
        for (const char *href : {"g1", "g2", "g3"})
            donor->addGroupMembershipInfo(
                GDataGroupMembershipInfo::groupMembershipInfoWithHref(href));

        contactmerge::merge(*donor, *master, settings(true, groups));

        EXPECT_EQ(master->groupMembershipInfos().size(), groups ? 3u : 1u);
        EXPECT_EQ(master->content(),
                  groups ? header() + "Groups: Group g2\rGroup g3\r\r" : header());
    }
}

// Without the merge note, a donor's notes the master lacks are added as they are: the donor is
// deleted after the merge, and its notes with it.
TEST(ContactMerge, Notes_KeptOnceWithOrWithoutTheNote)
{
    struct Case
    {
        bool info;
        std::optional<QString> masterNotes, donorNotes, expected;
    } cases[] = {
        {true, std::nullopt, "Likes tea", header() + "Notes: Likes tea\r"},
        {true, "Met in Rome. LIKES TEA", "likes tea", "Met in Rome. LIKES TEA\r" + header()},
        {true, "Met in Rome", "Likes tea", "Met in Rome\r" + header() + "Notes: Likes tea\r"},
        {false, "Met in Rome", "Likes tea", QStringLiteral("Met in Rome\rLikes tea")},
        {false, std::nullopt, "Likes tea", QStringLiteral("Likes tea")},
        {false, "Likes tea, Rome", "likes TEA", "Likes tea, Rome"},
        {false, "Met in Rome", std::nullopt, "Met in Rome"},
    };
    for (const Case &c : cases) {
        const auto master = contactWith("M", {}, c.masterNotes);
        const auto donor = contactWith("", {}, c.donorNotes);
        contactmerge::merge(*donor, *master, settings(c.info));
        EXPECT_EQ(master->content(), c.expected)
            << c.info << " " << c.masterNotes.value_or("-").toStdString() << " / "
            << c.donorNotes.value_or("-").toStdString();
    }
}

} // namespace
