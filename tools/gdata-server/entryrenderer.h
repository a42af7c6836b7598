// A stored entry as a client sees it through a projection: identifier, links (no edit link on a
// system group; the photo link's ETag only while a photo is stored), and the extended properties
// the projection shows. A deleted entry shows only its identifier, date and tombstone.
#pragma once

#include "tools/gdata-server/serverurls.h"

GDataEntryPtr renderEntry(const ServerUrls &urls, const Account &account,
                          Account::Collection collection, const Projection &projection,
                          const StoredEntry &stored);
