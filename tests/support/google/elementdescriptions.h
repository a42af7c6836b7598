#pragma once

#include "platform/gdata/entries/gdatacontactelements.h"

#include <QStringList>

#include <vector>

// Contact elements as one line of text each, "value rel=... label=... primary", so a test compares
// a whole field at once and a failure shows every element. An absent rel or label is left out; an
// empty one shows as rel= or label=. Relation values are shortened to the part after '#'.
QStringList describe(const std::vector<GDataEmail> &elements);
QStringList describe(const std::vector<GDataPhoneNumber> &elements);
QStringList describe(const std::vector<GDataPostalAddress> &elements);
QStringList describe(const std::vector<GDataIM> &elements);
QStringList describe(const std::vector<GDataOrganization> &elements);
QStringList describe(const std::vector<GDataGroupMembershipInfo> &elements);
