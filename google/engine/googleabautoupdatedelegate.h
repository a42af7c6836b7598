#pragma once

#include <QImage>
#include <QList>
#include <QString>

// One address book group as the agent lists it for automatic push.
struct AutoABGroup
{
    QString groupName;
    QString abid;
    bool isSmart = false;
    QImage image;
    // Whether changes of the group's members are pushed.
    bool doSynch = false;
};

// What the automatic push asks of its delegate, the agent's application delegate. Sent without
// asking: every delegate implements it.
class GoogleABAutoUpdateDelegate
{
public:
    virtual ~GoogleABAutoUpdateDelegate();

    // Every address book group, one row each, with the ones chosen for push marked.
    virtual QList<AutoABGroup> autoABGroups() = 0;
};
