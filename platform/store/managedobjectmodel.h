#pragma once

#include "platform/store/entitydescription.h"
#include "platform/store/fetchrequest.h"
#include "platform/store/storeerror.h"

#include <QHash>
#include <QVariantMap>

#include <memory>
#include <optional>
#include <vector>

// The entities of a store and its named fetch request templates.
class ManagedObjectModel
{
public:
    // The entity must not be added twice; its description keeps its address for the model's life.
    EntityDescription &addEntity(EntityDescription entity);
    const EntityDescription *entity(const QString &name) const;
    QList<const EntityDescription *> entities() const;

    void setFetchRequestTemplate(const QString &name, FetchRequest request);
    const FetchRequest *fetchRequestTemplate(const QString &name) const;

    // The template with its variables filled in; nullopt and the error when the template is
    // missing or a variable it uses has no value.
    std::optional<FetchRequest> fetchRequestFromTemplate(const QString &name,
                                                         const QVariantMap &variables,
                                                         StoreError *error) const;

private:
    std::vector<std::unique_ptr<EntityDescription>> m_entities;
    QHash<QString, EntityDescription *> m_byName;
    QHash<QString, FetchRequest> m_templates;
};
