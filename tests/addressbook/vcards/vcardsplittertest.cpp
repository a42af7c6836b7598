#include "addressbook/vcards/vcardsplitter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray card(const QByteArray &name, const QByteArray &end = "\r\n")
{
    return "BEGIN:VCARD" + end + "VERSION:3.0" + end + "N:" + name + ";;;;" + end + "FN:" + name +
           end + "END:VCARD";
}

TEST(VCardSplitter, ExtractVCardDatas_CutsAfterEachEndWhateverTheLineEnds)
{
    for (const QByteArray end : {"\r\n", "\n", "\r"}) {
        const QByteArray first = card("Ann", end);
        const QByteArray second = card("Bob", end);
        const QList<QByteArray> cards =
            AddressBookTool::extractVCardDatas(first + end + second + end + end + end);
        ASSERT_EQ(cards.size(), 2) << end.toHex().constData();
        EXPECT_EQ(cards[0], first);
        EXPECT_EQ(cards[1], second) << "the first character of the second card must stay";
    }
}

TEST(VCardSplitter, ExtractVCardDatas_CutsBytesExactlyAroundAccentedText)
{
    const QByteArray utf8First = card("M\xC3\xBCller \xE2\x82\xAC");
    const QByteArray latin1First = card("M\xFCller");
    const QByteArray second = card("Bob");
    for (const QByteArray &first : {utf8First, latin1First}) {
        const QList<QByteArray> cards =
            AddressBookTool::extractVCardDatas(first + "\r\n" + second + "\r\n");
        ASSERT_EQ(cards.size(), 2);
        EXPECT_EQ(cards[0], first);
        EXPECT_EQ(cards[1], second);
    }
}

TEST(VCardSplitter, ExtractVCardDatas_WithoutAnEndGivesTheInputAsOneItem)
{
    const QByteArray cases[] = {"", "no vcard at all", "BEGIN:VCARD\r\nN:A;;;;\r\n"};
    for (const QByteArray &data : cases)
        EXPECT_EQ(AddressBookTool::extractVCardDatas(data), QList<QByteArray>({data}));
}

TEST(VCardSplitter, ExtractVCardDatas_EndsACardInAnyLetterCase)
{
    const QByteArray mixed = card("Ann").replace("END:VCARD", "END:vCard");
    EXPECT_EQ(AddressBookTool::extractVCardDatas(mixed + "\n" + card("Bob") + "\n"),
              QList<QByteArray>({mixed, card("Bob")}));
}

TEST(VCardSplitter, ExtractVCardDatas_KeepsALastCardWhoseEndWasCutOff)
{
    const QByteArray truncated = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Cut;;;;\r\n";
    const QList<QByteArray> cards =
        AddressBookTool::extractVCardDatas(card("Ann") + "\r\n" + truncated);
    EXPECT_EQ(cards, QList<QByteArray>({card("Ann"), truncated}));
}

TEST(VCardSplitter, ExtractVCardDatas_IgnoresAnEndInsideAValue)
{
    const QByteArray tricky =
        "BEGIN:VCARD\r\nNOTE:write END:VCARD\r\n  END:VCARD here\r\nEND:VCARD";
    const QList<QByteArray> cards =
        AddressBookTool::extractVCardDatas(tricky + "\r\n" + card("Bob") + "\r\n");
    EXPECT_EQ(cards, QList<QByteArray>({tricky, card("Bob")}));
}

TEST(VCardSplitter, ExtractVCardDatas_ReadsUtf16AsUtf8)
{
    const QString text = QString::fromUtf8(card("\xC5\x81\xC3\xB3"
                                                "d\xC5\xBA") +
                                           "\r\n" + card("Bob") + "\r\n");
    QByteArray bytes("\xFF\xFE");
    bytes += QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    const QList<QByteArray> cards = AddressBookTool::extractVCardDatas(bytes);
    ASSERT_EQ(cards.size(), 2);
    EXPECT_EQ(cards[0], card("\xC5\x81\xC3\xB3"
                             "d\xC5\xBA"));
}

TEST(VCardSplitter, ExtractPeople_ReadsTheFileAndFailsEmptyForAMissingOne)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("two.vcf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(card("Ann") + "\r\n" + card("Bob") + "\r\n");
    file.close();
    EXPECT_EQ(AddressBookTool::extractPeople(file.fileName()),
              QList<QByteArray>({card("Ann"), card("Bob")}));
    EXPECT_TRUE(AddressBookTool::extractPeople(dir.filePath(QStringLiteral("none.vcf"))).isEmpty());
}

TEST(VCardSplitter, ExtractVCardStrings_CutsTextAsTheBytesAre)
{
    const QString first = QString::fromUtf8(card("Zo\xC3\xAB", "\n"));
    const QString second = QString::fromUtf8(card("Bob", "\n"));
    EXPECT_EQ(AddressBookTool::extractVCardStrings(first + u'\n' + second + u'\n'),
              QStringList({first, second}));
    EXPECT_TRUE(AddressBookTool::extractVCardStrings(QString()).isEmpty());
    EXPECT_EQ(AddressBookTool::extractVCardStrings(QStringLiteral("plain")),
              QStringList(QStringLiteral("plain")));
}

} // namespace
