#include "platform/gdata/people/peoplejsonviews.h"

#include "platform/gdata/people/peoplejson.h"

#include <QJsonArray>

namespace peoplejsonviews {

ParsedView ParsedView::person(const QJsonObject &person, QByteArrayView text)
{
    ParsedView view(person, text);
    if (auto members = peoplejson::memberTexts(text))
        view.m_members = std::make_shared<const MemberTexts>(std::move(*members));
    return view;
}

ParsedView ParsedView::member(QLatin1StringView key) const
{
    ParsedView child(m_value.toObject().value(key), {});
    if (!m_members)
        return child;
    std::optional<QByteArrayView> text;
    for (const auto &[name, value] : *m_members) {
        if (QLatin1StringView(name) != key)
            continue;
        if (text)
            return child; // a repeated key: which one was parsed is not known here
        text = value;
    }
    child.m_text = text.value_or(QByteArrayView());
    return child;
}

std::vector<ParsedView> ParsedView::items() const
{
    const QJsonArray list = m_value.toArray();
    std::optional<std::vector<QByteArrayView>> texts;
    if (!m_text.isEmpty())
        texts = peoplejson::itemTexts(m_text);
    const bool linedUp = texts && qsizetype(texts->size()) == list.size();
    std::vector<ParsedView> items;
    items.reserve(size_t(list.size()));
    for (qsizetype i = 0; i < list.size(); ++i)
        items.emplace_back(list.at(i), linedUp ? (*texts)[size_t(i)] : QByteArrayView());
    return items;
}

std::optional<QString> ParsedView::string() const
{
    if (!m_value.isString())
        return std::nullopt;
    return m_value.toString();
}

TextView TextView::member(QLatin1StringView key) const
{
    if (!m_text.startsWith('{'))
        return TextView({}, m_unusual);
    if (!m_members)
        m_members = peoplejson::memberTexts(m_text).value_or(MemberTexts());
    // Of a key written twice, the parser keeps the last.
    std::optional<QByteArrayView> found;
    for (const auto &[name, value] : *m_members) {
        if (name.contains('\\')) {
            *m_unusual = true;
            break;
        }
        if (QLatin1StringView(name) == key)
            found = value;
    }
    return TextView(found.value_or(QByteArrayView()), m_unusual);
}

std::vector<TextView> TextView::items() const
{
    std::vector<TextView> items;
    if (!m_text.startsWith('['))
        return items;
    for (QByteArrayView item :
         peoplejson::itemTexts(m_text).value_or(std::vector<QByteArrayView>()))
        items.emplace_back(item, m_unusual);
    return items;
}

std::optional<QString> TextView::string() const
{
    if (!m_text.startsWith('"'))
        return std::nullopt;
    return peoplejson::decodeString(m_text);
}

QJsonObject TextView::object() const
{
    if (!m_text.startsWith('{'))
        return {};
    return peoplejson::parseObject(QByteArray::fromRawData(m_text.data(), m_text.size()))
        .value_or(QJsonObject());
}

} // namespace peoplejsonviews
