// Writes the reference data files of the shared store from Debian's iso-codes JSON (countries and
// their subdivisions) and ICU's region data (continents, sub-continents, UN M.49 codes):
//   "SupportData", "Regions", "Countries" and one state file per country whose subdivision codes
//   are all two characters, each a tab-separated ".txt" file, and the Qt resource list of them.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTextStream>

#include <unicode/uloc.h>
#include <unicode/uregion.h>

#include <cstdio>

namespace {

struct Continent
{
    const char *code;
    const char *name;
};

// UN M.49 continents, named as the program's menus show them.
constexpr Continent kContinents[] = {
    {"002", "Africa"}, {"019", "Americas"}, {"142", "Asia"}, {"150", "Europe"}, {"009", "Oceania"},
};

QString continentName(const QString &code)
{
    for (const Continent &continent : kContinents) {
        if (code == QLatin1String(continent.code))
            return QString::fromLatin1(continent.name);
    }
    return {};
}

QString regionCode(const URegion *region)
{
    return region ? QString::fromLatin1(uregion_getRegionCode(region)) : QString();
}

// The English name of a region code ("021" gives "Northern America").
QString regionName(const QString &code)
{
    const QByteArray locale = "und_" + code.toLatin1();
    UChar buffer[128];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = uloc_getDisplayCountry(locale.constData(), "en", buffer, 128, &status);
    if (U_FAILURE(status))
        return {};
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(buffer), length);
}

struct Placement
{
    QString continent;
    QString subregion;
};

Placement placementOf(const QString &isoCode)
{
    UErrorCode status = U_ZERO_ERROR;
    const URegion *region = uregion_getRegionFromCode(isoCode.toLatin1().constData(), &status);
    if (U_FAILURE(status) || !region)
        return {};
    const QString continent =
        continentName(regionCode(uregion_getContainingRegionOfType(region, URGN_CONTINENT)));
    const QString subregion = regionName(regionCode(uregion_getContainingRegion(region)));
    if (continent.isEmpty() || subregion.isEmpty())
        return {};
    return {continent, subregion};
}

QJsonArray readArray(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return {};
    }
    return QJsonDocument::fromJson(file.readAll()).object().value(key).toArray();
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    file.write((lines.join(u'\n') + u'\n').toUtf8());
    return true;
}

QString countryLine(const QJsonObject &country, const Placement &placement)
{
    const QString name = country.value(QStringLiteral("common_name"))
                             .toString(country.value(QStringLiteral("name")).toString());
    const QString unName = country.value(QStringLiteral("official_name"))
                               .toString(country.value(QStringLiteral("name")).toString());
    QStringList fields{country.value(QStringLiteral("alpha_2")).toString(), name,
                       country.value(QStringLiteral("alpha_3")).toString(), QString()};
    // Dialling, state-code and postal-code rules have no source here: left at 0.
    for (int column = 4; column <= 17; ++column)
        fields.append(QStringLiteral("0"));
    fields.append(placement.subregion);
    fields.append(QString::number(country.value(QStringLiteral("numeric")).toString().toInt()));
    fields.append(unName);
    return fields.join(u'\t');
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <iso-codes json folder> <output folder> <qrc file>\n",
                     argv[0]);
        return 2;
    }
    const QString json = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString qrcPath = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(out.path());

    const QJsonArray countries =
        readArray(json + QStringLiteral("/iso_3166-1.json"), QStringLiteral("3166-1"));
    const QJsonArray subdivisions =
        readArray(json + QStringLiteral("/iso_3166-2.json"), QStringLiteral("3166-2"));
    if (countries.isEmpty() || subdivisions.isEmpty())
        return 1;

    QStringList countryLines{QStringLiteral("ISO\tNAME\tALPHA3\tINTLACCESS\tMINAREA\tMAXAREA\t"
                                            "MINPHONE\tMAXPHONE\tMINSTATE\tMAXSTATE\tSPACESTATE\t"
                                            "DASHSTATE\tUPPERSTATE\tMINPOSTAL\tMAXPOSTAL\t"
                                            "SPACEPOSTAL\tDASHPOSTAL\tUPPERPOSTAL\tREGION\t"
                                            "UNCODE\tUNNAME")};
    QMap<QString, QString> regions; // "continent\tsubregion" in sorted order
    for (const QJsonValue &value : countries) {
        const QJsonObject country = value.toObject();
        const Placement placement =
            placementOf(country.value(QStringLiteral("alpha_2")).toString());
        if (!placement.continent.isEmpty())
            regions.insert(placement.continent + u'\t' + placement.subregion, QString());
        countryLines.append(countryLine(country, placement));
    }

    QStringList regionLines{QStringLiteral("GEOREGION\tNAME")};
    regionLines.append(regions.keys());

    // The system defines no code table of its own; the continents are kept as one.
    QStringList supportLines;
    for (const Continent &continent : kContinents)
        supportLines.append(QStringLiteral("GeoRegion\t%1\t%2\t%3")
                                .arg(QLatin1String(continent.code), QLatin1String(continent.name))
                                .arg(QString::fromLatin1(continent.code).toInt()));

    QMap<QString, QStringList> states;
    QMap<QString, bool> allTwoCharacters;
    for (const QJsonValue &value : subdivisions) {
        const QJsonObject subdivision = value.toObject();
        const QString code = subdivision.value(QStringLiteral("code")).toString();
        const QString country = code.section(u'-', 0, 0);
        const QString local = code.section(u'-', 1);
        allTwoCharacters[country] = allTwoCharacters.value(country, true) && local.size() == 2;
        states[country].append(subdivision.value(QStringLiteral("name")).toString() + u'\t' +
                               local);
    }

    QStringList files{QStringLiteral("SupportData"), QStringLiteral("Regions"),
                      QStringLiteral("Countries")};
    bool ok = writeLines(out.filePath(QStringLiteral("SupportData.txt")), supportLines) &&
              writeLines(out.filePath(QStringLiteral("Regions.txt")), regionLines) &&
              writeLines(out.filePath(QStringLiteral("Countries.txt")), countryLines);
    for (auto it = states.constBegin(); ok && it != states.constEnd(); ++it) {
        if (!allTwoCharacters.value(it.key()))
            continue;
        QStringList lines{QStringLiteral("STATE\tCODE")};
        lines.append(it.value());
        ok = writeLines(out.filePath(it.key() + QStringLiteral(".txt")), lines);
        files.append(it.key());
    }

    const QString relative = QFileInfo(qrcPath).absoluteDir().relativeFilePath(out.absolutePath());
    QStringList qrc{QStringLiteral("<!DOCTYPE RCC>"), QStringLiteral("<RCC version=\"1.0\">"),
                    QStringLiteral("<qresource prefix=\"/refdata\">")};
    for (const QString &file : std::as_const(files))
        qrc.append(
            QStringLiteral("    <file alias=\"%1.txt\">%2/%1.txt</file>").arg(file, relative));
    qrc.append(QStringLiteral("</qresource>"));
    qrc.append(QStringLiteral("</RCC>"));
    ok = ok && writeLines(qrcPath, qrc);
    return ok ? 0 : 1;
}
