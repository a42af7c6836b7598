#include "foundation/text/zeltorstring.h"

namespace zeltor {
namespace {

bool isWhite(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// A replace-all pass repeated while the previous pass left X behind. Callers make sure Y does not
// hold X. A pass that shrinks the text always ends the loop in time; one that does not can bring X
// back for ever ("aba" to "baab" in "aaba" grows by one each pass, "ab" to "bbaaa" in "aababb"
// doubles), so such passes stop after as many passes as the text had characters, or once the text
// is as long as one pass could ever have made it.
QString replaceUntilNoneLeft(QString text, const QString &x, const QString &y,
                             Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    const bool shrinks = y.size() < x.size();
    const qsizetype maxPasses = text.size() + 1;
    const qsizetype maxLength = text.size() * qMax<qsizetype>(y.size(), 1);
    for (qsizetype pass = 0; text.contains(x, cs); ++pass) {
        if (!shrinks && (pass == maxPasses || text.size() > maxLength))
            break;
        text.replace(x, y, cs);
    }
    return text;
}

QString stripSpaces(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    return text.mid(start, end - start);
}

QString nonNull(const QString &text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

} // namespace

bool hasValue(const QString &text)
{
    return !text.isEmpty();
}

QString googlob(const QString &text, const QString &other)
{
    if (hasValue(text) && hasValue(other))
        return text + u'\r' + other;
    if (hasValue(text))
        return text;
    if (hasValue(other))
        return other;
    return QStringLiteral("");
}

QString removeAllSpaces(const QString &text)
{
    return nonNull(text).remove(u' ');
}

QString convertTabsToSpaces(const QString &text)
{
    return nonNull(text).replace(u'\t', u' ');
}

QString convertDoubleSpacesToSpace(const QString &text)
{
    return replaceUntilNoneLeft(nonNull(text), QStringLiteral("  "), QStringLiteral(" "));
}

QString convertDoubleXToX(const QString &text, const QString &x)
{
    if (x.isEmpty())
        return nonNull(text);
    return replaceUntilNoneLeft(nonNull(text), x + x, x);
}

QString replaceAllX(const QString &text, const QString &x, const QString &y, bool ignoreCase)
{
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (x.isEmpty() || !text.contains(x, cs))
        return nonNull(text);
    if (!y.contains(x, cs))
        return replaceUntilNoneLeft(text, x, y, cs);
    // One pass: QString::replace resumes behind each inserted Y, so Y is never searched again.
    return QString(text).replace(x, y, cs);
}

QString cleanLeadingEdge(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && isWhite(text.at(start)))
        ++start;
    return nonNull(text.mid(start));
}

QString cleanTrailingEdge(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && isWhite(text.at(end - 1)))
        --end;
    return nonNull(text.left(end));
}

QString removeLeadingXs(const QString &text, const QString &x)
{
    QString result = nonNull(text);
    if (x.isEmpty())
        return result;
    while (result.startsWith(x))
        result.remove(0, x.size());
    return result;
}

QString removeTrailingXs(const QString &text, const QString &x)
{
    QString result = nonNull(text);
    if (x.isEmpty())
        return result;
    while (result.endsWith(x))
        result.chop(x.size());
    return result;
}

QString removeLineContaining(const QString &text, const QString &mark)
{
    const qsizetype at = mark.isEmpty() ? -1 : text.indexOf(mark);
    if (at < 0)
        return nonNull(text);
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return QStringLiteral("");

    const qsizetype afterMark = at + mark.size();
    qsizetype lineEnd = text.indexOf(u'\r', afterMark);
    if (lineEnd < 0)
        lineEnd = text.indexOf(u'\n', afterMark);
    const QString rest = lineEnd < 0 ? QString() : text.mid(lineEnd + 1);
    return clean(text.left(at) + rest);
}

QString clean(const QString &text)
{
    if (text.isNull() || text == u" " || text == u"\t")
        return QStringLiteral("");
    QString result = text;
    result.replace(QChar(0x00A0), u' ').replace(u'\t', u' ');
    result = replaceUntilNoneLeft(result, QStringLiteral("  "), QStringLiteral(" "));
    if (result == u" ")
        return QStringLiteral("");
    if (result.size() < 2)
        return result;
    return stripSpaces(result);
}

QString squeeze(const QString &text)
{
    if (text.isNull())
        return text;
    if (text == u" ")
        return QStringLiteral("");
    if (text.size() == 1)
        return text;
    QString result = text;
    result.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
    result = replaceUntilNoneLeft(result, QStringLiteral("  "), QStringLiteral(" "));
    return stripSpaces(result);
}

} // namespace zeltor
