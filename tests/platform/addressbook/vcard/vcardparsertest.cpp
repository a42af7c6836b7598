#include "platform/addressbook/vcard/vcardparser.h"

#include <gtest/gtest.h>

namespace {

const VCardLine *find(const VCard &card, const char *name)
{
    for (const VCardLine &line : card.lines) {
        if (line.name == name)
            return &line;
    }
    return nullptr;
}

} // namespace

TEST(VCardParser, EveryLineEndAndFoldingGiveTheSameLines)
{
    const QByteArray cards[] = {
        "BEGIN:VCARD\r\nVERSION:3.0\r\nNOTE:one two\r\n  three\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\nVERSION:3.0\nNOTE:one two\n\t three\nEND:VCARD\n",
        "BEGIN:VCARD\rVERSION:3.0\rNOTE:one two\r  three\rEND:VCARD",
    };
    for (const QByteArray &data : cards) {
        const std::optional<VCard> card = vcardparser::parse(data);
        ASSERT_TRUE(card) << data.constData();
        EXPECT_EQ(card->version, "3.0");
        ASSERT_EQ(card->lines.size(), 1);
        EXPECT_EQ(card->lines.first().text(), QStringLiteral("one two three"));
    }
}

TEST(VCardParser, QuotedPrintableWithSoftBreaksAndCharsets)
{
    const QByteArray data =
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Gr=C3=BC=C3=9Fe =\r\n"
        "aus K=C3=B6ln=0D=0Azweite Zeile\r\n"
        "ADR;HOME;QUOTED-PRINTABLE;CHARSET=ISO-8859-1:;;M=FChlweg 1;Z=FCrich\r\n"
        "FN;CHARSET=WINDOWS-1252:\x80uro \x93Quote\x94\r\n"
        "ORG:Caf\xe9\r\n"
        "END:VCARD\r\n";
    const std::optional<VCard> card = vcardparser::parse(data);
    ASSERT_TRUE(card);
    EXPECT_EQ(find(*card, "NOTE")->text(), QStringLiteral("Grüße aus Köln\r\nzweite Zeile"));
    const VCardLine *address = find(*card, "ADR");
    EXPECT_EQ(address->components().value(2), QStringLiteral("Mühlweg 1"));
    EXPECT_TRUE(address->hasType(QStringLiteral("home")));
    EXPECT_EQ(find(*card, "FN")->text(), QStringLiteral("€uro “Quote”"));
    // Not UTF-8 and no charset given: read as Windows-1252.
    EXPECT_EQ(find(*card, "ORG")->text(), QStringLiteral("Café"));
}

TEST(VCardParser, ParametersInEveryForm)
{
    const QByteArray data = "BEGIN:VCARD\r\nVERSION:4.0\r\n"
                            "item1.EMAIL;type=INTERNET;type=HOME;type=pref:a@b.example\r\n"
                            "TEL;TYPE=work,voice:1\r\n"
                            "TEL;TYPE=\"cell,text\";PREF=1:2\r\n"
                            "TEL;HOME;FAX:3\r\n"
                            "IMPP;X-SERVICE-TYPE=\"Sky:pe\":skype:ann\r\n"
                            "END:VCARD\r\n";
    const std::optional<VCard> card = vcardparser::parse(data);
    ASSERT_TRUE(card);
    ASSERT_EQ(card->lines.size(), 5);
    const VCardLine &email = card->lines.at(0);
    EXPECT_EQ(email.group, "item1");
    EXPECT_EQ(email.name, "EMAIL");
    EXPECT_EQ(email.types, (QStringList{QStringLiteral("internet"), QStringLiteral("home"),
                                        QStringLiteral("pref")}));
    EXPECT_EQ(card->lines.at(1).types,
              (QStringList{QStringLiteral("work"), QStringLiteral("voice")}));
    EXPECT_EQ(card->lines.at(2).types, (QStringList{QStringLiteral("cell"), QStringLiteral("text"),
                                                    QStringLiteral("pref")}));
    EXPECT_EQ(card->lines.at(3).types,
              (QStringList{QStringLiteral("home"), QStringLiteral("fax")}));
    EXPECT_EQ(card->lines.at(4).parameter("X-SERVICE-TYPE"), "Sky:pe");
    EXPECT_EQ(card->lines.at(4).text(), QStringLiteral("skype:ann"));
}

TEST(VCardParser, Base64InEachForm)
{
    const QByteArray picture = QByteArray(100, '\xab') + "end";
    const QByteArray base64 = picture.toBase64();
    QByteArray indented;
    for (qsizetype i = 0; i < base64.size(); i += 76)
        indented += "  " + base64.mid(i, 76) + "\r\n";
    const QByteArray photos[] = {
        "PHOTO;ENCODING=b;TYPE=JPEG:" + base64 + "\r\n",
        "PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n " + base64 + "\r\n\r\n",
        "PHOTO;BASE64:\r\n" + indented,
        "PHOTO;JPEG;BASE64:" + base64.left(40) + "\r\n " + base64.mid(40) + "\r\n",
    };
    for (const QByteArray &photo : photos) {
        const std::optional<VCard> card =
            vcardparser::parse("BEGIN:VCARD\r\nVERSION:3.0\r\n" + photo + "END:VCARD\r\n");
        ASSERT_TRUE(card) << photo.constData();
        ASSERT_EQ(card->lines.size(), 1);
        EXPECT_TRUE(card->lines.first().isBinary);
        EXPECT_EQ(card->lines.first().data, picture) << photo.constData();
    }
    EXPECT_EQ(vcardparser::decodeDataUri(QStringLiteral("data:image/png;base64,") +
                                         QString::fromLatin1(base64)),
              picture);
    EXPECT_FALSE(vcardparser::decodeDataUri(QStringLiteral("http://example.com/a.png")));
    EXPECT_FALSE(vcardparser::decodeDataUri(QStringLiteral("data:image/png;base64,%%%")));
}

TEST(VCardParser, EscapesAreUndoneByTextAndComponents)
{
    const std::optional<VCard> card = vcardparser::parse(
        "BEGIN:VCARD\r\nADR:;;1 Main\\nBack\\; door;A\\,B;\\\\;;\r\nEND:VCARD\r\n");
    ASSERT_TRUE(card);
    const VCardLine &line = card->lines.first();
    EXPECT_EQ(line.components(),
              (QStringList{QString(), QString(), QStringLiteral("1 Main\nBack; door"),
                           QStringLiteral("A,B"), QStringLiteral("\\"), QString(), QString()}));
}

TEST(VCardParser, MalformedInputGivesNoCardAndSaysWhy)
{
    const QByteArray inputs[] = {
        "",
        "just some text\r\n",
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cut off",
        "BEGIN:VCARD\r\nPHOTO;ENCODING=b:not*base64!\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\nNOTE;QUOTED-PRINTABLE:bad =ZZ escape\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\nNOTE;QUOTED-PRINTABLE:cut =4\r\nEND:VCARD\r\n",
    };
    for (const QByteArray &input : inputs) {
        QString error;
        EXPECT_FALSE(vcardparser::parse(input, &error)) << input.constData();
        EXPECT_FALSE(error.isEmpty()) << input.constData();
    }
}

TEST(VCardParser, ReadsOnlyTheFirstCardAndSkipsNestedOnes)
{
    const std::optional<VCard> card = vcardparser::parse(
        "BEGIN:VCARD\r\nFN:Outer\r\nAGENT:\r\nBEGIN:VCARD\r\nFN:Inner\r\nEND:VCARD\r\n"
        "NOTE:after\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Second\r\nEND:VCARD\r\n");
    ASSERT_TRUE(card);
    QStringList values;
    for (const VCardLine &line : card->lines)
        values.append(line.text());
    EXPECT_EQ(values, (QStringList{QStringLiteral("Outer"), QString(), QStringLiteral("after")}));
}

TEST(VCardParser, HugeLinesAreReadInOnePass)
{
    const QByteArray huge(8 * 1024 * 1024, 'x');
    const std::optional<VCard> card =
        vcardparser::parse("BEGIN:VCARD\r\nNOTE:" + huge + "\r\n" + huge + "\r\nEND:VCARD\r\n");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->lines.first().value.size(), huge.size());
}
