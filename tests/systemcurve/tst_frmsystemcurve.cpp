// The system-curve window through its real form, over a real main window seen as its case view, with
// the fake dialogs answering every message and the print dialog.
#include "support/mainwindowfixture.h"
#include "support/testmain.h"
#include "systemcurve/frmsystemcurve.h"
#include "systemcurve/systemcurvepicture.h"
#include "systemcurve/systemcurvestore.h"
#include "settings/regkeys.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

class TestFrmSystemCurve : public QObject, private MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { initFixture(); }
    void init();
    void cleanup();

    void bothModelsSideBySide();
    void badParameterKeepsLastValue_data();
    void badParameterKeepsLastValue();
    void parametersAreRememberedButNotTheMeasurement();
    void followsTheMainWindowsCase();
    void escapeCloses();
    void languageSwitchRelabelsEverything();
    void printsAPageThatReadsBack();

private:
    void openCurveWindow()
    {
        m_curve = std::make_unique<frmSystemCurve>(SystemCurveWindowLinks{m_dialogs, m_window->locale(), *m_window});
        m_curve->show();
        QVERIFY(QTest::qWaitForWindowActive(m_curve.get()));
    }
    template<typename Widget = QLabel>
    Widget *child(const char *name) const
    {
        auto *widget = m_curve->findChild<Widget *>(QLatin1String(name));
        if (!widget)
            qFatal("no %s", name);
        return widget;
    }
    QString shown(const char *name) const { return child(name)->text(); }
    void type(const char *name, const QString &text)
    {
        auto *edit = child<QLineEdit>(name);
        focus(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    std::unique_ptr<frmSystemCurve> m_curve;
};

void TestFrmSystemCurve::init()
{
    initWindow();
    fillValidCase();
    openCurveWindow();
}

void TestFrmSystemCurve::cleanup()
{
    m_curve.reset();
    cleanupWindow();
}

void TestFrmSystemCurve::bothModelsSideBySide()
{
    // The worked example: the table's 29,200 kWh, 2,920.00 and 4 months as the main window shows them.
    QCOMPARE(m_curve->windowTitle(), QStringLiteral("EN 330"));
    QCOMPARE(shown("lblTableKwhValue"), QStringLiteral("29,200"));
    QCOMPARE(shown("lblTableMoneyValue"), QStringLiteral("2,920.00"));
    QCOMPARE(shown("lblTableMonthsValue"), QStringLiteral("4"));
    QCOMPARE(child<QLineEdit>("txtDriveEfficiency")->text(), QStringLiteral("97"));

    // With 30 % static head the system curve saves 23,835 kWh a year, 18.4 % less than the table.
    type("txtStaticHead", QStringLiteral("30"));
    QCOMPARE(shown("lblCurveKwhValue"), QStringLiteral("23,835"));
    QCOMPARE(shown("lblCurveMoneyValue"), QStringLiteral("2,383.50"));
    QCOMPARE(shown("lblCurveMonthsValue"), QStringLiteral("5"));
    QCOMPARE(shown("lblDifferenceKwhValue"), QStringLiteral("-18.4"));
    QCOMPARE(shown("lblWarnings"), QString());
    QCOMPARE(child<QLabel>("lblCurveKwhValue")->accessibleName(), QStringLiteral("EN 330: EN 158"));
    const auto &chart = child<SystemCurvePicture>("picSystemCurve")->chart();
    QVERIFY(chart && qAbs(chart->values(SystemCurveChart::Series::CurveDrive)[2] - 46.402) < 0.001);

    // A static head of 90 %: the warning stands under the figures.
    type("txtStaticHead", QStringLiteral("90"));
    QCOMPARE(shown("lblCurveKwhValue"), QStringLiteral("7,459"));
    QCOMPARE(shown("lblWarnings"), QStringLiteral("EN 344"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFrmSystemCurve::badParameterKeepsLastValue_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message"); // 0: taken
    QTest::addColumn<QString>("shown");
    QTest::newRow("static head above 95") << "txtStaticHead" << "96" << 337 << "0";
    QTest::newRow("static head taken") << "txtStaticHead" << "12.5" << 0 << "12.5";
    QTest::newRow("drive efficiency below 80") << "txtDriveEfficiency" << "79" << 338 << "97";
    QTest::newRow("minimum speed not a number") << "txtMinSpeed" << "x" << 339 << "0";
    QTest::newRow("measured power 0") << "txtMeasuredPower" << "0" << 340 << "";
    QTest::newRow("measured power taken") << "txtMeasuredPower" << "8" << 0 << "8";
}

void TestFrmSystemCurve::badParameterKeepsLastValue()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, message);
    QFETCH(QString, shown);

    const QString before = this->shown("lblCurveKwhValue");
    type(field.toLatin1().constData(), typed);
    QCOMPARE(child<QLineEdit>(field.toLatin1().constData())->text(), shown);
    if (message) {
        QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN %1").arg(message)});
        QCOMPARE(this->shown("lblCurveKwhValue"), before);
    } else {
        QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
        QVERIFY(this->shown("lblCurveKwhValue") != before);
    }
}

void TestFrmSystemCurve::parametersAreRememberedButNotTheMeasurement()
{
    type("txtStaticHead", QStringLiteral("40"));
    type("txtDriveEfficiency", QStringLiteral("95.5"));
    type("txtMinSpeed", QStringLiteral("20"));
    type("txtMeasuredPower", QStringLiteral("8"));
    QCOMPARE(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, CurveStore::DriveEfficiency), QStringLiteral("95.5"));
    m_curve.reset();
    openCurveWindow();
    QCOMPARE(m_curve->parameters(), (SystemCurveParameters{40, 95.5, 20, std::nullopt}));
    QCOMPARE(child<QLineEdit>("txtMinSpeed")->text(), QStringLiteral("20"));
    QCOMPARE(child<QLineEdit>("txtMeasuredPower")->text(), QString());
}

void TestFrmSystemCurve::followsTheMainWindowsCase()
{
    type("txtMeasuredPower", QStringLiteral("8"));
    // The same motor with other hours keeps its measured power; activating the window reads the case.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    typeInto("mskVazao70", QStringLiteral("4"));
    tab();
    m_curve->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_curve.get()));
    QCOMPARE(shown("lblTableKwhValue"), QStringLiteral("23,198"));
    QCOMPARE(m_curve->parameters().measuredKw, std::optional<double>(8));

    // Another motor (20 kW, for which the main window writes the default efficiency, 87 %): the
    // measurement belonged to the first one.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    typeInto("mskPotencia", QStringLiteral("20"));
    tab();
    m_curve->caseChanged(); // as the main window runs it when its case changes
    QCOMPARE(shown("lblTableKwhValue"), QStringLiteral("47,995"));
    QCOMPARE(child<QLineEdit>("txtMeasuredPower")->text(), QString());

    // A case the checks refuse shows why, and cannot be printed.
    typeInto("mskPotencia", QString());
    tab();
    m_curve->caseChanged();
    QCOMPARE(shown("lblWarnings"), QStringLiteral("EN 353\nEN 59"));
    QCOMPARE(shown("lblCurveKwhValue"), QString());
    QVERIFY(!child<QPushButton>("cmdPrint")->isEnabled());
}

void TestFrmSystemCurve::escapeCloses()
{
    QTest::keyClick(child<QLineEdit>("txtStaticHead"), Qt::Key_Escape);
    QVERIFY(!m_curve->isVisible());
}

// Every caption the user sees, by the widget that shows it; the figures are left out.
static QMap<QString, QString> visibleCaptions(QWidget *window)
{
    QMap<QString, QString> captions{{QStringLiteral("title"), window->windowTitle()}};
    for (auto *button : window->findChildren<QPushButton *>())
        captions.insert(button->objectName(), button->text());
    for (auto *group : window->findChildren<QGroupBox *>())
        captions.insert(group->objectName(), group->title());
    for (auto *label : window->findChildren<QLabel *>()) {
        if (!label->objectName().endsWith(QLatin1String("Value")) && label->objectName() != u"lblCase"
            && label->objectName() != u"lblWarnings")
            captions.insert(label->objectName(), label->text());
        else if (!label->accessibleName().isEmpty())
            captions.insert(label->objectName() + QStringLiteral(" name"), label->accessibleName());
    }
    for (auto *edit : window->findChildren<QLineEdit *>())
        captions.insert(edit->objectName(), edit->accessibleName());
    const auto *chart = window->findChild<SystemCurvePicture *>();
    captions.insert(QStringLiteral("chart"), chart->chart()->texts(SystemCurveChart::TextRole::Legend).join(u'|'));
    return captions;
}

void TestFrmSystemCurve::languageSwitchRelabelsEverything()
{
    QComboBox *languages = m_window->cboIdioma();
    QMap<QString, QString> before = visibleCaptions(m_curve.get());
    QVERIFY(before.size() > 25);
    for (int language : {0, 1}) {
        languages->setCurrentIndex(language);
        m_curve->retranslate(); // as the program does when the main window's language changes
        const QMap<QString, QString> after = visibleCaptions(m_curve.get());
        QCOMPARE(after.keys(), before.keys());
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            QVERIFY2(it.value() != before.value(it.key()), qPrintable(it.key() + QStringLiteral(": ") + it.value()));
        before = after;
    }
}

void TestFrmSystemCurve::printsAPageThatReadsBack()
{
    type("txtStaticHead", QStringLiteral("30"));
    m_dialogs.printAnswers.enqueue(true);
    const QString pdf = m_folder.filePath(QStringLiteral("curve.pdf"));
    m_dialogs.printFile = pdf;
    QTest::mouseClick(child<QPushButton>("cmdPrint"), Qt::LeftButton);
    QCOMPARE(m_dialogs.printRequests, 1);
    QVERIFY(QFileInfo(pdf).size() > 0);

    // Reading the page back needs pdftotext, which Windows has not.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(pdftotext.waitForFinished(30000));
    const QString page = QString::fromUtf8(pdftotext.readAllStandardOutput());
    QCOMPARE(page.count(u'\f'), 1);
    for (const QString &expected :
         {QStringLiteral("EN 354"), QStringLiteral("29,200"), QStringLiteral("23,835"), QStringLiteral("-18.4"),
          QStringLiteral("V(q) = q × max(h0 + (1 − h0) × q², smin²) / ηd"), QStringLiteral("EN 350")})
        QVERIFY2(page.contains(expected), qPrintable(expected + QStringLiteral(" in\n") + page));
}

TESSIO_TEST_MAIN(TestFrmSystemCurve)
#include "tst_frmsystemcurve.moc"
