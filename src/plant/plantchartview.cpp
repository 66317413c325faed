#include "plant/plantchartview.h"

#include "plant/cashflowchart.h"
#include "plant/savingsparetochart.h"

#include <QHBoxLayout>
#include <QPainter>

PlantChartView::PlantChartView(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(200, 120);
}

PlantChartView::~PlantChartView() = default;

void PlantChartView::setChart(std::unique_ptr<PlantChart> chart)
{
    m_chart = std::move(chart);
    setAccessibleName(m_chart ? m_chart->title() : QString());
    setAccessibleDescription(m_chart ? m_chart->description() : QString());
    update();
}

QSize PlantChartView::sizeHint() const
{
    return m_chart ? m_chart->size().toSize() : QWidget::sizeHint();
}

void PlantChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_chart)
        return;
    const QSizeF size = m_chart->size();
    const double scale = std::min(width() / size.width(), height() / size.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate((width() - size.width() * scale) / 2, (height() - size.height() * scale) / 2);
    painter.scale(scale, scale);
    m_chart->paint(painter);
}

PlantChartsPane::PlantChartsPane(QWidget *parent)
    : QWidget(parent)
    , m_savings(new PlantChartView(this))
    , m_cashFlow(new PlantChartView(this))
{
    m_savings->setObjectName(QStringLiteral("chtSavings"));
    m_cashFlow->setObjectName(QStringLiteral("chtCashFlow"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_savings);
    layout->addWidget(m_cashFlow);
}

void PlantChartsPane::showPlant(const PlantSummary &summary, const ChartContext &context)
{
    m_savings->setChart(std::make_unique<SavingsParetoChart>(summary, summary.choice, context));
    m_cashFlow->setChart(std::make_unique<CashFlowChart>(CashFlowChart::ofPlant(summary, context)));
}
