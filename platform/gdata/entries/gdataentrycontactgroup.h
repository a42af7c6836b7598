// A group entry of the group feed; system groups carry the id of gContact:systemGroup.
#pragma once

#include "platform/gdata/entries/gdataentrybase.h"

class GDataEntryContactGroup;
using GDataEntryContactGroupPtr = std::shared_ptr<GDataEntryContactGroup>;

class GDataEntryContactGroup : public GDataEntryBase
{
public:
    GDataEntryContactGroup() = default;
    static GDataEntryContactGroupPtr
    contactGroupEntryWithTitle(const std::optional<QString> &title);

    Kind kind() const override { return Kind::ContactGroup; }
    GDataEntryPtr copy() const override;

    std::optional<QString> systemGroup() const { return m_systemGroup; }
    void setSystemGroup(const std::optional<QString> &id) { m_systemGroup = id; }

private:
    std::optional<QString> m_systemGroup;
};
