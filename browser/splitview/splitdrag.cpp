#include "browser/splitview/splitdrag.h"

#include <algorithm>

SplitDrag::SplitDrag(const Limits &limits)
    : m_naturalMinimum(limits.naturalMinimum)
    , m_naturalMaximum(limits.end - limits.dividerThickness)
    , m_end(limits.end)
    , m_canCollapseA(limits.canCollapseA)
    , m_canCollapseB(limits.canCollapseB)
{
    m_low = std::max(m_naturalMinimum, limits.delegateMinimum.value_or(m_naturalMinimum));
    m_high = std::min(m_naturalMaximum, limits.delegateMaximum.value_or(m_naturalMaximum));
    // Limits that cross leave the natural range.
    if (m_low > m_high) {
        m_low = m_naturalMinimum;
        m_high = m_naturalMaximum;
    }
    m_collapseAThreshold = m_naturalMinimum + (m_low - m_naturalMinimum) * 0.5;
    m_collapseBThreshold = m_naturalMaximum - (m_naturalMaximum - m_high) * 0.5;
}

SplitDrag::Step SplitDrag::step(double proposed) const
{
    if (m_naturalMinimum == m_naturalMaximum)
        return {m_naturalMinimum, m_canCollapseA, m_canCollapseB, false};
    if (m_canCollapseA && proposed < m_collapseAThreshold)
        return {m_naturalMinimum, true, false, true};
    if (proposed < m_low)
        return {m_low, false, false, false};
    if (proposed < m_high)
        return {proposed, false, false, false};
    if (m_canCollapseB && proposed >= m_collapseBThreshold)
        return {m_naturalMaximum, false, true, false};
    return {m_high, false, false, false};
}
