#pragma once

#include "platform/gdata/entries/gdataentrycontact.h"
#include "platform/gdata/entries/gdataentrycontactgroup.h"

#include <QString>
#include <QStringList>

#include <optional>

// Google entries in a line each, for the lookup and list tests.
struct ContactSpec
{
    QString identifier;
    std::optional<QString> title;
    QStringList emails = {};
    QStringList groupHrefs = {};
    std::optional<QString> photoETag = std::nullopt;
    QStringList organizations = {};
};

GDataEntryContactPtr makeContact(const ContactSpec &spec);
GDataEntryContactGroupPtr makeGroup(const QString &identifier, const std::optional<QString> &title,
                                    const std::optional<QString> &systemGroup = std::nullopt);
// An extended property of that name holding the elements, in order.
GDataExtendedProperty makeProperty(const QString &name,
                                   const std::vector<GDataExtendedProperty::XMLValue> &elements);
