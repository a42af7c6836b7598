#include "addressbook/vcards/vcardcardreader.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

QByteArray pngBytes()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray cardWith(const QByteArray &lines)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:A;B;;;\r\nFN:B A\r\n" + lines +
           "X-ABUID:1\r\nEND:VCARD";
}

TEST(VCardCardReader, ImageFromVCardData_ReadsEveryPhotoForm)
{
    const QByteArray png = pngBytes();
    const QByteArray base64 = png.toBase64();
    QByteArray folded;
    for (qsizetype i = 0; i < base64.size(); i += 76)
        folded += "  " + base64.mid(i, 76) + "\r\n";
    QByteArray unpadded = QByteArray(png).append('\0');
    while (unpadded.size() % 3 != 0)
        unpadded.append('\0');
    const QByteArray forms[] = {
        "PHOTO;BASE64:\r\n" + folded,
        "PHOTO;BASE64:" + base64 + "\r\n",
        "PHOTO;ENCODING=b;TYPE=PNG:" + base64 + "\r\n",
        "PHOTO;ENCODING=BASE64;TYPE=PNG:\r\n" + base64 + "\r\n\r\n",
        "PHOTO:data:image/png;base64," + base64 + "\r\n",
        "PHOTO;BASE64:\r\n  " + unpadded.toBase64() + "\r\nCATEGORIES:a=\r\n",
    };
    for (const QByteArray &form : forms) {
        const QImage image = AddressBookTool::imageFromVCardData(cardWith(form));
        EXPECT_EQ(image.size(), QSize(3, 2)) << form.left(40).constData();
    }
}

TEST(VCardCardReader, ImageFromVCardData_NullWithoutAReadablePhoto)
{
    EXPECT_TRUE(AddressBookTool::imageFromVCardData(cardWith("NOTE:no photo\r\n")).isNull());
    EXPECT_TRUE(AddressBookTool::imageFromVCardData(cardWith("PHOTO;BASE64:  !!!\r\n")).isNull());
    EXPECT_TRUE(
        AddressBookTool::imageFromVCardData(cardWith("NOTE:PHOTO;BASE64:QUJD\r\n")).isNull());
}

TEST(VCardCardReader, GroupsFromVCardData_TheValueAsWrittenFromItsOwnLine)
{
    EXPECT_EQ(AddressBookTool::groupsFromVCardData(cardWith("CATEGORIES:Friends,Golf\r\n")),
              QStringLiteral("Friends,Golf"));
    EXPECT_EQ(AddressBookTool::groupsFromVCardData(
                  cardWith("NOTE:see CATEGORIES:x\r\ncategories:Work\r\n")),
              QStringLiteral("Work"));
    EXPECT_TRUE(AddressBookTool::groupsFromVCardData(cardWith("NOTE:CATEGORIES:x\r\n")).isNull());
}

TEST(VCardCardReader, UidFromVCardData_PrefersXAbUidUnescapedAndMatchesWholeNames)
{
    struct Case
    {
        QByteArray card;
        QString expected;
    };
    const Case cases[] = {
        {"BEGIN:VCARD\r\nUID:u-1\r\nX-ABUID:6B29\\:ABPerson\r\nEND:VCARD", "6B29:ABPerson"},
        {"BEGIN:VCARD\r\nX-SOMEUID:other\r\nUID:u-2\r\nEND:VCARD", "u-2"},
        {"BEGIN:VCARD\r\nNOTE:UID:inside\r\nEND:VCARD", QString()},
        {"BEGIN:VCARD\r\nX-ABUID:last-line-without-end", "last-line-without-end"},
    };
    for (const Case &c : cases) {
        const QString uid = AddressBookTool::uidFromVCardData(c.card);
        EXPECT_EQ(uid, c.expected) << c.card.constData();
        EXPECT_EQ(uid.isNull(), c.expected.isNull());
    }
}

} // namespace
