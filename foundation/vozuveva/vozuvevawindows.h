#pragma once

#include <QString>

#include <memory>

class QImage;
class QScreen;
class QTextDocument;
class QWidget;

// The screens' extent, the screen of a window, the room below it, growing a window within the
// screens, and titles made of a small image and a text. Lengths are in points; heights and
// positions follow the screen coordinates of screengeometry.h.
namespace VozuVeva {

float maxMonitorWidth();
float maxMonitorHeight();
QScreen *currentScreenForWindow(const QWidget *window);
float bottomAvailableForWindow(const QWidget *window);

// With updateFrame false the window stays as it is.
void growWindowByWidthIncrement(QWidget *window, float increment, bool updateFrame);
void growWindowByHeightIncrement(QWidget *window, float increment, bool updateFrame);
void expandWindow(QWidget *window, float heightIncrement, float widthIncrement, bool updateFrame);

// Two spaces and the title in "Lucida Grande" at 12 points, with the image of that name (found on
// the "images" search path) at size x size points between the two spaces; the text alone when
// there is no such image.
std::unique_ptr<QTextDocument> nameWithImageForTitle(const QString &title, const QString &imageName,
                                                     int size, float offset);

// The image at size x size points before the name, whose baseline is raised by 10 points (no font
// set); the name alone when the image is null.
std::unique_ptr<QTextDocument> attributedNameForImage(const QImage &image, const QString &name,
                                                      int size);

} // namespace VozuVeva
