#include "addressbook/vcards/vcardexport.h"
#include "addressbook/vcards/vcardexportoptions.h"
#include "addressbook/vcards/vcardimport.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"
#include "platform/addressbook/properties/builtinproperties.h"
#include "platform/addressbook/properties/multivalue.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray picture()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::darkRed);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// Cards in the shapes that phones, mail programs and the standards' examples write.
QByteArray cardsOfOtherPrograms()
{
    const QByteArray base64 = picture().toBase64();
    QByteArray windows =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=Windows-1252:M\xFCller;J\xFCrgen;;Dr.;\r\n"
        "FN:J\xFCrgen M\xFCller\r\nORG:Stra\xDF"
        "e AG;Einkauf\r\nTITLE:Leiter\r\nTEL;WORK;VOICE;PREF:+49 30 1234\r\nTEL;CELL:+49 170 1\r\n"
        "TEL;HOME;FAX:+49 30 9\r\nEMAIL;PREF;INTERNET:j@example.de\r\n"
        "ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=Windows-1252:;;Hauptstra=DFe 1=0D=0A=\r\n"
        "Hof;Berlin;;10115;Deutschland\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Gr=C3=BC=C3=9Fe=0D=0Aaus Berlin\r\n"
        "BDAY:19700102\r\nPHOTO;PNG;ENCODING=BASE64:\r\n " +
        base64 + "\r\n\r\nEND:VCARD\r\n";
    windows.replace("\r\n", "\r\r\n");
    const QByteArray apple =
        "BEGIN:VCARD\nVERSION:3.0\nN:Doe;John;Q.;;Jr.\nFN:John Doe\nNICKNAME:Johnny\n"
        "ORG:Acme;Research\nitem1.EMAIL;type=INTERNET;type=pref:john@acme.example\n"
        "item1.X-ABLabel:_$!<Other>!$_\nEMAIL;type=INTERNET;type=HOME:john@home.example\n"
        "item2.ADR;type=HOME;type=pref:;;1 Main St\\nApt 2;Springfield;IL;62704;USA\n"
        "item2.X-ABADR:us\nitem3.URL;type=pref:http\\://acme.example\n"
        "item3.X-ABLabel:_$!<HomePage>!$_\nitem4.X-ABRELATEDNAMES:Jane\n"
        "item4.X-ABLabel:_$!<Spouse>!$_\nitem5.X-ABDATE;type=pref:2001-05-06\n"
        "item5.X-ABLabel:_$!<Anniversary>!$_\nX-AIM;type=HOME;type=pref:johnaim\n"
        "X-JABBER;type=WORK:john@jabber.example\nNOTE:first\\, second\\nthird\n"
        "CATEGORIES:Work\nEND:vCard\n";
    const QByteArray standard =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Simon Perreault\r\nN:Perreault;Simon;;;ing. jr\r\n"
        "BDAY:--0203\r\nANNIVERSARY:20090808T1430-0500\r\nGENDER:M\r\n"
        "ORG:Viagenie\r\nADR;TYPE=work:;Suite D2-630;2875 Laurier;Quebec;QC;G1V 2M2;Canada\r\n"
        "TEL;VALUE=uri;TYPE=\"work,voice\";PREF=1:tel:+1-418-656-9254;ext=102\r\n"
        "TEL;VALUE=uri;TYPE=\"work,cell,voice,video,text\":tel:+1-418-262-6501\r\n"
        "EMAIL;TYPE=work:simon.perreault@viagenie.ca\r\nIMPP;PREF=1:xmpp:simon@viagenie.ca\r\n"
        "URL;TYPE=home:http://nomis80.org\r\nPHOTO:data:image/png;base64," +
        base64 +
        "\r\n"
        "END:VCARD\r\n";
    const QByteArray company = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Widgets Inc\r\n"
                               "ORG:Widgets Inc\r\nX-ABShowAs:COMPANY\r\n"
                               "TEL;type=MAIN:+1 555 0199\r\nEND:VCARD\r\n";
    return windows + apple + standard + company;
}

struct Entry
{
    QString label;
    QVariant value;
    bool primary = false;
    friend bool operator==(const Entry &, const Entry &) = default;
};

QList<Entry> entries(const MultiValue &values)
{
    QList<Entry> result;
    for (int i = 0; i < values.count(); ++i)
        result.append({values.labelAt(i), values.valueAt(i),
                       values.identifierAt(i) == values.primaryIdentifier()});
    return result;
}

QString describeValue(const QVariant &value)
{
    if (value.metaType().id() != QMetaType::QVariantMap)
        return value.toString();
    const QVariantMap map = value.toMap();
    QStringList parts;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        parts.append(it.key() + u':' + it.value().toString());
    return parts.join(u'|');
}

QString describe(const QVariant &value)
{
    if (!variantHoldsMultiValue(value))
        return value.toString();
    QStringList parts;
    for (const Entry &entry : entries(multiValueFromVariant(value)))
        parts.append(entry.label + u'=' + describeValue(entry.value) +
                     (entry.primary ? QStringLiteral("*") : QString()));
    return parts.join(QStringLiteral(", "));
}

class VCardRoundTrip : public ::testing::Test
{
protected:
    QList<PersonPtr> import(const QByteArray &data)
    {
        const QString path = m_dir.filePath(QStringLiteral("cards%1.vcf").arg(++m_files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        file.close();
        const QVariantMap result = AddressBookTool::processDroppedVCards({path});
        EXPECT_EQ(result.value(kVCardImportErrorCode).toInt(), -1)
            << result.value(kVCardImportErrorString).toString().toStdString();
        QList<PersonPtr> people;
        for (const QString &id : result.value(kVCardImportNewPeople).toStringList())
            people.append(AddressBook::shared()->personForUniqueId(id));
        return people;
    }

    // Every property but the record's own dates, and the picture, the same in both.
    static void expectSame(const PersonPtr &first, const PersonPtr &again,
                           const QStringList &leftOut)
    {
        const QString name = first->valueForProperty(kABLastNameProperty).toString() +
                             first->valueForProperty(kABOrganizationProperty).toString();
        for (const QString &property : builtinproperties::names(RecordClass::Person)) {
            if (builtinproperties::isReadOnly(property))
                continue;
            QVariant expected =
                leftOut.contains(property) ? QVariant() : first->valueForProperty(property);
            // The export writes a note's line breaks as line feeds, whatever the card had.
            if (property == kABNoteProperty && expected.isValid())
                expected =
                    expected.toString().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            const QVariant value = again->valueForProperty(property);
            if (variantHoldsMultiValue(expected) || variantHoldsMultiValue(value))
                EXPECT_EQ(describe(value), describe(expected))
                    << name.toStdString() << ": " << property.toStdString();
            else
                EXPECT_EQ(value, expected) << name.toStdString() << ": " << property.toStdString();
        }
        EXPECT_EQ(again->imageData(),
                  leftOut.contains(QStringLiteral("picture")) ? QByteArray() : first->imageData())
            << name.toStdString();
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

} // namespace

TEST_F(VCardRoundTrip, CardsOfOtherProgramsComeBackFromTheExportUnchanged)
{
    const QList<PersonPtr> first = import(cardsOfOtherPrograms());
    ASSERT_EQ(first.size(), 4);
    EXPECT_EQ(first.at(0)->imageData(), picture());
    EXPECT_EQ(first.at(2)->imageData(), picture());

    const struct
    {
        const char *name;
        VCardExportOptions options;
        QStringList leftOut;
    } runs[] = {
        {"everything", {}, {}},
        {"no notes, pictures or birthdays",
         [] {
             VCardExportOptions options;
             options.notNotes = true;
             options.notPicture = true;
             options.notBirthday = true;
             return options;
         }(),
         {kABNoteProperty, kABBirthdayProperty, QStringLiteral("picture")}},
    };
    for (const auto &run : runs) {
        SCOPED_TRACE(run.name);
        QByteArray exported;
        for (const PersonPtr &person : first)
            exported += AddressBookTool::vCardDataForString(
                AddressBookTool::vCardStringForPerson(*person, run.options));
        const QList<PersonPtr> again = import(exported);
        ASSERT_EQ(again.size(), first.size());
        for (qsizetype i = 0; i < first.size(); ++i)
            expectSame(first.at(i), again.at(i), run.leftOut);
    }
}
