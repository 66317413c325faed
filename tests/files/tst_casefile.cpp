#include "files/casefile.h"
#include "files/codepage.h"
#include "support/samplecases.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

using TestData::readBytes;
using TestData::writeBytes;

// The thirteen texts in file order.
QStringList texts(const CaseRecord &r)
{
    return {r.mskReferencia, r.mskDiaAno, r.mskVazao100, r.mskVazao90, r.mskVazao80,
            r.mskVazao70,    r.mskVazao60, r.mskVazao50, r.mskPotencia, r.mskValorkWh,
            r.mskInversor,   r.mskRendimento};
}

CaseRecord kwCase()
{
    CaseRecord r;
    r.cboAplicacao = 1;
    r.optUnPotencia = UnitKw;
    r.mskReferencia = QStringLiteral("P-101 cooling water");
    r.mskDiaAno = QStringLiteral("365");
    r.mskVazao100 = QStringLiteral("8");
    r.mskVazao90 = QStringLiteral("6");
    r.mskVazao80 = QStringLiteral("4");
    r.mskVazao70 = QStringLiteral("3");
    r.mskVazao60 = QStringLiteral("2");
    r.mskVazao50 = QStringLiteral("1.5");
    r.mskPotencia = QStringLiteral("1,250.5");
    r.mskValorkWh = QStringLiteral("0.08");
    r.mskInversor = QStringLiteral("12,500.00");
    r.mskRendimento = QStringLiteral("92");
    return r;
}

CaseRecord hpCase()
{
    CaseRecord r;
    r.cboAplicacao = 2;
    r.optUnPotencia = UnitHp;
    r.cboMoedas = QStringLiteral("R$");
    r.mskReferencia = QStringLiteral("Exaustor E-07 \u2013 galp\u00e3o 2 \u20ac");
    r.mskDiaAno = QStringLiteral("300");
    r.mskVazao100 = QStringLiteral("24");
    r.mskVazao90 = QStringLiteral("20");
    r.mskVazao80 = QStringLiteral("16");
    r.mskVazao70 = QStringLiteral("8");
    r.mskVazao60 = QStringLiteral("4");
    r.mskVazao50 = QStringLiteral("0");
    r.mskPotencia = QStringLiteral("150");
    r.mskValorkWh = QStringLiteral("0,45");
    r.mskInversor = QStringLiteral("48.500,00");
    r.mskRendimento = QStringLiteral("93,5");
    return r;
}

// A window state whose every field differs from anything the reading tests put in place.
CaseRecord oldWindow()
{
    CaseRecord r;
    r.cboAplicacao = 3;
    r.optUnPotencia = UnitKw;
    r.cboMoedas = QStringLiteral("\u20ac");
    const QStringList old{"old ref", "old days", "old 100", "old 90", "old 80", "old 70", "old 60",
                          "old 50",  "old power", "old kwh", "old drive", "old eff"};
    r.mskReferencia = old[0];
    r.mskDiaAno = old[1];
    r.mskVazao100 = old[2];
    r.mskVazao90 = old[3];
    r.mskVazao80 = old[4];
    r.mskVazao70 = old[5];
    r.mskVazao60 = old[6];
    r.mskVazao50 = old[7];
    r.mskPotencia = old[8];
    r.mskValorkWh = old[9];
    r.mskInversor = old[10];
    r.mskRendimento = old[11];
    r.mskEconomiakW = QStringLiteral("1,000");
    r.mskEconomiaReais = QStringLiteral("80.00");
    r.mskRetorno = QStringLiteral("12");
    return r;
}

} // namespace

class TestCaseFile : public QObject
{
    Q_OBJECT
private slots:

    void writesTheGoldenFiles_data();
    void writesTheGoldenFiles();
    void savedCaseReopensUnchanged_data();
    void savedCaseReopensUnchanged();
    void reading_data();
    void reading();
    void doubleQuoteIsStoredAsApostrophe();
    void charactersOutsideTheCodePageBecomeQuestionMarks();
    void everyCodePageByteSurvives();
    void failedWriteKeepsTheOldFile();
    void failedWriteIntoMissingFolder();
    void missingFileIsAReadError();
    void numbersWrittenWithTheOtherSeparator_data();
    void numbersWrittenWithTheOtherSeparator();
};

void TestCaseFile::writesTheGoldenFiles_data()
{
    QTest::addColumn<CaseRecord>("record");
    QTest::addColumn<QString>("golden");
    QTest::newRow("kW") << kwCase() << "case_kw.wau";
    QTest::newRow("HP, Windows-1252 characters") << hpCase() << "case_hp.wau";
}

void TestCaseFile::writesTheGoldenFiles()
{
    QFETCH(CaseRecord, record);
    QFETCH(QString, golden);
    const QByteArray expected = readBytes(QStringLiteral(TESSIO_TEST_DATA "/") + golden);
    QVERIFY(!expected.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("CASE.WAU"));
    QVERIFY(writeBytes(path, QByteArray("an older and much longer case file that must be replaced\r\n")));
    PlatformError error;
    QVERIFY(WriteCaseFile(path, record, &error));
    QCOMPARE(readBytes(path), expected);

    // The stored golden reads back into the same case, whatever the window held before.
    const CaseFileResult read = ReadCaseFile(QStringLiteral(TESSIO_TEST_DATA "/") + golden, oldWindow());
    QVERIFY(read.ok());
    QCOMPARE(read.fieldsApplied, CaseFileFieldCount);
    QCOMPARE(read.record.cboAplicacao, record.cboAplicacao);
    QCOMPARE(read.record.optUnPotencia, record.optUnPotencia);
    QCOMPARE(texts(read.record), texts(record));
}

void TestCaseFile::savedCaseReopensUnchanged_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<int>("unit");
    QTest::newRow("en_US kW") << "en_US" << UnitKw;
    QTest::newRow("pt_BR HP") << "pt_BR" << UnitHp;
}

void TestCaseFile::savedCaseReopensUnchanged()
{
    QFETCH(QString, localeName);
    QFETCH(int, unit);
    const QLocale locale(localeName);
    QLocale::setDefault(locale);

    CaseRecord saved;
    saved.cboAplicacao = 3;
    saved.optUnPotencia = unit;
    saved.mskReferencia = QStringLiteral(" Fan 3, hall B; 50%  ");
    saved.mskDiaAno = locale.toString(365);
    saved.mskVazao100 = locale.toString(12.5, 'f', 1);
    saved.mskVazao90 = locale.toString(0.25, 'f', 2);
    saved.mskVazao80 = QString();
    saved.mskVazao70 = QStringLiteral("7");
    saved.mskVazao60 = QStringLiteral("  3 ");
    saved.mskVazao50 = locale.toString(1.0, 'f', 1);
    saved.mskPotencia = locale.toString(1234.5, 'f', 1);
    saved.mskValorkWh = locale.toString(0.085, 'f', 3);
    saved.mskInversor = locale.toString(1234567.89, 'f', 2);
    saved.mskRendimento = locale.toString(94.5, 'f', 1);
    saved.mskEconomiakW = QStringLiteral("99");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("reopen.wau"));
    QVERIFY(WriteCaseFile(path, saved));

    const CaseFileResult read = ReadCaseFile(path, oldWindow());
    QVERIFY(read.ok());
    QCOMPARE(read.fieldsApplied, CaseFileFieldCount);
    QCOMPARE(read.record.cboAplicacao, 3);
    QCOMPARE(read.record.optUnPotencia, unit);
    QCOMPARE(texts(read.record), texts(saved));
    // Not stored: the currency stays the window's, the results are emptied for the recalculation.
    QCOMPARE(read.record.cboMoedas, oldWindow().cboMoedas);
    QVERIFY(read.record.mskEconomiakW.isEmpty());
    QVERIFY(read.record.mskEconomiaReais.isEmpty());
    QVERIFY(read.record.mskRetorno.isEmpty());
}

void TestCaseFile::reading_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("application");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("applied");
    QTest::addColumn<bool>("ok");

    const QStringList empty(12, QString());
    const QStringList old = texts(oldWindow());
    const QByteArray full = "1,\"r\",\"d\",\"a\",\"b\",\"c\",\"d2\",\"e\",\"f\",\"p\",#FALSE#,\"k\",\"i\",\"y\"\r\n";
    const QStringList fullTexts{"r", "d", "a", "b", "c", "d2", "e", "f", "p", "k", "i", "y"};

    QTest::newRow("only the application") << QByteArray("2\r\n") << 2 << UnitHp << empty << 14 << true;
    QTest::newRow("empty file") << QByteArray() << 0 << UnitHp << empty << 14 << true;
    QTest::newRow("full line") << full << 1 << UnitHp << fullTexts << 14 << true;
    QTest::newRow("more than fourteen fields")
        << QByteArray(full).replace("\r\n", ",\"extra\",99,#TRUE#\r\n5,\"second line\"\r\n") << 1 << UnitHp
        << fullTexts << 14 << true;
    QTest::newRow("no line end") << QByteArray(full).replace("\r\n", "") << 1 << UnitHp << fullTexts << 14
                                 << true;

    QStringList shortTexts = empty;
    shortTexts[0] = QStringLiteral("ref");
    shortTexts[1] = QStringLiteral("365");
    QTest::newRow("short line") << QByteArray("0,\"ref\",\"365\"\r\n") << 0 << UnitHp << shortTexts << 14 << true;

    QStringList spaced = empty;
    spaced[0] = QStringLiteral("ab c");
    spaced[1] = QStringLiteral(" x ");
    spaced[2] = QStringLiteral("q");
    QTest::newRow("blanks around unquoted fields, junk after a closing quote")
        << QByteArray(" 3 ,  ab c\t, \" x \"junk ,\"q\"\r\n") << 3 << UnitHp << spaced << 14 << true;

    QStringList comma = empty;
    comma[0] = QStringLiteral("a,b");
    comma[1] = QStringLiteral("c");
    QTest::newRow("comma inside quotes, fields over lines with LF")
        << QByteArray("1\n\"a,b\"\n\"c\"") << 1 << UnitHp << comma << 14 << true;

    QStringList unclosed = empty;
    unclosed[0] = QStringLiteral("abc,def\r\n");
    QTest::newRow("quote that never closes runs to the end")
        << QByteArray("1,\"abc,def\r\n") << 1 << UnitHp << unclosed << 14 << true;

    QStringList tenOnly = fullTexts.mid(0, 9) + old.mid(9);
    QTest::newRow("field 11 not a truth value: fields 1 to 10 applied")
        << QByteArray(full).replace("#FALSE#", "maybe") << 1 << UnitKw << tenOnly << 10 << false;
    QTest::newRow("field 11 a number other than 0 is kW")
        << QByteArray(full).replace("#FALSE#", "-1") << 1 << UnitKw << fullTexts << 14 << true;
    QTest::newRow("field 11 zero is HP")
        << QByteArray(full).replace("#FALSE#", "0") << 1 << UnitHp << fullTexts << 14 << true;
    QTest::newRow("field 11 true word, any case")
        << QByteArray(full).replace("#FALSE#", "#true#") << 1 << UnitKw << fullTexts << 14 << true;
    QTest::newRow("field 1 not a number: nothing applied")
        << QByteArray(full).replace("1,\"r\"", "x,\"r\"") << 3 << UnitKw << old << 0 << false;
    QTest::newRow("field 1 no position of the list")
        << QByteArray(full).replace("1,\"r\"", "4,\"r\"") << 3 << UnitKw << old << 0 << false;
    QTest::newRow("field 1 negative")
        << QByteArray(full).replace("1,\"r\"", "-1,\"r\"") << 3 << UnitKw << old << 0 << false;
}

void TestCaseFile::reading()
{
    QFETCH(QByteArray, content);
    QFETCH(int, application);
    QFETCH(int, unit);
    QFETCH(QStringList, texts);
    QFETCH(int, applied);
    QFETCH(bool, ok);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.wau"));
    QVERIFY(writeBytes(path, content));

    const CaseFileResult read = ReadCaseFile(path, oldWindow());
    QCOMPARE(read.ok(), ok);
    QCOMPARE(read.fieldsApplied, applied);
    QCOMPARE(read.fieldsInFile == 0, content.isEmpty());
    QCOMPARE(read.record.cboAplicacao, application);
    QCOMPARE(read.record.optUnPotencia, unit);
    QCOMPARE(::texts(read.record), texts);
    if (!ok)
        QCOMPARE(read.error->number, int(ErrorNumber::TypeMismatch));
    // Results shown after a read must belong to the inputs shown: emptied when anything was applied.
    QCOMPARE(read.record.mskRetorno.isEmpty(), applied > 0);

    // The file was released: it can be removed and replaced at once.
    QVERIFY(QFile::remove(path));
}

void TestCaseFile::doubleQuoteIsStoredAsApostrophe()
{
    CaseRecord record = kwCase();
    record.mskReferencia = QStringLiteral("Pump \"A\", line \"2\"");

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("quote.wau"));
    QVERIFY(WriteCaseFile(path, record));
    QVERIFY(readBytes(path).startsWith("1,\"Pump 'A', line '2'\",\"365\","));

    const CaseFileResult read = ReadCaseFile(path, oldWindow());
    QVERIFY(read.ok());
    record.mskReferencia = QStringLiteral("Pump 'A', line '2'");
    QCOMPARE(texts(read.record), texts(record));
    QCOMPARE(read.record.optUnPotencia, UnitKw);
}

void TestCaseFile::charactersOutsideTheCodePageBecomeQuestionMarks()
{
    CaseRecord record = kwCase();
    record.mskReferencia = QStringLiteral("\u03a9 m\u00f3tor \u6f22 \U0001F600 \u001a");

    const QByteArray bytes = caseFileBytes(record);
    QVERIFY(bytes.startsWith("1,\"? m\xf3tor ? ? \x1a\","));

    const CaseFileResult read = parseCaseFile(bytes, CaseRecord());
    QCOMPARE(read.record.mskReferencia, QStringLiteral("? m\u00f3tor ? ? \u001a"));
}

void TestCaseFile::everyCodePageByteSurvives()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString decoded = CodePage::decode(all);
    QCOMPARE(decoded.size(), 256);
    QCOMPARE(decoded.at(0x80), QChar(0x20AC));
    QCOMPARE(CodePage::encode(decoded), all);

    // The same characters as the system converter of Windows (and ICU) gives for 0x20-0xFF.
    QFile golden(QStringLiteral(TESSIO_TEST_DATA "/windows-1252.txt"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    QCOMPARE(decoded.mid(0x20), QString::fromUtf8(golden.readAll()));
}

void TestCaseFile::failedWriteKeepsTheOldFile()
{
    QTemporaryDir dir;
    // A name so long that no temporary file can be created beside it: the new content cannot be put
    // in place (this fails for root as well, where permission bits would not).
    const QString path = dir.filePath(QString(250, u'c'));
    const QByteArray before("2,\"kept\"\r\n");
    QVERIFY(writeBytes(path, before));

    PlatformError error;
    QVERIFY(!WriteCaseFile(path, kwCase(), &error));
    QVERIFY(error.number != 0);
    QVERIFY(!error.description.isEmpty());
    QCOMPARE(readBytes(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A folder in the way is not replaced either.
    const QString folder = dir.filePath(QStringLiteral("folder.wau"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(!WriteCaseFile(folder, kwCase()));
    QVERIFY(QFileInfo(folder).isDir());
}

void TestCaseFile::failedWriteIntoMissingFolder()
{
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("plain.txt"));
    QVERIFY(writeBytes(notAFolder, "x"));

    PlatformError error;
    QVERIFY(!WriteCaseFile(notAFolder + QStringLiteral("/case.wau"), kwCase(), &error));
    QVERIFY(!error.description.isEmpty());
    QVERIFY(!WriteCaseFile(dir.filePath(QStringLiteral("missing/case.wau")), kwCase(), &error));
    QCOMPARE(readBytes(notAFolder), QByteArray("x"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("plain.txt")});
}

void TestCaseFile::missingFileIsAReadError()
{
    QTemporaryDir dir;
    const CaseFileResult read = ReadCaseFile(dir.filePath(QStringLiteral("nothing.wau")), oldWindow());
    QVERIFY(!read.ok());
    QCOMPARE(read.error->number, int(ErrorNumber::FileNotFound));
    QCOMPARE(read.fieldsApplied, 0);
    QCOMPARE(read.record, oldWindow());
}

void TestCaseFile::numbersWrittenWithTheOtherSeparator_data()
{
    QTest::addColumn<CaseRecord>("record");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("numbers"); // power, kWh price, drive price, efficiency once read here; empty: none
    QTest::addColumn<int>("message");         // 0: none
    const CaseRecord unreadable = [] { CaseRecord r = kwCase(); r.mskPotencia = QStringLiteral("abc"); return r; }();
    QTest::newRow("decimal points on a decimal-comma machine")
        << kwCase() << "pt_BR" << QStringList{"1250,5", "0,08", "12500", "92"} << int(CaseFileText::WrittenWithPoint);
    QTest::newRow("decimal commas on a decimal-point machine")
        << hpCase() << "en_US" << QStringList{"150", "0.45", "48500", "93.5"} << int(CaseFileText::WrittenWithComma);
    QTest::newRow("read where it was written") << kwCase() << "en_US" << QStringList() << 0;
    QTest::newRow("a number in neither") << unreadable << "pt_BR" << QStringList() << 0;
}

void TestCaseFile::numbersWrittenWithTheOtherSeparator()
{
    QFETCH(CaseRecord, record);
    QFETCH(QString, locale);
    QFETCH(QStringList, numbers);
    QFETCH(int, message);
    const std::optional<CaseRecord> converted = numbersInOtherConvention(record, QLocale(locale));
    QCOMPARE(converted.has_value(), !numbers.isEmpty());
    if (converted) {
        QCOMPARE((QStringList{converted->mskPotencia, converted->mskValorkWh, converted->mskInversor, converted->mskRendimento}),
                 numbers);
        QCOMPARE(converted->mskReferencia, record.mskReferencia);
    }
    const QString shown = otherConventionMessage(record, QLocale(locale), [](int n) { return QStringLiteral("T%1").arg(n); });
    QCOMPARE(shown, message ? QStringLiteral("T%1").arg(message) : QString());
}

TESSIO_TEST_GUILESS_MAIN(TestCaseFile)
#include "tst_casefile.moc"
