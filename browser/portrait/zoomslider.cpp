#include "browser/portrait/zoomslider.h"

#include <QSignalBlocker>

#include <cmath>

namespace {

// Handle positions per unit of zoom.
constexpr double kSteps = 100.0;

} // namespace

ZoomSlider::ZoomSlider(QWidget *parent)
    : QSlider(Qt::Horizontal, parent)
{
    setRange(int(std::lround(kMinimum * kSteps)), int(std::lround(kMaximum * kSteps)));
    setValue(int(std::lround(m_value * kSteps)));
    connect(this, &QSlider::valueChanged, this, [this](int position) {
        const double value = position / kSteps;
        if (value == m_value)
            return;
        m_value = value;
        emit floatValueChanged(value);
    });
}

void ZoomSlider::setFloatValue(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    {
        const QSignalBlocker quiet(this);
        setValue(int(std::lround(value * kSteps)));
    }
    emit floatValueChanged(value);
}
