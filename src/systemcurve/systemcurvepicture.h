#pragma once

#include "systemcurve/systemcurvechart.h"

#include <QWidget>

#include <optional>

// The system-curve window's chart: a widget of the chart's size that paints the chart it was given last
// (white until then).
class SystemCurvePicture : public QWidget
{
    Q_OBJECT
public:
    explicit SystemCurvePicture(QWidget *parent = nullptr);

    void setChart(const SystemCurveChart &chart);
    const std::optional<SystemCurveChart> &chart() const { return m_chart; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::optional<SystemCurveChart> m_chart;
};
