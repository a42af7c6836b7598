#include "foundation/vozuveva/vozuvevawindows.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The size of the image shown at the position of the text; an empty size when there is none.
QSize imageSizeAt(const QTextDocument &text, int position)
{
    QTextCursor cursor(const_cast<QTextDocument *>(&text));
    cursor.setPosition(position + 1);
    const QTextImageFormat format = cursor.charFormat().toImageFormat();
    return text.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>().size();
}

class WindowGrowthTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setGeometry(100, 100, 300, 200);
        window.show();
        ASSERT_TRUE(QGuiApplication::primaryScreen());
    }
    QRect available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QWidget window;
};

TEST_F(WindowGrowthTest, WithoutUpdateFrame_TheWindowStaysAsItIs)
{
    VozuVeva::expandWindow(&window, 50, 50, false);
    EXPECT_EQ(window.geometry(), QRect(100, 100, 300, 200));
}

TEST_F(WindowGrowthTest, GrowsRightAndDownOnTheScreen)
{
    VozuVeva::growWindowByWidthIncrement(&window, 50, true);
    EXPECT_EQ(window.geometry(), QRect(100, 100, 350, 200));
    VozuVeva::growWindowByHeightIncrement(&window, 40, true);
    EXPECT_EQ(window.geometry(), QRect(100, 100, 350, 240));
}

TEST_F(WindowGrowthTest, MoreThanTheScreen_TakesItsVisibleWidthAndHeight)
{
    VozuVeva::expandWindow(&window, 100000, 100000, true);
    EXPECT_EQ(window.frameGeometry(), available());
}

TEST_F(WindowGrowthTest, HeightGrowsOnlyToTheWindowsMaximum)
{
    window.setMaximumHeight(230);
    VozuVeva::growWindowByHeightIncrement(&window, 100, true);
    EXPECT_EQ(window.height(), 230);
}

TEST_F(WindowGrowthTest, ScreenAndRoomBelow_OfTheMainScreen)
{
    EXPECT_EQ(VozuVeva::currentScreenForWindow(&window), QGuiApplication::primaryScreen());
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(VozuVeva::bottomAvailableForWindow(&window),
              float(available().bottom() - frame.bottom()));
    EXPECT_EQ(VozuVeva::maxMonitorWidth(), float(available().width()));
}

TEST(ImageTitle, ImageSitsBetweenTheTwoSpacesOrIsLeftOut)
{
    const QChar object(QChar::ObjectReplacementCharacter);
    EXPECT_EQ(VozuVeva::nameWithImageForTitle("Family", "missing", 16, 0)->toPlainText(),
              "  Family");
    EXPECT_EQ(VozuVeva::nameWithImageForTitle(QString(), "missing", 16, 0)->toPlainText(), "  ");

    QTemporaryDir images;
    QImage dot(4, 4, QImage::Format_ARGB32);
    dot.fill(Qt::red);
    ASSERT_TRUE(dot.save(images.filePath("group.png")));
    QDir::setSearchPaths("images", {images.path()});
    const auto titled = VozuVeva::nameWithImageForTitle("Family", "group", 16, -3);
    QDir::setSearchPaths("images", {});
    EXPECT_EQ(titled->toPlainText(), QString(" ") + object + " Family");
    EXPECT_EQ(imageSizeAt(*titled, 1), QSize(16, 16));
}

TEST(ImageTitle, AttributedName_ImageBeforeTheNameOrTheNameAlone)
{
    EXPECT_EQ(VozuVeva::attributedNameForImage(QImage(), "Family", 16)->toPlainText(), "Family");
    QImage dot(4, 4, QImage::Format_ARGB32);
    dot.fill(Qt::red);
    const auto named = VozuVeva::attributedNameForImage(dot, "Family", 20);
    EXPECT_EQ(named->toPlainText(), QChar(QChar::ObjectReplacementCharacter) + QString("Family"));
    EXPECT_EQ(imageSizeAt(*named, 0), QSize(20, 20));
}

} // namespace
