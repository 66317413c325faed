#include "cli/batchoptions.h"
#include "cli/batchoutput.h"
#include "cli/batchrun.h"
#include "support/testmain.h"

#include <QHash>
#include <QTest>

// The pieces of tessio-calc that decide what is printed: options, shown results, table and CSV.
class TestBatchOutput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void csvField_data();
    void csvField();
    void csvRowOfAFailedCaseHoldsOnlyTheMessage();
    void csvRowOfAComputedCaseUsesTheDisplayPatterns();

    void shownResults_data();
    void shownResults();

    void alignedLinesAlignNumbersRight();
    void messageRowsRunOnWithoutWideningColumns();
    void tableHeadingsDropTheColonAndCarryTheCurrency();

    void parseCommandLine_data();
    void parseCommandLine();
    void optionsAreRead();
    void systemCurveOptions_data();
    void systemCurveOptions();
    void optionsNeedOrExcludeOthers_data();
    void optionsNeedOrExcludeOthers();
    void usageLineGroupsOptionsThatGoTogether();

    void languageColumn_data();
    void languageColumn();
    void startCurrency_data();
    void startCurrency();
};

namespace {

const QHash<int, QString> Texts{
    {2, "Application"},
    {33, "Annual Savings (kWh):"},
    {34, "Annual Savings"},
    {35, "Payback (months):"},
    {193, "Pump [Valve]"},
    {194, "Pump [By-Pass]"},
    {195, "Fan, Inlet"},
    {196, "Fan \"Outlet\""},
    {197, "Efficiency (100%)"},
    {204, "File"},
};

QString text(int n)
{
    return Texts.value(n);
}

BatchCase computedCase(const QString &efficiency, const QString &kwh, const QString &money, const QString &months)
{
    BatchCase c;
    c.file = QStringLiteral("a.WAU");
    c.read = true;
    c.computed = true;
    c.record.cboAplicacao = 0;
    c.record.mskRendimento = efficiency;
    c.record.mskEconomiakW = kwh;
    c.record.mskEconomiaReais = money;
    c.record.mskRetorno = months;
    return c;
}

// Switches that need or exclude others.
QList<BatchOption> switchTable()
{
    const BatchOption::Reader none = [](const QString &, BatchOptions &) { return QString(); };
    return {{.names = {"head"}, .read = none},
            {.names = {"slope"}, .read = none, .needs = {"head"}},
            {.names = {"flat"}, .read = none, .excludes = {"head"}},
            {.names = {"from"}, .read = none, .needs = {"to"}},
            {.names = {"to"}, .read = none, .needs = {"from"}}};
}

} // namespace

void TestBatchOutput::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TestBatchOutput::csvField_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Pump [Valve]" << "Pump [Valve]";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("comma") << "2,920.00" << "\"2,920.00\"";
    QTest::newRow("quote doubled") << "say \"hi\"" << "\"say \"\"hi\"\"\"";
    QTest::newRow("line feed") << "a\nb" << "\"a\nb\"";
    QTest::newRow("carriage return") << "a\rb" << "\"a\rb\"";
    QTest::newRow("blanks kept unquoted") << " 29.200 " << " 29.200 ";
    QTest::newRow("semicolon is no separator") << "a;b" << "a;b";
}

void TestBatchOutput::csvField()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(::csvField(value), expected);
}

void TestBatchOutput::csvRowOfAFailedCaseHoldsOnlyTheMessage()
{
    BatchCase c;
    c.file = QStringLiteral("dir, one/b.WAU");
    c.read = true;
    c.record.cboAplicacao = 3;
    c.record.mskRendimento = QStringLiteral("90"); // read from the file, but no result was made
    c.message = QStringLiteral("The price must not exceed US$ 9.99.");
    QCOMPARE(csvRow(caseRow(c, QLocale(QLocale::English, QLocale::UnitedStates), text)),
             QStringLiteral("\"dir, one/b.WAU\",\"Fan \"\"Outlet\"\"\",,,,,The price must not exceed US$ 9.99.\r\n"));
    // A file that could not be read names no application.
    c.read = false;
    QCOMPARE(csvRow(caseRow(c, QLocale(QLocale::English, QLocale::UnitedStates), text)),
             QStringLiteral("\"dir, one/b.WAU\",,,,,,The price must not exceed US$ 9.99.\r\n"));
    QCOMPARE(csvHeader(), QStringLiteral("file,application,efficiency,kwh,money,months,message\r\n"));
}

void TestBatchOutput::csvRowOfAComputedCaseUsesTheDisplayPatterns()
{
    // What CalculateSavings writes (" ##,##0.00" with its blank) is shown through the field's pattern;
    // "#,##0" sends the half of 92,5 to the even neighbour.
    const BatchCase c = computedCase(QStringLiteral("92,5"), QStringLiteral("29.200"), QStringLiteral(" 2.920,00"),
                                     QStringLiteral("4"));
    QCOMPARE(csvRow(caseRow(c, QLocale(QLocale::Portuguese, QLocale::Brazil), text)),
             QStringLiteral("a.WAU,Pump [Valve],92,29.200,\"2.920,00\",4,\r\n"));
}

void TestBatchOutput::shownResults_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("fields"); // efficiency, kWh, money, months as the record holds them
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("en_US") << "en_US" << QStringList{"90", "29,200", " 2,920.00", "4"}
                           << QStringList{"90", "29,200", "2,920.00", "4"};
    QTest::newRow("de_DE") << "de_DE" << QStringList{"87", "1.234.567", " 98.765,40", "1.200"}
                           << QStringList{"87", "1.234.567", "98.765,40", "1.200"};
    QTest::newRow("efficiency with decimals rounds") << "en_US" << QStringList{"93.5", "10", " 1.00", "0"}
                                                     << QStringList{"94", "10", "1.00", "0"};
    QTest::newRow("no saving") << "en_US" << QStringList{"70", "----", "----", "----"}
                               << QStringList{"70", "----", "----", "----"};
}

void TestBatchOutput::shownResults()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, shown);
    const BatchCase c = computedCase(fields[0], fields[1], fields[2], fields[3]);
    const ShownResults r = ::shownResults(c.record, QLocale(locale));
    QCOMPARE((QStringList{r.efficiency, r.kwh, r.money, r.months}), shown);
}

void TestBatchOutput::alignedLinesAlignNumbersRight()
{
    const QStringList headings{"File", "App", "Eff", "kWh", "Money", "Months"};
    const QList<QStringList> rows{{"long-name.WAU", "P", "90", "29,200", "2,920.00", "4"},
                                  {"b.WAU", "Fan", "87", "600", "60.00", "112"}};
    const QStringList expected{
        "File           App  Eff     kWh     Money  Months",
        "long-name.WAU  P     90  29,200  2,920.00       4",
        "b.WAU          Fan   87     600     60.00     112",
    };
    QCOMPARE(alignedLines(headings, rows), expected);
}

void TestBatchOutput::messageRowsRunOnWithoutWideningColumns()
{
    const QStringList headings{"File", "App", "Eff", "kWh", "Money", "Months"};
    const QList<QStringList> rows{{"a.WAU", "P", "90", "1", "2.00", "3"},
                                  {"b.WAU", "Fan", "A message much wider than the efficiency column."}};
    const QStringList lines = alignedLines(headings, rows);
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("File   App  Eff  kWh  Money  Months"));
    QCOMPARE(lines[1], QStringLiteral("a.WAU  P     90    1   2.00       3"));
    QCOMPARE(lines[2], QStringLiteral("b.WAU  Fan  A message much wider than the efficiency column."));
    // The file column is padded for a row whose application is empty too, and nothing ends in blanks.
    const QStringList short2 = alignedLines({"File", "App"}, {{"a-long-file.WAU", ""}});
    QCOMPARE(short2, (QStringList{"File             App", "a-long-file.WAU"}));
}

void TestBatchOutput::tableHeadingsDropTheColonAndCarryTheCurrency()
{
    QCOMPARE(tableHeadings(text, QStringLiteral("EUR")),
             (QStringList{"File", "Application", "Efficiency (100%)", "Annual Savings (kWh)", "Annual Savings (EUR)",
                          "Payback (months)"}));
}

void TestBatchOutput::parseCommandLine_data()
{
    using A = ParsedCommandLine::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::newRow("files only") << QStringList{"a.WAU", "b.WAU"} << int(A::Run);
    QTest::newRow("help") << QStringList{"--help"} << int(A::Help);
    QTest::newRow("help wins over files") << QStringList{"-h", "a.WAU"} << int(A::Help);
    QTest::newRow("version") << QStringList{"--version"} << int(A::Version);
    QTest::newRow("no file") << QStringList{"--csv"} << int(A::UsageError);
    QTest::newRow("unknown option") << QStringList{"--xml", "a.WAU"} << int(A::UsageError);
    QTest::newRow("option without value") << QStringList{"a.WAU", "--locale"} << int(A::UsageError);
    QTest::newRow("unknown locale") << QStringList{"--locale", "xx_YY", "a.WAU"} << int(A::UsageError);
    QTest::newRow("C locale asked for") << QStringList{"--locale", "C", "a.WAU"} << int(A::Run);
    QTest::newRow("empty export") << QStringList{"--export=", "a.WAU"} << int(A::UsageError);
    QTest::newRow("empty language") << QStringList{"--language", "", "a.WAU"} << int(A::UsageError);
    QTest::newRow("empty pdf folder") << QStringList{"--pdf", "", "a.WAU"} << int(A::UsageError);
    QTest::newRow("file named like an option after --") << QStringList{"--", "--csv"} << int(A::Run);
}

void TestBatchOutput::parseCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    const ParsedCommandLine parsed = ::parseCommandLine(QStringList{"tessio-calc"} + arguments);
    QCOMPARE(int(parsed.action), action);
    if (parsed.action == ParsedCommandLine::Action::UsageError)
        QVERIFY(!parsed.text.isEmpty());
}

void TestBatchOutput::optionsAreRead()
{
    const ParsedCommandLine parsed = ::parseCommandLine(
        {"tessio-calc", "--locale", "pt_BR", "--language=Español", "--csv", "--export", "out.txt", "--pdf", "pdfs",
         "a.WAU", "b c.WAU"});
    QCOMPARE(int(parsed.action), int(ParsedCommandLine::Action::Run));
    const BatchOptions &o = parsed.options;
    QCOMPARE(o.locale.name(), QStringLiteral("pt_BR"));
    QCOMPARE(o.language, QString::fromUtf8("Español"));
    QVERIFY(o.csv);
    QCOMPARE(o.exportFile, QStringLiteral("out.txt"));
    QCOMPARE(o.pdfDir, QStringLiteral("pdfs"));
    QCOMPARE(o.files, (QStringList{"a.WAU", "b c.WAU"}));
    QCOMPARE(::parseCommandLine({"tessio-calc", "--version"}).text, versionLine());
    QVERIFY(versionLine().startsWith(QStringLiteral("tessio-calc ")));
}

void TestBatchOutput::systemCurveOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QList<double>>("parameters"); // static head, drive efficiency, minimum speed; empty: refused
    QTest::newRow("static head alone, the others by default") << QStringList{"--static-head", "30"}
                                                              << QList<double>{30, 97, 0};
    QTest::newRow("all three") << QStringList{"--min-speed", "40", "--static-head=0", "--drive-efficiency", "95.5"}
                               << QList<double>{0, 95.5, 40};
    QTest::newRow("decimal comma of --locale") << QStringList{"--locale", "pt_BR", "--static-head", "12,5"}
                                               << QList<double>{12.5, 97, 0};
    QTest::newRow("decimal point under a decimal comma") << QStringList{"--locale", "pt_BR", "--static-head", "12.5"}
                                                         << QList<double>{12.5, 97, 0};
    QTest::newRow("the limits") << QStringList{"--static-head", "95", "--drive-efficiency", "80", "--min-speed", "100"}
                                << QList<double>{95, 80, 100};
    QTest::newRow("static head above 95") << QStringList{"--static-head", "95.1"} << QList<double>{};
    QTest::newRow("drive efficiency below 80") << QStringList{"--static-head", "30", "--drive-efficiency", "79"}
                                               << QList<double>{};
    QTest::newRow("minimum speed above 100") << QStringList{"--static-head", "30", "--min-speed", "101"}
                                             << QList<double>{};
    QTest::newRow("negative static head") << QStringList{"--static-head", "-1"} << QList<double>{};
    QTest::newRow("group separator") << QStringList{"--static-head", "1,0"} << QList<double>{};
    QTest::newRow("not a number") << QStringList{"--static-head", "high"} << QList<double>{};
}

void TestBatchOutput::systemCurveOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QList<double>, parameters);
    const ParsedCommandLine parsed = ::parseCommandLine(QStringList{"tessio-calc"} + arguments << "a.WAU");
    if (parameters.isEmpty()) {
        QCOMPARE(parsed.action, ParsedCommandLine::Action::UsageError);
        QVERIFY2(parsed.text.endsWith(arguments.last()), qPrintable(parsed.text));
        return;
    }
    QCOMPARE(parsed.action, ParsedCommandLine::Action::Run);
    QVERIFY(parsed.options.curve);
    const SystemCurveParameters &curve = *parsed.options.curve;
    QCOMPARE((QList<double>{curve.staticHeadPercent, curve.driveEfficiencyPercent, curve.minSpeedPercent}), parameters);
    QVERIFY(!curve.measuredKw);
    // Without --static-head the cases keep the fixed table.
    QVERIFY(!::parseCommandLine({"tessio-calc", "--csv", "a.WAU"}).options.curve);
}

void TestBatchOutput::optionsNeedOrExcludeOthers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error"); // empty: the batch runs
    QTest::newRow("neither") << QStringList{"a.WAU"} << "";
    QTest::newRow("the needed one alone") << QStringList{"--head", "a.WAU"} << "";
    QTest::newRow("with the needed one") << QStringList{"--slope", "--head", "a.WAU"} << "";
    QTest::newRow("without the needed one") << QStringList{"--slope", "a.WAU"} << "--slope needs --head.";
    QTest::newRow("excluded") << QStringList{"--head", "--flat", "a.WAU"}
                              << "--flat and --head cannot be given together.";
    // Two that need each other are named in the table's order, whichever is missing.
    QTest::newRow("first of a pair alone") << QStringList{"--from", "a.WAU"}
                                           << "--from and --to go together: give both or neither.";
    QTest::newRow("second of a pair alone") << QStringList{"--to", "a.WAU"}
                                            << "--from and --to go together: give both or neither.";
    QTest::newRow("a pair") << QStringList{"--to", "--from", "a.WAU"} << "";
}

void TestBatchOutput::optionsNeedOrExcludeOthers()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const ParsedCommandLine parsed = ::parseCommandLine(QStringList{"tessio-calc"} + arguments, switchTable());
    QCOMPARE(parsed.action, error.isEmpty() ? ParsedCommandLine::Action::Run : ParsedCommandLine::Action::UsageError);
    QCOMPARE(parsed.text, error);
}

void TestBatchOutput::usageLineGroupsOptionsThatGoTogether()
{
    QCOMPARE(usageLine(switchTable()),
             QStringLiteral("Usage: tessio-calc [--head] [--slope] [--flat] [--from --to] CASE.WAU..."));
}

void TestBatchOutput::languageColumn_data()
{
    QTest::addColumn<QString>("defaultName");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("column");
    QTest::newRow("default") << "English" << "" << 2;
    QTest::newRow("by name") << "English" << QString::fromUtf8("Português") << 0;
    QTest::newRow("letter case ignored") << "English" << QString::fromUtf8("ESPAÑOL") << 1;
    QTest::newRow("unknown") << "English" << "Deutsch" << -1;
    QTest::newRow("default names no column") << "Klingon" << "" << 0;
}

void TestBatchOutput::languageColumn()
{
    QFETCH(QString, defaultName);
    QFETCH(QString, name);
    QFETCH(int, column);
    TextTable texts(1, 3);
    texts.setEntry(0, 0, QString::fromUtf8("Português"));
    texts.setEntry(0, 1, QString::fromUtf8("Español"));
    texts.setEntry(0, 2, QStringLiteral("English"));
    texts.defaultColumnName = defaultName;
    QCOMPARE(::languageColumn(texts, name), column);
}

void TestBatchOutput::startCurrency_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("currency");
    QTest::newRow("first") << "US$" << "US$";
    QTest::newRow("euro") << "EUR" << "EUR";
    QTest::newRow("dollar sign the window adds") << "$" << "$";
    QTest::newRow("pound sign the window adds") << QString(QChar(0xA3)) << QString(QChar(0xA3));
    QTest::newRow("not offered") << "us$" << "US$";
    QTest::newRow("unknown") << "BTC" << "US$";
}

void TestBatchOutput::startCurrency()
{
    QFETCH(QString, stored);
    QFETCH(QString, currency);
    QCOMPARE(::startCurrency(stored), currency);
}

TESSIO_TEST_GUILESS_MAIN(TestBatchOutput)
#include "tst_batchoutput.moc"
