#include "mainwindow/fieldrules.h"
#include "support/testmain.h"

#include <QTest>

using namespace FieldRules;

namespace {
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Brazil(QLocale::Portuguese, QLocale::Brazil);
} // namespace

class TestFieldRules : public QObject
{
    Q_OBJECT
private slots:
    void keyFilters();
    void storableTexts_data();
    void storableTexts();
    void unstorableCharactersAreNamed();
    void power_data();
    void power();
    void efficiency_data();
    void efficiency();
    void days_data();
    void days();
    void hoursSumReadsLeadingNumbers();
    void prices_data();
    void prices();
};

void TestFieldRules::keyFilters()
{
    for (QChar c : QStringLiteral("0123456789,.")) {
        QVERIFY(keyPasses(KeyFilter::Numeric, c));
        QCOMPARE(keyPasses(KeyFilter::Hours, c), c.isDigit());
    }
    for (QChar c : QStringLiteral("-/aZ +e")) {
        QVERIFY2(!keyPasses(KeyFilter::Numeric, c), qPrintable(QString(c)));
        QVERIFY(!keyPasses(KeyFilter::Hours, c));
        QVERIFY(keyPasses(KeyFilter::None, c));
        QVERIFY(keyPasses(KeyFilter::Text, c));
    }
    // A text field takes quotes and commas, but not the double quote that would end it in a case file.
    for (QChar c : QStringLiteral("',;\\#"))
        QVERIFY(keyPasses(KeyFilter::Text, c));
    QVERIFY(!keyPasses(KeyFilter::Text, u'"'));
    QVERIFY(keyPasses(KeyFilter::None, u'"'));
    // No field takes what the files' code page cannot hold, nor half of an emoji; its own characters
    // beyond Latin-1 pass.
    for (QChar c : QStringLiteral("\u03A9\u2192") + QString::fromUcs4(U"\U0001F600").at(0)) {
        for (KeyFilter f : {KeyFilter::None, KeyFilter::Numeric, KeyFilter::Hours, KeyFilter::Text})
            QVERIFY2(!keyPasses(f, c), qPrintable(QString::number(c.unicode(), 16)));
    }
    for (QChar c : QStringLiteral("\u20AC\u00E7\u0152")) {
        QVERIFY(keyPasses(KeyFilter::None, c));
        QVERIFY(keyPasses(KeyFilter::Text, c));
    }
}

void TestFieldRules::storableTexts_data()
{
    QTest::addColumn<KeyFilter>("filter");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("unstorable"); // the characters named, each once, in order
    const QString emoji = QString::fromUcs4(U"\U0001F600");
    QTest::newRow("reference with euro and accents")
        << KeyFilter::Text << "Bomba \u20AC 3 \u00E7\u00E3" << QStringList();
    QTest::newRow("reference with omega") << KeyFilter::Text << "\u03A9 pump" << QStringList{"\u03A9"};
    QTest::newRow("reference with an emoji")
        << KeyFilter::Text << QString(QStringLiteral("Pump ") + emoji) << QStringList{emoji};
    QTest::newRow("reference with a double quote") << KeyFilter::Text << "12\" pipe" << QStringList{"\""};
    QTest::newRow("efficiency with a double quote") << KeyFilter::None << "9\"" << QStringList();
    QTest::newRow("efficiency with an arrow") << KeyFilter::None << "9\u2192" << QStringList{"\u2192"};
    QTest::newRow("numeric field: letters only fail the keys") << KeyFilter::Numeric << "12a" << QStringList();
    QTest::newRow("a Polish town, twice") << KeyFilter::Text << "\u0141\u00F3d\u017A, \u0141\u00F3d\u017A"
                                          << QStringList{"\u0141", "\u017A"};
}

void TestFieldRules::storableTexts()
{
    QFETCH(KeyFilter, filter);
    QFETCH(QString, text);
    QFETCH(QStringList, unstorable);
    QCOMPARE(textStorable(filter, text), unstorable.isEmpty());
    QCOMPARE(unstorableCharacters(filter, text), unstorable);
}

void TestFieldRules::unstorableCharactersAreNamed()
{
    const QStringList characters{QStringLiteral("\u0141"), QString::fromUcs4(U"\U0001F600"), QStringLiteral("\"")};
    QCOMPARE(unstorableMessage(QStringLiteral("Cannot store %1, so nothing changed."), characters),
             QStringLiteral("Cannot store \u0141 (U+0141), ") + characters[1]
                 + QStringLiteral(" (U+1F600), \" (U+0022), so nothing changed."));
    // A language text that lost its placeholder still names them, after it.
    QCOMPARE(unstorableMessage(QStringLiteral("EN 302"), characters.mid(0, 1)),
             QStringLiteral("EN 302 \u0141 (U+0141)"));
}

void TestFieldRules::power_data()
{
    QTest::addColumn<QString>("power");
    QTest::addColumn<int>("unit");
    QTest::addColumn<bool>("tooHigh");
    QTest::addColumn<QString>("efficiency");
    QTest::newRow("10 kW") << "10" << UnitKw << false << "87";
    QTest::newRow("5 kW") << "5" << UnitKw << false << "70";
    QTest::newRow("7.6 kW, first range wins") << "7.6" << UnitKw << false << "70";
    QTest::newRow("0 kW writes nothing") << "0" << UnitKw << false << "";
    QTest::newRow("11200 kW is the limit") << "11200" << UnitKw << false << "95";
    QTest::newRow("11200.5 kW") << "11200.5" << UnitKw << true << "";
    QTest::newRow("10 HP is 7.36 kW") << "10" << UnitHp << false << "70";
    QTest::newRow("15000 HP") << "15000" << UnitHp << false << "95";
    QTest::newRow("15001 HP") << "15001" << UnitHp << true << "";
    QTest::newRow("11201 HP is allowed") << "11201" << UnitHp << false << "95";
    QTest::newRow("empty") << "" << UnitKw << false << "";
    QTest::newRow("lone comma") << "," << UnitKw << false << "";
    QTest::newRow("two points") << "1.2.3" << UnitKw << false << "";
}

void TestFieldRules::power()
{
    QFETCH(QString, power);
    QFETCH(int, unit);
    QFETCH(bool, tooHigh);
    QFETCH(QString, efficiency);
    const PowerOutcome outcome = powerRule(power, unit, English);
    QCOMPARE(outcome.tooHigh, tooHigh);
    QCOMPARE(outcome.efficiency, efficiency);
}

void TestFieldRules::efficiency_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("40") << "40" << true;
    QTest::newRow("99") << "99" << true;
    QTest::newRow("99.5") << "99.5" << false;
    QTest::newRow("39.9") << "39.9" << false;
    QTest::newRow("35") << "35" << false;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("comma ends the number") << "87,9" << true;
    QTest::newRow("comma after 100") << "100,0" << false;
    QTest::newRow("letters read as 0") << "abc" << false;
}

void TestFieldRules::efficiency()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(efficiencyAccepted(text), accepted);
}

void TestFieldRules::days_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("message");
    QTest::newRow("empty") << "" << 80;
    QTest::newRow("0") << "0" << 81;
    QTest::newRow("unreadable") << "," << 81;
    QTest::newRow("1") << "1" << 0;
    QTest::newRow("366 passes here") << "366" << 0;
    QTest::newRow("367") << "367" << 82;
}

void TestFieldRules::days()
{
    QFETCH(QString, text);
    QFETCH(int, message);
    QCOMPARE(daysMessage(text, English), message);
}

void TestFieldRules::hoursSumReadsLeadingNumbers()
{
    QCOMPARE(hoursLeadingSum({"24", "1", "0", "0", "0", "0"}), 25.0);
    QCOMPARE(hoursLeadingSum({"4", "4", "4", "4", "4", "4"}), 24.0);
    QCOMPARE(hoursLeadingSum({"", "x", "3", "", "", ""}), 3.0);
    // The messages follow the window order 100, 90, 80, 70, 60, 50 %.
    QCOMPARE(hoursMessage(0), 83);
    QCOMPARE(hoursMessage(1), 88);
    QCOMPARE(hoursMessage(2), 87);
    QCOMPARE(hoursMessage(5), 84);
    QVERIFY(hoursAbove24(QStringLiteral("25"), English));
    QVERIFY(!hoursAbove24(QStringLiteral("24"), Brazil));
}

void TestFieldRules::prices_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<double>("price");
    QTest::newRow("US$") << "US$" << 0.10;
    QTest::newRow("CAN$") << "CAN$" << 0.12;
    QTest::newRow("R$") << "R$" << 0.16;
    QTest::newRow("R") << "R" << 0.15;
    QTest::newRow("Kr") << "Kr" << 0.20;
    QTest::newRow("$") << "$" << 0.15;
    QTest::newRow("pound") << QString(QChar(0xA3)) << 0.06;
    QTest::newRow("case matters") << "eur" << 0.06;
}

void TestFieldRules::prices()
{
    QFETCH(QString, currency);
    QFETCH(double, price);
    QCOMPARE(defaultKwhPrice(currency), price);
}

TESSIO_TEST_GUILESS_MAIN(TestFieldRules)
#include "tst_fieldrules.moc"
