#include "foundation/parsers/emailparser.h"

#include "foundation/log.h"

#include <QRegularExpression>
#include <QStringList>

#include <optional>

namespace zeltor {

namespace {

const QString kMailto = QStringLiteral("mailto");

struct Span
{
    qsizetype start = 0;
    qsizetype end = 0; // one past the last character
};

bool isLocalCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'.' || c == u'_' || c == u'%' || c == u'+' || c == u'-' ||
           c == u'\'';
}

bool isDomainCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == u'.' || c == u'-';
}

bool isValidLocalPart(const QString &local)
{
    return !local.isEmpty() && !local.startsWith(u'.') && !local.endsWith(u'.') &&
           !local.contains(QStringLiteral(".."));
}

bool isValidDomain(const QString &domain)
{
    if (domain.size() < 4 || !domain.contains(u'.'))
        return false;
    const QStringList names = domain.split(u'.');
    for (const QString &name : names) {
        if (name.isEmpty() || name.startsWith(u'-') || name.endsWith(u'-'))
            return false;
    }
    const QString &topLevel = names.last();
    return topLevel.size() >= 2 &&
           std::any_of(topLevel.begin(), topLevel.end(), [](QChar c) { return c.isLetter(); });
}

// The address around the "@" at the given place: the characters an address may hold on either
// side, less the quotes and full stops that only surround it.
bool isWordCharacter(QChar c)
{
    return isLocalCharacter(c) || c == u'@';
}

// Whether the word the "@" stands in holds another "@": "a@b@example.com" is no address, and
// neither half of it is one the user typed.
bool holdsAnotherAt(const QString &text, qsizetype at)
{
    for (qsizetype i = at - 1; i >= 0 && isWordCharacter(text.at(i)); --i) {
        if (text.at(i) == u'@')
            return true;
    }
    for (qsizetype i = at + 1; i < text.size() && isWordCharacter(text.at(i)); ++i) {
        if (text.at(i) == u'@')
            return true;
    }
    return false;
}

std::optional<Span> addressAround(const QString &text, qsizetype at)
{
    if (holdsAnotherAt(text, at))
        return std::nullopt;
    qsizetype start = at;
    while (start > 0 && isLocalCharacter(text.at(start - 1)))
        --start;
    while (start < at && (text.at(start) == u'\'' || text.at(start) == u'.'))
        ++start;
    qsizetype end = at + 1;
    while (end < text.size() && isDomainCharacter(text.at(end)))
        ++end;
    while (end > at + 1 && (text.at(end - 1) == u'.' || text.at(end - 1) == u'-'))
        --end;
    if (!isValidLocalPart(text.mid(start, at - start)) ||
        !isValidDomain(text.mid(at + 1, end - at - 1)))
        return std::nullopt;
    return Span{start, end};
}

std::optional<Span> firstAddress(const QString &text)
{
    for (qsizetype at = text.indexOf(u'@'); at >= 0; at = text.indexOf(u'@', at + 1)) {
        if (std::optional<Span> span = addressAround(text, at))
            return span;
    }
    return std::nullopt;
}

// "john (at) example (dot) com" written the usual way.
QString unspelled(const QString &text)
{
    static const QRegularExpression at(QStringLiteral("\\s*\\(at\\)\\s*"),
                                       QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression dot(QStringLiteral("\\s*\\(dot\\)\\s*"),
                                        QRegularExpression::CaseInsensitiveOption);
    QString result = text;
    result.replace(at, QStringLiteral("@"));
    result.replace(dot, QStringLiteral("."));
    return result;
}

bool spellsAnAddress(const QString &text)
{
    return text.contains(QStringLiteral("(at)"), Qt::CaseInsensitive);
}

// The text in which an address stands plainly: the text itself, else its spelled-out form.
std::optional<QString> plainAddressText(const QString &text)
{
    if (firstAddress(text))
        return text;
    if (spellsAnAddress(text)) {
        const QString plain = unspelled(text);
        if (firstAddress(plain))
            return plain;
    }
    return std::nullopt;
}

// The words before and after the first word that holds an address; what else that word holds
// (brackets, "mailto:", a full stop) goes with the address.
EmailFind addressAmongWords(const QString &text)
{
    const QStringList words = text.split(u' ');
    for (qsizetype i = 0; i < words.size(); ++i) {
        const std::optional<Span> span = firstAddress(words.at(i));
        if (!span)
            continue;
        return {words.at(i).mid(span->start, span->end - span->start).toLower(),
                words.first(i).join(u' '), words.sliced(i + 1).join(u' ')};
    }
    return {QString(), text, QString()};
}

// A pasted mail link: the address from its target, and its link text as what follows.
std::optional<EmailFind> addressOfMailLink(const QString &text)
{
    const QString linked = cardzap(text);
    if (linked == text)
        return std::nullopt;
    const std::optional<Span> span = firstAddress(linked);
    if (!span)
        return std::nullopt;
    const QString email = linked.mid(span->start, span->end - span->start).toLower();
    QString linkText = linked.mid(span->end).trimmed();
    if (linkText.compare(email, Qt::CaseInsensitive) == 0)
        linkText.clear();
    return EmailFind{email, QString(), linkText};
}

} // namespace

bool containsEmailAddress(const QString &text)
{
    return plainAddressText(text).has_value();
}

bool isEmailAddress(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.count(u'@') != 1)
        return false;
    const std::optional<Span> span = firstAddress(trimmed);
    return span && span->start == 0 && span->end == trimmed.size();
}

bool isListOfEmailAddresses(const QString &text)
{
    const QStringList pieces = text.split(u',');
    if (pieces.size() == 1)
        return containsEmailAddress(text);
    return std::all_of(pieces.begin(), pieces.end(), containsEmailAddress);
}

EmailFind extractEmailAddress(const QString &text)
{
    const std::optional<QString> plain = plainAddressText(text);
    if (!plain)
        return {QString(), text, QString()};
    if (text.contains(kMailto)) {
        if (std::optional<EmailFind> link = addressOfMailLink(text))
            return *link;
    }
    return addressAmongWords(*plain);
}

QString cardzap(const QString &text)
{
    if (text.isEmpty() || !text.startsWith(u'<') || !text.endsWith(u'>'))
        return text;
    const QString inner = text.mid(1, text.size() - 2);
    if (!inner.toLower().contains(kMailto)) {
        if (inner.toLower().contains(QStringLiteral("href")))
            return extractQuoted(inner);
        return QString();
    }
    QString address = extractQuoted(inner);
    const QString scheme = kMailto + u':';
    const qsizetype schemeAt = address.indexOf(scheme);
    if (schemeAt >= 0)
        address = address.mid(schemeAt + scheme.size());
    const qsizetype close = inner.indexOf(u'>');
    if (close < 0)
        return address;
    QString linkText = inner.mid(close + 1);
    const qsizetype open = linkText.indexOf(u'<');
    if (open >= 0)
        linkText.truncate(open);
    return address + u' ' + linkText;
}

QString extractQuoted(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString newStr = text;
    newStr.replace(QChar(0x201C), u'"').replace(QChar(0x201D), u'"');
    const QString cls = QStringLiteral("NSString");
    const QString op = QStringLiteral("extractQuoted");
    tlog::value(cls, op, QStringLiteral("newStr"), newStr);
    const qsizetype first = newStr.indexOf(u'"');
    tlog::value(cls, op, QStringLiteral("curLoc"), int(first));
    if (first < 0)
        return QString();
    QString quoted = newStr.mid(first + 1);
    const qsizetype next = quoted.indexOf(u'"');
    tlog::value(cls, op, QStringLiteral("curLoc"), int(next));
    if (next >= 0)
        quoted.truncate(next);
    return quoted;
}

} // namespace zeltor
