// The contact feed, and the empty contact feed that batch requests start from.
#pragma once

#include "platform/gdata/entries/gdatafeed.h"

namespace GDataFeedContact {
inline GDataFeedPtr contactFeed()
{
    return std::make_shared<GDataFeed>(GDataEntryBase::Kind::Contact);
}
} // namespace GDataFeedContact
