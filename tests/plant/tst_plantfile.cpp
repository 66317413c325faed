#include "localisation/texttable.h"
#include "plant/economicstext.h"
#include "plant/plantfile.h"
#include "plant/planttext.h"
#include "support/testdatafiles.h"
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
    TextTable table{400, 3};
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
        table.setEntry(PlantText::TooFewColumns, 2, QStringLiteral("%1 of %2 columns"));
        table.setEntry(PlantText::OneColumn, 2, QStringLiteral("1 of %1 columns"));
        table.setEntry(PlantText::UnclosedQuote, 2, QStringLiteral("quote of line %1 takes %1 to %2"));
        table.setEntry(PlantText::NotSaved, 2, QStringLiteral("%1 not saved: %2"));
        table.setEntry(EconomicsText::ChoiceOne, 2, QStringLiteral("Within the budget: 1 drive"));
        table.setEntry(EconomicsText::ChoiceMany, 0, QStringLiteral("Dentro do orçamento: %1 inversores"));
        table.setEntry(EconomicsText::ChoiceMany, 2, QStringLiteral("Within the budget: %1 drives"));
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

QList<CaseRecord> casesOf(const PlantReadResult &read)
{
    QList<CaseRecord> cases;
    for (const PlantRow &row : read.rows) {
        if (row.isRead())
            cases << *row.record;
    }
    return cases;
}

QList<int> linesOf(const PlantReadResult &read)
{
    QList<int> lines;
    for (const PlantRow &row : read.rows)
        lines << row.line;
    return lines;
}

const QByteArray Header = "reference,application,power,unit,efficiency,kwh_price,drive_price,days,h100,h90,h80,h70,h60,h50,"
                          "years,rate,co2_factor";
const QByteArray Pump = "P1,Centrifugal Pump [VFD x Valve],10,kW,90,0.1,1000,365,0,8,8,8,0,0,10,8,";
const QByteArray Fan = "F2,Fan/Exhauster [VFD x Outlet Damper],7.5,HP,,0.125,2500,300,0,4,4,4,4,4,10,8,";

// The system-curve columns among the others, in an order of the user's: a pump on the system curve
// (30 % static head, 30 % minimum speed, the drive's efficiency and the base by default) and a fan on
// the table, whose measured power and drive efficiency count for nothing without a static head.
const QByteArray CurveHeader = "min_speed,reference,application,power,unit,efficiency,kwh_price,drive_price,days,h100,h90,"
                               "h80,h70,h60,h50,measured_kw,static_head,years,rate,co2_factor,drive_efficiency";
const QByteArray CurvePump = "30,P1,Centrifugal Pump [VFD x Valve],10,kW,90,0.1,1000,365,0,8,8,8,0,0,,30,10,8,,";
const QByteArray TableFan = ",F2,Fan/Exhauster [VFD x Outlet Damper],7.5,HP,,0.125,2500,300,0,4,4,4,4,4,8.5,,10,8,,95.5";

QByteArray withSemicolons(QByteArray line)
{
    return line.replace(',', ';').replace('.', ',');
}

} // namespace

Q_DECLARE_METATYPE(QLocale)

class TestPlantFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void writesBackWhatItRead_data();
    void writesBackWhatItRead();
    void unreadableRowsSayWhy();
    void keptCellsStayInTheirColumns();
    void settingsOfTheFile();
    void libreOfficeFile();
    void exportHoldsWhatThePrintedSummaryHolds();
    void systemCurveParametersOfARow();
    void exportShowsEachRowsParameters();
    void fileProblems();
};

void TestPlantFile::roundTrip_data()
{
    QTest::addColumn<QLocale>("writer");
    QTest::addColumn<QLocale>("reader");
    QTest::addColumn<QByteArray>("header");
    // A new file has every column, the rise of the energy price and the budget after the others.
    const QByteArray comma = "\xEF\xBB\xBF" + Header + ",escalation,budget\r\n";
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
    PlantSettings settings;
    settings.typedFactor = 0.3835;
    settings.lifetime = {12, 6.5, 3.25};
    settings.budget = 150000.5;
    const QByteArray bytes = plantFileBytes(plantRowsOf(inLocale(cases, writer)), settings, newPlantFileFormat(writer),
                                            writer, texts.english());
    QVERIFY(bytes.startsWith(header));

    const PlantReadResult read = parsePlantFile(bytes, texts.context(reader));
    QVERIFY(read.ok());
    QCOMPARE(read.errors(), QList<PlantLineError>());
    QCOMPARE(casesOf(read), inLocale(cases, reader));
    QCOMPARE(linesOf(read), (QList<int>{2, 3}));
    QCOMPARE(read.settingsOver(PlantSettings()), settings);
}

// Files in the form the program writes come back byte for byte, whatever their separator, number
// style, encoding, line end, column order or unreadable rows: the rows read are written from their
// cases, the others as they were.
void TestPlantFile::writesBackWhatItRead_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("unread");
    const QByteArray bom = "\xEF\xBB\xBF";
    QTest::newRow("commas and decimal points") << bom + Header + "\r\n" + Pump + "\r\n" + Fan + "\r\n" << 0;
    QTest::newRow("semicolons and decimal commas")
        << bom + withSemicolons(Header) + "\r\n" + withSemicolons(Pump) + "\r\n" + withSemicolons(Fan) + "\r\n" << 0;
    QByteArray pointsAfterSemicolons = withSemicolons(Header) + "\n" + withSemicolons(Pump) + "\n" + withSemicolons(Fan) + "\n";
    QTest::newRow("semicolons and decimal points, LF, no byte-order mark")
        << pointsAfterSemicolons.replace("0,1;", "0.1;").replace("7,5", "7.5").replace("0,125", "0.125") << 0;
    QTest::newRow("Windows-1252") << Header + "\r\n" + QByteArray(Pump).replace("P1", "Bomba \xE7") + "\r\n" << 0;
    QTest::newRow("moved columns and a column of the user's")
        << bom + "power,notes,reference,application,unit,efficiency,kwh_price,drive_price,days,h100,h90,h80,h70,h60,h50,"
                 "years,rate,co2_factor\r\n"
                 "10,\"by the door, left\",P1,Centrifugal Pump [VFD x Valve],kW,90,0.1,1000,365,0,8,8,8,0,0,10,8,0.4\r\n"
        << 0;
    QTest::newRow("system-curve columns in another order")
        << bom + CurveHeader + "\r\n" + CurvePump + "\r\n" + TableFan + "\r\n" << 0;
    QTest::newRow("a semicolon in a cell of a comma file")
        << bom + Header + "\r\n" + QByteArray(Pump).replace("P1,", "\"P1; north\",") + "\r\n" << 0;
    QTest::newRow("rows that cannot be read, in their place")
        << bom + Header + "\r\n" + Pump + "\r\nP3,0,abc,kW,90,0.1,1000,365,0,8,8,8,0,0\r\nshort,0\r\n" + Fan
               + "\r\nP5,Pumpe,10,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n\"P6,0,10,kW\r\nP7,0,10,kW\r\n"
        << 4;
}

void TestPlantFile::writesBackWhatItRead()
{
    QFETCH(QByteArray, file);
    QFETCH(int, unread);
    const Texts texts;
    const PlantReadResult read = parsePlantFile(file, texts.context(English));
    QCOMPARE(read.errors().size(), unread);
    QCOMPARE(read.rows.size() - unread, casesOf(read).size());
    QVERIFY(casesOf(read).size() >= 1);
    const QByteArray written = plantFileBytes(read.rows, read.settingsOver(PlantSettings()), read.format, English,
                                              texts.english());
    QCOMPARE(written, file);
}

void TestPlantFile::unreadableRowsSayWhy()
{
    const Texts texts;
    const QByteArray file = Header + "\r\n" + Pump + "\r\nP3,0,abc,kW\r\nshort\r\nP4,9,10,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n"
                            "P5,0,10,W,90,0.1,1000,365,0,8,8,8,0,0\r\nP6,0,10,kW,90,0.1,1000,365,0,8,8,8,0,0,70\r\n"
                            "\"P7,0,10,kW\r\nP8\r\n";
    const PlantReadResult read = parsePlantFile(file, texts.context(English));
    const TextLookup t = texts.english();
    const QList<PlantLineError> expected{{3, t(PlantText::TooFewColumns).arg(4).arg(14)},
                                         {4, t(PlantText::OneColumn).arg(14)},
                                         {5, t(PlantText::UnknownApplication)},
                                         {6, t(PlantText::UnknownUnit)},
                                         {7, t(PlantText::BadYears)},
                                         {8, t(PlantText::UnclosedQuote).arg(8).arg(9)}};
    QCOMPARE(read.errors(), expected);
    QCOMPARE(lineErrorMessages(read.errors(), t).last(), QStringLiteral("Line 8: quote of line 8 takes 8 to 9"));
    QCOMPARE(read.rows[3].raw, QByteArray("P4,9,10,kW,90,0.1,1000,365,0,8,8,8,0,0"));
    QCOMPARE(plantRowReference(read.rows[3], read.format), QStringLiteral("P4"));
    // The reason of a number names the column, by its header.
    QCOMPARE(parsePlantFile("reference,application,power,unit\r\nP,0,abc,kW\r\n", texts.context(English)).errors(),
             (QList<PlantLineError>{{2, QStringLiteral("'abc' in power")}}));
}

void TestPlantFile::keptCellsStayInTheirColumns()
{
    // A file without an application column, and a row that cannot be read holding more cells than the
    // header names: the columns written after the file's own leave those cells where they were.
    const Texts texts;
    const PlantReadResult read = parsePlantFile("reference,power,unit\r\nP1,10,kW,x,2\r\n", texts.context(English));
    QCOMPARE(read.errors(), (QList<PlantLineError>{{2, texts.english()(PlantText::UnknownApplication)}}));
    const QByteArray written = plantFileBytes(read.rows, PlantSettings(), read.format, English, texts.english());
    QVERIFY2(written.startsWith("reference,power,unit,,,application,"), written.constData());
    const PlantReadResult again = parsePlantFile(written, texts.context(English));
    QCOMPARE(again.rows.size(), 1);
    QVERIFY(!again.rows.first().isRead());
    QCOMPARE(again.rows.first().raw, read.rows.first().raw);
}

void TestPlantFile::settingsOfTheFile()
{
    const Texts texts;
    // The first row that gives a setting gives it; a file written before the settings had columns gives
    // none, and so the plant's own.
    const QByteArray file = Header + "\r\n" + QByteArray(Pump).replace(",10,8,", ",,12,") + "\r\n" + Fan + "\r\n";
    const PlantReadResult read = parsePlantFile(file, texts.context(English));
    const QMap<PlantSetting, double> expected{{PlantSetting::Rate, 12}, {PlantSetting::Years, 10}};
    QCOMPARE(read.settings, expected);
    const PlantReadResult old = parsePlantFile(Header.left(Header.indexOf(",years")) + "\r\n" + Pump.left(Pump.indexOf(",10,8,")),
                                               texts.context(English));
    QCOMPARE(old.errors(), QList<PlantLineError>());
    QVERIFY(old.settings.isEmpty());
}

void TestPlantFile::libreOfficeFile()
{
    const Texts texts;
    const PlantReadResult read = readPlantFile(QStringLiteral(TESSIO_TEST_DATA "/plant_libreoffice_pt_br.csv"),
                                               texts.context(English));
    QVERIFY(read.ok());
    QCOMPARE(read.format.separator, ';');
    QVERIFY(read.format.decimalComma);
    QCOMPARE(linesOf(read), (QList<int>{2, 4, 5, 6, 7, 8, 10}));
    const QList<CaseRecord> cases = casesOf(read);
    QCOMPARE(cases.size(), 3);
    const CaseRecord &pump = cases[0];
    QCOMPARE(pump.mskReferencia, QStringLiteral("Bomba 1\r\nrecalque"));
    QCOMPARE(pump.cboAplicacao, 0); // named in Portuguese
    QCOMPARE(pump.mskValorkWh, QStringLiteral("0.1"));
    const CaseRecord &fan = cases[1];
    QCOMPARE(fan.cboAplicacao, 2);
    QCOMPARE(fan.optUnPotencia, UnitHp);
    QCOMPARE(fan.mskPotencia, QStringLiteral("1250.5")); // grouping of the comma convention accepted
    QCOMPARE(fan.mskInversor, QStringLiteral("12000"));
    QCOMPARE(fan.mskRendimento, QString()); // the default efficiency
    QCOMPARE(cases[2].mskReferencia, QStringLiteral("Exaustor \"norte\""));
    QCOMPARE(cases[2].cboAplicacao, 3); // named in English
    QCOMPARE(cases[2].mskPotencia, QStringLiteral("7.5"));

    const TextLookup t = texts.english();
    const QList<PlantLineError> expected{{6, t(PlantText::UnknownApplication)},
                                         {7, t(PlantText::NotANumber).arg(QStringLiteral("dez"), QStringLiteral("power"))},
                                         {8, t(PlantText::TooFewColumns).arg(4).arg(14)},
                                         {10, t(PlantText::UnknownUnit)}};
    QCOMPARE(read.errors(), expected);
}

void TestPlantFile::exportHoldsWhatThePrintedSummaryHolds()
{
    // Two computed cases, one that fails its check and one row that cannot be read, in a Brazilian plant
    // file: the export keeps the file's form and adds the results, the settings used, the totals with
    // the total drive price and every case left out, and the budget's choice, which takes P1 and passes
    // over the fan.
    const Texts texts;
    QByteArray file = withSemicolons(Header) + "\r\n" + withSemicolons(Pump) + "\r\n" + withSemicolons(Fan) + "\r\n"
                      + withSemicolons(QByteArray(Pump).replace("P1,", "P3,").replace(",365,0,", ",365,25,"))
                      + "\r\nP4;0;abc\r\n";
    const PlantReadResult read = parsePlantFile(file, texts.context(Brazil));
    PlantAccumulator plant(0.3835, PlantLifetime{10, 8, 2.5}, Brazil, texts.english(), 2600);
    PlantSummary summary;
    for (const PlantRow &row : read.rows)
        summary.cases << (row.isRead() ? plant.add(*row.record) : plant.addUnread(QStringLiteral("P4"), row.reason));
    const QList<PlantCaseResult> cases = summary.cases;
    summary = plant.summary();
    summary.cases = cases;
    const QByteArray exported = plantExportBytes(read.rows, summary, read.format, Brazil, texts.english());
    QCOMPARE(exported, TestData::readBytes(QStringLiteral(TESSIO_TEST_DATA "/plant_export_pt_br.csv")));

    // Opened as a plant, the export gives the same rows and settings: its totals and its choice are no rows.
    const PlantReadResult again = parsePlantFile(exported, texts.context(Brazil));
    QCOMPARE(again.rows.size(), read.rows.size());
    for (int r = 0; r < 2; ++r) {
        CaseRecord computed = summary.cases[r].record;
        computed.clearResults();
        QCOMPARE(again.rows[r].record, computed);
    }
    QCOMPARE(again.settingsOver({}).lifetime, (PlantLifetime{10, 8, 2.5}));
    QCOMPARE(again.settingsOver({}).budget, std::optional<double>(2600));
}

void TestPlantFile::systemCurveParametersOfARow()
{
    const Texts texts;
    const PlantReadResult read = parsePlantFile(CurveHeader + "\r\n" + CurvePump + "\r\n" + TableFan + "\r\n",
                                                texts.context(English));
    QCOMPARE(read.rows.size(), 2);
    QCOMPARE(read.rows[0].curve.parameters(), (SystemCurveParameters{30, 97, 30, std::nullopt}));
    QCOMPARE(read.rows[1].curve.parameters(), std::nullopt);
    QCOMPARE(read.rows[1].curve.value(CurveParameter::MeasuredPower), 8.5);

    // A parameter outside its range keeps the row out, with the parameter's own message.
    const TextLookup t = texts.english();
    QByteArray outOfRange = CurveHeader + "\r\n" + QByteArray(CurvePump).replace(",,30,", ",,96,") + "\r\n"
                            + QByteArray(TableFan).replace(",8.5,", ",0,") + "\r\n";
    QCOMPARE(parsePlantFile(outOfRange, texts.context(English)).errors(),
             (QList<PlantLineError>{{2, t(CurveText::BadStaticHead)}, {3, t(CurveText::BadMeasuredPower)}}));
}

void TestPlantFile::exportShowsEachRowsParameters()
{
    // A plant file without the system-curve columns, and a case added on the system curve: the export
    // gains the columns, with the parameters the curve row used and nothing on the table's rows.
    const Texts texts;
    const PlantReadResult read = parsePlantFile(Header + "\r\n" + Pump + "\r\n", texts.context(English));
    QList<PlantRow> rows = read.rows;
    rows << plantRowsOf({*rows.first().record});
    rows.last().record->mskReferencia = QStringLiteral("P1 on its system curve");
    rows.last().curve.setValue(CurveParameter::StaticHead, 30);
    PlantAccumulator plant(0.5, PlantLifetime{10, 8}, English, texts.english());
    QList<PlantCaseResult> cases;
    for (const PlantRow &row : rows)
        cases << plant.add(*row.record, row.curve.parameters());
    PlantSummary summary = plant.summary();
    summary.cases = cases;
    const QByteArray exported = plantExportBytes(rows, summary, read.format, English, texts.english());
    QCOMPARE(exported, TestData::readBytes(QStringLiteral(TESSIO_TEST_DATA "/plant_export_curves.csv")));
}

void TestPlantFile::fileProblems()
{
    QTemporaryDir dir;
    const Texts texts;
    const TextLookup t = texts.english();
    const QString missing = dir.filePath(QStringLiteral("none.csv"));
    const PlantReadResult read = readPlantFile(missing, texts.context(English));
    QCOMPARE(read.fileError, t(PlantText::FileMissing));
    QVERIFY(read.rows.isEmpty());
    QCOMPARE(readProblem(dir.path(), t), t(PlantText::IsAFolder));

    QString error;
    const QString inMissingFolder = dir.filePath(QStringLiteral("missing folder/plant.csv"));
    QVERIFY(!savePlantBytes(inMissingFolder, "x", t, &error));
    QCOMPARE(error, t(PlantText::FolderMissing));
    QVERIFY(!QFile::exists(inMissingFolder));
    QVERIFY(saveFailedMessage(inMissingFolder, error, t).contains(error));

    QCOMPARE(withPlantExtension(QStringLiteral("/a/plant")), QStringLiteral("/a/plant.csv"));
    QCOMPARE(withPlantExtension(QStringLiteral("/a.b/plant.txt")), QStringLiteral("/a.b/plant.txt"));
    QCOMPARE(withPlantExtension(QString()), QString());
}

TESSIO_TEST_GUILESS_MAIN(TestPlantFile)
#include "tst_plantfile.moc"
