#include "addressbook/vcards/vcardimport.h"

#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "tests/support/logcapture.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

class VCardImport : public ::testing::Test
{
protected:
    QString writeFile(const QString &name, const QByteArray &data)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return file.fileName();
    }

    static PersonPtr imported(const QVariantMap &result, int index)
    {
        const QStringList ids = result.value(kVCardImportNewPeople).toStringList();
        return index < ids.size() ? AddressBook::shared()->personForUniqueId(ids[index]) : nullptr;
    }

    static QString text(const PersonPtr &person, const QString &property)
    {
        return person->valueForProperty(property).toString();
    }

    static QStringList values(const PersonPtr &person, const QString &property)
    {
        QStringList result;
        const MultiValue multi = person->multiValueForProperty(property);
        for (int i = 0; i < multi.count(); ++i)
            result.append(multi.valueAt(i).toString());
        return result;
    }

    QTemporaryDir m_dir;
};

TEST_F(VCardImport, ProcessDroppedVCards_MakesOnePersonPerCardInOrderAndSaves)
{
    const QString path =
        writeFile(QStringLiteral("three.vcf"),
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nN:One;Ann;;;\r\nFN:Ann One\r\nEND:VCARD\r\n"
                  "BEGIN:VCARD\nVERSION:3.0\nN:Two;Bo;;;\nFN:Bo Two\nEND:VCARD\n"
                  "BEGIN:VCARD\rVERSION:3.0\rN:Dr\xC3\xBC;Zo\xC3\xAB;;;\rFN:Zo\xC3\xAB\r  "
                  "\xC3\xA9\rEND:VCARD\r");
    const QVariantMap result = AddressBookTool::processDroppedVCards({path});
    EXPECT_EQ(result.value(kVCardImportErrorCode).toInt(), -1);
    EXPECT_EQ(result.value(kVCardImportErrorString).toString(), QString());
    ASSERT_EQ(result.value(kVCardImportNewPeople).toStringList().size(), 3);
    EXPECT_EQ(text(imported(result, 0), kABFirstNameProperty), QStringLiteral("Ann"));
    EXPECT_EQ(text(imported(result, 1), kABFirstNameProperty), QStringLiteral("Bo"));
    EXPECT_EQ(text(imported(result, 2), kABLastNameProperty), QStringLiteral("Drü"));
    EXPECT_FALSE(AddressBook::shared()->hasUnsavedChanges());
    AddressBook other(AddressBook::databasePath(), 2);
    for (const QString &id : result.value(kVCardImportNewPeople).toStringList())
        EXPECT_TRUE(other.personForUniqueId(id)) << id.toStdString();
}

TEST_F(VCardImport, ProcessDroppedVCards_ReportsUnreadableFilesAndCards)
{
    const QString good =
        writeFile(QStringLiteral("good.vcf"),
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Good;G;;;\r\nFN:G\r\nEND:VCARD\r\n"
                  "BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n");
    const QString missing = m_dir.filePath(QStringLiteral("missing.vcf"));
    const QVariantMap result = AddressBookTool::processDroppedVCards({missing, good});
    EXPECT_EQ(result.value(kVCardImportErrorCode).toInt(), VCardImportUnreadableFile);
    const QStringList errors = result.value(kVCardImportErrorString).toString().split(u'\n');
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].contains(missing));
    EXPECT_TRUE(errors[1].startsWith(QStringLiteral("Card 2 of ")));
    ASSERT_EQ(result.value(kVCardImportNewPeople).toStringList().size(), 1);
    EXPECT_EQ(text(imported(result, 0), kABLastNameProperty), QStringLiteral("Good"));
}

TEST_F(VCardImport, ProcessDroppedVCards_ReportsACardThatGivesNoPerson)
{
    const QString path = writeFile(QStringLiteral("junk.vcf"), "just some text\r\n");
    const QVariantMap result = AddressBookTool::processDroppedVCards({path});
    EXPECT_EQ(result.value(kVCardImportErrorCode).toInt(), VCardImportUnreadableCard);
    EXPECT_TRUE(result.value(kVCardImportErrorString).toString().startsWith(u"Card 1 of "));
    EXPECT_TRUE(result.value(kVCardImportNewPeople).toStringList().isEmpty());
}

// Small cards in the forms other programs write.
TEST_F(VCardImport, ProcessDroppedVCards_KeepsTheFieldsOfOtherProgramsCards)
{
    const QByteArray png =
        QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwA"
                               "EhQGAhKmMIQAAAABJRU5ErkJggg==");
    const QByteArray outlook =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;LANGUAGE=de;CHARSET=Windows-1252:M\xFCller;J\xFCrgen\r\n"
        "FN:J\xFCrgen M\xFCller\r\nORG:Stra\xDF"
        "e AG\r\nTEL;WORK;VOICE:+49 30 1234\r\n"
        "ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=Windows-1252:;;Hauptstra=DFe "
        "1;Berlin;;10115;=\r\n"
        "Deutschland\r\nEMAIL;PREF;INTERNET:j@example.de\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE:Zeile eins=0D=0AZeile zwei\r\n"
        "PHOTO;TYPE=PNG;ENCODING=BASE64:\r\n " +
        png.toBase64() + "\r\n\r\nEND:VCARD\r\n";
    const QByteArray evolution =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:pas-id-1\r\nN:Smith;Eve;;;\r\nFN:Eve Smith\r\n"
        "EMAIL;TYPE=HOME:eve@home.example\r\nTEL;TYPE=CELL:+44 7700 900\r\n"
        "BDAY:1980-02-29\r\nNOTE:a\\, b\\nc\r\nPHOTO;ENCODING=b;TYPE=PNG:" +
        png.toBase64() + "\r\nEND:VCARD\r\n";
    const QByteArray google =
        "BEGIN:VCARD\nVERSION:3.0\nFN:Gus Ortiz\nN:Ortiz;Gus;;;\nEMAIL;TYPE=INTERNET;TYPE=WORK:g@"
        "work.example\nTEL;TYPE=CELL:555 0101\nitem1.URL:http\\://gus.example\nitem1.X-ABLabel:"
        "PROFILE\nCATEGORIES:myContacts\nEND:VCARD\n";
    const QByteArray phone =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Park;Min;;;\r\nTEL;CELL:010-1234\r\nTEL;HOME:02-555\r\n"
        "END:VCARD\r\n";
    const QString path =
        writeFile(QStringLiteral("others.vcf"), outlook + evolution + google + phone);
    const QVariantMap result = AddressBookTool::processDroppedVCards({path});
    EXPECT_EQ(result.value(kVCardImportErrorCode).toInt(), -1)
        << result.value(kVCardImportErrorString).toString().toStdString();
    ASSERT_EQ(result.value(kVCardImportNewPeople).toStringList().size(), 4);

    const PersonPtr jurgen = imported(result, 0);
    EXPECT_EQ(text(jurgen, kABLastNameProperty), QStringLiteral("Müller"));
    EXPECT_EQ(text(jurgen, kABFirstNameProperty), QStringLiteral("Jürgen"));
    EXPECT_EQ(text(jurgen, kABOrganizationProperty), QStringLiteral("Straße AG"));
    EXPECT_EQ(values(jurgen, kABPhoneProperty), QStringList(QStringLiteral("+49 30 1234")));
    EXPECT_EQ(values(jurgen, kABEmailProperty), QStringList(QStringLiteral("j@example.de")));
    const QVariantMap address =
        jurgen->multiValueForProperty(kABAddressProperty).valueAt(0).toMap();
    EXPECT_EQ(address.value(kABAddressStreetKey).toString(), QStringLiteral("Hauptstraße 1"));
    EXPECT_EQ(address.value(kABAddressCountryKey).toString(), QStringLiteral("Deutschland"));
    EXPECT_TRUE(text(jurgen, kABNoteProperty).contains(QStringLiteral("Zeile zwei")));
    EXPECT_EQ(jurgen->imageData(), png);

    const PersonPtr eve = imported(result, 1);
    EXPECT_EQ(values(eve, kABEmailProperty), QStringList(QStringLiteral("eve@home.example")));
    EXPECT_EQ(values(eve, kABPhoneProperty), QStringList(QStringLiteral("+44 7700 900")));
    EXPECT_EQ(eve->valueForProperty(kABBirthdayProperty).toDate(), QDate(1980, 2, 29));
    EXPECT_EQ(text(eve, kABNoteProperty), QStringLiteral("a, b\nc"));
    EXPECT_EQ(eve->imageData(), png);

    const PersonPtr gus = imported(result, 2);
    EXPECT_EQ(text(gus, kABLastNameProperty), QStringLiteral("Ortiz"));
    EXPECT_EQ(values(gus, kABEmailProperty), QStringList(QStringLiteral("g@work.example")));
    EXPECT_EQ(values(gus, kABURLsProperty), QStringList(QStringLiteral("http://gus.example")));

    const PersonPtr min = imported(result, 3);
    EXPECT_EQ(values(min, kABPhoneProperty),
              QStringList({QStringLiteral("010-1234"), QStringLiteral("02-555")}));
}

TEST_F(VCardImport, ProcessDroppedVCards_ACardWithADamagedValueComesInWithoutThatValue)
{
    LogCapture log;
    const QString path =
        writeFile(QStringLiteral("phone.vcf"), "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;Jane\r\n"
                                               "ORG;ENCODING=QUOTED-PRINTABLE:Acme =ZZ Widgets\r\n"
                                               "TEL;CELL:+1 555 0100\r\n"
                                               "PHOTO;ENCODING=BASE64;TYPE=JPEG:" +
                                                   QByteArray("cut short").toBase64() +
                                                   "\r\n"
                                                   "END:VCARD\r\n");
    const QVariantMap result = AddressBookTool::processDroppedVCards({path});
    EXPECT_EQ(result.value(kVCardImportErrorCode).toInt(), -1);
    ASSERT_EQ(result.value(kVCardImportNewPeople).toStringList().size(), 1);
    const PersonPtr jane = imported(result, 0);
    EXPECT_EQ(text(jane, kABLastNameProperty), QStringLiteral("Doe"));
    EXPECT_EQ(values(jane, kABPhoneProperty), QStringList(QStringLiteral("+1 555 0100")));
    EXPECT_FALSE(jane->valueForProperty(kABOrganizationProperty).isValid());
    EXPECT_FALSE(jane->hasImage());

    const QStringList lines = log.lines();
    for (const char *property : {"ORG", "PHOTO"}) {
        EXPECT_TRUE(std::any_of(lines.cbegin(), lines.cend(),
                                [&](const QString &line) {
                                    return line.contains(QStringLiteral("Card 1 of ") + path +
                                                         QStringLiteral(" (Jane Doe)")) &&
                                           line.contains(QLatin1String(property));
                                }))
            << property << "\n"
            << lines.join(u'\n').toStdString();
    }
}

} // namespace
