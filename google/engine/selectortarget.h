#pragma once

#include <QHash>
#include <QString>

#include <functional>

// An object that offers steps by name. Chained work is handed over as the name of an argument-less
// step, and performed on the first object of a chain that offers it; each object registers the
// steps it offers.
class SelectorTarget
{
public:
    virtual ~SelectorTarget();

    bool respondsToSelector(const QString &name) const;
    // Runs the step; false when this object does not offer it.
    bool performSelector(const QString &name);

protected:
    void registerSelector(const QString &name, std::function<void()> step);

private:
    QHash<QString, std::function<void()>> m_selectors;
};
