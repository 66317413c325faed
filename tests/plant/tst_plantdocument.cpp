#include "plant/plantdocument.h"
#include "plant/planttext.h"
#include "support/samplecases.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The plant document without a window: open, save, save as, the modified flag and the round trip of
// every row and setting through its file.

using SampleCases::variant;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);

QString text(int n)
{
    return n == PlantText::LineError ? QStringLiteral("Line %1: %2") : QStringLiteral("T%1").arg(n);
}

PlantFileContext context()
{
    return {CaseRecord(), English, nullptr, text};
}

// Two cases around a row whose power is no number, in a file of LF lines and semicolons.
const QByteArray Plant = "reference;application;power;unit;efficiency;kwh_price;drive_price;days;h100;h90;h80;h70;h60;h50\n"
                         "P1;0;10;kW;90;0,1;1000;365;0;8;8;8;0;0\n"
                         "P2;0;dez;kW;90;0,1;1000;365;0;8;8;8;0;0\n"
                         "P3;0;10;HP;90;0,1;1000;365;0;8;8;8;0;0\n";

enum class Change { AddCase, AddCurveCase, RemoveRow, ReplaceRow, SameSettings, OtherRate, CountryFactor, Save, Clear };

} // namespace

Q_DECLARE_METATYPE(Change)

class TestPlantDocument : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void savingKeepsUnreadRowsAndTheOthersValues();
    void settingsSurviveSavingAndOpening();
    void systemCurveRowsSurviveSavingAndReplacing();
    void modifiedFollowsChanges_data();
    void modifiedFollowsChanges();
    void failuresChangeNothing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void TestPlantDocument::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("plant.csv"));
    QVERIFY(TestData::writeBytes(m_path, Plant));
}

void TestPlantDocument::savingKeepsUnreadRowsAndTheOthersValues()
{
    PlantDocument plant(context());
    QString problem;
    QList<PlantLineError> leftOut;
    QVERIFY(plant.open(m_path, &problem, &leftOut));
    QCOMPARE(leftOut, (QList<PlantLineError>{{3, text(PlantText::NotANumber)}}));
    QCOMPARE(plant.rowCount(), 3);
    // The unread row is part of the plant, left out of its figures, named by its line and reason.
    const PlantSummary &summary = plant.summary();
    QCOMPARE(summary.leftOutCount, 1);
    QCOMPARE(summary.computedCount, 2);
    QVERIFY(summary.cases[1].unread);
    QCOMPARE(summary.cases[1].reference, QStringLiteral("P2"));
    QCOMPARE(summary.cases[1].message, QStringLiteral("Line 3: T227"));

    // Saved, a row removed, saved again: the file keeps its form, the unread row its bytes.
    QVERIFY(plant.save(&problem));
    plant.removeRows({0});
    QVERIFY(plant.isModified());
    QVERIFY(plant.save(&problem));
    const QByteArray saved = TestData::readBytes(m_path);
    QVERIFY2(saved.startsWith("reference;application;"), saved.constData());
    QVERIFY(saved.contains("\nP2;0;dez;kW;90;0,1;1000;365;0;8;8;8;0;0\n"));
    QVERIFY(!saved.contains("P1") && !saved.contains('\r'));
    QCOMPARE(plant.rows()[0].line, 2); // the lines of the file as it is now

    PlantDocument again(context());
    QVERIFY(again.open(m_path, &problem, &leftOut));
    QCOMPARE(again.rowCount(), 2);
    QCOMPARE(again.rows()[0].raw, plant.rows()[0].raw);
    QCOMPARE(again.rows()[1].record, plant.rows()[1].record);
    QCOMPARE(again.summary().totals.kwh, plant.summary().totals.kwh);
}

void TestPlantDocument::settingsSurviveSavingAndOpening()
{
    PlantDocument plant(context());
    PlantSettings defaults;
    defaults.typedFactor = 0.5;
    plant.setDefaults(defaults);
    plant.setCountryFactor(0.1);
    QString problem;
    // A file of before the settings had columns opens with the defaults.
    QVERIFY(plant.open(m_path, &problem));
    QCOMPARE(plant.settings(), defaults);
    QVERIFY(!plant.isModified());

    PlantSettings settings;
    settings.lifetime = {20, 3.25};
    plant.setSettings(settings); // the factor back to the country's
    QCOMPARE(plant.gridFactor(), std::optional<double>(0.1));
    QVERIFY(plant.isModified());
    const PlantFigures totals = plant.summary().totals;
    QVERIFY(plant.saveAs(m_dir->filePath(QStringLiteral("other.csv")), &problem));

    PlantDocument again(context());
    again.setDefaults(defaults);
    again.setCountryFactor(0.1);
    QVERIFY(again.open(plant.path(), &problem));
    QCOMPARE(again.settings(), settings);
    QCOMPARE(again.summary().totals.npv, totals.npv);
    QCOMPARE(again.summary().totals.irr, totals.irr);
    QCOMPARE(again.summary().totals.co2, totals.co2);

    // A typed factor goes with the plant; without one it is the country's again, not the defaults'.
    settings.typedFactor = 0.7;
    plant.setSettings(settings);
    QVERIFY(plant.save(&problem));
    QVERIFY(again.open(plant.path(), &problem));
    QCOMPARE(again.settings(), settings);
}

void TestPlantDocument::systemCurveRowsSurviveSavingAndReplacing()
{
    PlantDocument plant(context());
    QString problem;
    QVERIFY(plant.open(m_path, &problem));
    const SystemCurveParameters measured{30, 95, 20, 9.5};
    plant.addCurveCase(SampleCases::workedExample(), measured);
    QCOMPARE(plant.summary().cases.last().curve, measured);
    QCOMPARE(plant.summary().cases.last().baseKw, 9.5);
    // Another case in the row: the system it serves stays.
    plant.replaceRow(3, variant(SampleCases::workedExample(), &CaseRecord::mskVazao90, QStringLiteral("10")));
    QCOMPARE(plant.summary().cases.last().curve, measured);
    QVERIFY(plant.save(&problem));
    QVERIFY(TestData::readBytes(m_path).startsWith("reference;application;power;unit;efficiency;kwh_price;drive_price;"
                                                  "days;h100;h90;h80;h70;h60;h50;static_head;drive_efficiency;min_speed;"
                                                  "measured_kw;years;rate;co2_factor\n"));

    PlantDocument again(context());
    QVERIFY(again.open(m_path, &problem));
    QCOMPARE(again.rowCount(), 4);
    QCOMPARE(again.summary().cases.first().curve, std::nullopt);
    QCOMPARE(again.summary().cases.last().curve, measured);
    QCOMPARE(again.summary().totals.kwh, plant.summary().totals.kwh);
}

void TestPlantDocument::modifiedFollowsChanges_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("modified");
    QTest::newRow("a case added") << Change::AddCase << true;
    QTest::newRow("a case added on its system curve") << Change::AddCurveCase << true;
    QTest::newRow("a row removed") << Change::RemoveRow << true;
    QTest::newRow("a row replaced") << Change::ReplaceRow << true;
    QTest::newRow("the same settings") << Change::SameSettings << false;
    QTest::newRow("another rate") << Change::OtherRate << true;
    QTest::newRow("the country's factor: not the plant's") << Change::CountryFactor << false;
    QTest::newRow("saved") << Change::Save << false;
    QTest::newRow("a new plant") << Change::Clear << false;
}

void TestPlantDocument::modifiedFollowsChanges()
{
    QFETCH(Change, change);
    QFETCH(bool, modified);
    PlantDocument plant(context());
    QVERIFY(plant.open(m_path, nullptr));
    QSignalSpy changed(&plant, &PlantDocument::changed);
    PlantSettings settings = plant.settings();
    switch (change) {
    case Change::AddCase:
        plant.addCases({SampleCases::workedExample()});
        break;
    case Change::AddCurveCase:
        plant.addCurveCase(SampleCases::workedExample(), SystemCurveParameters{});
        break;
    case Change::RemoveRow:
        plant.removeRows({2, 7});
        break;
    case Change::ReplaceRow:
        plant.replaceRow(1, SampleCases::workedExample());
        QVERIFY(plant.rows()[1].isRead());
        break;
    case Change::SameSettings:
        plant.setSettings(settings);
        break;
    case Change::OtherRate:
        settings.lifetime.ratePercent = 9;
        plant.setSettings(settings);
        break;
    case Change::CountryFactor:
        plant.setCountryFactor(0.2);
        break;
    case Change::Save:
        plant.addCases({SampleCases::workedExample()});
        QVERIFY(plant.save(nullptr));
        break;
    case Change::Clear:
        plant.addCases({SampleCases::workedExample()});
        plant.clear();
        QCOMPARE(plant.rowCount(), 0);
        QVERIFY(plant.path().isEmpty());
        break;
    }
    QCOMPARE(plant.isModified(), modified);
    // The summary follows every change but the same settings.
    QCOMPARE(changed.isEmpty(), change == Change::SameSettings);
}

void TestPlantDocument::failuresChangeNothing()
{
    PlantDocument plant(context());
    QVERIFY(plant.open(m_path, nullptr));
    plant.removeRows({0});
    QString problem;
    QVERIFY(!plant.open(m_dir->filePath(QStringLiteral("none.csv")), &problem));
    QCOMPARE(problem, text(PlantText::FileMissing));
    QVERIFY(!plant.saveAs(m_dir->filePath(QStringLiteral("no folder/plant.csv")), &problem));
    QCOMPARE(problem, text(PlantText::FolderMissing));
    QCOMPARE(plant.path(), m_path);
    QCOMPARE(plant.rowCount(), 2);
    QVERIFY(plant.isModified());
    QCOMPARE(TestData::readBytes(m_path), Plant);
    QVERIFY(!plant.exportTo(m_dir->filePath(QStringLiteral("no folder/export.csv")), &problem));
}

TESSIO_TEST_GUILESS_MAIN(TestPlantDocument)
#include "tst_plantdocument.moc"
