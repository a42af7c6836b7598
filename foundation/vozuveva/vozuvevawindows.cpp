#include "foundation/vozuveva/vozuvevawindows.h"

#include "foundation/screengeometry.h"
#include "foundation/views/imagetext.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextDocument>
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
    return imagetext::textWithImage(QStringLiteral("  ") + title,
                                    QFont(QStringLiteral("Lucida Grande"), 12), offset,
                                    imagetext::imageNamed(imageName), 1, size);
}

std::unique_ptr<QTextDocument> attributedNameForImage(const QImage &image, const QString &name,
                                                      int size)
{
    return imagetext::textWithImage(name, std::nullopt, 10, image, 0, size);
}

} // namespace VozuVeva
