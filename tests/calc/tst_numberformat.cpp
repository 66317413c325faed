#include "calc/numberformat.h"
#include "support/testmain.h"

#include <QTest>

using namespace NumberFormat;

class TestNumberFormat : public QObject
{
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void readNumber_data();
    void readNumber();
    void leadingNumber_data();
    void leadingNumber();
    void roundHalfEven_data();
    void roundHalfEven();
    void formatTextKeepsWhatIsNotANumber();
    void dateUsesTheRegionalSeparator_data();
    void dateUsesTheRegionalSeparator();
    void shortestText();
    void kwhPriceKeepsItsTypedDecimals_data();
    void kwhPriceKeepsItsTypedDecimals();
};

void TestNumberFormat::format_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grouped two decimals") << "en_US" << 1234567.891 << "#,##0.00" << "1,234,567.89";
    QTest::newRow("pt_BR separators") << "pt_BR" << 1234567.891 << "#,##0.00" << "1.234.567,89";
    QTest::newRow("de_DE separators") << "de_DE" << 2920.0 << " ##,##0.00" << " 2.920,00";
    QTest::newRow("leading blank kept") << "en_US" << 2920.0 << " ##,##0.00" << " 2,920.00";
    QTest::newRow("small value keeps a zero") << "en_US" << 0.5 << "#,##0.00" << "0.50";
    QTest::newRow("whole half to even, down") << "en_US" << 2.5 << "#,##0" << "2";
    QTest::newRow("whole half to even, up") << "en_US" << 3.5 << "#,##0" << "4";
    QTest::newRow("whole half to even, efficiency") << "en_US" << 91.5 << "#,##0" << "92";
    QTest::newRow("whole half to even, 0.5") << "en_US" << 0.5 << "#,##0" << "0";
    QTest::newRow("above half rounds up") << "en_US" << 2.5000001 << "#,##0" << "3";
    QTest::newRow("decimal half away from zero") << "en_US" << 0.125 << "#,##0.00" << "0.13";
    QTest::newRow("decimal half, not binary") << "en_US" << 1.005 << "#,##0.00" << "1.01";
    QTest::newRow("carry into a new group") << "en_US" << 999999.995 << "#,##0.00" << "1,000,000.00";
    QTest::newRow("one decimal") << "pt_BR" << 7.36 << "#,##0.0" << "7,4";
    QTest::newRow("no grouping") << "en_US" << 1234.0 << "##0" << "1234";
    QTest::newRow("hours") << "en_US" << 8.0 << "#0" << "8";
    QTest::newRow("zero without integer digit") << "en_US" << 0.0 << "#.00" << ".00";
    QTest::newRow("zero without integer digit pt") << "pt_BR" << 0.0 << "#.00" << ",00";
    QTest::newRow("value with #.00") << "en_US" << 5.5 << "#.00" << "5.50";
    QTest::newRow("negative") << "en_US" << -1234.5 << "#,##0.00" << "-1,234.50";
    QTest::newRow("negative rounding to zero") << "en_US" << -0.001 << "#,##0.00" << "0.00";
    QTest::newRow("huge") << "en_US" << 1e20 << "##,##0" << "100,000,000,000,000,000,000";
    QTest::newRow("tiny") << "en_US" << 1e-20 << "#,##0.00" << "0.00";
}

void TestNumberFormat::format()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(NumberFormat::format(value, pattern, QLocale(locale)), expected);
}

void TestNumberFormat::readNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("value");

    QTest::newRow("plain") << "en_US" << "10" << true << 10.0;
    QTest::newRow("decimal en") << "en_US" << "1.5" << true << 1.5;
    QTest::newRow("decimal pt") << "pt_BR" << "1,5" << true << 1.5;
    QTest::newRow("grouped en") << "en_US" << "1,234.5" << true << 1234.5;
    QTest::newRow("grouped de") << "de_DE" << "1.234,5" << true << 1234.5;
    QTest::newRow("four digits grouped es") << "es_ES" << " 8.887,65" << true << 8887.65;
    QTest::newRow("lone zero group es") << "es_ES" << "0.085" << false << 0.0;
    QTest::newRow("short group es") << "es_ES" << "8.87,65" << false << 0.0;
    QTest::newRow("blanks around") << "en_US" << " 2,920.00 " << true << 2920.0;
    QTest::newRow("empty") << "en_US" << "" << false << 0.0;
    QTest::newRow("lone comma") << "en_US" << "," << false << 0.0;
    QTest::newRow("two decimal points") << "en_US" << "1.2.3" << false << 0.0;
    QTest::newRow("placeholder") << "en_US" << "----" << false << 0.0;
    QTest::newRow("infinity") << "en_US" << "inf" << false << 0.0;
}

void TestNumberFormat::readNumber()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(double, value);
    const auto result = NumberFormat::readNumber(text, QLocale(locale));
    QCOMPARE(result.has_value(), readable);
    if (readable)
        QCOMPARE(*result, value);
}

void TestNumberFormat::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "35" << 35.0;
    QTest::newRow("point decimal") << "91.5" << 91.5;
    QTest::newRow("comma stops") << "91,5" << 91.0;
    QTest::newRow("letters stop") << "12abc" << 12.0;
    QTest::newRow("leading blanks") << "  7" << 7.0;
    QTest::newRow("nothing") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
}

void TestNumberFormat::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NumberFormat::leadingNumber(text), value);
}

void TestNumberFormat::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("1.5") << 1.5 << 2.0;
    QTest::newRow("2.5") << 2.5 << 2.0;
    QTest::newRow("2.51") << 2.51 << 3.0;
    QTest::newRow("-2.5") << -2.5 << -2.0;
    QTest::newRow("-3.5") << -3.5 << -4.0;
    QTest::newRow("4.11") << 4.11 << 4.0;
}

void TestNumberFormat::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(NumberFormat::roundHalfEven(value), expected);
}

void TestNumberFormat::formatTextKeepsWhatIsNotANumber()
{
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(formatText(QStringLiteral("----"), u"#,##0", en), QStringLiteral("----"));
    QCOMPARE(formatText(QString(), u"#,##0.00", en), QString());
    QCOMPARE(formatText(QStringLiteral("1234.5"), u"#,##0.00", en), QStringLiteral("1,234.50"));
    QCOMPARE(formatText(QStringLiteral(" 2,920.00"), u"#,##0.00", en), QStringLiteral("2,920.00"));
}

void TestNumberFormat::dateUsesTheRegionalSeparator_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("en_US, slash") << QLocale(QLocale::English, QLocale::UnitedStates) << "03/07/2026";
    QTest::newRow("pt_BR, slash") << QLocale(QLocale::Portuguese, QLocale::Brazil) << "03/07/2026";
    QTest::newRow("de_DE, dot") << QLocale(QLocale::German, QLocale::Germany) << "03.07.2026";
    QTest::newRow("nl_NL, hyphen") << QLocale(QLocale::Dutch, QLocale::Netherlands) << "03-07-2026";
    QTest::newRow("hu_HU, dot and blank") << QLocale(QLocale::Hungarian, QLocale::Hungary) << "03.07.2026";
    QTest::newRow("C, blanks only") << QLocale::c() << "03/07/2026";
}

void TestNumberFormat::dateUsesTheRegionalSeparator()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(formatDate(QDate(2026, 3, 7), locale), expected);
}

void TestNumberFormat::shortestText()
{
    QCOMPARE(NumberFormat::shortestText(0.1, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("0.1"));
    QCOMPARE(NumberFormat::shortestText(0.08, QLocale(QLocale::Portuguese, QLocale::Brazil)), QStringLiteral("0,08"));
    QCOMPARE(NumberFormat::shortestText(1234.5, QLocale(QLocale::German, QLocale::Germany)), QStringLiteral("1234,5"));
}

void TestNumberFormat::kwhPriceKeepsItsTypedDecimals_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    // Two decimals or fewer show exactly as the money pattern does.
    QTest::newRow("two decimals") << en << "0.08" << "0.08";
    QTest::newRow("one decimal") << en << "0.1" << "0.10";
    QTest::newRow("whole number") << en << "1" << "1.00";
    QTest::newRow("point without decimals") << en << "2." << "2.00";
    QTest::newRow("grouped") << en << "1234.5" << "1,234.50";
    // More are kept, up to five, trailing zeros too: they were typed.
    QTest::newRow("three decimals") << en << "0.085" << "0.085";
    QTest::newRow("five decimals, regional") << br << "0,65432" << "0,65432";
    QTest::newRow("typed trailing zero") << en << "0.0850" << "0.0850";
    QTest::newRow("grouped, four decimals") << br << "1.234,5678" << "1.234,5678";
    QTest::newRow("blanks around") << en << " 0.085 " << "0.085";
    // Beyond five, rounded at the fifth.
    QTest::newRow("six decimals") << en << "0.123456" << "0.12346";
    QTest::newRow("exponent, the value's decimals") << en << "8.5e-2" << "0.085";
    // What is no number stays as it is.
    QTest::newRow("empty") << en << "" << "";
    QTest::newRow("not a number") << en << "abc" << "abc";
}

void TestNumberFormat::kwhPriceKeepsItsTypedDecimals()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(formatKwhPrice(typed, locale), shown);
}

TESSIO_TEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
