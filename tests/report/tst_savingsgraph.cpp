// The savings graph: the curves agree with the savings model, every chart carries its texts and
// renders at its size, and the graph window behaves as a non-modal, disposable window.
#include "calc/calculator.h"
#include "report/frmgraph.h"
#include "report/savingschart.h"
#include "report/savingscurves.h"
#include "support/testenvironment.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QLineSeries>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocument>
#include <QValueAxis>

namespace {

QString lookup(int n)
{
    return QStringLiteral("t%1").arg(n);
}

// The title's lines as a reader sees them.
QStringList titleLines(const QChart &chart)
{
    QTextDocument document;
    document.setHtml(chart.title());
    return document.toPlainText().split(QRegularExpression(QStringLiteral("[\\n\\x{2028}]")));
}

int countPixels(const QImage &image, const QColor &colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour)
                ++count;
        }
    }
    return count;
}

QList<QChartView *> visiblePictures(const frmGraph &window)
{
    QList<QChartView *> visible;
    for (const auto *list : {&window.imgPT(), &window.imgES(), &window.imgEN()}) {
        for (QChartView *view : *list) {
            if (view && view->isVisible())
                visible.append(view);
        }
    }
    return visible;
}

} // namespace

class TestSavingsGraph : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { pinTestEnvironment(); }

    void gapBetweenCurvesIsTheSavingFraction();
    void languageNames();
    void chartTexts_data();
    void chartTexts();
    void everyChartRendersWithItsParts();
    void englishFanOutletDamper();
    void secondCommandShowsOnlyTheCurrentChart();
    void resizingKeepsThePictureAtTheCorner();
    void closingGivesAFreshWindow();
    void unknownLanguageOrNoApplicationOpensAnEmptyWindow();
};

void TestSavingsGraph::gapBetweenCurvesIsTheSavingFraction()
{
    for (int application = 0; application < ApplicationCount; ++application) {
        const SavingsCurves &curves = SavingsCurveTable[static_cast<std::size_t>(application)];
        for (std::size_t level = 0; level < FlowLevels.size(); ++level) {
            const auto point = std::find(ChartFlows.begin(), ChartFlows.end(), FlowLevels[level]);
            QVERIFY(point != ChartFlows.end());
            const auto i = static_cast<std::size_t>(point - ChartFlows.begin());
            const double gap = curves.throttling[i] - curves.drive[i];
            const double fraction = SavingFraction[level][static_cast<std::size_t>(application)];
            QVERIFY2(qAbs(gap - 100 * fraction) < 1e-9,
                     qPrintable(QStringLiteral("application %1 at %2 %: %3").arg(application).arg(FlowLevels[level]).arg(gap)));
        }
        QCOMPARE(curves.drive.back(), 100.0);
        QCOMPARE(curves.throttling.back(), 100.0);
    }
}

void TestSavingsGraph::languageNames()
{
    QCOMPARE(graphLanguage(QStringLiteral("Português")), GraphLanguage::Portuguese);
    QCOMPARE(graphLanguage(QStringLiteral("Español")), GraphLanguage::Spanish);
    QCOMPARE(graphLanguage(QStringLiteral("English")), GraphLanguage::English);
    QVERIFY(!graphLanguage(QStringLiteral("english")));
    QVERIFY(!graphLanguage(QStringLiteral("Portugues")));
    QVERIFY(!graphLanguage(QStringLiteral("English ")));
    QVERIFY(!graphLanguage(QString()));
}

void TestSavingsGraph::chartTexts_data()
{
    QTest::addColumn<GraphLanguage>("language");
    QTest::addColumn<int>("application");
    QTest::addColumn<QStringList>("texts"); // title 1, title 2, vertical, horizontal, drive, throttling, note

    const QString pt = QStringLiteral("Abaixo de 50% da vazão, a diferença da energia consumida nos dois sistemas se "
                                      "mantém aproximadamente constante.");
    const QString es = QStringLiteral("Abajo del 50% del caudal, la diferencia de la energía consumida en los dos "
                                      "sistemas se mantienen aproximadamente constante.");
    const QString en = QStringLiteral("Below 50% of flow, the ratio of absorbed energy between both systems keeps "
                                      "approximately constant.");
    const auto row = [](const char *name, GraphLanguage language, int application, QStringList texts) {
        QTest::newRow(name) << language << application << texts;
    };
    using G = GraphLanguage;
    row("PT 0", G::Portuguese, 0, {"Bombas Centrífugas", "Variação de Velocidade x Válvula", "Energia (%)", "Vazão (%)", "Variação de Velocidade", "Válvula", pt});
    row("PT 1", G::Portuguese, 1, {"Bombas Centrífugas", "Variação de Velocidade x By-Pass", "Energia (%)", "Vazão (%)", "Variação de Velocidade", "By-Pass", pt});
    row("PT 2", G::Portuguese, 2, {"Ventilador / Exaustores", "Variação de Velocidade x Damper na Entrada", "Energia (%)", "Vazão (%)", "Variação de Velocidade", "Damper na Entrada", pt});
    row("PT 3", G::Portuguese, 3, {"Ventilador / Exaustores", "Variação de Velocidade x Damper na Saída", "Energia (%)", "Vazão (%)", "Variação de Velocidade", "Damper na Saída", pt});
    row("ES 0", G::Spanish, 0, {"Bombas Centrífugas", "Variación de Velocidad x Válvula", "Energía (%)", "Caudal (%)", "Variación de Velocidad", "Válvula", es});
    row("ES 1", G::Spanish, 1, {"Bombas Centrífugas", "Variación de Velocidad x By-Pass", "Energía (%)", "Caudal (%)", "Variación de Velocidad", "By-Pass", es});
    row("ES 2", G::Spanish, 2, {"Ventiladores / Extractores", "Variación de Velocidad x Damper en la Entrada", "Energía (%)", "Caudal (%)", "Variación de Velocidad", "Damper en la Entrada", es});
    row("ES 3", G::Spanish, 3, {"Ventilador / Extractores", "Variación de Velocidad x Damper en la Salida", "Energía (%)", "Caudal (%)", "Variación de Velocidad", "Damper en la Salida", es});
    row("EN 0", G::English, 0, {"Centrifugal Pumps", "VSD to Throttling power Comparison", "Power (%)", "Flow (%)", "VSD", "Throttling", en});
    row("EN 1", G::English, 1, {"Centrifugal Pumps", "VSD to By-Pass Comparison", "Power (%)", "Flow (%)", "VSD", "By-Pass", en});
    row("EN 2", G::English, 2, {"Fans / Exhausters", "VSD to Damper at input Comparison", "Power (%)", "Flow (%)", "VSD", "Damper at input", en});
    row("EN 3", G::English, 3, {"Fans / Exhausters", "VSD to Damper at output Comparison", "Power (%)", "Flow (%)", "VSD", "Damper at output", en});
}

void TestSavingsGraph::chartTexts()
{
    QFETCH(GraphLanguage, language);
    QFETCH(int, application);
    QFETCH(QStringList, texts);

    std::unique_ptr<QChart> chart(createSavingsChart(language, application));
    QCOMPARE(titleLines(*chart), (QStringList{texts[0], texts[1]}));
    const auto vertical = chart->axes(Qt::Vertical);
    const auto horizontal = chart->axes(Qt::Horizontal);
    QCOMPARE(vertical.size(), 1);
    QCOMPARE(horizontal.size(), 1);
    QCOMPARE(vertical[0]->titleText(), texts[2]);
    QCOMPARE(horizontal[0]->titleText(), texts[3]);
    const auto series = chart->series();
    QCOMPARE(series.size(), 2);
    QCOMPARE(series[0]->name(), texts[4]);
    QCOMPARE(series[1]->name(), texts[5]);
    QCOMPARE(chartLegendTexts(chart.get()), (QStringList{texts[4], texts[5]}));
    QGraphicsTextItem *note = chartNote(chart.get());
    QVERIFY(note);
    QCOMPARE(note->toPlainText(), texts[6]);
    QVERIFY(note->font().bold());
}

void TestSavingsGraph::everyChartRendersWithItsParts()
{
    const QColor darkBlue(0, 0, 128);
    const QColor magenta(255, 0, 255);
    for (int language = 0; language < GraphLanguageCount; ++language) {
        for (int application = 0; application < ApplicationCount; ++application) {
            const QByteArray which = QStringLiteral("chart %1 %2").arg(language).arg(application).toUtf8();
            std::unique_ptr<QChartView> view(createSavingsPicture(GraphLanguage(language), application, nullptr));
            QCOMPARE(view->size(), PictureSize);
            QChart *chart = view->chart();
            QCOMPARE(chart->animationOptions(), QChart::NoAnimation);

            auto *power = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
            auto *flow = qobject_cast<QBarCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
            QVERIFY2(power && flow, which.constData());
            QCOMPARE(power->min(), 0.0);
            QCOMPARE(power->max(), 120.0);
            QCOMPARE(power->tickCount(), 7); // 0, 20, ..., 120
            QCOMPARE(flow->categories(), (QStringList{"50", "60", "70", "80", "90", "100"}));
            QCOMPARE(power->gridLineColor(), QColor(Qt::black));
            QCOMPARE(flow->gridLineColor(), QColor(Qt::black));
            QVERIFY(chart->isPlotAreaBackgroundVisible());
            QCOMPARE(chart->plotAreaBackgroundBrush().color(), QColor(128, 128, 128));
            QVERIFY(chart->plotAreaBackgroundBrush().style() >= Qt::Dense1Pattern
                    && chart->plotAreaBackgroundBrush().style() <= Qt::Dense7Pattern);

            const SavingsCurves &curves = SavingsCurveTable[static_cast<std::size_t>(application)];
            auto *drive = qobject_cast<QLineSeries *>(chart->series().value(0));
            auto *throttling = qobject_cast<QLineSeries *>(chart->series().value(1));
            QVERIFY2(drive && throttling, which.constData());
            QCOMPARE(drive->pen().color(), darkBlue);
            QCOMPARE(throttling->pen().color(), magenta);
            QVERIFY(!drive->lightMarker().isNull());
            QVERIFY(!throttling->lightMarker().isNull());
            for (int i = 0; i < ChartPointCount; ++i) {
                QCOMPARE(drive->at(i), QPointF(i, curves.drive[static_cast<std::size_t>(i)]));
                QCOMPARE(throttling->at(i), QPointF(i, curves.throttling[static_cast<std::size_t>(i)]));
            }

            view->show();
            QCoreApplication::processEvents();
            const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(image.size(), PictureSize);
            QVERIFY2(countPixels(image, darkBlue) > 100, which.constData());
            QVERIFY2(countPixels(image, magenta) > 100, which.constData());
            // The note lies below the legend, inside the picture.
            const QRectF note = chartNote(chart)->sceneBoundingRect();
            QVERIFY2(QRectF(QPointF(0, 0), QSizeF(PictureSize)).contains(note), which.constData());
            QVERIFY(note.left() > chart->plotArea().right());
        }
    }
}

void TestSavingsGraph::englishFanOutletDamper()
{
    QPointer<frmGraph> window;
    QWidget mainWindow;
    showGraph(window, QStringLiteral("English"), 3, lookup, &mainWindow);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowModality(), Qt::NonModal);
    QVERIFY(window->isWindow());
    QCOMPARE(window->windowTitle(), QStringLiteral("t1 - t12"));
    QCOMPARE(window->size(), GraphWindowSize);
    const auto visible = visiblePictures(*window);
    QCOMPARE(visible.size(), 1);
    QCOMPARE(visible[0], window->imgEN()[3]);
    QCOMPARE(visible[0]->objectName(), QStringLiteral("imgEN_3"));
    QCOMPARE(visible[0]->pos(), QPoint(0, 0));
    QCOMPARE(visible[0]->size(), PictureSize);
    QCOMPARE(titleLines(*visible[0]->chart()),
             (QStringList{"Fans / Exhausters", "VSD to Damper at output Comparison"}));
    delete window;
}

void TestSavingsGraph::secondCommandShowsOnlyTheCurrentChart()
{
    QPointer<frmGraph> window;
    showGraph(window, QStringLiteral("English"), 3, lookup, nullptr);
    frmGraph *first = window;
    // The language changes while the window is open: the title keeps the language it was opened in.
    showGraph(window, QStringLiteral("Português"), 0, [](int n) { return QStringLiteral("p%1").arg(n); }, nullptr);
    QCOMPARE(window.data(), first);
    QCOMPARE(window->windowTitle(), QStringLiteral("t1 - t12"));
    QCOMPARE(visiblePictures(*window), QList<QChartView *>{window->imgPT()[0]});
    QVERIFY(!window->imgEN()[3]->isVisible());
    delete window;
}

void TestSavingsGraph::resizingKeepsThePictureAtTheCorner()
{
    QPointer<frmGraph> window;
    showGraph(window, QStringLiteral("Español"), 2, lookup, nullptr);
    QChartView *picture = window->imgES()[2];
    QVERIFY(picture);
    for (const QSize size : {QSize(300, 200), QSize(1000, 800), QSize(50, 30)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        QCOMPARE(picture->pos(), QPoint(0, 0));
        QCOMPARE(picture->size(), PictureSize);
    }
    delete window;
}

void TestSavingsGraph::closingGivesAFreshWindow()
{
    QPointer<frmGraph> window;
    showGraph(window, QStringLiteral("English"), 1, lookup, nullptr);
    QVERIFY(window->close());
    QTRY_VERIFY(window.isNull()); // destroyed, not only hidden

    showGraph(window, QStringLiteral("Español"), 2, [](int n) { return QStringLiteral("e%1").arg(n); }, nullptr);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("e1 - e12"));
    QCOMPARE(visiblePictures(*window), QList<QChartView *>{window->imgES()[2]});
    QVERIFY(!window->imgEN()[1]); // the earlier chart belonged to the closed window
    delete window;
}

void TestSavingsGraph::unknownLanguageOrNoApplicationOpensAnEmptyWindow()
{
    QPointer<frmGraph> window;
    showGraph(window, QStringLiteral("Deutsch"), 0, lookup, nullptr);
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("t1 - t12"));
    QVERIFY(visiblePictures(*window).isEmpty());

    showGraph(window, QStringLiteral("English"), 2, lookup, nullptr);
    QCOMPARE(visiblePictures(*window).size(), 1);
    showGraph(window, QStringLiteral("English"), -1, lookup, nullptr);
    QVERIFY(visiblePictures(*window).isEmpty());
    showGraph(window, QStringLiteral("English"), 4, lookup, nullptr);
    QVERIFY(visiblePictures(*window).isEmpty());
    delete window;
}

QTEST_MAIN(TestSavingsGraph)
#include "tst_savingsgraph.moc"
