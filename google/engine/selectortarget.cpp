#include "google/engine/selectortarget.h"

SelectorTarget::~SelectorTarget() = default;

bool SelectorTarget::respondsToSelector(const QString &name) const
{
    return m_selectors.contains(name);
}

bool SelectorTarget::performSelector(const QString &name)
{
    const auto step = m_selectors.constFind(name);
    if (step == m_selectors.constEnd())
        return false;
    // A copy: the step may register or replace steps of this object while it runs.
    const std::function<void()> run = step.value();
    run();
    return true;
}

void SelectorTarget::registerSelector(const QString &name, std::function<void()> step)
{
    m_selectors.insert(name, std::move(step));
}
