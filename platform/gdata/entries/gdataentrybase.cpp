#include "platform/gdata/entries/gdataentrybase.h"

#include "platform/gdata/gdataconstants.h"

#include <QFileInfo>
#include <QMimeDatabase>

QString GDataEntryBase::description() const
{
    return QStringLiteral("%1 title:%2 id:%3")
        .arg(kind() == Kind::Contact ? QStringLiteral("GDataEntryContact")
                                     : QStringLiteral("GDataEntryContactGroup"),
             m_title.value_or(QString()), m_identifier);
}

std::optional<GDataLink> GDataEntryBase::linkWithRel(QAnyStringView rel) const
{
    const GDataLink *link = findLinkWithRel(rel);
    return link ? std::optional(*link) : std::nullopt;
}

const GDataLink *GDataEntryBase::findLinkWithRel(QAnyStringView rel) const
{
    for (const GDataLink &link : m_links) {
        if (QAnyStringView::equal(link.rel, rel))
            return &link;
    }
    return nullptr;
}

std::optional<GDataLink> GDataEntryBase::editLink() const
{
    return linkWithRel(QLatin1String(kGDataLinkRelEdit));
}

std::optional<GDataLink> GDataEntryBase::selfLink() const
{
    return linkWithRel(QLatin1String(kGDataLinkRelSelf));
}

void GDataEntryBase::addExtendedProperty(GDataExtendedProperty property)
{
    m_properties.push_back(std::move(property));
}

std::optional<GDataExtendedProperty>
GDataEntryBase::extendedPropertyForName(const QString &name) const
{
    for (const GDataExtendedProperty &property : m_properties) {
        if (property.name() == name)
            return property;
    }
    return std::nullopt;
}

QString GDataEntryBase::MIMETypeForFileAtPath(const QString &path, const QString &defaultType)
{
    const QMimeType type =
        QMimeDatabase().mimeTypeForFile(QFileInfo(path).fileName(), QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return defaultType;
    return type.name();
}
