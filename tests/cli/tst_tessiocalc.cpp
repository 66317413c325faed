#include "cli/batchoutput.h"
#include "cli/consoledialogs.h"
#include "files/casefile.h"
#include "files/codepage.h"
#include "plant/plantfile.h"
#include "localisation/scrambledfile.h"
#include "localisation/texttable.h"
#include "settings/regkeys.h"
#include "support/testmain.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

// tessio-calc run as a user runs it: the built executable on case files in a temporary folder, with its
// settings in a folder of the test and no display.
class TestTessioCalc : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void tableInEnglish();
    void csvInPortuguese();
    void everyCaseComputedExitsZero();
    void unreadableFilesAreNamedAndTheOthersGoOn();
    void usageErrors_data();
    void usageErrors();
    void goldenOutputs_data();
    void goldenOutputs();
    void version();
    void storedCurrencyAndCompany();
    void exportAppendsEveryComputedCase();
    void withoutItsTextsNothingIsCalculated();
    void reportsOfComputedCasesAsPdf();
    void plantFigures_data();
    void plantFigures();
    void examplePlantGivesTheSameFiguresEverywhere_data();
    void examplePlantGivesTheSameFiguresEverywhere();
    void leftOutCountsAgree();
    void summaryAsPdfOnTwoPages();
    void printedSummaryNamesEachRowsModel();

private:
    struct Result
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Result run(const QStringList &arguments, const QString &program = QStringLiteral(TESSIO_CALC));
    void writeCase(const QString &name, const QString &line);
    void writePlant(const QString &name, const QByteArray &rows);
    void writeCurvePlant();
    void writeSetting(const QString &name, const QString &value);
    static void clearSettings();
    QString text(int n, int language = English) const { return m_texts.entry(n, language); }

    static constexpr int Portuguese = 0;
    static constexpr int English = 2;
    TextTable m_texts;
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QString WorkedExample = QStringLiteral(
    R"(0,"Worked example","365","0","8","8","8","0","0","10",#TRUE#,"0.10","1000","90")");
const QString InletDamper = QStringLiteral(
    R"(2,"Inlet damper","365","0","0","0","0","0","24","10",#TRUE#,"0.10","1,000.00","90")");
const QString TooManyHours = QStringLiteral(
    R"(1,"Too many hours","365","24","1","0","0","0","0","10",#TRUE#,"0.10","1000","90")");
const QString OnlyFullFlowHp = QStringLiteral(
    R"(3,"Only full flow","365","24","0","0","0","0","0","10",#FALSE#,"0.10","1000","")");

QStringList lines(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

bool hasPdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// The text of a PDF file as pdftotext gives it ("-layout" or "-bbox").
QString pdfText(const QString &pdf, const QString &mode = QStringLiteral("-layout"))
{
    QProcess reader;
    reader.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {mode, pdf, QStringLiteral("-")});
    reader.waitForFinished(30000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

} // namespace

void TestTessioCalc::initTestCase()
{
    QVERIFY2(QFile::exists(QStringLiteral(TESSIO_CALC)), TESSIO_CALC);
    // The texts the program reads lie beside it, as they lie beside this test.
    QString errors;
    QTextStream err(&errors);
    ConsoleDialogs dialogs(err);
    LoadLanguageTexts(m_texts, QFileInfo(QStringLiteral(TESSIO_CALC)).absolutePath(), dialogs, nullptr);
    QVERIFY2(errors.isEmpty(), qPrintable(errors));
    QCOMPARE(text(0), QStringLiteral("English"));
}

void TestTessioCalc::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("config")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("cases")));
    clearSettings();
}

void TestTessioCalc::cleanupTestCase()
{
    clearSettings();
}

void TestTessioCalc::clearSettings()
{
#ifdef Q_OS_WIN
    // The program reads the registry there, not the private settings file of the other platforms.
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        RegDeleteTreeW(hive, L"Software\\Varnel\\Tessio");
#endif
}

TestTessioCalc::Result TestTessioCalc::run(const QStringList &arguments, const QString &program)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("HOME"), m_dir->path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
#ifdef Q_OS_WIN
    // A copy of the program elsewhere finds its DLLs beside the built one.
    env.insert(QStringLiteral("PATH"), QDir::toNativeSeparators(QFileInfo(QStringLiteral(TESSIO_CALC)).absolutePath())
                                           + u';' + env.value(QStringLiteral("PATH")));
#endif
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(m_dir->filePath(QStringLiteral("cases")));
    process.start(program, arguments);
    Result result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void TestTessioCalc::writeCase(const QString &name, const QString &line)
{
    QFile file(m_dir->filePath(QStringLiteral("cases/") + name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(CodePage::encode(line) + "\r\n");
}

void TestTessioCalc::writePlant(const QString &name, const QByteArray &rows)
{
    QFile file(m_dir->filePath(QStringLiteral("cases/") + name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFreference,application,power,unit,efficiency,kwh_price,drive_price,days,h100,h90,h80,h70,h60,h50\r\n"
               + rows);
}

// The worked example with its own static head and drive efficiency (columns found by name, in any
// order), and the worked example of the table.
void TestTessioCalc::writeCurvePlant()
{
    QFile curves(m_dir->filePath(QStringLiteral("cases/curves.csv")));
    QVERIFY(curves.open(QIODevice::WriteOnly));
    curves.write("drive_efficiency,static_head,reference,application,power,unit,efficiency,kwh_price,drive_price,days,h100,h90,h80,h70,h60,h50\r\n"
                 "100,30,Own,0,10,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n"
                 ",,Table,0,10,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n");
}

void TestTessioCalc::writeSetting(const QString &name, const QString &value)
{
#ifdef Q_OS_WIN
    QVERIFY(SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, name, value));
#else
    QSettings settings(m_dir->filePath(QStringLiteral("config/Varnel/Tessio.conf")), QSettings::IniFormat);
    settings.setValue(name, value);
#endif
}

void TestTessioCalc::tableInEnglish()
{
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    writeCase(QStringLiteral("b.WAU"), InletDamper);
    writeCase(QStringLiteral("c.WAU"), TooManyHours);
    writeCase(QStringLiteral("d.WAU"), OnlyFullFlowHp);
    const Result r = run({"--locale", "en_US", "a.WAU", "b.WAU", "c.WAU", "d.WAU"});
    QCOMPARE(r.exitCode, 1);
    const QStringList expected{
        "File   Application                          Efficiency (100%)  Annual Savings (kWh)  Annual Savings (US$)  "
        "Payback (months)",
        "a.WAU  Centrifugal Pump [VFD x Valve]                      90                29,200              2,920.00     "
        "            4",
        "b.WAU  Fan/Exhauster [VFD x Inlet Damper]                  90                14,600              1,460.00     "
        "            8",
        "c.WAU  Centrifugal Pump [VFD x By-Pass]     " + text(69),
        "d.WAU  Fan/Exhauster [VFD x Outlet Damper]                 70                  ----                  ----     "
        "         ----",
    };
    QCOMPARE(lines(r.out), expected);
    // Only the failed case is named on standard error, with its message.
    QCOMPARE(lines(r.err), QStringList{"tessio-calc: c.WAU: " + text(69)});
}

void TestTessioCalc::csvInPortuguese()
{
    // Texts with Brazilian separators, read and written in pt_BR; a reference with a comma and a quote-free
    // accented text travels through Windows-1252.
    writeCase(QStringLiteral("bomba, 1.WAU"),
              QString::fromUtf8(R"(0,"Água gelada","365","0","8","8","8","0","0","1.000",#TRUE#,"0,1","12.500,5","95")"));
    writeCase(QStringLiteral("preço.WAU"),
              QStringLiteral(R"(0,"x","365","0","8","8","8","0","0","10",#TRUE#,"10","1000","90")"));
    const Result r = run({"--locale", "pt_BR", "--language", QString::fromUtf8("português"), "--csv",
                          "bomba, 1.WAU", QString::fromUtf8("preço.WAU")});
    QCOMPARE(r.exitCode, 1);
    // 1000 kW / 0.95 * (0.20 + 0.33 + 0.37) * 8 h * 365 d = 2,766,315.79 kWh; * 0.1 = 276,631.58; 12,500.5 / that * 12 = 0.54
    const QString priceMessage = text(70, Portuguese) + QStringLiteral("US$") + text(71, Portuguese);
    QCOMPARE(r.out, QStringLiteral("file,application,efficiency,kwh,money,months,message\r\n")
                        + "\"bomba, 1.WAU\"," + text(193, Portuguese) + ",95,2.766.316,\"276.631,58\",1,\r\n"
                        + QString::fromUtf8("preço.WAU,") + text(193, Portuguese) + ",,,,,"
                        + (priceMessage.contains(u',') ? "\"" + priceMessage + "\"" : priceMessage) + "\r\n");
}

void TestTessioCalc::everyCaseComputedExitsZero()
{
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    writeCase(QStringLiteral("d.WAU"), OnlyFullFlowHp);
    const Result r = run({"--locale", "de_DE", "--csv", "a.WAU", "d.WAU"});
    QCOMPARE(r.exitCode, 1); // "0.10" is no number with German separators: the message says why
    QVERIFY(r.out.contains(csvField(text(290))));

    const Result en = run({"--locale=en_US", "--csv", "a.WAU", "d.WAU"});
    QCOMPARE(en.exitCode, 0);
    QCOMPARE(en.err, QString());
    // The HP case without an efficiency takes the default for 7.36 kW and saves nothing.
    QCOMPARE(lines(en.out).last(), "d.WAU," + text(196) + ",70,----,----,----,\r");
}

void TestTessioCalc::unreadableFilesAreNamedAndTheOthersGoOn()
{
    writeCase(QStringLiteral("bad.WAU"), QStringLiteral(R"(x,"not an application")"));
    writeCase(QStringLiteral("good.WAU"), WorkedExample);
    QFile empty(m_dir->filePath(QStringLiteral("cases/empty.WAU")));
    QVERIFY(empty.open(QIODevice::WriteOnly)); // no bytes: no case, not a blank one
    empty.close();
    const Result r = run({"--locale", "en_US", "--csv", "missing.WAU", "bad.WAU", "empty.WAU", "good.WAU"});
    QCOMPARE(r.exitCode, 1);
    const QStringList out = lines(r.out);
    QCOMPARE(out.size(), 5);
    QCOMPARE(out[1], "missing.WAU,,,,,," + csvField(text(52)) + "\r");
    QCOMPARE(out[2], "bad.WAU,,,,,," + csvField(text(52)) + "\r");
    QCOMPARE(out[3], "empty.WAU,,,,,," + csvField(text(450)) + "\r");
    QVERIFY2(out[4].startsWith("good.WAU,") && out[4].endsWith(",90,\"29,200\",\"2,920.00\",4,\r"), qPrintable(out[4]));
    QCOMPARE(lines(r.err), (QStringList{"tessio-calc: missing.WAU: " + text(52), "tessio-calc: bad.WAU: " + text(52),
                                        "tessio-calc: empty.WAU: " + text(450)}));
}

void TestTessioCalc::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("said");
    QTest::newRow("no case file") << QStringList{"--csv"} << "No case file";
    QTest::newRow("unknown option") << QStringList{"--xml", "a.WAU"} << "xml";
    QTest::newRow("unknown locale") << QStringList{"--locale", "xx_YY", "a.WAU"} << "xx_YY";
    QTest::newRow("unknown language") << QStringList{"--language", "Deutsch", "a.WAU"} << "Deutsch";
    QTest::newRow("years without rate") << QStringList{"--years", "10", "a.WAU"} << "--years and --rate";
    QTest::newRow("rate without years") << QStringList{"--rate", "8", "a.WAU"} << "--years and --rate";
    QTest::newRow("years out of range") << QStringList{"--years", "51", "--rate", "8", "a.WAU"} << "51";
    QTest::newRow("factor not a number") << QStringList{"--co2", "0,4", "a.WAU"} << "0,4";
    QTest::newRow("rise without years") << QStringList{"--escalation", "3", "a.WAU"} << "--escalation needs --years";
    QTest::newRow("rise above 50") << QStringList{"--years", "10", "--rate", "8", "--escalation", "51", "a.WAU"} << "51";
    QTest::newRow("negative budget") << QStringList{"--budget", "-5", "a.WAU"} << "-5";
    QTest::newRow("unreadable budget") << QStringList{"--budget", "1e4", "a.WAU"} << "1e4";
    QTest::newRow("drive efficiency without static head")
        << QStringList{"--drive-efficiency", "95", "a.WAU"} << "--drive-efficiency needs --static-head.";
    QTest::newRow("minimum speed without static head")
        << QStringList{"--min-speed", "40", "a.WAU"} << "--min-speed needs --static-head.";
    QTest::newRow("static head out of range") << QStringList{"--static-head", "96", "a.WAU"} << "96";
}

void TestTessioCalc::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, said);
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    const Result r = run(arguments);
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.contains(said), qPrintable(r.err));
}

void TestTessioCalc::goldenOutputs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("golden"); // what the run writes, standard output then standard error
    QTest::addColumn<int>("exitCode");
    QTest::newRow("help") << QStringList{"--help"} << "tessio-calc-help.txt" << 0;
    QTest::newRow("usage error") << QStringList{"--xml", "a.WAU"} << "tessio-calc-usage.txt" << 2;
    // Every column: the case files, then the example plant, whose period and rate count for all.
    QTest::newRow("examples")
        << QStringList{"--locale", "en_US", "--csv", "--summary", "--co2", "0.4", "Boiler feed pump P-204.WAU",
                       "Cooling water pump P-101.WAU", "Kiln exhaust fan F-310.WAU", "Supply air fan AHU-12.WAU",
                       "--plant", "Example plant.csv"}
        << "tessio-calc-examples.csv" << 0;
}

void TestTessioCalc::goldenOutputs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, golden);
    QFETCH(int, exitCode);
    const QDir examples(QStringLiteral(TESSIO_EXAMPLES));
    for (const QString &name : examples.entryList(QDir::Files))
        QVERIFY(QFile::copy(examples.filePath(name), m_dir->filePath(QStringLiteral("cases/") + name)));
    const Result r = run(arguments);
    QCOMPARE(r.exitCode, exitCode);
    QFile file(QStringLiteral(TESSIO_TEST_DATA "/") + golden);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // The help names the program as it was started.
    static const QRegularExpression usage(QStringLiteral("^Usage: .* \\[options\\]"));
    QString written = r.out + r.err;
    written.replace(usage, QStringLiteral("Usage: tessio-calc [options]"));
    QCOMPARE(written, QString::fromUtf8(file.readAll()));
}

void TestTessioCalc::version()
{
    const Result version = run({"--version"});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("tessio-calc " TESSIO_VERSION "\n"));
}

void TestTessioCalc::storedCurrencyAndCompany()
{
    writeSetting(QStringLiteral("cboMoeda"), QStringLiteral("EUR"));
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    writeCase(QStringLiteral("p.WAU"), QStringLiteral(R"(0,"x","365","0","8","8","8","0","0","10",#TRUE#,"10.00","1000","90")"));
    const Result r = run({"--locale", "en_US", "--language", QString::fromUtf8("Español"), "a.WAU", "p.WAU"});
    QCOMPARE(r.exitCode, 1);
    const QStringList out = lines(r.out);
    QCOMPARE(out.size(), 3);
    QVERIFY2(out[0].contains(QStringLiteral("(EUR)")), qPrintable(out[0]));
    QVERIFY2(out[0].startsWith(text(204, 1)), qPrintable(out[0]));
    QVERIFY2(out[2].endsWith(text(70, 1) + QStringLiteral("EUR") + text(71, 1)), qPrintable(out[2]));

    // A stored currency the main window does not offer leaves the first one.
    writeSetting(QStringLiteral("cboMoeda"), QStringLiteral("XYZ"));
    const Result other = run({"--locale", "en_US", "a.WAU"});
    QVERIFY2(lines(other.out).value(0).contains(QStringLiteral("(US$)")), qPrintable(other.out));
}

void TestTessioCalc::exportAppendsEveryComputedCase()
{
    writeSetting(QStringLiteral("txtNome"), QString::fromUtf8("Acme Bombas Ltda – São Paulo"));
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    writeCase(QStringLiteral("c.WAU"), TooManyHours);
    writeCase(QStringLiteral("b.WAU"), InletDamper);
    const QString exportFile = m_dir->filePath(QStringLiteral("report.txt"));
    for (int pass = 1; pass <= 2; ++pass) {
        const Result r = run({"--locale", "en_US", "--export", exportFile, "a.WAU", "c.WAU", "b.WAU"});
        QCOMPARE(r.exitCode, 1);
    }
    QFile file(exportFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString content = CodePage::decode(bytes);
    QVERIFY(content.endsWith(QStringLiteral("\r\n")));
    const QStringList exported = content.chopped(2).split(QStringLiteral("\r\n"));
    // Two runs of two computed cases: four exports of 34 lines, the failed case left out.
    QCOMPARE(exported.size(), 4 * 34);
    for (int e = 0; e < 4; ++e) {
        const QStringList one = exported.mid(e * 34, 34);
        QVERIFY2(one[0].startsWith(QString::fromUtf8("Acme Bombas Ltda – São Paulo     Date: ")), qPrintable(one[0]));
        const bool first = e % 2 == 0;
        QCOMPARE(one[6], text(first ? 193 : 195));
        QCOMPARE(one[7], text(134) + (first ? "Worked example" : "Inlet damper"));
        QVERIFY2(one[21].endsWith(first ? " 29,200" : " 14,600"), qPrintable(one[21]));
        QVERIFY2(one[22].endsWith(first ? " 2,920.00" : " 1,460.00"), qPrintable(one[22]));
        QVERIFY2(one[23].endsWith(first ? " 4" : " 8"), qPrintable(one[23]));
    }

    // A case on the system curve goes there with the fixed table's figures, which its closing note states.
    const QString curveExport = m_dir->filePath(QStringLiteral("curve.txt"));
    QCOMPARE(run({"--locale", "en_US", "--static-head", "30", "--export", curveExport, "a.WAU"}).exitCode, 0);
    QFile curveFile(curveExport);
    QVERIFY(curveFile.open(QIODevice::ReadOnly));
    const QStringList curveLines = CodePage::decode(curveFile.readAll()).split(QStringLiteral("\r\n"));
    QVERIFY2(curveLines.value(21).endsWith(" 29,200"), qPrintable(curveLines.value(21)));
}

void TestTessioCalc::withoutItsTextsNothingIsCalculated()
{
    // A copy of the program in a folder without Config.ini.
#ifdef Q_OS_WIN
    const QString copy = m_dir->filePath(QStringLiteral("tessio-calc.exe"));
#else
    const QString copy = m_dir->filePath(QStringLiteral("tessio-calc"));
#endif
    QVERIFY(QFile::copy(QStringLiteral(TESSIO_CALC), copy));
    QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    const Result r = run({"--locale", "en_US", "a.WAU"}, copy);
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.contains(QDir::toNativeSeparators(m_dir->filePath(QStringLiteral("Config.ini")))), qPrintable(r.err));
}

void TestTessioCalc::reportsOfComputedCasesAsPdf()
{
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    writeCase(QStringLiteral("c.WAU"), TooManyHours);
    writeCase(QStringLiteral("b.case.WAU"), InletDamper);
    const QString folder = m_dir->filePath(QStringLiteral("reports/new"));
    const Result r = run({"--locale", "en_US", "--pdf", folder, "a.WAU", "c.WAU", "b.case.WAU"});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(lines(r.out).size(), 4); // the table is written as without --pdf
    // One report per computed case, named after its file; none for the case that failed its check.
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), (QStringList{"a.pdf", "b.case.pdf"}));

    // A folder that cannot be made is reported before any case is calculated.
    QFile blocker(m_dir->filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Result blocked = run({"--locale", "en_US", "--pdf", blocker.fileName() + QStringLiteral("/reports"), "a.WAU"});
    QCOMPARE(blocked.exitCode, 1);
    QCOMPARE(blocked.out, QString());
    QVERIFY2(blocked.err.contains(QStringLiteral("blocker")), qPrintable(blocked.err));

    if (!hasPdfToText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString page = pdfText(QDir(folder).filePath(QStringLiteral("a.pdf")));
    QCOMPARE(page.count(u'\f'), 1);
    for (const QString &expected : {QStringLiteral("Varnel Drives"), text(193), QStringLiteral("Worked example"),
                                    QStringLiteral("29,200.00"), QStringLiteral("2,920.00"), QStringLiteral("1,000.00")})
        QVERIFY2(page.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + page));

    // A case on the system curve gets the page of both models (25,670 kWh at a static head of 30 %).
    const QString curves = m_dir->filePath(QStringLiteral("curves"));
    QCOMPARE(run({"--locale", "en_US", "--static-head", "30", "--drive-efficiency", "100", "--pdf", curves, "a.WAU"})
                 .exitCode,
             0);
    const QString curvePage = pdfText(QDir(curves).filePath(QStringLiteral("a.pdf")));
    QCOMPARE(curvePage.count(u'\f'), 1);
    for (const QString &expected : {text(354), QStringLiteral("29,200"), QStringLiteral("25,670"), text(359)})
        QVERIFY2(curvePage.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + curvePage));
}

void TestTessioCalc::plantFigures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected"); // the CSV lines
    QTest::addColumn<int>("exitCode");

    // The worked example: 29,200 kWh, 2,920.00 a year for a drive of 1,000: 14.6 t at 0.5 kg/kWh; over 10
    // years at 8 % an NPV of 2,920 x 6.710081 - 1,000 = 18,593.44 and an IRR of 292.0 %.
    QTest::newRow("co2") << QStringList{"--co2", "0.5", "a.WAU"}
                         << QStringList{"file,application,efficiency,kwh,money,months,co2_t,message\r",
                                        "a.WAU," + text(193) + ",90,\"29,200\",\"2,920.00\",4,14.6,\r"}
                         << 0;
    // The discounted payback: 1,000 / (2,920 / 1.08) = 0.37 years.
    QTest::newRow("lifetime and summary, a failed case left out")
        << QStringList{"--years", "10", "--rate", "8", "--summary", "a.WAU", "c.WAU"}
        << QStringList{"file,application,efficiency,kwh,money,months,npv,irr,disc_payback,message\r",
                       "a.WAU," + text(193) + ",90,\"29,200\",\"2,920.00\",4,\"18,593.44\",292.0,0.4,\r",
                       "c.WAU," + text(194) + ",,,,,,,," + csvField(text(69)) + "\r",
                       "TOTAL,,,\"29,200\",\"2,920.00\",4,\"18,593.44\",292.0,0.4," + csvField(text(223).arg(1)) + "\r"}
        << 1;
    // A rise of 3 % a year: NPV -1,000 + sum 2,920 x 1.03^(t-1) / 1.08^t = 21,046.39, IRR 295.0 %.
    QTest::newRow("rise of the energy price")
        << QStringList{"--years", "10", "--rate", "8", "--escalation", "3", "a.WAU"}
        << QStringList{"file,application,efficiency,kwh,money,months,npv,irr,disc_payback,message\r",
                       "a.WAU," + text(193) + ",90,\"29,200\",\"2,920.00\",4,\"21,046.39\",295.0,0.4,\r"}
        << 0;
    // Paybacks: a.WAU 0.34 years, the HP row 0.47, the inlet damper 0.68: 2,500 buys the first two drives,
    // 50,691 kWh and 5,069.12 a year, 2,000 / 5,069.12 x 12 = 4.7 months. The choice's row comes last.
    QTest::newRow("budget")
        << QStringList{"--summary", "--budget", "2500", "--plant", "plant.csv", "a.WAU"}
        << QStringList{"file,application,efficiency,kwh,money,months,in_budget,message\r",
                       "plant.csv:2," + text(195) + ",90,\"14,600\",\"1,460.00\",8,,\r",
                       "plant.csv:3,,,,,,," + csvField(text(226)) + "\r",
                       "plant.csv:4," + text(193) + ",90,\"21,491\",\"2,149.12\",6,yes,\r",
                       "a.WAU," + text(193) + ",90,\"29,200\",\"2,920.00\",4,yes,\r",
                       "TOTAL,,,\"65,291\",\"6,529.12\",6,," + csvField(text(223).arg(1)) + "\r",
                       "BUDGET,,,\"50,691\",\"5,069.12\",5,,\r"}
        << 1;
    // The rise and the budget of a plant file count when the options do not give them; the options win.
    QTest::newRow("rise and budget of the plant file")
        << QStringList{"--plant", "rise.csv"}
        << QStringList{"file,application,efficiency,kwh,money,months,npv,irr,disc_payback,in_budget,message\r",
                       "rise.csv:2," + text(193) + ",90,\"29,200\",\"2,920.00\",4,\"21,046.39\",295.0,0.4,yes,\r",
                       "BUDGET,,,\"29,200\",\"2,920.00\",4,,,,,\r"}
        << 0;
    QTest::newRow("options over the plant file's rise and budget")
        << QStringList{"--years", "10", "--rate", "8", "--escalation", "0", "--budget", "999.99", "--plant", "rise.csv"}
        << QStringList{"file,application,efficiency,kwh,money,months,npv,irr,disc_payback,in_budget,message\r",
                       "rise.csv:2," + text(193) + ",90,\"29,200\",\"2,920.00\",4,\"18,593.44\",292.0,0.4,,\r",
                       "BUDGET,,,0,0.00,----,,,,,\r"}
        << 0;
    // Plant rows named file:line, in their order, mixed with case files; a row that cannot be read is
    // named with its reason and left out of the totals.
    QTest::newRow("plant file and case file")
        << QStringList{"--summary", "--co2", "0.1", "--plant", "plant.csv", "a.WAU"}
        << QStringList{"file,application,efficiency,kwh,money,months,co2_t,message\r",
                       "plant.csv:2," + text(195) + ",90,\"14,600\",\"1,460.00\",8,1.5,\r",
                       "plant.csv:3,,,,,,," + csvField(text(226)) + "\r",
                       "plant.csv:4," + text(193) + ",90,\"21,491\",\"2,149.12\",6,2.1,\r",
                       "a.WAU," + text(193) + ",90,\"29,200\",\"2,920.00\",4,2.9,\r",
                       "TOTAL,,,\"65,291\",\"6,529.12\",6,6.5," + csvField(text(223).arg(1)) + "\r"}
        << 1;
    // The settings of a plant file count when the options do not give them; the options win.
    QTest::newRow("settings of the plant file")
        << QStringList{"--plant", "settings.csv"}
        << QStringList{"file,application,efficiency,kwh,money,months,co2_t,npv,irr,disc_payback,message\r",
                       "settings.csv:2," + text(193) + ",90,\"29,200\",\"2,920.00\",4,14.6,\"11,642.07\",291.7,0.4,\r"}
        << 0;
    QTest::newRow("options over the plant file's settings")
        << QStringList{"--years", "10", "--rate", "8", "--co2", "0.1", "--plant", "settings.csv"}
        << QStringList{"file,application,efficiency,kwh,money,months,co2_t,npv,irr,disc_payback,message\r",
                       "settings.csv:2," + text(193) + ",90,\"29,200\",\"2,920.00\",4,2.9,\"18,593.44\",292.0,0.4,\r"}
        << 0;
    // The system curve: the worked example at a static head of 30 % with a drive of 100 % saves
    // (0.93 + 0.87 + 0.82 - 0.7803 - 0.5984 - 0.4501) x 8 h x 365 x 10 / 0.9 kW = 25,670 kWh, 2,567.00 a
    // year, paid back in 4.7 months; at 50 % (0.8145, 0.656, 0.5215) 20,375 kWh. Rows of the table have
    // the four columns empty; a plant row keeps its own static head and parameters.
    const QString curveHeader =
        "file,application,efficiency,kwh,money,months,static_head,drive_efficiency,min_speed,base_kw,message\r";
    const QString ownRow = "curves.csv:2," + text(193) + ",90,\"25,670\",\"2,567.00\",5,30,100,0,11.11,\r";
    QTest::newRow("case file on the system curve")
        << QStringList{"--static-head", "30", "--drive-efficiency", "100", "a.WAU"}
        << QStringList{curveHeader,
                       "a.WAU," + text(193) + ",90,\"25,670\",\"2,567.00\",5,30,100,0,11.11,\r"}
        << 0;
    QTest::newRow("plant rows of both models")
        << QStringList{"--summary", "--plant", "curves.csv"}
        << QStringList{curveHeader,
                       ownRow,
                       "curves.csv:3," + text(193) + ",90,\"29,200\",\"2,920.00\",4,,,,,\r",
                       "TOTAL,,,\"54,870\",\"5,487.00\",4,,,,,\r"}
        << 0;
    QTest::newRow("--static-head for the rows without their own")
        << QStringList{"--summary", "--static-head", "50", "--drive-efficiency", "100", "--plant", "curves.csv"}
        << QStringList{curveHeader,
                       ownRow,
                       "curves.csv:3," + text(193) + ",90,\"20,375\",\"2,037.51\",6,50,100,0,11.11,\r",
                       "TOTAL,,,\"46,045\",\"4,604.52\",5,,,,,\r"}
        << 0;
    QTest::newRow("numbers with the separator of --locale")
        << QStringList{"--locale", "de_DE", "--co2", "0,5", "a.WAU"}
        << QStringList{"file,application,efficiency,kwh,money,months,co2_t,message\r",
                       "a.WAU," + text(193) + ",,,,,," + csvField(text(290)) + "\r"}
        << 1;
}

void TestTessioCalc::plantFigures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    QFETCH(int, exitCode);
    writeCase(QStringLiteral("a.WAU"), WorkedExample);
    writeCase(QStringLiteral("c.WAU"), TooManyHours);
    // The inlet damper; a row in watts; the worked example as 10 HP.
    writePlant(QStringLiteral("plant.csv"), "Inlet,2,10,kW,90,0.1,1000,365,0,0,0,0,0,24\r\n"
                                            "Watts,0,10,W,90,0.1,1000,365,0,8,8,8,0,0\r\n"
                                            "HP,0,10,hp,90,0.1,1000,365,0,8,8,8,0,0\r\n");
    // The worked example over 5 years at 5 %, with a factor of 0.5: an NPV of 2,920 x 4.329477 - 1,000
    // and an IRR of 291.7 % (1,000 = 2,920 x (1 - 3.917^-5) / 2.917).
    QFile settings(m_dir->filePath(QStringLiteral("cases/settings.csv")));
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("years;rate;co2_factor;reference;application;power;unit;efficiency;kwh_price;drive_price;days;h100;h90;h80;h70;h60;h50\r\n"
                   "5;5;0,5;Worked;0;10;kW;90;0,1;1000;365;0;8;8;8;0;0\r\n");
    settings.close();
    writeCurvePlant();
    QFile rise(m_dir->filePath(QStringLiteral("cases/rise.csv")));
    QVERIFY(rise.open(QIODevice::WriteOnly));
    rise.write("reference,application,power,unit,efficiency,kwh_price,drive_price,days,h100,h90,h80,h70,h60,h50,"
               "years,rate,escalation,budget\r\nWorked,0,10,kW,90,0.1,1000,365,0,8,8,8,0,0,10,8,3,1000\r\n");
    rise.close();
    const Result r = run(QStringList{"--locale", "en_US", "--csv"} + arguments);
    QCOMPARE(lines(r.out), expected);
    QCOMPARE(r.exitCode, exitCode);
}

void TestTessioCalc::examplePlantGivesTheSameFiguresEverywhere_data()
{
    QTest::addColumn<QString>("locale");
    for (const char *locale : {"pt_BR", "es_ES", "de_DE", "en_US"})
        QTest::newRow(locale) << QString::fromLatin1(locale);
}

// The example plant holds the four example cases, with the period and rate of its columns; it reads the
// same under any regional format, and gives the figures of the case files run with that period and rate.
void TestTessioCalc::examplePlantGivesTheSameFiguresEverywhere()
{
    QFETCH(QString, locale);
    const QDir examples(QStringLiteral(TESSIO_EXAMPLES));
    QStringList files;
    for (const QString &name : examples.entryList({QStringLiteral("*.WAU")}, QDir::Files, QDir::Name))
        files << examples.filePath(name);
    QCOMPARE(files.size(), 4);
    const Result cases = run(QStringList{"--locale", "en_US", "--csv", "--summary", "--years", "10", "--rate", "8"} + files);
    const Result plant = run({"--locale", locale, "--csv", "--summary", "--plant", examples.filePath(QStringLiteral("Example plant.csv"))});
    QCOMPARE(cases.exitCode, 0);
    QCOMPARE(plant.exitCode, 0);
    QCOMPARE(plant.err, QString());
    const QStringList caseLines = lines(cases.out);
    const QStringList plantLines = lines(plant.out);
    QCOMPARE(plantLines.size(), 6);
    QCOMPARE(plantLines.first(), caseLines.first());
    // Every figure (efficiency, kWh, money, months, NPV, IRR) read back in the run's own format.
    const QRegularExpression cell(QStringLiteral("(\"[^\"]*\"|[^,]*)(,|\r$)"));
    const auto figures = [&cell](const QString &line, const QLocale &format) {
        QList<double> values;
        int column = 0;
        for (auto it = cell.globalMatch(line); it.hasNext(); ++column) {
            QString text = it.next().captured(1).remove(u'"').remove(format.groupSeparator());
            if (column >= 2 && column <= 7)
                values << (text.isEmpty() ? 0.0 : format.toDouble(text));
        }
        return values;
    };
    for (int i = 1; i < 6; ++i)
        QCOMPARE(figures(plantLines[i], QLocale(locale)), figures(caseLines[i], QLocale(QStringLiteral("en_US"))));

    // The case files themselves are written with decimal points: under a decimal comma their message
    // says so.
    if (QLocale(locale).decimalPoint() == QStringLiteral(",")) {
        const Result comma = run(QStringList{"--locale", locale} + files);
        QCOMPARE(comma.exitCode, 1);
        QCOMPARE(lines(comma.err).size(), 4);
        QVERIFY2(lines(comma.err).first().endsWith(text(290)), qPrintable(comma.err));
    }
}

// A plant file with rows that cannot be read and an empty case file: the totals row and the printed
// summary count the same cases left out, and the summary lists them with where and why.
void TestTessioCalc::leftOutCountsAgree()
{
    writePlant(QStringLiteral("broken.csv"), "Good,0,10,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n"
                                             "Watts,0,10,W,90,0.1,1000,365,0,8,8,8,0,0\r\n"
                                             "Short,0\r\n"
                                             "Days,0,10,kW,90,0.1,1000,400,0,8,8,8,0,0\r\n");
    writeCase(QStringLiteral("empty.WAU"), QString());
    const QString folder = m_dir->filePath(QStringLiteral("reports"));
    const Result r = run({"--locale", "en_US", "--csv", "--summary", "--pdf", folder, "--plant", "broken.csv", "empty.WAU",
                          "missing.WAU", "--plant", "missing.csv", "--language", QString::fromUtf8("Português")});
    QCOMPARE(r.exitCode, 1);
    const QString leftOut = text(223, Portuguese).arg(6);
    QVERIFY2(lines(r.out).last().endsWith(csvField(leftOut) + "\r"), qPrintable(r.out));
    // A plant file that is not there says so in the chosen language.
    QVERIFY2(r.err.contains(QStringLiteral("missing.csv: ") + text(280, Portuguese)), qPrintable(r.err));

    if (!hasPdfToText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString page = pdfText(QDir(folder).filePath(QStringLiteral("summary.pdf")));
    for (const QString &expected : {leftOut, QStringLiteral("broken.csv:3"), text(226, Portuguese), QStringLiteral("broken.csv:4"),
                                    QStringLiteral("empty.WAU"), QStringLiteral("missing.WAU"), QStringLiteral("missing.csv")})
        QVERIFY2(page.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + page));
}

void TestTessioCalc::summaryAsPdfOnTwoPages()
{
    QByteArray rows;
    for (int i = 1; i <= 30; ++i)
        rows += "Pump " + QByteArray::number(i) + ",0,10,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n";
    writePlant(QStringLiteral("thirty.csv"), rows);
    const QString folder = m_dir->filePath(QStringLiteral("reports"));
    const Result r = run({"--locale", "en_US", "--summary", "--co2", "0.4", "--years", "10", "--rate", "8", "--pdf",
                          folder, "--plant", "thirty.csv"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(QFile::exists(QDir(folder).filePath(QStringLiteral("thirty-31.pdf"))));
    const QString pdf = QDir(folder).filePath(QStringLiteral("summary.pdf"));
    QVERIFY2(QFile::exists(pdf), qPrintable(r.err));

    if (!hasPdfToText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QStringList pages = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 2);
    QVERIFY(pages[0].contains(text(222).arg(1).arg(2)));
    QVERIFY(pages[1].contains(text(222).arg(2).arg(2)));
    for (const QString &page : pages) {
        QVERIFY(page.contains(text(205)));                 // the title on every page
        QVERIFY(page.contains(text(206)));                 // and the table's heading
    }
    QVERIFY(pages[0].contains(QStringLiteral("Pump 25")) && !pages[0].contains(QStringLiteral("Pump 26")));
    QVERIFY(pages[1].contains(QStringLiteral("Pump 30")));
    // The totals, the lifetime block and the factor on the last page only: 30 x 29,200 kWh and 2,920.00.
    QVERIFY(!pages[0].contains(QStringLiteral("876,000")));
    for (const QString &expected : {QStringLiteral("876,000"), QStringLiteral("87,600.00"), QStringLiteral("350.4"),
                                    text(214), QStringLiteral("557,803.13"), QStringLiteral("292.0"), QStringLiteral("0.400")})
        QVERIFY2(pages[1].contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + pages[1]));
    QVERIFY(pages[1].contains(text(270))); // the factor given with --co2 says so

    // The figures of a column end at one right edge: every case's kWh and the total's.
    const QString boxes = pdfText(pdf, QStringLiteral("-bbox"));
    QList<double> ends;
    static const QRegularExpression word(QStringLiteral("xMax=\"([\\d.]+)\"[^>]*>(29,200|876,000)</word>"));
    for (auto it = word.globalMatch(boxes); it.hasNext();)
        ends << it.next().captured(1).toDouble();
    QCOMPARE(ends.size(), 31);
    const auto [low, high] = std::minmax_element(ends.cbegin(), ends.cend());
    QVERIFY2(*high - *low < 0.5, qPrintable(QStringLiteral("%1 to %2").arg(*low).arg(*high)));
}

// The printed summary of a plant that mixes both models names each row's model and parameters.
void TestTessioCalc::printedSummaryNamesEachRowsModel()
{
    writeCurvePlant();
    const QString folder = m_dir->filePath(QStringLiteral("reports"));
    const Result r = run({"--locale", "en_US", "--summary", "--pdf", folder, "--plant", "curves.csv"});
    QCOMPARE(r.exitCode, 0);
    if (!hasPdfToText())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString page = pdfText(QDir(folder).filePath(QStringLiteral("summary.pdf")));
    for (const QString &expected : {text(330) + QStringLiteral(": h0 30 %, ηd 100 %, smin 0 %, P0 11.11 kW"),
                                    text(342), QStringLiteral("54,870")})
        QVERIFY2(page.contains(expected), qPrintable(expected + QStringLiteral(" not in:\n") + page));
}

TESSIO_TEST_GUILESS_MAIN(TestTessioCalc)
#include "tst_tessiocalc.moc"
