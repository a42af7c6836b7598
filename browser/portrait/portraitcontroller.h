#pragma once

#include <QVariantMap>
#include <QtPlugin>

// What the image well and a window's picture drops ask of their window controller: to open the
// portrait editor, and to take over a dropped picture once the drop has ended. The hand-over is
// a picture ("imageData" with its "path", "clipboard" for a picture that came as data) or a file
// ("path" and "fileName").
class PortraitController
{
public:
    virtual ~PortraitController() = default;

    // The editor on the current contact's picture to edit, else on its loaded portrait.
    virtual void openImageView() = 0;
    // The editor on the current contact's loaded portrait.
    virtual void openOriginalImageView() = 0;
    virtual void grabImageFile(const QVariantMap &userInfo) = 0;
    // Loads the picture of the file at "path"; a file that is no picture ends the hand-over.
    virtual void grabiPhotoFile(const QVariantMap &userInfo) = 0;
};

Q_DECLARE_INTERFACE(PortraitController, "com.zel_tor.PortraitController")
