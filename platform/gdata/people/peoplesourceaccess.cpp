#include "platform/gdata/people/peoplesourceaccess.h"

#include "platform/gdata/people/peoplejson.h"

namespace {

// The one member of the holder object, whose value is the JSON's text.
const QString kText = QStringLiteral("t");

} // namespace

QJsonObject PeopleSourceAccess::read(const GDataPeopleSource &source)
{
    if (source.m_read.isEmpty())
        return {};
    return peoplejson::parseObject(source.m_read.value(kText).toString().toUtf8())
        .value_or(QJsonObject());
}

void PeopleSourceAccess::setRead(GDataPeopleSource &source, const QJsonObject &json)
{
    if (json.isEmpty())
        source.m_read = {};
    else
        setReadText(source, peoplejson::compact(json));
}

void PeopleSourceAccess::setReadText(GDataPeopleSource &source, QByteArrayView text)
{
    source.m_read = QJsonObject{{kText, QString::fromUtf8(text)}};
}
