#include "google/upload/workorganization.h"

#include "platform/gdata/gdataconstants.h"

GDataOrganization workOrganization(const std::optional<QString> &name,
                                   const std::optional<QString> &job)
{
    GDataOrganization organization;
    organization.orgName = name;
    organization.orgTitle = job;
    organization.rel = QString::fromLatin1(kGDataContactWork);
    organization.primary = true;
    return organization;
}
