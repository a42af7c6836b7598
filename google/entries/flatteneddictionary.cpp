#include "google/entries/flatteneddictionary.h"

#include "foundation/log.h"

#include <QStringList>

#include <algorithm>

namespace flatteneddictionary {

namespace {

const QString kPairSeparator = QStringLiteral("##");
const QString kPartSeparator = QStringLiteral("$$");

bool isSeparatorCharacter(QChar c)
{
    return c == u'#' || c == u'$';
}

// U+FF03 FULLWIDTH NUMBER SIGN, U+FF04 FULLWIDTH DOLLAR SIGN.
QChar fullWidth(QChar c)
{
    return c == u'#' ? QChar(0xFF03) : QChar(0xFF04);
}

QString safeText(const QString &text)
{
    QString safe = text;
    const qsizetype last = text.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        const QChar c = text.at(i);
        if (!isSeparatorCharacter(c))
            continue;
        const bool atEdge = i == 0 || i == last;
        const bool doubled = (i > 0 && text.at(i - 1) == c) || (i < last && text.at(i + 1) == c);
        if (atEdge || doubled)
            safe[i] = fullWidth(c);
    }
    return safe;
}

void logMalformed(const QString &text)
{
    tlog::labelled(QStringLiteral("GoogleContactTool"), QStringLiteral("inflateString:"),
                   QStringLiteral("ERROR: Malformed flattened dictionary"), text);
}

} // namespace

QString flattenDictionary(const Pairs &pairs)
{
    // Written into one text: a dictionary is flattened for every address of every upload.
    qsizetype size = kPartSeparator.size();
    for (const auto &[key, value] : pairs)
        size += key.size() + value.size() + 2 * kPairSeparator.size();
    QString flat;
    flat.reserve(size);
    const auto appendSide = [&flat, &pairs](auto side) {
        for (qsizetype i = 0; i < pairs.size(); ++i) {
            if (i > 0)
                flat += kPairSeparator;
            flat += safeText(side(pairs.at(i)));
        }
    };
    appendSide([](const auto &pair) -> const QString & { return pair.first; });
    flat += kPartSeparator;
    appendSide([](const auto &pair) -> const QString & { return pair.second; });
    return flat;
}

QMap<QString, QString> inflateString(const QString &text)
{
    QMap<QString, QString> dictionary;
    const qsizetype split = text.indexOf(kPartSeparator);
    if (split < 0) {
        if (!text.isEmpty())
            logMalformed(text);
        return dictionary;
    }
    const QStringList keys = text.left(split).split(kPairSeparator);
    const QStringList values = text.mid(split + kPartSeparator.size()).split(kPairSeparator);
    if (keys.size() != values.size())
        logMalformed(text);
    const qsizetype count = std::min(keys.size(), values.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (!keys.at(i).isEmpty())
            dictionary.insert(keys.at(i), values.at(i));
    }
    return dictionary;
}

} // namespace flatteneddictionary
