#include "platform/store/managedobjectmodel.h"

EntityDescription &ManagedObjectModel::addEntity(EntityDescription entity)
{
    m_entities.push_back(std::make_unique<EntityDescription>(std::move(entity)));
    EntityDescription &added = *m_entities.back();
    m_byName.insert(added.name(), &added);
    return added;
}

const EntityDescription *ManagedObjectModel::entity(const QString &name) const
{
    return m_byName.value(name, nullptr);
}

QList<const EntityDescription *> ManagedObjectModel::entities() const
{
    QList<const EntityDescription *> list;
    for (const auto &entity : m_entities)
        list.append(entity.get());
    return list;
}

void ManagedObjectModel::setFetchRequestTemplate(const QString &name, FetchRequest request)
{
    m_templates.insert(name, std::move(request));
}

const FetchRequest *ManagedObjectModel::fetchRequestTemplate(const QString &name) const
{
    const auto found = m_templates.constFind(name);
    return found == m_templates.constEnd() ? nullptr : &*found;
}

std::optional<FetchRequest>
ManagedObjectModel::fetchRequestFromTemplate(const QString &name, const QVariantMap &variables,
                                             StoreError *error) const
{
    const FetchRequest *found = fetchRequestTemplate(name);
    if (!found) {
        setStoreError(error,
                      StoreError::make(StoreError::MissingFetchTemplate,
                                       QStringLiteral("No fetch request template named ") + name,
                                       {{QStringLiteral("template"), name}}));
        return std::nullopt;
    }
    QString missing;
    std::optional<Predicate> predicate = found->predicate.substituted(variables, &missing);
    if (!predicate) {
        setStoreError(error, StoreError::make(StoreError::MissingSubstitutionVariable,
                                              QStringLiteral("No value for the variable ") +
                                                  missing + QStringLiteral(" of template ") + name,
                                              {{QStringLiteral("template"), name},
                                               {QStringLiteral("variable"), missing}}));
        return std::nullopt;
    }
    FetchRequest request = *found;
    request.predicate = *predicate;
    return request;
}
