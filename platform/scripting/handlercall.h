#pragma once

#include "platform/scripting/appleeventdescriptor.h"

#include <QList>
#include <QString>

// The event that calls a named handler of a compiled script: class 'ascr', ID 'psbr', the null
// target, a return ID made automatically (-1) and transaction 0; the handler name, lower-cased,
// under 'snam' and the list of arguments as the direct object '----'.
AppleEventDescriptor handlerCallEvent(const QString &handlerName,
                                      const AppleEventDescriptor &argumentList);

// The list descriptor of the arguments, in the order given.
AppleEventDescriptor argumentList(const QList<AppleEventDescriptor> &arguments);
