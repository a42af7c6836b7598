// The People JSON that a value or an entry was read from. Only the People mapping opens it (through
// peoplesourceaccess.h); everything else just carries it along, and a copy of the value copies it,
// so a write-back keeps the keys the entry classes do not model.
#pragma once

#include <QJsonArray>
#include <QJsonObject>

class GDataPeopleSource
{
    friend struct PeopleSourceAccess;

    QJsonObject m_read;
    // An entry's clientData items that the projection it was read through kept out of sight.
    QJsonArray m_hiddenClientData;
};
