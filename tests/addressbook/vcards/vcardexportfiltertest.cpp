#include "addressbook/vcards/vcardexportfilter.h"

#include "addressbook/vcards/vcardcontentline.h"
#include "tests/support/logcapture.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A person with one of every field, in the address book's vCard 3.0 layout.
const std::pair<const char *, const char *> personLines[] = {
    {"begin", "BEGIN:VCARD"},
    {"version", "VERSION:3.0"},
    {"n", "N:Doe;Jane;Q;Dr.;PhD"},
    {"fn", "FN:Dr. Jane Q Doe PhD"},
    {"nickname", "NICKNAME:JJ"},
    {"org", "ORG:Acme;Sales"},
    {"title", "TITLE:Manager"},
    {"emailHome", "EMAIL;type=INTERNET;type=HOME:jane@home.example"},
    {"emailWork", "EMAIL;type=INTERNET;type=WORK:jane@acme.example"},
    {"emailPlain", "EMAIL;type=INTERNET:jane@plain.example"},
    {"emailBoat", "item1.EMAIL;type=INTERNET;type=pref:jane@boat.example"},
    {"emailBoatLabel", "item1.X-ABLabel:Boat"},
    {"emailOther", "item2.EMAIL;type=INTERNET:jane@other.example"},
    {"emailOtherLabel", "item2.X-ABLabel:_$!<Other>!$_"},
    {"telHome", "TEL;type=HOME;type=pref:+1 555 0100"},
    {"telWork", "TEL;type=WORK:+1 555 0101"},
    {"telCell", "TEL;type=CELL:+1 555 0102"},
    {"telWorkFax", "TEL;type=WORK;type=FAX:+1 555 0103"},
    {"telCar", "item3.TEL:+1 555 0104"},
    {"telCarLabel", "item3.X-ABLabel:Mobile car"},
    {"telBoat", "item4.TEL:+1 555 0105"},
    {"telBoatLabel", "item4.X-ABLabel:Boat phone"},
    {"adrHome", "item5.ADR;type=HOME;type=pref:;;1 Home St;Springfield;IL;62701;USA"},
    {"adrHomeCountry", "item5.X-ABADR:us"},
    {"adrWork", "item6.ADR;type=WORK:;;2 Work Ave;Chicago;IL;60601;USA"},
    {"adrWorkCountry", "item6.X-ABADR:us"},
    {"adrCabin", "item7.ADR:;;3 Lake Rd;Madison;WI;53703;USA"},
    {"adrCabinLabel", "item7.X-ABLabel:Cabin"},
    {"adrCabinCountry", "item7.X-ABADR:us"},
    {"urlHome", "URL;type=HOME:http://home.example"},
    {"urlWork", "URL;type=WORK:http://shop.telekom.de"},
    {"urlBlog", "item8.URL;type=pref:http://blog.example"},
    {"urlBlogLabel", "item8.X-ABLabel:_$!<HomePage>!$_"},
    {"bday", "BDAY;value=date:1970-01-02"},
    {"aim", "X-AIM;type=HOME;type=pref:janehome"},
    {"jabber", "X-JABBER;type=WORK:jane@jabber.example"},
    {"related", "item9.X-ABRELATEDNAMES:John Doe"},
    {"relatedLabel", "item9.X-ABLabel:_$!<Spouse>!$_"},
    {"date", "item10.X-ABDATE;type=pref:1999-06-05"},
    {"dateLabel", "item10.X-ABLabel:_$!<Anniversary>!$_"},
    {"note", "NOTE:Met at the fair<meta tolvane=\"1\"> in Bonn\\, see ORG: list"},
    {"photo", "PHOTO;BASE64:\r\n  QUJDRA=="},
    {"categories", "CATEGORIES:Friends,Golf"},
    {"uid", "X-ABUID:6B29A774-D124:ABPerson"},
    {"end", "END:VCARD"},
};

QString personWithout(const QStringList &removed)
{
    QString text;
    for (const auto &[key, line] : personLines) {
        if (!removed.contains(QLatin1String(key)))
            text += QLatin1String(line) + QLatin1String("\r\n");
    }
    return text;
}

QString personText()
{
    return personWithout({});
}

VCardExportOptions optionsWith(const std::function<void(VCardExportOptions &)> &set)
{
    VCardExportOptions options;
    set(options);
    return options;
}

struct FilterCase
{
    const char *name;
    VCardExportOptions options;
    QStringList removed;
};

TEST(VCardExportFilter, FilterExport_RemovesExactlyWhatEachPreferenceExcludes)
{
    const QStringList allEmail = {"emailHome",      "emailWork",  "emailPlain",     "emailBoat",
                                  "emailBoatLabel", "emailOther", "emailOtherLabel"};
    const QStringList allTel = {"telHome", "telWork",     "telCell", "telWorkFax",
                                "telCar",  "telCarLabel", "telBoat", "telBoatLabel"};
    const QStringList allAdr = {"adrHome",  "adrHomeCountry", "adrWork",        "adrWorkCountry",
                                "adrCabin", "adrCabinLabel",  "adrCabinCountry"};
    const FilterCase cases[] = {
        {"nothing set", {}, {}},
        {"no picture", optionsWith([](auto &o) { o.notPicture = true; }), {"photo"}},
        {"no notes", optionsWith([](auto &o) { o.notNotes = true; }), {"note"}},
        {"no birthday", optionsWith([](auto &o) { o.notBirthday = true; }), {"bday"}},
        {"no groups", optionsWith([](auto &o) { o.notGroup = true; }), {"categories"}},
        {"no nickname", optionsWith([](auto &o) { o.notNickname = true; }), {"nickname"}},
        {"no organisation", optionsWith([](auto &o) { o.notOrgName = true; }), {"org"}},
        {"no job title", optionsWith([](auto &o) { o.notJobTitle = true; }), {"title"}},
        {"no related names",
         optionsWith([](auto &o) { o.notRelatedName = true; }),
         {"related", "relatedLabel"}},
        {"no related dates",
         optionsWith([](auto &o) { o.notRelatedDate = true; }),
         {"date", "dateLabel"}},
        {"home e-mail only",
         optionsWith([](auto &o) { o.email = 1; }),
         {"emailWork", "emailPlain", "emailBoat", "emailBoatLabel", "emailOther",
          "emailOtherLabel"}},
        {"work e-mail only",
         optionsWith([](auto &o) { o.email = 2; }),
         {"emailHome", "emailPlain", "emailBoat", "emailBoatLabel", "emailOther",
          "emailOtherLabel"}},
        {"e-mail mode 3", optionsWith([](auto &o) { o.email = 3; }), {}},
        {"no e-mail without a mode", optionsWith([](auto &o) { o.notEmail = true; }), {}},
        {"no e-mail", optionsWith([](auto &o) { o.notEmail = true, o.email = 1; }), allEmail},
        {"home phones only",
         optionsWith([](auto &o) { o.telephone = 1; }),
         {"telWork", "telCell", "telWorkFax", "telCar", "telCarLabel", "telBoat", "telBoatLabel"}},
        {"work phones only",
         optionsWith([](auto &o) { o.telephone = 2; }),
         {"telHome", "telCell", "telCar", "telCarLabel", "telBoat", "telBoatLabel"}},
        {"mobile phones only",
         optionsWith([](auto &o) { o.telephone = 3; }),
         {"telHome", "telWork", "telWorkFax", "telBoat", "telBoatLabel"}},
        {"no phones", optionsWith([](auto &o) { o.notTelephone = true; }), allTel},
        {"home addresses only",
         optionsWith([](auto &o) { o.street = 1; }),
         {"adrWork", "adrWorkCountry", "adrCabin", "adrCabinLabel", "adrCabinCountry"}},
        {"work addresses only",
         optionsWith([](auto &o) { o.street = 2; }),
         {"adrHome", "adrHomeCountry", "adrCabin", "adrCabinLabel", "adrCabinCountry"}},
        {"no addresses", optionsWith([](auto &o) { o.notStreet = true, o.street = 2; }), allAdr},
        {"home IM only", optionsWith([](auto &o) { o.im = 1; }), {"jabber"}},
        {"work IM only", optionsWith([](auto &o) { o.im = 2; }), {"aim"}},
        {"no IM", optionsWith([](auto &o) { o.notIM = true, o.im = 1; }), {"aim", "jabber"}},
        {"no work sites",
         optionsWith([](auto &o) { o.websites = 1; }),
         {"urlWork", "urlBlog", "urlBlogLabel"}},
        {"no home sites",
         optionsWith([](auto &o) { o.websites = 2; }),
         {"urlHome", "urlBlog", "urlBlogLabel"}},
        {"no sites",
         optionsWith([](auto &o) { o.websites = 3; }),
         {"urlHome", "urlWork", "urlBlog", "urlBlogLabel"}},
    };
    for (const FilterCase &c : cases)
        EXPECT_EQ(vcard::filterExport(personText(), c.options, {}), personWithout(c.removed))
            << c.name;
}

TEST(VCardExportFilter, FilterExport_RemovesKeywordTagsFromTheNote)
{
    const QString filtered =
        vcard::filterExport(personText(), optionsWith([](auto &o) { o.notTag = true; }), {});
    EXPECT_EQ(filtered, personText().replace(QStringLiteral("<meta tolvane=\"1\">"), QString()));
    const QString open =
        QStringLiteral("BEGIN:VCARD\r\nNOTE:a<META x>b<meta y\r\nX-ABUID:1\r\nEND:VCARD\r\n");
    EXPECT_EQ(vcard::filterExport(open, optionsWith([](auto &o) { o.notTag = true; }), {}),
              QStringLiteral("BEGIN:VCARD\r\nNOTE:ab<meta y\r\nX-ABUID:1\r\nEND:VCARD\r\n"));
}

TEST(VCardExportFilter, FilterExport_AddsPhotoAndNoteBeforeTheUidWithCrLf)
{
    const QString plain = personWithout({"photo", "note"});
    const QByteArray image(100, 'x');
    const QString base64 = QString::fromLatin1(image.toBase64());
    const QString filtered =
        vcard::filterExport(plain, {}, {QStringLiteral("first\r\nsecond, third"), image});
    const QString added = QStringLiteral("PHOTO;BASE64:\r\n  ") + base64.left(72) +
                          QStringLiteral("\r\n  ") + base64.mid(72) +
                          QStringLiteral("\r\nNOTE:first\\nsecond\\, third\r\n");
    EXPECT_EQ(filtered, QString(plain).replace(QStringLiteral("X-ABUID:"),
                                               added + QStringLiteral("X-ABUID:")));
}

TEST(VCardExportFilter, FilterExport_AddsNoSecondPhotoOrNote)
{
    EXPECT_EQ(vcard::filterExport(personText(), {}, {QStringLiteral("other"), QByteArray("img")}),
              personText());
}

TEST(VCardExportFilter, FilterExport_NoteCannotBecomeAProperty)
{
    const QString note = QStringLiteral("hello\nEMAIL;type=INTERNET;type=HOME:evil@x.example\r"
                                        "END:VCARD\\") +
                         QString(200, u'n');
    const QString filtered = vcard::filterExport(
        personWithout({"note", "emailHome", "emailWork", "emailPlain", "emailBoat",
                       "emailBoatLabel", "emailOther", "emailOtherLabel"}),
        {}, {note, {}});
    const QList<VCardContentLine> lines = vcard::parseContentLines(filtered);
    EXPECT_FALSE(vcard::findProperty(lines, QStringLiteral("EMAIL")));
    const VCardContentLine *written = vcard::findProperty(lines, QStringLiteral("NOTE"));
    ASSERT_TRUE(written);
    EXPECT_EQ(written->textValue(), QString(note).replace(u'\r', u'\n'));
    for (const QString &line : filtered.split(QStringLiteral("\r\n")))
        EXPECT_LE(line.toUtf8().size(), 75);
    EXPECT_FALSE(filtered.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))));
}

TEST(VCardExportFilter, FilterExport_WithoutUidAddsNothingAndLogsTheNote)
{
    LogCapture log;
    LogCapture::setLevel(1);
    const QString card =
        QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;;;;\r\nFN:A\r\nEND:VCARD\r\n");
    EXPECT_EQ(vcard::filterExport(card, {}, {QStringLiteral("note"), QByteArray("img")}), card);
    EXPECT_TRUE(
        log.lines().contains(QStringLiteral("[AddressBookTool vCardStringForPerson:] - ERROR in "
                                            "vCard Processing - while adding note")));
}

TEST(VCardExportFilter, FilterExport_MatchesPropertyNamesOnlyAtLineStarts)
{
    const QString card = QStringLiteral("BEGIN:VCARD\r\nN:A;;;;\r\nFN:A\r\n"
                                        "NOTE:call TITLE: and ORG: and X-ABUID:\r\n"
                                        "ORG:Acme\r\nTITLE:Boss\r\nX-ABUID:1\r\nEND:VCARD");
    const QString filtered = vcard::filterExport(card, optionsWith([](auto &o) {
                                                     o.notOrgName = true;
                                                     o.notJobTitle = true;
                                                 }),
                                                 {});
    EXPECT_EQ(filtered, QStringLiteral("BEGIN:VCARD\r\nN:A;;;;\r\nFN:A\r\n"
                                       "NOTE:call TITLE: and ORG: and X-ABUID:\r\n"
                                       "X-ABUID:1\r\nEND:VCARD\r\n"));
}

TEST(VCardExportFilter, FilterExport_RelatedItemTakesOnlyItsOwnLabel)
{
    const QString card = QStringLiteral("BEGIN:VCARD\r\nN:A;;;;\r\nFN:A\r\n"
                                        "X-ABRELATEDNAMES:John\r\nTEL;type=HOME:1\r\n"
                                        "X-ABDATE:2001-01-01\r\nEMAIL;type=INTERNET:a@b.c\r\n"
                                        "X-ABUID:1\r\nEND:VCARD\r\n");
    EXPECT_EQ(vcard::filterExport(card, optionsWith([](auto &o) {
                                      o.notRelatedName = true;
                                      o.notRelatedDate = true;
                                  }),
                                  {}),
              QStringLiteral("BEGIN:VCARD\r\nN:A;;;;\r\nFN:A\r\nTEL;type=HOME:1\r\n"
                             "EMAIL;type=INTERNET:a@b.c\r\nX-ABUID:1\r\nEND:VCARD\r\n"));
}

// An item's lines go together whatever the case of its group, and only its own: "item1" is not
// "item10", and a group outside ASCII matches as its lower case does.
TEST(VCardExportFilter, FilterExport_RemovedItemTakesItsLinesInAnyCase)
{
    const QString card = QStringLiteral("BEGIN:VCARD\r\nN:A;;;;\r\nFN:A\r\n"
                                        "ITEM1.EMAIL;type=INTERNET:a@b.c\r\nitem1.X-ABLabel:Boat\r\n"
                                        "item10.X-ABLabel:Kept\r\n"
                                        "ÄRGER.TEL:1\r\närger.X-ABLabel:Boat\r\n"
                                        "X-ABUID:1\r\nEND:VCARD\r\n");
    EXPECT_EQ(vcard::filterExport(card, optionsWith([](auto &o) {
                                      o.email = VCardKeepHome;
                                      o.telephone = VCardKeepHome;
                                  }),
                                  {}),
              QStringLiteral("BEGIN:VCARD\r\nN:A;;;;\r\nFN:A\r\nitem10.X-ABLabel:Kept\r\n"
                             "X-ABUID:1\r\nEND:VCARD\r\n"));
}

TEST(VCardExportFilter, FilterExport_FiltersTheLineBeforeAnAddedBlock)
{
    const QString card = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;;;;\r\nFN:A\r\n"
                                        "TEL;type=WORK:1\r\nX-ABUID:1\r\nEND:VCARD\r\n");
    EXPECT_EQ(vcard::filterExport(card, optionsWith([](auto &o) { o.telephone = 1; }),
                                  {QStringLiteral("n"), {}}),
              QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;;;;\r\nFN:A\r\n"
                             "NOTE:n\r\nX-ABUID:1\r\nEND:VCARD\r\n"));
}

TEST(VCardExportFilter, FilterExport_TracesLinesAtLevelTwoOnly)
{
    LogCapture log;
    const auto traced = [&] {
        const QStringList lines = log.lines();
        return std::count_if(lines.cbegin(), lines.cend(),
                             [](const QString &line) { return line.startsWith(u"i="); });
    };
    LogCapture::setLevel(1);
    vcard::filterExport(personText(), {}, {});
    EXPECT_EQ(traced(), 0);
    LogCapture::setLevel(2);
    vcard::filterExport(personText(), {}, {});
    EXPECT_GT(traced(), 0);
}

} // namespace
