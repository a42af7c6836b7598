#include "tests/support/addressbook/abtestbook.h"

#include "addressbook/fields/personimages.h"
#include "platform/addressbook/abconstants.h"
#include "platform/addressbook/addressbook.h"
#include "platform/addressbook/person.h"

#include <QBuffer>
#include <QColor>
#include <QImage>

namespace {

using namespace AddressBookTool;

class PersonImagesTest : public AddressBookTest
{
protected:
    static QByteArray png(QColor color)
    {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(color);
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return data;
    }
};

TEST_F(PersonImagesTest, OwnPictureAndDefaultPictures)
{
    const PersonPtr person = addPerson("Ann", "Lee");
    const PersonPtr company = addCompany("Acme");
    const PersonPtr pictured = addPerson("Pic", "Tured");
    const QByteArray own = png(Qt::red);
    ASSERT_TRUE(pictured->setImageData(own));

    const QByteArray personDefault = imageDataForPerson(person);
    const QByteArray companyDefault = imageDataForPerson(company);
    ASSERT_FALSE(personDefault.isEmpty());
    ASSERT_FALSE(companyDefault.isEmpty());
    EXPECT_NE(personDefault, companyDefault);
    EXPECT_TRUE(personDefault.startsWith("II*")); // both are TIFF files
    EXPECT_TRUE(companyDefault.startsWith("II*"));
    EXPECT_FALSE(imageForPerson(person).isNull());
    EXPECT_EQ(imageForPerson(person).size(), QSize(64, 64));
    EXPECT_EQ(imageForABID(company->uniqueId()), QImage::fromData(companyDefault));

    const struct
    {
        const char *name;
        PersonPtr record;
        QByteArray ownData;
        QByteArray shown;
    } cases[] = {
        {"person without a picture", person, QByteArray(), personDefault},
        {"company without a picture", company, QByteArray(), companyDefault},
        {"record with its own picture", pictured, own, own},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString abid = c.record->uniqueId();
        EXPECT_EQ(imageDataABForPerson(c.record), c.ownData);
        EXPECT_EQ(imageDataABForPerson(c.record).isNull(), c.ownData.isNull());
        EXPECT_EQ(imageDataABForABID(abid), c.ownData);
        EXPECT_EQ(hasImageForPerson(c.record), !c.ownData.isEmpty());
        EXPECT_EQ(hasImageForABID(abid), !c.ownData.isEmpty());
        EXPECT_EQ(imageABForPerson(c.record).isNull(), c.ownData.isEmpty());
        EXPECT_EQ(imageABForABID(abid).isNull(), c.ownData.isEmpty());
        EXPECT_EQ(imageDataForPerson(c.record), c.shown);
        EXPECT_EQ(imageDataForABID(abid), c.shown);
        EXPECT_EQ(imageForPerson(c.record), QImage::fromData(c.shown));
    }
    EXPECT_EQ(imageABForPerson(pictured).pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(PersonImagesTest, NoPersonGivesNothing)
{
    for (const QString &abid : {QString(), QStringLiteral(""), QStringLiteral("none:ABPerson")}) {
        EXPECT_TRUE(imageDataForABID(abid).isNull());
        EXPECT_TRUE(imageDataABForABID(abid).isNull());
        EXPECT_TRUE(imageForABID(abid).isNull());
        EXPECT_TRUE(imageABForABID(abid).isNull());
        EXPECT_FALSE(hasImageForABID(abid));
        EXPECT_FALSE(setImageForABID(QImage(2, 2, QImage::Format_RGB32), abid));
    }
    EXPECT_TRUE(imageDataForPerson(nullptr).isNull());
    EXPECT_TRUE(imageForPerson(nullptr).isNull());
    EXPECT_FALSE(hasImageForPerson(nullptr));
    EXPECT_FALSE(setImageForPerson(QImage(2, 2, QImage::Format_RGB32), nullptr));
}

TEST_F(PersonImagesTest, SetImage_StoresTiffWithoutSaving)
{
    const PersonPtr person = addPerson("Ann", "Lee");
    ASSERT_TRUE(AddressBook::shared()->save());
    QImage image(5, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(setImageForABID(image, person->uniqueId()));
    EXPECT_TRUE(person->imageData().startsWith("II*") || person->imageData().startsWith("MM"));
    EXPECT_EQ(imageABForPerson(person).pixelColor(4, 3), QColor(Qt::blue));
    EXPECT_TRUE(AddressBook::shared()->hasUnsavedChanges());
    EXPECT_FALSE(setImageForPerson(QImage(), person));
    EXPECT_TRUE(hasImageForPerson(person));
}

} // namespace
