// The portrait editor's zoom slider: a horizontal slider that holds a zoom factor. The factor is
// kept as given; the handle only shows it to the nearest hundredth. Every change of the factor,
// by the user or by a call, is announced once.
#pragma once

#include <QSlider>

class ZoomSlider : public QSlider
{
    Q_OBJECT

public:
    static constexpr double kMinimum = 0.1;
    static constexpr double kMaximum = 4.0;

    explicit ZoomSlider(QWidget *parent = nullptr);

    double floatValue() const { return m_value; }
    void setFloatValue(double value);

signals:
    void floatValueChanged(double value);

private:
    double m_value = 1.0;
};
