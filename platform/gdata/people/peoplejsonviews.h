// Two ways into a person's JSON for the one mapping that reads it: through the value Qt's parser
// made of it, or straight from its text. Both answer as QJsonValue does: a missing member, or a
// member of a value that is no object, is an absent value; the items of what is no list are none;
// what is no string reads as no string, what is not true as false. Each value also tells the text
// it was read from where that is known, for the read copies.
#pragma once

#include <QByteArrayView>
#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1StringView>
#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace peoplejsonviews {

using MemberTexts = std::vector<std::pair<QByteArrayView, QByteArrayView>>;

class ParsedView
{
public:
    ParsedView() = default;
    ParsedView(QJsonValue value, QByteArrayView text)
        : m_value(std::move(value))
        , m_text(text)
    {}
    // A whole person with its text as read: the items of its lists then carry their texts, where
    // the text lines up with the parse.
    static ParsedView person(const QJsonObject &person, QByteArrayView text);

    ParsedView member(QLatin1StringView key) const;
    std::vector<ParsedView> items() const;
    std::optional<QString> string() const;
    bool isAbsent() const { return m_value.isUndefined(); }
    bool isList() const { return m_value.isArray(); }
    QString toString() const { return m_value.toString(); }
    bool toBool() const { return m_value.toBool(); }
    QJsonObject object() const { return m_value.toObject(); }
    QByteArrayView text() const { return m_text; }
    bool readsAlike() const { return true; }

private:
    QJsonValue m_value;
    QByteArrayView m_text;
    std::shared_ptr<const MemberTexts> m_members;
};

// Over text that peoplejson::isPlainJSON took. Where the text might be read otherwise than the
// parser would (a key written with escapes in an object that was asked), the view marks that it
// does not read alike, and its answers are not to be used.
class TextView
{
public:
    // An absent value.
    TextView() = default;
    TextView(QByteArrayView text, bool *unusual)
        : m_text(text)
        , m_unusual(unusual)
    {}

    TextView member(QLatin1StringView key) const;
    std::vector<TextView> items() const;
    std::optional<QString> string() const;
    bool isAbsent() const { return m_text.isEmpty(); }
    bool isList() const { return m_text.startsWith('['); }
    QString toString() const { return string().value_or(QString()); }
    bool toBool() const { return m_text == QByteArrayView("true"); }
    QJsonObject object() const;
    QByteArrayView text() const { return m_text; }
    bool readsAlike() const { return !m_unusual || !*m_unusual; }

private:
    QByteArrayView m_text;
    bool *m_unusual = nullptr;
    mutable std::optional<MemberTexts> m_members;
};

} // namespace peoplejsonviews
