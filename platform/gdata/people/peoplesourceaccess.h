// The People mapping's way into the JSON that values and entries carry from a read.
#pragma once

#include "platform/gdata/entries/gdatapeoplesource.h"

struct PeopleSourceAccess
{
    static const QJsonObject &read(const GDataPeopleSource &source) { return source.m_read; }
    static void setRead(GDataPeopleSource &source, QJsonObject json)
    {
        source.m_read = std::move(json);
    }
    static const QJsonArray &hiddenClientData(const GDataPeopleSource &source)
    {
        return source.m_hiddenClientData;
    }
    static void setHiddenClientData(GDataPeopleSource &source, QJsonArray items)
    {
        source.m_hiddenClientData = std::move(items);
    }
};
