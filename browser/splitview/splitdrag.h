#pragma once

#include <optional>

// The rules of one drag of a divider between subview A (before it) and subview B (after it),
// fixed when the button goes down: the natural range runs from A's start to B's end less the
// divider; the delegate may narrow it; past the midpoint between a range end and the natural end
// beyond it, the subview there collapses when the delegate lets it.
class SplitDrag
{
public:
    struct Limits
    {
        // A's start, or the divider's start while A is collapsed.
        double naturalMinimum = 0;
        // B's end, or the divider's end while B is collapsed.
        double end = 0;
        double dividerThickness = 0;
        std::optional<double> delegateMinimum;
        std::optional<double> delegateMaximum;
        bool canCollapseA = false;
        bool canCollapseB = false;
    };

    // Where one mouse position puts the divider, and what becomes of A and B.
    struct Step
    {
        double position = 0;
        bool collapseA = false;
        bool collapseB = false;
        // B's state is set before A's when A collapses, so that the expansion is announced first.
        bool bFirst = false;
    };

    explicit SplitDrag(const Limits &limits);

    Step step(double proposed) const;

    double naturalMinimum() const { return m_naturalMinimum; }
    double end() const { return m_end; }

private:
    double m_naturalMinimum;
    double m_naturalMaximum;
    double m_end;
    double m_low;
    double m_high;
    bool m_canCollapseA;
    bool m_canCollapseB;
    double m_collapseAThreshold;
    double m_collapseBThreshold;
};
