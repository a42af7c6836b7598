#pragma once

#include <QtPlugin>

class QMouseEvent;

// What the image box hands its mouse events to: the contact browser's portrait editor.
class ImageTargetBoxDelegate
{
public:
    virtual ~ImageTargetBoxDelegate() = default;

    virtual void mouseDown(QMouseEvent *event) = 0;
    virtual void mouseDragged(QMouseEvent *event) = 0;
    virtual void mouseUp(QMouseEvent *event) = 0;
};

Q_DECLARE_INTERFACE(ImageTargetBoxDelegate, "com.zel_tor.ImageTargetBoxDelegate")
