// The group feed, and the empty group feed that batch requests start from.
#pragma once

#include "platform/gdata/entries/gdatafeed.h"

namespace GDataFeedContactGroup {
inline GDataFeedPtr contactGroupFeed()
{
    return std::make_shared<GDataFeed>(GDataEntryBase::Kind::ContactGroup);
}
} // namespace GDataFeedContactGroup
