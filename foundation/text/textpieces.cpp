#include "foundation/text/textpieces.h"

#include <QStringList>

namespace zeltor {

QString extractAlphanumerics(const QString &text)
{
    QString result;
    for (QChar c : text) {
        if (c.isLetterOrNumber() || c.isMark())
            result.append(c);
    }
    return result;
}

QString extractDigits(const QString &text)
{
    QString result;
    for (QChar c : text) {
        if (c.isDigit())
            result.append(c);
    }
    return result;
}

int countOfDigitsInString(const QString &text)
{
    return int(std::count_if(text.begin(), text.end(), [](QChar c) { return c.isDigit(); }));
}

TextBefore textBeforeAnchor(const QString &text, const QString &anchor)
{
    const qsizetype at = anchor.isEmpty() ? -1 : text.indexOf(anchor);
    if (at < 0)
        return {QString(""), text};
    if (at == 0)
        return {QString(""), QString("")};
    QStringList words = text.left(at).split(u' ');
    const QString value = words.takeLast();
    return {value, words.join(u' ')};
}

TextAfter textAfterAnchor(const QString &text, const QString &anchor)
{
    const qsizetype at = anchor.isEmpty() ? -1 : text.indexOf(anchor);
    if (at < 0)
        return {QString(""), text};
    QStringList words = text.mid(at + anchor.size()).split(u' ');
    const QString value = words.takeFirst();
    return {value, words.join(u' ')};
}

} // namespace zeltor
