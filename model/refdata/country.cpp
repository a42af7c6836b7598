#include "model/refdata/country.h"

#include "foundation/log.h"
#include "foundation/views/imagetext.h"
#include "model/menunamewithimage.h"
#include "model/refdata/region.h"
#include "model/rowsdescription.h"

#include <QTextDocument>

namespace {

constexpr const char *kUnitedStatesSynonyms[] = {"USA", "U.S.A.", "U.S.", "AMERICA",
                                                 "UNITED STATES OF AMERICA"};

void traceLine(const QString &line)
{
    if (tlog::tracing())
        tlog::write(line);
}

} // namespace

Country::Country() = default;
Country::~Country() = default;

Country *Country::byCode(const QString &code, const QString &shownCode,
                         ManagedObjectContext &context)
{
    StoreError error;
    const auto rows = context.executeFetchTemplate(QStringLiteral("countryByCode"),
                                                   {{QStringLiteral("countryCode"), code}}, &error);
    if (!rows) {
        traceLine(QStringLiteral("Code Lookup for %1 returning error:%2 = NIL")
                      .arg(shownCode, error.description));
        return nullptr;
    }
    if (rows->isEmpty()) {
        traceLine(QStringLiteral("Code Lookup for %1 returning NIL").arg(shownCode));
        return nullptr;
    }
    if (rows->size() > 1)
        traceLine(QStringLiteral("Code Lookup for %1 returning = %2")
                      .arg(shownCode, describeRows(*rows)));
    return static_cast<Country *>(rows->first());
}

Country *Country::lookup(const QString &codeOrName, ManagedObjectContext &context)
{
    if (codeOrName.isNull())
        return nullptr;
    QString upper = codeOrName.toUpper();
    for (const char *synonym : kUnitedStatesSynonyms) {
        if (upper == QLatin1String(synonym))
            upper = QStringLiteral("US");
    }
    if (upper.size() <= 1)
        return nullptr;
    if (upper.size() == 2)
        return byCode(upper, upper, context);

    // Names are matched without regard to case, so "Isle of Man" and "isle of man" both find it.
    StoreError error;
    const auto rows = context.executeFetchTemplate(
        QStringLiteral("countryByName"), {{QStringLiteral("countryName"), codeOrName}}, &error);
    if (!rows) {
        traceLine(QStringLiteral("Name Lookup for %1 returning error: %2 = NIL")
                      .arg(codeOrName, error.description));
        return nullptr;
    }
    if (rows->isEmpty())
        return nullptr;
    if (rows->size() > 1)
        traceLine(QStringLiteral("Name Lookup for %1 returns (>1) = %2")
                      .arg(codeOrName, describeRows(*rows)));
    return static_cast<Country *>(rows->first());
}

Country *Country::lookupByISO(const QString &code, ManagedObjectContext &context)
{
    if (code.size() != 2)
        return nullptr;
    return byCode(code.toUpper(), code, context);
}

Region *Country::region()
{
    return static_cast<Region *>(toOne(QStringLiteral("region")));
}

void Country::setRegion(Region *region)
{
    setToOne(QStringLiteral("region"), region);
}

bool Country::isFixedAreaCode() const
{
    const QVariant min = minAreaCode();
    const QVariant max = maxAreaCode();
    return !min.isNull() && !max.isNull() && min.toLongLong() == max.toLongLong();
}

QImage Country::image() const
{
    const QString name = imageName();
    return imagetext::imageNamed(name.isEmpty() ? QStringLiteral("Folder.tiff")
                                                : name + QStringLiteral(".gif"));
}

const QTextDocument &Country::nameWithImage() const
{
    if (!m_cachedNameWithImage)
        m_cachedNameWithImage = menuNameWithImage(name(), image());
    return *m_cachedNameWithImage;
}
