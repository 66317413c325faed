// The savings graph: the curves agree with the savings model, every chart carries its texts and
// renders at its size, and the graph window behaves as a non-modal, disposable window.
#include "calc/calculator.h"
#include "report/frmgraph.h"
#include "report/savingschart.h"
#include "report/savingscurves.h"
#include "report/savingspicture.h"
#include "support/testmain.h"

#include <QAccessible>
#include <QScreen>
#include <QTest>

namespace {

QString lookup(int n)
{
    return QStringLiteral("t%1").arg(n);
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

QList<SavingsPicture *> visiblePictures(const frmGraph &window)
{
    QList<SavingsPicture *> visible;
    for (const auto *list : {&window.imgPT(), &window.imgES(), &window.imgEN()}) {
        for (SavingsPicture *view : *list) {
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

    void gapBetweenCurvesIsTheSavingFraction();
    void languageNames();
    void chartTexts_data();
    void chartTexts();
    void everyChartRendersWithItsParts();
    void englishFanOutletDamper();
    void screenReaderReadsTheChart_data();
    void screenReaderReadsTheChart();
    void secondCommandShowsOnlyTheCurrentChart();
    void resizingKeepsThePictureAtTheCorner();
    void closingGivesAFreshWindow();
    void unknownLanguageOrNoApplicationOpensAnEmptyWindow();
    void placementStaysOnTheScreen_data();
    void placementStaysOnTheScreen();
    void graphWindowOpensInsideTheScreen();
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

    using Role = SavingsChart::TextRole;
    const SavingsChart chart(language, application);
    QCOMPARE(chart.texts(Role::Title), (QStringList{texts[0], texts[1]}));
    QCOMPARE(chart.texts(Role::VerticalTitle), QStringList{texts[2]});
    QCOMPARE(chart.texts(Role::HorizontalTitle), QStringList{texts[3]});
    QCOMPARE(chart.texts(Role::Legend), (QStringList{texts[4], texts[5]}));
    QCOMPARE(chart.texts(Role::Note), QStringList{texts[6]});
    QCOMPARE(chart.texts(Role::VerticalLabel), (QStringList{"0", "20", "40", "60", "80", "100", "120"}));
    QCOMPARE(chart.texts(Role::HorizontalLabel), (QStringList{"50", "60", "70", "80", "90", "100"}));
}

void TestSavingsGraph::everyChartRendersWithItsParts()
{
    using Role = SavingsChart::TextRole;
    const QRectF picture(QPointF(0, 0), QSizeF(PictureSize));
    for (int language = 0; language < GraphLanguageCount; ++language) {
        for (int application = 0; application < ApplicationCount; ++application) {
            const QByteArray which = QStringLiteral("chart %1 %2").arg(language).arg(application).toUtf8();
            const SavingsChart chart(GraphLanguage(language), application);
            const QImage image = chart.image().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(image.size(), PictureSize);

            // Every text fits in its box and inside the picture, and no two texts overlap.
            const auto items = chart.textItems();
            for (qsizetype i = 0; i < items.size(); ++i) {
                const auto &item = items[i];
                const QByteArray what = which + ' ' + item.text.toUtf8();
                QVERIFY2(picture.contains(item.rect), what.constData());
                QSizeF needed =
                    QFontMetricsF(item.font).boundingRect(item.rect.toRect(), item.flags, item.text).size();
                if (item.vertical)
                    needed.transpose();
                QVERIFY2(needed.width() <= item.rect.width() + 1 && needed.height() <= item.rect.height() + 1,
                         what.constData());
                for (qsizetype j = i + 1; j < items.size(); ++j)
                    QVERIFY2(!item.rect.intersects(items[j].rect),
                             (what + " / " + items[j].text.toUtf8()).constData());
            }
            // Title above the plot, legend and note to its right, the note below the legend and bold.
            for (const auto &item : items) {
                if (item.role == Role::Title)
                    QVERIFY(item.rect.bottom() <= chart.plotArea().top());
                if (item.role == Role::Note) {
                    QVERIFY(item.font.bold());
                    QVERIFY(item.rect.top() >= chart.legendArea().bottom());
                    QVERIFY(item.rect.left() > chart.plotArea().right());
                }
            }
            QVERIFY(chart.legendArea().left() > chart.plotArea().right());

            // The plot is dotted grey, and each series is drawn in its colour through the table's points.
            QVERIFY2(countPixels(image.copy(chart.plotArea().toRect()), SavingsChart::DotColour) > 1000,
                     which.constData());
            const SavingsCurves &curves = SavingsCurveTable[static_cast<std::size_t>(application)];
            for (int i = 0; i < ChartPointCount; ++i) {
                const auto at = static_cast<std::size_t>(i);
                // Where both curves meet (at 100 %) the one drawn last shows.
                if (curves.drive[at] != curves.throttling[at])
                    QCOMPARE(image.pixelColor(chart.pointAt(i, curves.drive[at]).toPoint()),
                             SavingsChart::DriveColour);
                QCOMPARE(image.pixelColor(chart.pointAt(i, curves.throttling[at]).toPoint()),
                         SavingsChart::ThrottlingColour);
            }
            // Both samples of the legend.
            QVERIFY(countPixels(image.copy(chart.legendArea().toRect()), SavingsChart::DriveColour) > 20);
            QVERIFY(countPixels(image.copy(chart.legendArea().toRect()), SavingsChart::ThrottlingColour) > 20);
        }
    }
    // Outside 0..3: a white picture with nothing on it.
    const SavingsChart none(GraphLanguage::English, 4);
    QVERIFY(none.isEmpty());
    QVERIFY(none.textItems().isEmpty());
    const QImage blank = none.image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(countPixels(blank, Qt::white), PictureSize.width() * PictureSize.height());
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
    QCOMPARE(visible[0]->chart().texts(SavingsChart::TextRole::Title),
             (QStringList{"Fans / Exhausters", "VSD to Damper at output Comparison"}));
    // The window shows the chart itself, unscaled, at its top-left corner.
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QImage shown =
        window->grab(QRect(QPoint(0, 0), PictureSize)).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, visible[0]->chart().image().convertToFormat(QImage::Format_RGB32));
    delete window;
}

void TestSavingsGraph::screenReaderReadsTheChart_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("English") << QStringLiteral("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << QStringLiteral("Fans / Exhausters, VSD to Damper at output Comparison")
                             << QStringLiteral("Flow (%): 50; 60; 70; 80; 90; 100. VSD, Power (%): 35; 40; 45; 54; 73; "
                                               "100. Damper at output, Power (%): 70.5; 73.4; 78; 84.5; 91.5; 100.");
    QTest::newRow("Portuguese") << QStringLiteral("Português") << QLocale(QLocale::Portuguese, QLocale::Brazil)
                                << QStringLiteral("Ventilador / Exaustores, Variação de Velocidade x Damper na Saída")
                                << QStringLiteral("Vazão (%): 50; 60; 70; 80; 90; 100. Variação de Velocidade, Energia "
                                                  "(%): 35; 40; 45; 54; 73; 100. Damper na Saída, Energia (%): 70,5; "
                                                  "73,4; 78; 84,5; 91,5; 100.");
}

void TestSavingsGraph::screenReaderReadsTheChart()
{
    // A screen reader cannot see the picture: the window is a window named by its title, the chart a chart
    // named by its title and described by every value it draws, in the window's number format.
    QFETCH(QString, language);
    QFETCH(QLocale, locale);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QWidget mainWindow;
    mainWindow.setLocale(locale);
    QPointer<frmGraph> window;
    showGraph(window, language, 3, lookup, &mainWindow);
    QAccessibleInterface *windowRead = QAccessible::queryAccessibleInterface(window.data());
    QCOMPARE(windowRead->role(), QAccessible::Window);
    QCOMPARE(windowRead->text(QAccessible::Name), QStringLiteral("t1 - t12"));
    const QList<SavingsPicture *> shown = visiblePictures(*window);
    QCOMPARE(shown.size(), 1);
    QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(shown.first());
    QCOMPARE(windowRead->indexOfChild(chart), 0);
    QCOMPARE(chart->role(), QAccessible::Chart);
    QCOMPARE(chart->text(QAccessible::Name), name);
    QCOMPARE(chart->text(QAccessible::Description), description);
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
    QCOMPARE(visiblePictures(*window), QList<SavingsPicture *>{window->imgPT()[0]});
    QVERIFY(!window->imgEN()[3]->isVisible());
    delete window;
}

void TestSavingsGraph::resizingKeepsThePictureAtTheCorner()
{
    QPointer<frmGraph> window;
    showGraph(window, QStringLiteral("Español"), 2, lookup, nullptr);
    SavingsPicture *picture = window->imgES()[2];
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
    QCOMPARE(visiblePictures(*window), QList<SavingsPicture *>{window->imgES()[2]});
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

void TestSavingsGraph::placementStaysOnTheScreen_data()
{
    QTest::addColumn<QRect>("parent");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");
    const QRect screen(0, 0, 1920, 1040); // a task bar below
    QTest::newRow("fits: centred") << QRect(100, 100, 800, 600) << QSize(400, 300) << screen << QPoint(300, 250);
    // The main window at the corner, narrower than the graph window: centring would cross the left edge.
    QTest::newRow("past the left edge") << QRect(0, 0, 706, 553) << QSize(731, 449) << screen << QPoint(0, 52);
    QTest::newRow("past the bottom right") << QRect(1500, 900, 400, 200) << QSize(731, 449) << screen
                                           << QPoint(1189, 591);
    QTest::newRow("larger than the screen") << QRect(0, 0, 800, 600) << QSize(2000, 1200) << screen << QPoint(0, 0);
    // A second screen to the right whose task bar is at the top.
    QTest::newRow("second screen") << QRect(1920, 40, 500, 400) << QSize(731, 449)
                                   << QRect(1920, 40, 1280, 984) << QPoint(1920, 40);
}

void TestSavingsGraph::placementStaysOnTheScreen()
{
    QFETCH(QRect, parent);
    QFETCH(QSize, window);
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(windowPlacement(parent, window, available), expected);
}

void TestSavingsGraph::graphWindowOpensInsideTheScreen()
{
    // A main window at the top-left corner, narrower and lower than the graph window.
    QWidget mainWindow;
    mainWindow.resize(500, 300);
    mainWindow.move(0, 0);
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
    QPointer<frmGraph> window;
    showGraph(window, QStringLiteral("English"), 0, lookup, &mainWindow);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect available = mainWindow.screen()->availableGeometry();
    QVERIFY2(available.contains(window->frameGeometry()),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(window->x()).arg(window->y()).arg(window->width()).arg(window->height())));
    QCOMPARE(window->frameGeometry().left(), available.left());
    // A window that is open already stays where the user put it.
    window->move(40, 30);
    showGraph(window, QStringLiteral("English"), 1, lookup, &mainWindow);
    QCOMPARE(window->pos(), QPoint(40, 30));
    delete window;
}

TESSIO_TEST_MAIN(TestSavingsGraph)
#include "tst_savingsgraph.moc"
