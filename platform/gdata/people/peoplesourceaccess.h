// The People mapping's way into the JSON that values and entries carry from a read. The JSON is
// held as its text and parsed again when asked for: a parsed object costs a few hundred bytes for
// every object nested in it, eight times its text for a person, and a full account holds tens of
// thousands of persons with their values.
#pragma once

#include "platform/gdata/entries/gdatapeoplesource.h"

#include <QByteArrayView>
#include <QJsonObject>

struct PeopleSourceAccess
{
    // The JSON as it was read; empty when there was none.
    static QJsonObject read(const GDataPeopleSource &source);
    static bool hasRead(const GDataPeopleSource &source) { return !source.m_read.isEmpty(); }
    static void setRead(GDataPeopleSource &source, const QJsonObject &json);
    // text: a JSON object's text as read (parsed before, so it is known to be one).
    static void setReadText(GDataPeopleSource &source, QByteArrayView text);

    static const QJsonArray &hiddenClientData(const GDataPeopleSource &source)
    {
        return source.m_hiddenClientData;
    }
    static void setHiddenClientData(GDataPeopleSource &source, QJsonArray items)
    {
        source.m_hiddenClientData = std::move(items);
    }
};
