#include "platform/gdata/people/peoplesourceaccess.h"

#include "platform/gdata/people/peoplejson.h"

QJsonObject PeopleSourceAccess::read(const GDataPeopleSource &source)
{
    if (source.m_read.isEmpty())
        return {};
    return peoplejson::parseObject(source.m_read).value_or(QJsonObject());
}

void PeopleSourceAccess::setRead(GDataPeopleSource &source, const QJsonObject &json)
{
    if (json.isEmpty())
        source.m_read = {};
    else
        source.m_read = peoplejson::compact(json);
}

void PeopleSourceAccess::setReadText(GDataPeopleSource &source, QByteArrayView text)
{
    source.m_read = text.toByteArray();
}
