#include "plant/plantsettings.h"
#include "plant/planttext.h"
#include "support/testmain.h"

#include <QTest>

// What may be typed for the grid factor, the period, the rate, the rise of the energy price and the budget:
// in the window (the regional format only) and in tessio-calc's options (the regional format or a decimal
// point).

Q_DECLARE_METATYPE(PlantSetting)
Q_DECLARE_METATYPE(QLocale)

class TestPlantSettings : public QObject
{
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
    void refusalNamesTheSeparator();
    void optionalSettingsClear();
};

void TestPlantSettings::reading_data()
{
    QTest::addColumn<PlantSetting>("setting");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");      // -1: refused in the window
    QTest::addColumn<bool>("otherSeparator");
    QTest::addColumn<double>("option");     // -1: refused as an option
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const auto factor = PlantSetting::GridFactor;
    QTest::newRow("factor, point") << factor << english << " 0.4 " << 0.4 << false << 0.4;
    QTest::newRow("factor, 0 and 2 are the ends") << factor << english << "2" << 2.0 << false << 2.0;
    QTest::newRow("factor above 2") << factor << english << "2.01" << -1.0 << false << -1.0;
    QTest::newRow("factor negative") << factor << english << "-0.1" << -1.0 << false << -1.0;
    QTest::newRow("factor with an exponent") << factor << english << "1e-1" << -1.0 << false << -1.0;
    QTest::newRow("factor with a comma where the point is used") << factor << english << "0,4" << -1.0 << true << -1.0;
    QTest::newRow("factor with a point where the comma is used") << factor << german << "0.4" << -1.0 << true << 0.4;
    QTest::newRow("factor with a comma, German") << factor << german << "0,4" << 0.4 << false << 0.4;
    QTest::newRow("a German 1.000 is a point to the window") << factor << german << "1.000" << -1.0 << true << 1.0;
    QTest::newRow("years") << PlantSetting::Years << english << "25" << 25.0 << false << 25.0;
    QTest::newRow("years 1e1") << PlantSetting::Years << english << "1e1" << -1.0 << false << -1.0;
    QTest::newRow("years not whole") << PlantSetting::Years << german << "2,5" << -1.0 << false << -1.0;
    QTest::newRow("years above 50") << PlantSetting::Years << english << "51" << -1.0 << false << -1.0;
    QTest::newRow("years empty") << PlantSetting::Years << english << "" << -1.0 << false << -1.0;
    QTest::newRow("rate with a comma") << PlantSetting::Rate << german << "7,5" << 7.5 << false << 7.5;
    QTest::newRow("rate 100") << PlantSetting::Rate << english << "100" << 100.0 << false << 100.0;
    QTest::newRow("rate not a number") << PlantSetting::Rate << english << "8%" << -1.0 << false << -1.0;
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const auto rise = PlantSetting::Escalation;
    QTest::newRow("rise 0 and 50 are the ends") << rise << english << "50" << 50.0 << false << 50.0;
    QTest::newRow("rise with a comma, Brazil") << rise << brazil << "2,5" << 2.5 << false << 2.5;
    QTest::newRow("rise with a point, Brazil") << rise << brazil << "2.5" << -1.0 << true << 2.5;
    QTest::newRow("rise above 50") << rise << english << "50.1" << -1.0 << false << -1.0;
    QTest::newRow("rise negative") << rise << english << "-1" << -1.0 << false << -1.0;
    QTest::newRow("rise 1e1") << rise << english << "1e1" << -1.0 << false << -1.0;
    const auto budget = PlantSetting::Budget;
    QTest::newRow("budget 0") << budget << english << "0" << 0.0 << false << 0.0;
    QTest::newRow("budget written as money") << budget << english << " 1,500.50 " << 1500.5 << false << 1500.5;
    QTest::newRow("budget written as money, Brazil") << budget << brazil << "10.000,25" << 10000.25 << false << 10000.25;
    QTest::newRow("budget with a decimal comma where the point is used") << budget << english << "1500,50" << -1.0 << true << -1.0;
    QTest::newRow("budget negative") << budget << english << "-5" << -1.0 << false << -1.0;
    QTest::newRow("budget in words") << budget << english << "five" << -1.0 << false << -1.0;
    QTest::newRow("budget 1E3") << budget << english << "1E3" << -1.0 << false << -1.0;
}

void TestPlantSettings::reading()
{
    QFETCH(PlantSetting, setting);
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, otherSeparator);
    QFETCH(double, option);
    const SettingReading reading = readSetting(setting, text, locale);
    QCOMPARE(reading.value.value_or(-1), value);
    QCOMPARE(reading.otherSeparator, otherSeparator);
    QCOMPARE(readSettingOption(setting, text, locale).value_or(-1), option);
    if (reading.value) {
        // What was taken is shown as it reads back.
        PlantSettings settings;
        setSetting(settings, setting, *reading.value);
        QCOMPARE(readSetting(setting, settingText(settings, setting, locale), locale).value, reading.value);
    }
}

void TestPlantSettings::refusalNamesTheSeparator()
{
    const TextLookup text = [](int n) {
        return n == PlantText::UseDecimalSeparator ? QStringLiteral("use \"%1\" as in %2") : QStringLiteral("T%1").arg(n);
    };
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const PlantSetting rate = PlantSetting::Rate;
    QCOMPARE(settingRefusal(rate, readSetting(rate, QStringLiteral("7.5"), brazil), brazil, text),
             QStringLiteral("T%1 use \",\" as in 0,5").arg(PlantText::BadRate));
    QCOMPARE(settingRefusal(rate, readSetting(rate, QStringLiteral("abc"), brazil), brazil, text),
             QStringLiteral("T%1").arg(PlantText::BadRate));
}

// The factor and the budget may be given up; the period, the rate and the rise always have a value.
void TestPlantSettings::optionalSettingsClear()
{
    PlantSettings settings;
    for (int s = 0; s < PlantSettingCount; ++s)
        setSetting(settings, PlantSetting(s), 2);
    PlantSettings cleared = settings;
    for (int s = 0; s < PlantSettingCount; ++s) {
        const PlantSetting setting = PlantSetting(s);
        clearSetting(cleared, setting);
        QCOMPARE(settingValue(cleared, setting).has_value(), !settingIsOptional(setting));
        QCOMPARE(settingText(cleared, setting, QLocale::c()).isEmpty(), settingIsOptional(setting));
    }
    QCOMPARE(cleared.lifetime, settings.lifetime);
}

TESSIO_TEST_GUILESS_MAIN(TestPlantSettings)
#include "tst_plantsettings.moc"
