#pragma once

#include "platform/gdata/entries/gdatacontactelements.h"

#include <QString>

#include <optional>

// The organisation that the program writes on a contact: rel work, marked primary, with the name
// and job title given (each left out when absent).
GDataOrganization workOrganization(const std::optional<QString> &name,
                                   const std::optional<QString> &job);
