#pragma once

#include "plant/plantmodel.h"

#include <QWidget>

#include <memory>

class PlantChart;
struct ChartContext;

// One of the plant's charts in the plant window, scaled to fit the widget with its proportions kept.
// A screen reader finds it by the chart's title and reads its values as the description.
class PlantChartView : public QWidget
{
    Q_OBJECT
public:
    explicit PlantChartView(QWidget *parent = nullptr);
    ~PlantChartView() override;

    void setChart(std::unique_ptr<PlantChart> chart);
    const PlantChart *chart() const { return m_chart.get(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<PlantChart> m_chart;
};

// The charts page of the plant window: "Where the savings are" beside "When it pays", laid out again for
// every change of the plant, its language or its currency.
class PlantChartsPane : public QWidget
{
    Q_OBJECT
public:
    explicit PlantChartsPane(QWidget *parent = nullptr);

    void showPlant(const PlantSummary &summary, const ChartContext &context);
    PlantChartView *savings() const { return m_savings; }
    PlantChartView *cashFlow() const { return m_cashFlow; }

private:
    PlantChartView *m_savings;
    PlantChartView *m_cashFlow;
};
