#include "report/savingschart.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsItem>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QPainter>
#include <QPainterPath>
#include <QTextDocument>
#include <QTextOption>
#include <QValueAxis>

namespace {

const QColor DarkBlue(0, 0, 128);
const QColor Magenta(255, 0, 255);
const QColor Grey(128, 128, 128);

// The plot takes the left part; legend and note share a column at the right.
constexpr int RightColumn = 190;
const QRectF LegendArea(PictureSize.width() - RightColumn + 8, 124, RightColumn - 16, 44);
constexpr double NoteWidth = RightColumn - 16;
constexpr double NoteGap = 8;
constexpr int MarkerSize = 9;

enum class MarkerShape { Diamond, Square };

QImage markerImage(MarkerShape shape, const QColor &colour)
{
    QImage image(MarkerSize * 4, MarkerSize * 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    const double size = image.width();
    if (shape == MarkerShape::Square) {
        painter.drawRect(QRectF(size * 0.1, size * 0.1, size * 0.8, size * 0.8));
    } else {
        QPainterPath diamond;
        diamond.moveTo(size / 2, 0);
        diamond.lineTo(size, size / 2);
        diamond.lineTo(size / 2, size);
        diamond.lineTo(0, size / 2);
        diamond.closeSubpath();
        painter.drawPath(diamond);
    }
    return image;
}

QLineSeries *makeSeries(const QString &name, const std::array<double, ChartPointCount> &values, const QColor &colour,
                        MarkerShape shape, const char *objectName)
{
    auto *series = new QLineSeries;
    series->setObjectName(QLatin1String(objectName));
    series->setName(name);
    for (int i = 0; i < ChartPointCount; ++i)
        series->append(i, values[static_cast<std::size_t>(i)]);
    series->setLightMarker(markerImage(shape, colour));
    series->setMarkerSize(MarkerSize);
    return series;
}

struct LegendEntry
{
    QString name;
    QColor colour;
    MarkerShape shape;
};

void addLegend(QChart *chart, const std::array<LegendEntry, 2> &entries)
{
    auto *frame = new QGraphicsRectItem(LegendArea, chart);
    frame->setData(0, QLatin1String(SavingsChart::LegendName));
    frame->setPen(QPen(Qt::black, 1));
    frame->setBrush(Qt::white);
    const QFont font(QStringLiteral("Arial"), 9);
    const double rowHeight = LegendArea.height() / static_cast<double>(entries.size());
    double top = LegendArea.top();
    for (const LegendEntry &entry : entries) {
        const double middle = top + rowHeight / 2;
        const double left = LegendArea.left() + 8;
        auto *line = new QGraphicsLineItem(left, middle, left + 24, middle, frame);
        line->setPen(QPen(entry.colour, 2));
        const QImage marker = markerImage(entry.shape, entry.colour).scaled(MarkerSize, MarkerSize, Qt::KeepAspectRatio,
                                                                            Qt::SmoothTransformation);
        auto *markerItem = new QGraphicsPixmapItem(QPixmap::fromImage(marker), frame);
        markerItem->setPos(left + 12 - MarkerSize / 2.0, middle - MarkerSize / 2.0);
        auto *label = new QGraphicsSimpleTextItem(entry.name, frame);
        label->setFont(font);
        label->setBrush(Qt::black);
        label->setPos(left + 32, middle - label->boundingRect().height() / 2);
        top += rowHeight;
    }
}

QString pictureName(GraphLanguage language, int application)
{
    static const char *const prefixes[] = {"imgPT_", "imgES_", "imgEN_"};
    return QLatin1String(prefixes[static_cast<int>(language)]) + QString::number(application);
}

} // namespace

QChart *createSavingsChart(GraphLanguage language, int application)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->resize(PictureSize);
    chart->setBackgroundBrush(Qt::white);
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setMargins(QMargins(8, 8, RightColumn, 8));
    if (application < 0 || application >= ApplicationCount)
        return chart;

    const ChartTexts texts = chartTexts(language, application);
    const SavingsCurves &curves = SavingsCurveTable[static_cast<std::size_t>(application)];

    QFont titleFont(QStringLiteral("Arial"), 12, QFont::Bold);
    chart->setTitleFont(titleFont);
    chart->setTitle(QStringLiteral("<div align=\"center\">") + texts.titleLine1 + QLatin1String(SavingsChart::TitleBreak)
                    + texts.titleLine2 + QStringLiteral("</div>"));

    chart->setPlotAreaBackgroundBrush(QBrush(Grey, Qt::Dense6Pattern));
    chart->setPlotAreaBackgroundPen(QPen(Qt::black, 1));
    chart->setPlotAreaBackgroundVisible(true);

    QFont axisFont(QStringLiteral("Arial"), 9);
    QFont axisTitleFont(QStringLiteral("Arial"), 10, QFont::Bold);

    auto *flow = new QBarCategoryAxis;
    for (int value : ChartFlows)
        flow->append(QString::number(value));
    flow->setTitleText(texts.horizontalAxis);
    auto *power = new QValueAxis;
    power->setRange(0, 120);
    power->setTickCount(7);
    power->setLabelFormat(QStringLiteral("%d"));
    power->setTitleText(texts.verticalAxis);
    for (QAbstractAxis *axis : {static_cast<QAbstractAxis *>(flow), static_cast<QAbstractAxis *>(power)}) {
        axis->setGridLineColor(Qt::black);
        axis->setLinePenColor(Qt::black);
        axis->setLabelsColor(Qt::black);
        axis->setLabelsFont(axisFont);
        axis->setTitleFont(axisTitleFont);
        axis->setTitleBrush(Qt::black);
    }
    chart->addAxis(flow, Qt::AlignBottom);
    chart->addAxis(power, Qt::AlignLeft);

    const std::array<std::pair<QLineSeries *, QColor>, 2> series{{
        {makeSeries(texts.driveSeries, curves.drive, DarkBlue, MarkerShape::Diamond, SavingsChart::DriveSeriesName), DarkBlue},
        {makeSeries(texts.throttlingSeries, curves.throttling, Magenta, MarkerShape::Square,
                    SavingsChart::ThrottlingSeriesName),
         Magenta},
    }};
    for (const auto &[line, colour] : series) {
        chart->addSeries(line);
        line->attachAxis(flow);
        line->attachAxis(power);
        // After addSeries, which applies the theme's colours.
        line->setPen(QPen(colour, 2));
    }

    // Qt Charts lays a detached legend out in one row here; the framed one-column legend with the
    // note below it is drawn with plain graphics items instead.
    chart->legend()->hide();
    addLegend(chart, {{{texts.driveSeries, DarkBlue, MarkerShape::Diamond},
                       {texts.throttlingSeries, Magenta, MarkerShape::Square}}});

    auto *note = new QGraphicsTextItem(chart);
    note->setObjectName(QLatin1String(SavingsChart::NoteName));
    note->setFont(QFont(QStringLiteral("Arial"), 9, QFont::Bold));
    note->setTextWidth(NoteWidth);
    QTextOption centred(Qt::AlignHCenter);
    centred.setWrapMode(QTextOption::WordWrap);
    note->document()->setDefaultTextOption(centred);
    note->setPlainText(texts.note);
    note->setPos(LegendArea.left(), LegendArea.bottom() + NoteGap);
    return chart;
}

QGraphicsTextItem *chartNote(const QChart *chart)
{
    for (QGraphicsItem *item : chart->childItems()) {
        auto *text = dynamic_cast<QGraphicsTextItem *>(item);
        if (text && text->objectName() == QLatin1String(SavingsChart::NoteName))
            return text;
    }
    return nullptr;
}

QChartView *createSavingsPicture(GraphLanguage language, int application, QWidget *parent)
{
    auto *view = new QChartView(createSavingsChart(language, application), parent);
    view->setObjectName(pictureName(language, application));
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setFixedSize(PictureSize);
    return view;
}

QStringList chartLegendTexts(const QChart *chart)
{
    QStringList texts;
    for (QGraphicsItem *item : chart->childItems()) {
        if (item->data(0).toString() != QLatin1String(SavingsChart::LegendName))
            continue;
        for (QGraphicsItem *child : item->childItems()) {
            if (auto *label = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(child))
                texts.append(label->text());
        }
    }
    return texts;
}
