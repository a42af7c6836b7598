#include "platform/addressbook/group.h"

Group::Group(QString uniqueId, std::optional<SearchElement> criteria)
    : Record(std::move(uniqueId))
    , m_criteria(std::move(criteria))
{}

QString Group::recordType() const
{
    return isSmartGroup() ? QStringLiteral("ABSmartGroup") : QStringLiteral("ABGroup");
}
