#include "foundation/views/imagetext.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

TEST(ImageText, ImagesAreFoundWithOrWithoutTheirSuffix)
{
    QTemporaryDir images;
    ASSERT_TRUE(images.isValid());
    QImage square(4, 4, QImage::Format_RGB32);
    square.fill(Qt::yellow);
    ASSERT_TRUE(square.save(images.filePath("Action.png")));
    ASSERT_TRUE(square.save(images.filePath("Folder.tiff")));
    QDir::setSearchPaths("images", {images.path()});

    EXPECT_EQ(imagetext::imagePath("Action"), "images:Action.png");
    EXPECT_EQ(imagetext::imagePath("Folder.tiff"), "images:Folder.tiff");
    EXPECT_EQ(imagetext::imageNamed("Folder").size(), QSize(4, 4));
    EXPECT_TRUE(imagetext::imagePath("de.gif").isEmpty());
    EXPECT_TRUE(imagetext::imagePath(QString()).isEmpty());
    EXPECT_TRUE(imagetext::imageNamed("de.gif").isNull());
    QDir::setSearchPaths("images", {});
}

TEST(ImageText, OffsetInPointsIsAShareOfTheFontSize)
{
    const auto text = imagetext::textWithImage("  Name", QFont("Sans", 12), 3, QImage(), 1, 15);
    EXPECT_EQ(text->toPlainText(), "  Name");
    QTextCursor cursor(text.get());
    cursor.setPosition(4);
    EXPECT_DOUBLE_EQ(cursor.charFormat().baselineOffset(), 25.0);
    EXPECT_EQ(cursor.charFormat().font().pointSize(), 12);
}

} // namespace
