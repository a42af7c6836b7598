// The People JSON that a value or an entry was read from. Only the People mapping opens it (through
// peoplesourceaccess.h); everything else just carries it along, and a copy of the value copies it,
// so a write-back keeps the keys the entry classes do not model.
#pragma once

#include <QByteArray>
#include <QJsonArray>

class GDataPeopleSource
{
    friend struct PeopleSourceAccess;

    // The JSON's text, UTF-8 as it came: a full account holds it for every person and value.
    QByteArray m_read;
    // An entry's clientData items that the projection it was read through kept out of sight.
    QJsonArray m_hiddenClientData;
};
