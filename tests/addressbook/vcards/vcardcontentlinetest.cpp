#include "addressbook/vcards/vcardcontentline.h"
#include "addressbook/vcards/vcardcharset.h"
#include "addressbook/vcards/vcardescaping.h"

#include <gtest/gtest.h>

namespace {

TEST(VCardContentLine, ParseContentLines_UnfoldsAndAcceptsEveryLineEnd)
{
    for (const char *end : {"\r\n", "\n", "\r", "\r\r\n"}) {
        const QString text = QStringLiteral("BEGIN:VCARD%1NOTE:one%1  two%1\tthree%1END:VCARD%1")
                                 .arg(QLatin1String(end));
        const QList<VCardContentLine> lines = vcard::parseContentLines(text);
        ASSERT_EQ(lines.size(), 3) << end;
        EXPECT_EQ(lines[1].name, QStringLiteral("NOTE"));
        EXPECT_EQ(lines[1].value, QStringLiteral("one twothree"));
        EXPECT_EQ(lines[1].physicalLines,
                  QStringList({QStringLiteral("NOTE:one"), QStringLiteral("  two"),
                               QStringLiteral("\tthree")}));
        EXPECT_EQ(lines[2].name, QStringLiteral("END"));
    }
}

TEST(VCardContentLine, ParseContentLines_ReadsGroupParametersAndTypesInEveryForm)
{
    const QList<VCardContentLine> lines =
        vcard::parseContentLines(QStringLiteral("item1.EMAIL;type=INTERNET;type=pref:a@b.c\r\n"
                                                "TEL;TYPE=work,voice:1\r\n"
                                                "TEL;HOME;VOICE:2\r\n"
                                                "X-X;LABEL=\"a:b;c\":value\r\n"
                                                "not a property\r\n"));
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0].group, QStringLiteral("item1"));
    EXPECT_EQ(lines[0].name, QStringLiteral("EMAIL"));
    EXPECT_EQ(lines[0].types(), QStringList({QStringLiteral("INTERNET"), QStringLiteral("PREF")}));
    EXPECT_EQ(lines[1].types(), QStringList({QStringLiteral("WORK"), QStringLiteral("VOICE")}));
    EXPECT_EQ(lines[2].types(), QStringList({QStringLiteral("HOME"), QStringLiteral("VOICE")}));
    EXPECT_EQ(lines[3].parameter(QStringLiteral("LABEL")), QStringLiteral("a:b;c"));
    EXPECT_EQ(lines[3].value, QStringLiteral("value"));
    EXPECT_FALSE(lines[4].isProperty());
    EXPECT_EQ(lines[4].physicalLines, QStringList(QStringLiteral("not a property")));
}

TEST(VCardContentLine, TextValue_UndoesQuotedPrintableCharsetAndEscapes)
{
    const QList<VCardContentLine> lines = vcard::parseContentLines(
        QStringLiteral("NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=ISO-8859-1:caf=E9 =\r\n"
                       "cr=E8me\r\n"
                       "NOTE;ENCODING=QUOTED-PRINTABLE:=C3=A9t=C3=A9\r\n"
                       "NOTE:a\\, b\\; c\\nd\\\\e\\:f\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].textValue(), QStringLiteral("café crème"));
    EXPECT_EQ(lines[1].textValue(), QStringLiteral("été"));
    EXPECT_EQ(lines[2].textValue(), QStringLiteral("a, b; c\nd\\e:f"));
}

TEST(VCardContentLine, BinaryValue_ReadsEveryInlineForm)
{
    const QByteArray data("\x89PNG\r\n\x1a\n-some-bytes", 19);
    const QString base64 = QString::fromLatin1(data.toBase64());
    const QStringList forms = {
        QStringLiteral("PHOTO;BASE64:\r\n  %1\r\n"),
        QStringLiteral("PHOTO;ENCODING=b;TYPE=PNG:%1\r\n"),
        QStringLiteral("PHOTO;ENCODING=BASE64;TYPE=PNG:\r\n%1\r\n\r\n"),
        QStringLiteral("PHOTO:data:image/png;base64,%1\r\n"),
    };
    for (const QString &form : forms) {
        const QList<VCardContentLine> lines = vcard::parseContentLines(form.arg(base64));
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines[0].binaryValue(), std::optional<QByteArray>(data)) << form.toStdString();
    }
    const QList<VCardContentLine> url =
        vcard::parseContentLines(QStringLiteral("PHOTO;VALUE=uri:http://x.org/a.png"));
    EXPECT_FALSE(url[0].binaryValue());
}

TEST(VCardContentLine, BinaryValue_TakesUnindentedBase64LinesOfOldWriters)
{
    const QList<VCardContentLine> lines = vcard::parseContentLines(
        QStringLiteral("PHOTO;ENCODING=BASE64;TYPE=JPEG:QUJD\r\nREVG\r\nR0g=\r\n\r\nTEL:1\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].binaryValue(), std::optional<QByteArray>("ABCDEFGH"));
    EXPECT_EQ(lines[2].name, QStringLiteral("TEL"));
}

TEST(VCardEscaping, EscapeText_EscapesSoNoLineOrSeparatorSurvives)
{
    EXPECT_EQ(vcard::escapeText(QStringLiteral("a\\b,c;d\r\ne\nf\rg")),
              QStringLiteral("a\\\\b\\,c\\;d\\ne\\nf\\ng"));
    const QString note = QStringLiteral("line\nEMAIL:x@y.z, \\;");
    EXPECT_EQ(vcard::unescapeText(vcard::escapeText(note)), note);
}

TEST(VCardEscaping, FoldLine_KeepsLinesTo75OctetsAndCharactersWhole)
{
    const QString line = QStringLiteral("NOTE:") + QString(100, QChar(0xE9)) + QStringLiteral("😀x");
    const QStringList folded = vcard::foldLine(line);
    ASSERT_GT(folded.size(), 1);
    QString unfolded = folded.first();
    for (qsizetype i = 0; i < folded.size(); ++i) {
        EXPECT_LE(folded[i].toUtf8().size(), 75);
        EXPECT_FALSE(folded[i].back().isHighSurrogate());
        if (i > 0) {
            EXPECT_TRUE(folded[i].startsWith(u' '));
            unfolded += folded[i].mid(1);
        }
    }
    EXPECT_EQ(unfolded, line);
    EXPECT_EQ(vcard::foldLine(QStringLiteral("short")), QStringList(QStringLiteral("short")));
}

TEST(VCardCharset, DecodeBytes_FallsBackToTheCardsCharsetOrWindows1252)
{
    EXPECT_EQ(vcard::decodeBytes(QByteArray("N:M\xC3\xBCller")), QStringLiteral("N:Müller"));
    EXPECT_EQ(vcard::decodeBytes(QByteArray("\xEF\xBB\xBFN:a")), QStringLiteral("N:a"));
    EXPECT_EQ(vcard::decodeBytes(QByteArray("N:M\xFCller \x80")), QStringLiteral("N:Müller €"));
    EXPECT_EQ(vcard::decodeBytes(QByteArray("N;CHARSET=ISO-8859-1:M\xFCller")),
              QStringLiteral("N;CHARSET=ISO-8859-1:Müller"));
    const QString utf16 = QStringLiteral("N:Łódź");
    QByteArray bytes("\xFF\xFE");
    bytes += QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2);
    EXPECT_EQ(vcard::decodeBytes(bytes), utf16);
}

} // namespace
