#include "platform/addressbook/vcard/vcardparser.h"

#include <QRegularExpression>

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

TEST(VCardParser, InputWithNothingReadableGivesNoCardAndSaysWhy)
{
    const QByteArray inputs[] = {
        "",
        "just some text\r\n",
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cut off",
        "BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\nPHOTO;ENCODING=b:not*base64!\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\nNOTE;QUOTED-PRINTABLE:bad =ZZ escape\r\nEND:VCARD\r\n",
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

TEST(VCardParser, AValueThatCannotBeDecodedLeavesOutThatPropertyAlone)
{
    const struct
    {
        const char *line;
        const char *property;
    } cases[] = {
        {"ORG;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Acme =ZZWidgets", "ORG"},
        {"NOTE;QUOTED-PRINTABLE:cut =4", "NOTE"},
        {"PHOTO;ENCODING=b:not*base64!", "PHOTO"},
    };
    for (const auto &c : cases) {
        QString error;
        const std::optional<VCard> card =
            vcardparser::parse("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;Jane\r\n" + QByteArray(c.line) +
                                   "\r\nEMAIL:jane@example.com\r\nEND:VCARD\r\n",
                               &error);
        ASSERT_TRUE(card) << c.line << ": " << error.toStdString();
        EXPECT_TRUE(find(*card, "N"));
        EXPECT_TRUE(find(*card, "EMAIL"));
        EXPECT_FALSE(find(*card, c.property)) << c.line;
        ASSERT_EQ(card->skipped.size(), 1) << c.line;
        EXPECT_TRUE(card->skipped.first().contains(QLatin1String(c.property)))
            << card->skipped.first().toStdString();
    }
}

TEST(VCardParser, Base64AsPhonesWriteItStillGivesTheBytes)
{
    const QByteArray bytes = QByteArray("picture bytes, cut to a length") + char(0xfe);
    const QByteArray base64 = bytes.toBase64();
    ASSERT_TRUE(base64.endsWith('='));
    const QByteArray unpadded = QByteArray(base64).replace('=', "");
    const QByteArray forms[] = {
        base64 + "=",                                 // a "=" too many
        unpadded,                                     // no padding
        unpadded.left(12) + "=" + unpadded.mid(12),   // a stray "=" inside
        unpadded.left(10) + " \t" + unpadded.mid(10), // white space inside
    };
    for (const QByteArray &form : forms)
        EXPECT_EQ(vcardparser::decodeBase64Leniently(form), bytes) << form.constData();
    EXPECT_FALSE(vcardparser::decodeBase64Leniently("not*base64!"));
}

TEST(VCardParser, AnEmptyLineEndsAQuotedPrintableValueThatEndsInASoftBreak)
{
    const std::optional<VCard> card =
        vcardparser::parse("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Doe;Jane\r\n"
                           "ORG;ENCODING=QUOTED-PRINTABLE:Acme=20Widgets=\r\n"
                           "\r\n"
                           "CATEGORIES:Friends,Work\r\n"
                           "END:VCARD\r\n");
    ASSERT_TRUE(card);
    ASSERT_TRUE(find(*card, "ORG"));
    EXPECT_EQ(find(*card, "ORG")->text(), QStringLiteral("Acme Widgets"));
    ASSERT_TRUE(find(*card, "CATEGORIES"));
    EXPECT_EQ(find(*card, "CATEGORIES")->text(), QStringLiteral("Friends,Work"));
}

TEST(VCardParser, CrCrLfEndsALineOnceSoSoftBreaksStillJoin)
{
    const std::optional<VCard> card =
        vcardparser::parse("BEGIN:VCARD\r\r\nVERSION:2.1\r\r\n"
                           "NOTE;ENCODING=QUOTED-PRINTABLE:one=\r\r\ntwo\r\r\n"
                           "FN:Jane\r\r\nEND:VCARD\r\r\n");
    ASSERT_TRUE(card);
    ASSERT_EQ(card->lines.size(), 2);
    EXPECT_EQ(find(*card, "NOTE")->text(), QStringLiteral("onetwo"));
    EXPECT_EQ(find(*card, "FN")->text(), QStringLiteral("Jane"));
}

TEST(VCardParser, Utf16WithEitherByteOrderMarkAndUtf8WithAMarkAreRead)
{
    const QString text = QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Zoë Łukasz\r\n"
                                        "END:VCARD\r\n");
    QByteArray littleEndian("\xFF\xFE");
    QByteArray bigEndian("\xFE\xFF");
    for (const QChar c : text) {
        littleEndian.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
        bigEndian.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xff));
    }
    const QByteArray inputs[] = {littleEndian, bigEndian, "\xEF\xBB\xBF" + text.toUtf8()};
    for (const QByteArray &input : inputs) {
        const std::optional<VCard> card = vcardparser::parse(input);
        ASSERT_TRUE(card) << input.toHex().left(16).constData();
        ASSERT_TRUE(find(*card, "FN"));
        EXPECT_EQ(find(*card, "FN")->text(), QStringLiteral("Zoë Łukasz"));
        EXPECT_EQ(vcardparser::splitCards(vcardparser::withoutByteOrderMark(input)).size(), 1);
    }
}

TEST(VCardParser, CardsBeginAndEndOnlyAtTheStartOfALogicalLine)
{
    const struct
    {
        const char *name;
        QByteArray data;
        QStringList firstLines;
    } cases[] = {
        {"words of a note",
         "BEGIN:VCARD\r\nN:One\r\nNOTE:see BEGIN:VCARD and END:VCARD\r\nEND:VCARD\r\n"
         "BEGIN:VCARD\r\nN:Two\r\nEND:VCARD\r\n",
         {QStringLiteral("N:One"), QStringLiteral("N:Two")}},
        {"a folded line",
         "BEGIN:VCARD\r\nN:One\r\nNOTE:x\r\n BEGIN:VCARD\r\n END:VCARD\r\nEND:VCARD\r\n",
         {QStringLiteral("N:One")}},
        {"a quoted-printable soft break",
         "BEGIN:VCARD\r\nN:One\r\nNOTE;QUOTED-PRINTABLE:x=\r\nEND:VCARD\r\nEND:VCARD\r\n",
         {QStringLiteral("N:One")}},
        {"a card inside a card",
         "BEGIN:VCARD\r\nN:Outer\r\nAGENT:\r\nBEGIN:VCARD\r\nN:Inner\r\nEND:VCARD\r\n"
         "TEL:1\r\nEND:VCARD\r\n",
         {QStringLiteral("N:Outer")}},
        {"mixed letter case and junk around",
         "junk\r\nbegin:vcard\nN:One\nend:vCard\nBEGIN:VCARD\rN:Two\rEnd:VCard\rjunk",
         {QStringLiteral("N:One"), QStringLiteral("N:Two")}},
        {"a card cut off",
         "BEGIN:VCARD\r\nN:One\r\nEND:VCARD\r\nBEGIN:VCARD\r\nN:Cut",
         {QStringLiteral("N:One"), QStringLiteral("N:Cut")}},
    };
    for (const auto &c : cases) {
        const QList<QByteArrayView> cards = vcardparser::splitCards(c.data);
        QStringList firstLines;
        for (const QByteArrayView card : cards) {
            EXPECT_TRUE(card.startsWith("BEGIN:VCARD") || card.startsWith("begin:vcard")) << c.name;
            firstLines.append(QString::fromUtf8(card.toByteArray())
                                  .split(QRegularExpression("[\r\n]+"))
                                  .value(1));
        }
        EXPECT_EQ(firstLines, c.firstLines) << c.name;
    }
    // The person of a card with a card inside keeps the properties after it.
    const std::optional<VCard> outer =
        vcardparser::parse(vcardparser::splitCards(cases[3].data).first().toByteArray());
    ASSERT_TRUE(outer);
    EXPECT_TRUE(find(*outer, "TEL"));
}
