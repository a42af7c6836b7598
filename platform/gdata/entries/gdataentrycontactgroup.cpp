#include "platform/gdata/entries/gdataentrycontactgroup.h"

GDataEntryContactGroupPtr
GDataEntryContactGroup::contactGroupEntryWithTitle(const std::optional<QString> &title)
{
    auto entry = std::make_shared<GDataEntryContactGroup>();
    entry->setTitle(title);
    return entry;
}

GDataEntryPtr GDataEntryContactGroup::copy() const
{
    return std::make_shared<GDataEntryContactGroup>(*this);
}
