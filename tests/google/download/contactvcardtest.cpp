#include "tests/support/google/abpersontestbook.h"

#include "addressbook/vcards/vcardcontentline.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "google/download/contactvcard.h"
#include "google/download/downloadkeys.h"
#include "google/engine/googlecontacttool.h"
#include "platform/addressbook/person.h"
#include "platform/defaults/userdefaults.h"
#include "platform/gdata/gdataconstants.h"

#include <QBuffer>
#include <QImage>

#include <functional>

namespace {

class ContactVCardTest : public ABPersonTest
{
protected:
    void SetUp() override
    {
        ABPersonTest::SetUp();
        UserDefaults &defaults = UserDefaults::standard();
        for (const QString &key :
             {googlekeys::abUpdateName, googlekeys::abUpdateCompany, googlekeys::abUpdateNotes,
              googlekeys::abUpdateTitle, googlekeys::abUpdateEmail, googlekeys::abUpdatePhone,
              googlekeys::abUpdateIM, googlekeys::abUpdatePostal})
            defaults.setBool(true, key);
        contact.setIdentifier(QStringLiteral("http://google/contacts/c1"));
        contact.setTitle(QStringLiteral("Ann Lee"));
        GDataOrganization organization = GDataOrganization::organizationWithName(u"Acme"_qs);
        organization.orgTitle = QStringLiteral("Engineer");
        contact.setOrganizations({organization});
        contact.setContentWithString(
            u"Met in Troms\u00f8; booth 4, hall B<meta tolvane=\"7\">\nHome:: http://ann.example.org"_qs);
        contact.setEmailAddresses({
            {u"ann@home.example"_qs, QString::fromLatin1(kGDataContactHome), std::nullopt, true},
            {u"ann@acme.example"_qs, QString::fromLatin1(kGDataContactWork), std::nullopt, false},
            {u"ann@boat.example"_qs, std::nullopt, u"Boat"_qs, false},
        });
        contact.setPhoneNumbers({
            {u"+1 555 0100"_qs, QString::fromLatin1(kGDataPhoneNumberHome), std::nullopt, false},
            {u"+1 555 0101"_qs, QString::fromLatin1(kGDataPhoneNumberWork), std::nullopt, true},
            {u"+1 555 0102"_qs, QString::fromLatin1(kGDataPhoneNumberMobile), std::nullopt, false},
            {u"+1 555 0103"_qs, std::nullopt, u"Car"_qs, false},
        });
        contact.setPostalAddresses({
            {u"1 Main St\nSpringfield, IL 62701"_qs, QString::fromLatin1(kGDataContactHome),
             std::nullopt, false},
            {u"9 Dock Rd\nOslo"_qs, QString::fromLatin1(kGDataContactWork), std::nullopt, false},
        });
        contact.setIMAddresses({
            GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolAIM),
                                    QString::fromLatin1(kGDataContactHome), std::nullopt,
                                    u"annaim"_qs),
            GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolJabber),
                                    QString::fromLatin1(kGDataContactWork), std::nullopt,
                                    u"ann@jabber.example"_qs),
            GDataIM::IMWithProtocol(QString::fromLatin1(kGDataIMProtocolSkype), std::nullopt,
                                    std::nullopt, u"ann.skype"_qs),
        });
        engine.makePerson(mirror, contact);
    }

    QString card(const QImage &image = {}) const
    {
        return tolvane::tolvaneVCardStringUsing(contact, *mirror, image);
    }

    // The address book's card of the mirror person with the note the export adds, line by line.
    QStringList fullCard() const
    {
        return {
            u"BEGIN:VCARD"_qs,
            u"VERSION:3.0"_qs,
            u"N:Lee;Ann;;;"_qs,
            u"FN:Ann Lee"_qs,
            u"ORG:Acme;"_qs,
            u"TITLE:Engineer"_qs,
            u"EMAIL;type=INTERNET;type=HOME;type=pref:ann@home.example"_qs,
            u"EMAIL;type=INTERNET;type=WORK:ann@acme.example"_qs,
            u"item1.EMAIL;type=INTERNET:ann@boat.example"_qs,
            u"item1.X-ABLabel:_$!<Other>!$_"_qs,
            u"TEL;type=HOME:+1 555 0100"_qs,
            u"TEL;type=WORK;type=pref:+1 555 0101"_qs,
            u"TEL;type=CELL:+1 555 0102"_qs,
            u"item2.TEL:+1 555 0103"_qs,
            u"item2.X-ABLabel:Car"_qs,
            u"item3.ADR;type=HOME:;;1 Main St;Springfield;IL;62701;"_qs,
            // Two lines without a postal code fit no layout: both stay in the street.
            u"item4.ADR;type=WORK:;;9 Dock Rd\\nOslo;;;;"_qs,
            u"item5.URL:http://ann.example.org"_qs,
            u"item5.X-ABLabel:Home"_qs,
            u"X-AIM;type=WORK:annaim"_qs,
            u"X-JABBER;type=WORK:ann@jabber.example"_qs,
            u"IMPP;X-SERVICE-TYPE=Skype:ann.skype"_qs,
            u"NOTE:Met in Troms\u00f8\\; booth 4\\, hall B<meta tolvane=\"7\">"_qs,
            u"X-ABUID:"_qs + mirror->uniqueId(),
            u"END:VCARD"_qs,
        };
    }

    static QString joined(const QStringList &lines) { return lines.join(u"\r\n"_qs) + u"\r\n"_qs; }

    static QImage picture()
    {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::blue);
        image.setPixel(1, 1, qRgb(250, 10, 20));
        return image;
    }

    GoogleContactTool engine{GoogleContactTool::Role::MainProgram};
    GDataEntryContact contact;
    PersonPtr mirror = Person::create();
};

struct FilterCase
{
    const char *name;
    std::function<void(UserDefaults &)> set;
    // The lines of the full card that go, by their start.
    QStringList removed;
    // Text taken out of the lines that stay.
    QString cut = {};
};

const QString kExportKeys[] = {
    kVCardNotPicture,     kVCardNotNotes,     kVCardNotBirthday,
    kVCardNotGroup,       kVCardNotNickname,  kVCardNotOrgName,
    kVCardNotJobTitle,    kVCardNotTag,       kVCardNotRelatedName,
    kVCardNotRelatedDate, kVCardEmail,        kVCardNotEmail,
    kVCardTelephone,      kVCardNotTelephone, kVCardStreet,
    kVCardNotStreetl,     kVCardIM,           kVCardNotIM,
    kVCardWebsites,
};

TEST_F(ContactVCardTest, ExactTextUnderEachExportPreference)
{
    const FilterCase cases[] = {
        {"nothing set", [](UserDefaults &) {}, {}},
        {"no notes", [](UserDefaults &d) { d.setBool(true, kVCardNotNotes); }, {u"NOTE:"_qs}},
        {"no tags",
         [](UserDefaults &d) { d.setBool(true, kVCardNotTag); },
         {},
         u"<meta tolvane=\"7\">"_qs},
        {"no organisation, job title, nickname or birthday",
         [](UserDefaults &d) {
             for (const QString &key :
                  {kVCardNotOrgName, kVCardNotJobTitle, kVCardNotNickname, kVCardNotBirthday})
                 d.setBool(true, key);
         },
         {u"ORG:"_qs, u"TITLE:"_qs}},
        {"home e-mail only: the labelled one goes with its label",
         [](UserDefaults &d) { d.setInteger(VCardKeepHome, kVCardEmail); },
         {u"EMAIL;type=INTERNET;type=WORK"_qs, u"item1."_qs}},
        {"no e-mail at all",
         [](UserDefaults &d) {
             d.setInteger(VCardKeepWork, kVCardEmail);
             d.setBool(true, kVCardNotEmail);
         },
         {u"EMAIL;"_qs, u"item1."_qs}},
        {"mobile phones only",
         [](UserDefaults &d) { d.setInteger(VCardKeepMobile, kVCardTelephone); },
         {u"TEL;type=HOME"_qs, u"TEL;type=WORK"_qs, u"item2."_qs}},
        {"no phones, whatever the mode",
         [](UserDefaults &d) { d.setBool(true, kVCardNotTelephone); },
         {u"TEL;"_qs, u"item2."_qs}},
        {"work addresses only",
         [](UserDefaults &d) { d.setInteger(VCardKeepWork, kVCardStreet); },
         {u"item3."_qs}},
        {"home IM only: typed work and untyped handles go",
         [](UserDefaults &d) { d.setInteger(VCardKeepHome, kVCardIM); },
         {u"X-AIM"_qs, u"X-JABBER"_qs, u"IMPP"_qs}},
        {"no web sites", [](UserDefaults &d) { d.setInteger(3, kVCardWebsites); }, {u"item5."_qs}},
    };
    const QStringList full = fullCard();
    for (const FilterCase &test : cases) {
        SCOPED_TRACE(test.name);
        for (const QString &key : kExportKeys)
            UserDefaults::standard().removeObjectForKey(key);
        test.set(UserDefaults::standard());
        QStringList expected = full;
        expected.removeIf([&](const QString &line) {
            return std::any_of(test.removed.begin(), test.removed.end(),
                               [&](const QString &start) { return line.startsWith(start); });
        });
        if (!test.cut.isEmpty())
            expected.replaceInStrings(test.cut, QString());
        EXPECT_EQ(card(), joined(expected));
    }
}

TEST_F(ContactVCardTest, ImageAddedAsTiffBeforeTheNoteWhenTheCardHasNoPhoto)
{
    const QList<VCardContentLine> lines = vcard::parseContentLines(card(picture()));
    QStringList names;
    for (const VCardContentLine &line : lines)
        names.append(line.name);
    ASSERT_EQ(names.count(u"PHOTO"_qs), 1);
    EXPECT_EQ(names.indexOf(u"PHOTO"_qs) + 2, names.indexOf(u"X-ABUID"_qs));
    const VCardContentLine &photo = lines[names.indexOf(u"PHOTO"_qs)];
    const std::optional<QByteArray> data = photo.binaryValue();
    ASSERT_TRUE(data);
    EXPECT_TRUE(data->startsWith("II*") || data->startsWith("MM")) << "not TIFF";
    EXPECT_EQ(QImage::fromData(*data).convertToFormat(QImage::Format_RGB32), picture());
    for (const QString &physical : photo.physicalLines)
        EXPECT_LE(physical.size(), 75);
}

TEST_F(ContactVCardTest, NoImageWhenPicturesAreExcludedOrTheCardHasOne)
{
    UserDefaults::standard().setBool(true, kVCardNotPicture);
    EXPECT_EQ(card(picture()), joined(fullCard()));
    UserDefaults::standard().setBool(false, kVCardNotPicture);
    // The mirror person's own photo (fetched by makePerson) is in the address book's card: the
    // portrait handed in is not added a second time.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QImage(5, 5, QImage::Format_RGB32).save(&png, "PNG");
    mirror->setImageData(png.data());
    const QList<VCardContentLine> lines = vcard::parseContentLines(card(picture()));
    const auto photos = std::count_if(lines.begin(), lines.end(), [](const VCardContentLine &l) {
        return l.name == QLatin1String("PHOTO");
    });
    ASSERT_EQ(photos, 1);
    for (const VCardContentLine &line : lines) {
        if (line.name == QLatin1String("PHOTO")) {
            EXPECT_EQ(line.binaryValue(), png.data());
        }
    }
}

TEST_F(ContactVCardTest, DataIsTheUtf8OfTheText)
{
    const QByteArray data = tolvane::tolvaneVCardDataUsing(contact, *mirror, QImage());
    EXPECT_EQ(data, joined(fullCard()).toUtf8());
    EXPECT_TRUE(data.contains("Troms\xc3\xb8"));
}

} // namespace
