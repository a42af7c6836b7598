// Feed and entry objects to Atom XML, with the unknown elements an entry kept written back.
#pragma once

#include "platform/gdata/entries/gdatafeed.h"

#include <QByteArray>

namespace atomwriter {

QByteArray entryXML(const GDataEntryBase &entry);
QByteArray feedXML(const GDataFeed &feed);

} // namespace atomwriter
