#include "model/refdata/country.h"
#include "model/refdata/region.h"
#include "storefixture.h"

#include <QDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

namespace {

const QChar kImage(QChar::ObjectReplacementCharacter);

// A one-pixel GIF: Qt reads GIFs but does not write them.
const QByteArray kFlagGif = QByteArray::fromHex("474946383961010001008000"
                                                "00ff0000000000"
                                                "21f90401000000002c00000000010001000002024401003b");

// The size of the image shown at the position of the text, or an empty size when there is none.
QSize imageSizeAt(const QTextDocument &text, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&text));
    cursor.setPosition(position + 1);
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    if (!format.isValid())
        return {};
    return text.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>().size();
}

// The program's images live on the "images" search path; each test gives it a folder of its own.
class MenuImageTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        ASSERT_TRUE(m_images.isValid());
        QDir::setSearchPaths(QStringLiteral("images"), {m_images.path()});
    }
    void TearDown() override
    {
        QDir::setSearchPaths(QStringLiteral("images"), {});
        StoreFixture::TearDown();
    }

    void addImage(const QString &fileName)
    {
        QImage square(8, 8, QImage::Format_RGB32);
        square.fill(Qt::blue);
        ASSERT_TRUE(square.save(m_images.filePath(fileName)));
    }

    Country *country(const QString &isoCode, const QString &name)
    {
        Country *made = m_context->insertNew<Country>();
        made->setIsoCode(isoCode);
        made->setName(name);
        return made;
    }

    QTemporaryDir m_images;
};

TEST_F(MenuImageTest, CountryWithoutItsFlag_ShowsTheNameAlone)
{
    Country *germany = country(QStringLiteral("DE"), QStringLiteral("Germany"));
    EXPECT_EQ(germany->imageName(), QStringLiteral("de"));
    EXPECT_TRUE(germany->image().isNull());
    EXPECT_EQ(germany->nameWithImage().toPlainText(), QStringLiteral("  Germany"));
    EXPECT_FALSE(imageSizeAt(germany->nameWithImage(), 1).isValid());
}

TEST_F(MenuImageTest, FlagSitsBetweenTheBlanksAtFifteenPoints)
{
    QFile flag(m_images.filePath(QStringLiteral("de.gif")));
    ASSERT_TRUE(flag.open(QIODevice::WriteOnly));
    flag.write(kFlagGif);
    flag.close();
    Country *germany = country(QStringLiteral("DE"), QStringLiteral("Germany"));
    ASSERT_FALSE(germany->image().isNull());
    EXPECT_EQ(germany->nameWithImage().toPlainText(), QStringLiteral(" ") + kImage + " Germany");
    EXPECT_EQ(imageSizeAt(germany->nameWithImage(), 1), QSize(15, 15));

    // Made once: a later name change leaves the menu text as it was.
    germany->setName(QStringLiteral("Deutschland"));
    EXPECT_TRUE(germany->nameWithImage().toPlainText().endsWith(QStringLiteral(" Germany")));
}

TEST_F(MenuImageTest, CountryWithoutCode_ShowsTheFolderImage)
{
    Country *nameless = country(QString(), QStringLiteral("Nowhere"));
    EXPECT_TRUE(nameless->image().isNull());
    addImage(QStringLiteral("Folder.tiff"));
    EXPECT_FALSE(nameless->image().isNull());
    EXPECT_EQ(imageSizeAt(nameless->nameWithImage(), 1), QSize(15, 15));
}

TEST_F(MenuImageTest, RegionShowsTheActionImageWhenThereIsOne)
{
    Region *region = m_context->insertNew<Region>();
    region->setName(QStringLiteral("Caribbean"));
    EXPECT_TRUE(region->image().isNull());

    addImage(QStringLiteral("Action.png"));
    EXPECT_EQ(region->image().size(), QSize(8, 8));
    EXPECT_EQ(region->nameWithImage().toPlainText(), QStringLiteral(" ") + kImage + " Caribbean");
    EXPECT_EQ(imageSizeAt(region->nameWithImage(), 1), QSize(15, 15));
}

} // namespace
