#include "localisation/texttable.h"
#include "plant/plantfile.h"
#include "plant/planttext.h"
#include "support/testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Brazil(QLocale::Portuguese, QLocale::Brazil);

// Application names in three languages, as the text table holds them; other texts show their number.
struct Texts
{
    TextTable table{230, 3};
    Texts()
    {
        table.setEntry(193, 0, QStringLiteral("Bomba Centrífuga [Inversor de Frequência x Válvula]"));
        table.setEntry(193, 2, QStringLiteral("Centrifugal Pump [VFD x Valve]"));
        table.setEntry(196, 2, QStringLiteral("Fan/Exhauster [VFD x Outlet Damper]"));
        table.setEntry(PlantText::Total, 0, QStringLiteral("Total"));
        table.setEntry(PlantText::Total, 2, QStringLiteral("Total"));
        table.setEntry(PlantText::CasesLeftOut, 2, QStringLiteral("Left out: %1"));
        table.setEntry(PlantText::LineError, 2, QStringLiteral("Line %1: %2"));
        table.setEntry(PlantText::NotANumber, 2, QStringLiteral("'%1' in %2"));
        table.setEntry(PlantText::TooFewColumns, 2, QStringLiteral("%1 columns"));
        table.setEntry(PlantText::NotSaved, 2, QStringLiteral("%1 not saved: %2"));
    }
    TextLookup english() const
    {
        return [this](int n) { return table.entry(n, 2).isEmpty() ? QStringLiteral("T%1").arg(n) : table.entry(n, 2); };
    }
    PlantFileContext context(const QLocale &locale) const { return {CaseRecord(), locale, &table, english()}; }
};

CaseRecord motor(const QString &reference, int application, const QString &power, int unit)
{
    CaseRecord r;
    r.mskReferencia = reference;
    r.cboAplicacao = application;
    r.mskPotencia = power;
    r.optUnPotencia = unit;
    r.mskRendimento = QStringLiteral("90");
    r.mskValorkWh = QStringLiteral("0.12");
    r.mskInversor = QStringLiteral("1500.5");
    r.mskDiaAno = QStringLiteral("300");
    r.mskVazao90 = r.mskVazao80 = QStringLiteral("8");
    r.mskVazao50 = QStringLiteral("2.5");
    return r;
}

// The same cases written in another regional format.
QList<CaseRecord> inLocale(QList<CaseRecord> cases, const QLocale &locale)
{
    for (CaseRecord &r : cases) {
        for (QString *field : {&r.mskPotencia, &r.mskValorkWh, &r.mskInversor, &r.mskVazao50})
            *field = locale.toString(English.toDouble(*field), 'f', QLocale::FloatingPointShortest).remove(locale.groupSeparator());
    }
    return cases;
}

} // namespace

Q_DECLARE_METATYPE(QLocale)

class TestPlantFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void libreOfficeFile();
    void exportRows();
    void failedSaveSaysWhy();
    void unreadableFile();
};

void TestPlantFile::roundTrip_data()
{
    QTest::addColumn<QLocale>("writer");
    QTest::addColumn<QLocale>("reader");
    QTest::addColumn<QByteArray>("header");
    const QByteArray comma = "\xEF\xBB\xBFreference,application,power,unit,efficiency,kwh_price,drive_price,days,h100,h90,h80,h70,h60,h50\r\n";
    QByteArray semicolon = comma;
    semicolon.replace(',', ';');
    QTest::newRow("commas, read on the same machine") << English << English << comma;
    QTest::newRow("semicolons, read on the same machine") << Brazil << Brazil << semicolon;
    QTest::newRow("semicolons, read on an English machine") << Brazil << English << semicolon;
    QTest::newRow("commas, read on a Brazilian machine") << English << Brazil << comma;
}

void TestPlantFile::roundTrip()
{
    QFETCH(QLocale, writer);
    QFETCH(QLocale, reader);
    QFETCH(QByteArray, header);
    const Texts texts;
    const QList<CaseRecord> cases{motor(QStringLiteral("Pump, main; \"north\""), 0, QStringLiteral("1250.5"), UnitKw),
                                  motor(QStringLiteral("Fan\r\nroof"), 3, QStringLiteral("20"), UnitHp)};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plant.csv"));
    QString error;
    QVERIFY(writePlantFile(path, inLocale(cases, writer), writer, texts.english(), &error));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith(header));

    const PlantReadResult read = readPlantFile(path, texts.context(reader));
    QVERIFY(read.ok());
    QCOMPARE(read.errors, QList<PlantLineError>());
    QCOMPARE(read.cases, inLocale(cases, reader));
    QCOMPARE(read.lines, (QList<int>{2, 3}));
}

void TestPlantFile::libreOfficeFile()
{
    const Texts texts;
    const PlantReadResult read = readPlantFile(QStringLiteral(TESSIO_TEST_DATA "/plant_libreoffice_pt_br.csv"),
                                               texts.context(English));
    QVERIFY(read.ok());
    QCOMPARE(read.lines, (QList<int>{2, 4, 5}));
    QCOMPARE(read.cases.size(), 3);
    const CaseRecord &pump = read.cases[0];
    QCOMPARE(pump.mskReferencia, QStringLiteral("Bomba 1\r\nrecalque"));
    QCOMPARE(pump.cboAplicacao, 0); // named in Portuguese
    QCOMPARE(pump.mskValorkWh, QStringLiteral("0.1"));
    const CaseRecord &fan = read.cases[1];
    QCOMPARE(fan.cboAplicacao, 2);
    QCOMPARE(fan.optUnPotencia, UnitHp);
    QCOMPARE(fan.mskPotencia, QStringLiteral("1250.5")); // grouping of the comma convention accepted
    QCOMPARE(fan.mskInversor, QStringLiteral("12000"));
    QCOMPARE(fan.mskRendimento, QString()); // the default efficiency
    QCOMPARE(read.cases[2].mskReferencia, QStringLiteral("Exaustor \"norte\""));
    QCOMPARE(read.cases[2].cboAplicacao, 3); // named in English
    QCOMPARE(read.cases[2].mskPotencia, QStringLiteral("7.5"));

    const QList<PlantLineError> expected{{6, texts.english()(PlantText::UnknownApplication)},
                                         {7, texts.english()(PlantText::NotANumber).arg(QStringLiteral("dez"), QStringLiteral("power"))},
                                         {8, texts.english()(PlantText::TooFewColumns).arg(4)},
                                         {10, texts.english()(PlantText::UnknownUnit)}};
    QCOMPARE(read.errors, expected);
    QCOMPARE(lineErrorMessages(read.errors, texts.english())[1], QStringLiteral("Line 7: 'dez' in power"));
}

void TestPlantFile::exportRows()
{
    const Texts texts;
    CaseRecord failed = motor(QStringLiteral("bad"), 0, QStringLiteral("10"), UnitKw);
    failed.mskVazao100 = QStringLiteral("25");
    const QList<CaseRecord> cases = inLocale({motor(QStringLiteral("A"), 0, QStringLiteral("10"), UnitKw), failed}, Brazil);
    const PlantSummary summary = computeSummary({cases, 0.5, PlantLifetime{}, Brazil, texts.english()});
    const QByteArray bytes = plantExportBytes(summary, Brazil, texts.english());
    const QList<QByteArray> rows = bytes.split('\n');
    QCOMPARE(rows.size(), 5); // header, two cases, totals, and the empty rest after the last CR LF
    QVERIFY(rows[0].endsWith("h50;kwh_year;money_year;payback_months;co2_t_year;message\r"));
    // 10 kW / 0.9 x (0.20 + 0.33) x 8 h x 300 days + 10 / 0.9 x 0.41 x 2.5 h x 300 days
    QVERIFY2(rows[1].endsWith(";17550;2106,00;9;8,8;\r"), rows[1]);
    QVERIFY2(rows[2].endsWith(";;;;;T62\r"), rows[2]);
    QCOMPARE(rows[3], QByteArray("Total;;;;;;;;;;;;;;17550;2106,00;9;8,8;Left out: 1\r"));

    // Reading an export gives back its cases: result columns and the totals row are ignored.
    const PlantReadResult read = parsePlantFile(bytes, texts.context(Brazil));
    QCOMPARE(read.errors, QList<PlantLineError>());
    QCOMPARE(read.cases.size(), 2);
    QCOMPARE(read.cases[1].mskVazao100, QStringLiteral("25"));
}

void TestPlantFile::failedSaveSaysWhy()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing folder/plant.csv"));
    QString error;
    QVERIFY(!writePlantFile(path, {CaseRecord()}, English, Texts().english(), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
    const QString message = saveFailedMessage(path, error, Texts().english());
    QVERIFY(message.contains(error));
}

void TestPlantFile::unreadableFile()
{
    QTemporaryDir dir;
    const PlantReadResult read = readPlantFile(dir.filePath(QStringLiteral("none.csv")), Texts().context(English));
    QVERIFY(!read.ok());
    QVERIFY(read.cases.isEmpty());
}

TESSIO_TEST_GUILESS_MAIN(TestPlantFile)
#include "tst_plantfile.moc"
