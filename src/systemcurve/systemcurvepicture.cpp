#include "systemcurve/systemcurvepicture.h"

#include <QPainter>

SystemCurvePicture::SystemCurvePicture(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(SystemCurveChart::Size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SystemCurvePicture::setChart(const SystemCurveChart &chart)
{
    m_chart = chart;
    update();
}

void SystemCurvePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_chart)
        m_chart->paint(painter);
    else
        painter.fillRect(rect(), Qt::white);
}
