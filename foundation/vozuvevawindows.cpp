#include "foundation/vozuvevawindows.h"

#include "foundation/screengeometry.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QWidget>

namespace VozuVeva {
namespace {

// Qt counts y downwards from the top of the main screen; the geometry counts upwards from its
// bottom.
double mainScreenBottom()
{
    const QScreen *main = QGuiApplication::primaryScreen();
    return main ? main->geometry().y() + main->geometry().height() : 0;
}

QRectF flipped(const QRectF &rect)
{
    return {rect.x(), mainScreenBottom() - (rect.y() + rect.height()), rect.width(), rect.height()};
}

QList<screengeometry::Screen> screens()
{
    QList<screengeometry::Screen> result;
    for (const QScreen *screen : QGuiApplication::screens())
        result.append({true, flipped(screen->availableGeometry())});
    return result;
}

QRectF frameOf(const QWidget *window)
{
    return flipped(window->frameGeometry());
}

// Places the window's frame, keeping its decorations around the new frame.
void setFrame(QWidget *window, const QRectF &frame)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    const QRect target = flipped(frame).toRect();
    window->setGeometry(target.adjusted(inner.left() - outer.left(), inner.top() - outer.top(),
                                        inner.right() - outer.right(),
                                        inner.bottom() - outer.bottom()));
}

QImage imageNamed(const QString &name)
{
    for (const QString &suffix :
         {QString(), QStringLiteral(".png"), QStringLiteral(".tiff"), QStringLiteral(".tif")}) {
        const QString path = QStringLiteral("images:") + name + suffix;
        if (!name.isEmpty() && QFile::exists(path))
            return QImage(path);
    }
    return {};
}

} // namespace

float maxMonitorWidth()
{
    return float(screengeometry::maxMonitorWidth(screens()));
}

float maxMonitorHeight()
{
    return float(screengeometry::maxMonitorHeight(screens()));
}

QScreen *currentScreenForWindow(const QWidget *window)
{
    const std::optional<qsizetype> index =
        screengeometry::currentScreen(screens(), frameOf(window));
    return index ? QGuiApplication::screens().at(*index) : nullptr;
}

float bottomAvailableForWindow(const QWidget *window)
{
    return float(screengeometry::bottomAvailable(screens(), frameOf(window)));
}

void growWindowByWidthIncrement(QWidget *window, float increment, bool updateFrame)
{
    const auto grown = screengeometry::growByWidth(screens(), frameOf(window), increment);
    if (grown && updateFrame)
        setFrame(window, *grown);
}

void growWindowByHeightIncrement(QWidget *window, float increment, bool updateFrame)
{
    const int decorations = window->frameGeometry().height() - window->height();
    const auto grown = screengeometry::growByHeight(screens(), frameOf(window), increment,
                                                    window->minimumHeight() + decorations,
                                                    double(window->maximumHeight()) + decorations);
    if (grown && updateFrame)
        setFrame(window, *grown);
}

void expandWindow(QWidget *window, float heightIncrement, float widthIncrement, bool updateFrame)
{
    growWindowByWidthIncrement(window, widthIncrement, updateFrame);
    growWindowByHeightIncrement(window, heightIncrement, updateFrame);
}

std::unique_ptr<QTextDocument> nameWithImageForTitle(const QString &title, const QString &imageName,
                                                     int size, float offset)
{
    constexpr qreal kFontSize = 12;
    auto document = std::make_unique<QTextDocument>();
    QTextCharFormat format;
    format.setFont(QFont(QStringLiteral("Lucida Grande"), int(kFontSize)));
    // The baseline offset is given in points; Qt takes it as a share of the font size.
    format.setBaselineOffset(offset * 100 / kFontSize);
    QTextCursor cursor(document.get());
    cursor.insertText(QStringLiteral("  ") + title, format);

    const QImage image = imageNamed(imageName);
    if (image.isNull())
        return document;
    const QUrl url(QStringLiteral("image:") + imageName);
    document->addResource(
        QTextDocument::ImageResource, url,
        image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QTextImageFormat picture;
    picture.setName(url.toString());
    picture.setWidth(size);
    picture.setHeight(size);
    cursor.setPosition(1);
    cursor.insertImage(picture);
    return document;
}

} // namespace VozuVeva
