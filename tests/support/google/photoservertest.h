#pragma once

#include "tests/support/google/engineservertest.h"

#include "platform/gdata/entries/gdataentrycontact.h"

#include <QByteArray>
#include <QColor>
#include <QStringList>

#include <memory>

// An engine logged in to the loopback server that holds a few contacts, some with photos.
class PhotoServerTest : public EngineServerTest
{
protected:
    void SetUp() override;

    // Seeds contacts with these titles and logs in; their identifiers, in order.
    QStringList seedAndLogIn(const QStringList &titles);
    // Refetches the contacts and waits for them.
    void refetch();
    // The engine's contact with that identifier.
    GDataEntryContactPtr contact(const QString &identifier) const;
    // The photo stored on the server for the contact, empty when none.
    QByteArray storedPhoto(const QString &identifier);
    QByteArray storedPhotoType(const QString &identifier);

    // A small picture of one colour in the format ("JPEG", "PNG", "TIFF").
    static QByteArray picture(const QColor &colour, const char *format);
    // The colour of the middle of a picture, or an invalid colour when it is no picture.
    static QColor colourOf(const QByteArray &data);
    // The picture is of that colour, within what JPEG compression changes.
    static bool showsColour(const QByteArray &data, const QColor &colour);
    static bool isJPEG(const QByteArray &data) { return data.startsWith("\xFF\xD8\xFF"); }

    std::unique_ptr<OfferingEngine> engine;
};
