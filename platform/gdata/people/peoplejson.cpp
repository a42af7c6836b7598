#include "platform/gdata/people/peoplejson.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

qsizetype skipSpace(QByteArrayView text, qsizetype at)
{
    while (at < text.size() && isSpace(text[at]))
        ++at;
    return at;
}

// Past the closing quote of the string opening at at; -1 when it does not close.
qsizetype stringEnd(QByteArrayView text, qsizetype at)
{
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\\')
            ++at;
        else if (text[at] == '"')
            return at + 1;
    }
    return -1;
}

// Past the value starting at at; -1 when it does not end.
qsizetype valueEnd(QByteArrayView text, qsizetype at)
{
    if (at >= text.size())
        return -1;
    if (text[at] == '"')
        return stringEnd(text, at);
    if (text[at] == '{' || text[at] == '[') {
        int depth = 0;
        while (at < text.size()) {
            const char c = text[at];
            if (c == '"') {
                at = stringEnd(text, at);
                if (at < 0)
                    return -1;
                continue;
            }
            if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (--depth == 0)
                    return at + 1;
            }
            ++at;
        }
        return -1;
    }
    while (at < text.size() && text[at] != ',' && text[at] != '}' && text[at] != ']' &&
           !isSpace(text[at]))
        ++at;
    return at;
}

// The parts between open and close, each read by part from the position after a separator;
// part answers the position past what it read, or -1.
template <typename Part> bool readParts(QByteArrayView text, char open, char close, Part part)
{
    qsizetype at = skipSpace(text, 0);
    if (at >= text.size() || text[at] != open)
        return false;
    at = skipSpace(text, at + 1);
    if (at < text.size() && text[at] == close)
        return skipSpace(text, at + 1) == text.size();
    while (at < text.size()) {
        at = part(skipSpace(text, at));
        if (at < 0)
            return false;
        at = skipSpace(text, at);
        if (at < text.size() && text[at] == close)
            return skipSpace(text, at + 1) == text.size();
        if (at >= text.size() || text[at] != ',')
            return false;
        ++at;
    }
    return false;
}

} // namespace

namespace peoplejson {

std::optional<QJsonObject> parseObject(const QByteArray &body, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (error)
            *error = parseError.errorString();
        return std::nullopt;
    }
    if (!document.isObject()) {
        if (error)
            *error = QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

QByteArray compact(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<QString> stringValue(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<std::vector<std::pair<QByteArrayView, QByteArrayView>>>
memberTexts(QByteArrayView object)
{
    std::vector<std::pair<QByteArrayView, QByteArrayView>> members;
    const bool read = readParts(object, '{', '}', [&](qsizetype at) -> qsizetype {
        if (at >= object.size() || object[at] != '"')
            return -1;
        const qsizetype keyEnd = stringEnd(object, at);
        if (keyEnd < 0)
            return -1;
        qsizetype valueAt = skipSpace(object, keyEnd);
        if (valueAt >= object.size() || object[valueAt] != ':')
            return -1;
        valueAt = skipSpace(object, valueAt + 1);
        const qsizetype end = valueEnd(object, valueAt);
        if (end < 0)
            return -1;
        members.emplace_back(object.sliced(at + 1, keyEnd - at - 2),
                             object.sliced(valueAt, end - valueAt));
        return end;
    });
    if (!read)
        return std::nullopt;
    return members;
}

std::optional<std::vector<QByteArrayView>> itemTexts(QByteArrayView array)
{
    std::vector<QByteArrayView> items;
    const bool read = readParts(array, '[', ']', [&](qsizetype at) -> qsizetype {
        const qsizetype end = valueEnd(array, at);
        if (end > at)
            items.push_back(array.sliced(at, end - at));
        return end > at ? end : -1;
    });
    if (!read)
        return std::nullopt;
    return items;
}

std::optional<QByteArrayView> memberText(QByteArrayView object, QByteArrayView key)
{
    const auto members = memberTexts(object);
    if (!members)
        return std::nullopt;
    std::optional<QByteArrayView> found;
    for (const auto &[name, value] : *members) {
        if (name != key)
            continue;
        if (found)
            return std::nullopt;
        found = value;
    }
    return found;
}

} // namespace peoplejson
