#include "platform/addressbook/vcard/vcardline.h"

namespace {

QChar unescapedChar(QChar escaped)
{
    return escaped == u'n' || escaped == u'N' ? QChar(u'\n') : escaped;
}

} // namespace

QByteArray VCardLine::parameter(const QByteArray &parameterName) const
{
    for (const auto &[key, value] : parameters) {
        if (key == parameterName)
            return value;
    }
    return {};
}

QString VCardLine::text() const
{
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\' && i + 1 < value.size())
            result.append(unescapedChar(value.at(++i)));
        else
            result.append(value.at(i));
    }
    return result;
}

QStringList VCardLine::components() const
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            current.append(unescapedChar(value.at(++i)));
        } else if (c == u';') {
            parts.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    parts.append(current);
    return parts;
}
