#pragma once

#include "platform/gdata/entries/gdatalink.h"

#include <QByteArray>
#include <QString>

// One photo of a chained photo queue: the contact's photo link and either the picture of the
// address book record (with the contact's title) or the path of an image file.
struct PhotoJob
{
    QString name;
    GDataLink photoLink;
    QByteArray data;
    QString filepath;
};
