#pragma once

class ZoomSlider;

// What the portrait editor asks of the window that holds it: the zoom slider it writes when it
// sets a picture's first zoom or raises the zoom to its minimum.
class PortraitMakerViewDelegate
{
public:
    virtual ~PortraitMakerViewDelegate() = default;

    virtual ZoomSlider *imageSizeSlider() const = 0;
};

#include <QtPlugin>

Q_DECLARE_INTERFACE(PortraitMakerViewDelegate, "com.zel_tor.PortraitMakerViewDelegate")
