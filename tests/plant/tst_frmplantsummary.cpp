// The plant window through its real form, over a real main window and its file commands, with the
// fake dialogs answering every message and file dialog.
#include "files/casefile.h"
#include "files/dialogfolder.h"
#include "localisation/captions.h"
#include "support/mainwindowfixture.h"
#include "plant/cashflowchart.h"
#include "plant/economicstext.h"
#include "plant/frmplantsummary.h"
#include "plant/plantcurve.h"
#include "plant/gridfactor.h"
#include "plant/plantchart.h"
#include "plant/plantchartview.h"
#include "plant/plantdocument.h"
#include "plant/plantsummarytable.h"
#include "plant/planttext.h"
#include "settings/regkeys.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

namespace T = PlantWindowText;
using Col = PlantSummaryTable::Column;

Q_DECLARE_METATYPE(QLocale)

class TestFrmPlantSummary : public QObject, private MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { initFixture(); }
    void init();
    void cleanup();

    void addCurrentCaseAndTotals();
    void caseFilesMatchTheMainWindow();
    void removeSelectedRows();
    void failedCaseShowsItsMessage();
    void modelColumnNamesEachRowsModel();
    void badFieldKeepsLastValue_data();
    void badFieldKeepsLastValue();
    void savedPlantReopensWithItsSettings();
    void unreadRowsAreShownGreyedAndCounted();
    void tabLeavesTheTableAndTheWindowFitsTheScreen();
    void languageSwitchRelabelsEverything();
    void commandsRunFromTheKeysTheirTooltipsName();
    void screenReaderReadsTheWindow();
    void budgetMarksTheChosenRowsAndItsOwnRow();
    void headingsSortAndCommandsActOnTheRightCase();
    void chartsFollowThePlantAndTheLanguage();

private:
    QString cell(int row, int column) const
    {
        return m_plant->table().index(row, column).data().toString();
    }
    QTableView *tableView() const { return m_plant->findChild<QTableView *>(QStringLiteral("tblCases")); }
    // What the view shows in a row, sorted or not.
    QString shown(int row, int column) const { return tableView()->model()->index(row, column).data().toString(); }
    void typeField(const char *name, const QString &typed)
    {
        auto *edit = m_plant->findChild<QLineEdit *>(QLatin1String(name));
        focus(edit);
        edit->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void clickHeading(int column)
    {
        QHeaderView *header = tableView()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
    }
    void click(const char *button)
    {
        auto *widget = m_plant->findChild<QPushButton *>(QLatin1String(button));
        QVERIFY2(widget && widget->isEnabled(), button);
        QTest::mouseClick(widget, Qt::LeftButton);
    }
    void makePlant()
    {
        m_plant = std::make_unique<frmPlantSummary>(
            PlantWindowLinks{m_dialogs, m_window->languageTexts(), m_company, m_window->locale(), *m_window, *m_commands});
        m_plant->show();
        QVERIFY(QTest::qWaitForWindowActive(m_plant.get()));
    }
    QStringList examples() const
    {
        QStringList paths;
        const QDir folder(QStringLiteral(TESSIO_TEST_DATA "/../../examples"));
        for (const QString &name : folder.entryList({QStringLiteral("*.WAU")}, QDir::Files, QDir::Name))
            paths.append(folder.filePath(name));
        return paths;
    }

    std::unique_ptr<frmPlantSummary> m_plant;
};

void TestFrmPlantSummary::init()
{
    initWindow();
    makePlant();
}

void TestFrmPlantSummary::cleanup()
{
    m_plant.reset();
    cleanupWindow();
}

void TestFrmPlantSummary::addCurrentCaseAndTotals()
{
    QCOMPARE(m_plant->windowTitle(), QStringLiteral("EN %1[*]").arg(PlantText::Title));
    QCOMPARE(m_plant->table().headerData(Col::Money, Qt::Horizontal).toString(),
             QStringLiteral("EN %1\n(US$)").arg(PlantText::MoneyYear));

    // A case the main window cannot calculate is refused with Calculate's own message.
    QVERIFY(!m_window->calculate());
    const QString calculateMessage = m_dialogs.messages.last().text;
    m_dialogs.clear();
    click("cmdAddCurrent");
    QCOMPARE(m_dialogs.texts(), QStringList{calculateMessage});
    QCOMPARE(m_plant->table().caseCount(), 0);

    // 10 kW, 90 %, 8 h at 90, 80 and 70 %: 29,200 kWh, US$ 2,920.00 and 4 months for US$ 1,000.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    fillValidCase();
    m_dialogs.clear();
    click("cmdAddCurrent");
    typeInto("mskInversor", QStringLiteral("3000"));
    tab();
    click("cmdAddCurrent");
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    QCOMPARE(m_plant->table().caseCount(), 2);
    QCOMPARE(cell(0, Col::Power), QStringLiteral("10.0"));
    QCOMPARE(cell(0, Col::Kwh), QStringLiteral("29,200"));
    QCOMPARE(cell(0, Col::Money), QStringLiteral("2,920.00"));
    QCOMPARE(cell(0, Col::Months), QStringLiteral("4"));
    QCOMPARE(cell(1, Col::Months), QStringLiteral("12"));
    // Totals: 58,400 kWh, US$ 5,840.00 a year for US$ 4,000: 8.2 months.
    const int totals = 2;
    QCOMPARE(cell(totals, Col::Reference), QStringLiteral("EN %1").arg(PlantText::Total));
    QCOMPARE(cell(totals, Col::Kwh), QStringLiteral("58,400"));
    QCOMPARE(cell(totals, Col::Money), QStringLiteral("5,840.00"));
    QCOMPARE(cell(totals, Col::Drive), QStringLiteral("4,000.00"));
    QCOMPARE(cell(totals, Col::Months), QStringLiteral("8"));
    QVERIFY(m_plant->table().index(totals, Col::Kwh).data(Qt::FontRole).value<QFont>().bold());
    QVERIFY(!m_plant->table().index(0, Col::Kwh).data(Qt::FontRole).value<QFont>().bold());

    // Replacing the selected row puts the main window's case there.
    tableView()->selectRow(0);
    click("cmdReplace");
    QCOMPARE(m_plant->table().caseCount(), 2);
    QCOMPARE(cell(0, Col::Months), QStringLiteral("12"));
    QCOMPARE(cell(totals, Col::Drive), QStringLiteral("6,000.00"));
    QVERIFY(m_plant->document().isModified());
    QCOMPARE(m_plant->windowTitle(), QStringLiteral("EN %1[*]").arg(PlantText::Title));
    QVERIFY(m_plant->isWindowModified());
}

void TestFrmPlantSummary::caseFilesMatchTheMainWindow()
{
    const QStringList files = examples();
    QCOMPARE(files.size(), 4);
    // A missing file and an empty one are refused and named; the others are added.
    const QString missing = m_folder.filePath(QStringLiteral("missing.WAU"));
    const QString empty = m_folder.filePath(QStringLiteral("empty.WAU"));
    QVERIFY(TestData::writeBytes(empty, QByteArray()));
    m_dialogs.fileNameLists.enqueue(QStringList{files[0], missing, files[1], empty, files[2], files[3]});
    click("cmdAddFiles");
    QCOMPARE(m_plant->table().caseCount(), 4);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages.first().text, QStringLiteral("EN %1\n\n%2\n%3")
                                                  .arg(T::FilesLeftOut)
                                                  .arg(QDir::toNativeSeparators(missing), QDir::toNativeSeparators(empty)));

    // Enter opens the selected row in the main window, which comes forward, calculated, with no
    // current file: the same figures as the row's.
    m_dialogs.clear();
    for (int row = 0; row < 4; ++row) {
        m_plant->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_plant.get()));
        focus(tableView());
        tableView()->selectRow(row);
        QTest::keyClick(tableView(), Qt::Key_Return);
        QTRY_VERIFY(m_window->isActiveWindow());
        QCOMPARE(field("mskReferencia")->rawText(), cell(row, Col::Reference));
        QCOMPARE(field("mskEconomiakW")->rawText(), cell(row, Col::Kwh));
        QCOMPARE(field("mskEconomiaReais")->rawText().trimmed(), cell(row, Col::Money));
        QCOMPARE(field("mskRetorno")->rawText(), cell(row, Col::Months));
        QVERIFY(m_commands->NomeArq().isEmpty());
    }
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));

    // A case typed since is asked about; Cancel keeps it, and the plant window comes back as it was.
    typeInto("mskReferencia", QStringLiteral("typed since"));
    tab();
    m_plant->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_plant.get()));
    tableView()->selectRow(1);
    m_dialogs.answers.enqueue(Dialogs::Answer::Cancel);
    click("cmdOpenCase");
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(field("mskReferencia")->rawText().trimmed(), QStringLiteral("typed since"));
    // The activations asked for are delivered in order before the active window is read.
    QApplication::processEvents();
    QTRY_COMPARE(QApplication::activeWindow(), m_plant.get());
    QCOMPARE(tableView()->currentIndex().row(), 1);
}

void TestFrmPlantSummary::removeSelectedRows()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    QCOMPARE(m_plant->table().caseCount(), 4);
    const QStringList references{cell(0, Col::Reference), cell(1, Col::Reference), cell(2, Col::Reference),
                                 cell(3, Col::Reference)};
    QTableView *view = tableView();
    view->setFocus();
    QTRY_VERIFY(view->hasFocus());
    view->selectRow(0);
    view->selectionModel()->select(view->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // The totals row in the selection is not removed.
    view->selectionModel()->select(view->model()->index(4, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(m_plant->table().caseCount(), 2);
    QCOMPARE(cell(0, Col::Reference), references[1]);
    QCOMPARE(cell(1, Col::Reference), references[3]);
    QCOMPARE(cell(2, Col::Reference), QStringLiteral("EN %1").arg(PlantText::Total));
}

// The last column says which model each row's figures come from, its tooltip every parameter; the
// totals row names none.
void TestFrmPlantSummary::modelColumnNamesEachRowsModel()
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    fillValidCase();
    click("cmdAddCurrent");
    m_plant->document().addCurveCase(m_window->caseRecord(), SystemCurveParameters{30, 95, 40, std::nullopt});
    QCOMPARE(m_plant->table().headerData(Col::Model, Qt::Horizontal, Qt::ToolTipRole).toString(),
             QStringLiteral("EN %1").arg(PlantCurveText::Model));
    QCOMPARE(cell(0, Col::Model), QStringLiteral("EN %1").arg(PlantCurveText::FixedTable));
    QCOMPARE(cell(1, Col::Model), QStringLiteral("EN %1, h0 30 %").arg(PlantCurveText::SystemCurve));
    const QString tooltip = m_plant->table().index(1, Col::Model).data(Qt::ToolTipRole).toString();
    QVERIFY2(tooltip.contains(QStringLiteral("ηd 95 %, smin 40 %, P0 11.11 kW")), qPrintable(tooltip));
    QCOMPARE(cell(2, Col::Model), QString());
}

void TestFrmPlantSummary::failedCaseShowsItsMessage()
{
    // A case file whose days the checks refuse: it is added, shows the check's message across its
    // results and counts in no total.
    CaseRecord record;
    record.mskPotencia = QStringLiteral("10");
    record.mskDiaAno = QStringLiteral("400");
    record.mskValorkWh = QStringLiteral("0.10");
    record.mskInversor = QStringLiteral("1000");
    record.mskVazao90 = QStringLiteral("8");
    record.mskReferencia = QStringLiteral("bad");
    const QString bad = m_folder.filePath(QStringLiteral("bad.WAU"));
    QVERIFY(WriteCaseFile(bad, record));
    m_dialogs.fileNameLists.enqueue(QStringList{bad, examples().first()});
    click("cmdAddFiles");
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(m_plant->table().caseCount(), 2);
    QCOMPARE(cell(0, Col::Kwh), QStringLiteral("EN %1").arg(CalcText::DaysTooHigh));
    QCOMPARE(tableView()->columnSpan(0, Col::Kwh), Col::ColumnCount - Col::Kwh);
    QCOMPARE(tableView()->columnSpan(1, Col::Kwh), 1);
    QCOMPARE(cell(2, Col::Kwh), cell(1, Col::Kwh));
    QCOMPARE(cell(2, Col::Money), cell(1, Col::Money));
}

void TestFrmPlantSummary::badFieldKeepsLastValue_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: taken
    QTest::addColumn<QString>("shown");
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    const QString badFactor = QStringLiteral("EN %1").arg(PlantText::BadFactor);
    QTest::newRow("factor above 2") << english << "txtFactor" << "2.5" << badFactor << "";
    QTest::newRow("factor not a number") << english << "txtFactor" << "abc" << badFactor << "";
    QTest::newRow("factor taken") << english << "txtFactor" << "0.5" << "" << "0.500";
    // A decimal point on a decimal-comma machine is refused with the separator to use.
    QTest::newRow("factor with a point, Brazil")
        << brazil << "txtFactor" << "0.4" << QStringLiteral("EN %1 EN %2").arg(PlantText::BadFactor).arg(PlantText::UseDecimalSeparator) << "";
    QTest::newRow("factor with a comma, Brazil") << brazil << "txtFactor" << "0,4" << "" << "0,400";
    QTest::newRow("years 0") << english << "txtYears" << "0" << QStringLiteral("EN %1").arg(PlantText::BadYears) << "10";
    QTest::newRow("years 51") << english << "txtYears" << "51" << QStringLiteral("EN %1").arg(PlantText::BadYears) << "10";
    QTest::newRow("years not whole") << english << "txtYears" << "2.5" << QStringLiteral("EN %1").arg(PlantText::BadYears) << "10";
    QTest::newRow("years taken") << english << "txtYears" << "20" << "" << "20";
    QTest::newRow("rate negative") << english << "txtRate" << "-1" << QStringLiteral("EN %1").arg(PlantText::BadRate) << "8";
    QTest::newRow("rate above 100") << english << "txtRate" << "100.5" << QStringLiteral("EN %1").arg(PlantText::BadRate) << "8";
    QTest::newRow("rate taken") << english << "txtRate" << "0" << "" << "0";
    const QString badRise = QStringLiteral("EN %1").arg(EconomicsText::EscalationRange);
    QTest::newRow("rise above 50") << english << "txtEscalation" << "50.5" << badRise << "0";
    QTest::newRow("rise 1e1") << english << "txtEscalation" << "1e1" << badRise << "0";
    QTest::newRow("rise with a point, Brazil")
        << brazil << "txtEscalation" << "2.5" << QStringLiteral("%1 EN %2").arg(badRise).arg(PlantText::UseDecimalSeparator) << "0";
    QTest::newRow("rise taken") << english << "txtEscalation" << "3" << "" << "3";
    QTest::newRow("budget negative") << english << "txtBudget" << "-5" << QStringLiteral("EN %1").arg(EconomicsText::BudgetRange) << "";
    QTest::newRow("budget taken as money") << english << "txtBudget" << "1,500.5" << "" << "1,500.50";
}

void TestFrmPlantSummary::badFieldKeepsLastValue()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, shown);
    if (locale != m_window->locale()) {
        m_plant.reset();
        initWindow(locale);
        makePlant();
    }

    // The factor starts as the row of the company's country (the setup window's default, USA), shown
    // with every decimal it has.
    const std::optional<GridIntensity> usa = gridIntensityFor(QStringLiteral("USA"));
    QVERIFY(usa);
    QString defaultFactor = PlantFormat::factor(usa->kgPerKwh(), locale);
    QVERIFY(QString::number(usa->kgPerKwh(), 'g', 15).endsWith(defaultFactor.right(3)));
    auto *factor = m_plant->findChild<QLineEdit *>(QStringLiteral("txtFactor"));
    QCOMPARE(factor->text(), defaultFactor);
    if (shown.isEmpty() && field == QLatin1String("txtFactor"))
        shown = defaultFactor;

    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    const PlantFigures before = m_plant->table().summary().totals;
    QVERIFY(m_plant->document().isModified());

    auto *edit = m_plant->findChild<QLineEdit *>(field);
    focus(edit);
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), shown);
    const PlantFigures after = m_plant->table().summary().totals;
    if (!message.isEmpty()) {
        QCOMPARE(m_dialogs.texts(), QStringList{message});
        QVERIFY(after.npv == before.npv);
        QVERIFY(after.co2 == before.co2);
        return;
    }
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    if (field == QLatin1String("txtFactor")) {
        // Used at once, as shown, and remembered for the next plant.
        const double used = *m_plant->document().settings().typedFactor;
        QCOMPARE(PlantFormat::factor(used, locale), shown);
        QVERIFY(after.co2 && qFuzzyCompare(*after.co2, after.kwh * used / 1000));
        QCOMPARE(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, frmPlantSummary::GridFactorValue).toDouble(), used);
        QCOMPARE(cell(4, Col::Co2), PlantFormat::co2(after.co2, locale));
    } else if (field == QLatin1String("txtBudget")) {
        QCOMPARE(m_plant->table().summary().choice->budget, 1500.5);
    } else {
        QVERIFY(after.npv != before.npv);
    }
}

void TestFrmPlantSummary::savedPlantReopensWithItsSettings()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    for (const auto &[name, typed] : {std::pair{"txtYears", "15"}, {"txtRate", "6.5"}, {"txtFactor", "0.45"},
                                      {"txtEscalation", "2.5"}, {"txtBudget", "20000"}})
        typeField(name, QLatin1String(typed));
    const PlantSettings settings = m_plant->document().settings();
    QCOMPARE(settings.lifetime, (PlantLifetime{15, 6.5, 2.5}));
    QCOMPARE(settings.budget, std::optional<double>(20000));
    const QString npv = m_plant->findChild<QLabel *>(QStringLiteral("lblNpvValue"))->text();

    // The first Save asks for a name in the documents folder; a name without an extension gets ".csv".
    QTemporaryDir dir;
    m_dialogs.fileNames.enqueue(dir.filePath(QStringLiteral("line 3")));
    QTest::keyClick(m_plant.get(), Qt::Key_S, Qt::ControlModifier);
    const QString saved = dir.filePath(QStringLiteral("line 3.csv"));
    QVERIFY(QFile::exists(saved));
    QCOMPARE(m_dialogs.fileRequests.size(), 2);
    QCOMPARE(m_dialogs.fileRequests.last().folder, documentsFolder());
    QCOMPARE(m_plant->windowTitle(), QStringLiteral("EN %1 - line 3.csv[*]").arg(PlantText::Title));
    QVERIFY(!m_plant->isWindowModified());
    // Save As (Ctrl+Shift+S) starts in the plant's folder.
    QTest::keyClick(m_plant.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_dialogs.fileRequests.last().folder, dir.path());

    // Another plant, then the saved one again: the same settings and figures.
    click("cmdNew");
    QCOMPARE(m_plant->table().caseCount(), 0);
    QCOMPARE(m_plant->document().settings().lifetime, PlantLifetime{});
    m_dialogs.fileNames.enqueue(saved);
    click("cmdOpen");
    QCOMPARE(m_plant->table().caseCount(), 4);
    QCOMPARE(m_plant->document().settings(), settings);
    QCOMPARE(m_plant->findChild<QLineEdit *>(QStringLiteral("txtRate"))->text(), QStringLiteral("6.5"));
    QCOMPARE(m_plant->findChild<QLineEdit *>(QStringLiteral("txtBudget"))->text(), QStringLiteral("20,000.00"));
    QCOMPARE(m_plant->findChild<QLabel *>(QStringLiteral("lblNpvValue"))->text(), npv);
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
}

void TestFrmPlantSummary::unreadRowsAreShownGreyedAndCounted()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.csv"));
    QVERIFY(TestData::writeBytes(path, "reference,application,power,unit,efficiency,kwh_price,drive_price,days,h100,h90,h80,h70,h60,h50\r\n"
                                       "P1,0,10,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n"
                                       "P2,0,abc,kW,90,0.1,1000,365,0,8,8,8,0,0\r\n"));
    m_dialogs.fileNames.enqueue(path);
    click("cmdOpen");
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN %1\n\nEN %2").arg(T::LinesLeftOut).arg(PlantText::LineError)});
    QCOMPARE(m_plant->table().caseCount(), 2);
    QCOMPARE(cell(1, Col::Reference), QStringLiteral("P2"));
    QCOMPARE(tableView()->columnSpan(1, Col::Kwh), Col::ColumnCount - Col::Kwh);
    const QVariant grey = m_plant->table().index(1, Col::Reference).data(Qt::ForegroundRole);
    QVERIFY(grey.isValid() && !m_plant->table().index(0, Col::Reference).data(Qt::ForegroundRole).isValid());
    QCOMPARE(m_plant->table().summary().leftOutCount, 1);
    QCOMPARE(cell(2, Col::Kwh), cell(0, Col::Kwh));
    // Open in main window has nothing to open in such a row; Remove and Replace act on it.
    tableView()->selectRow(1);
    QVERIFY(!m_plant->findChild<QPushButton *>(QStringLiteral("cmdOpenCase"))->isEnabled());
    QVERIFY(m_plant->findChild<QPushButton *>(QStringLiteral("cmdRemove"))->isEnabled());
}

void TestFrmPlantSummary::tabLeavesTheTableAndTheWindowFitsTheScreen()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    focus(tableView());
    QTest::keyClick(tableView(), Qt::Key_Tab);
    QTRY_VERIFY(QApplication::focusWidget() != tableView());
    QVERIFY(m_plant->screen()->availableGeometry().contains(m_plant->frameGeometry()));
}

// Every caption the user sees, by where it is: window title, commands, groups, labels, the table's
// headings and totals row, the fields' accessible names. The labels that show figures are left out.
static QMap<QString, QString> visibleCaptions(QWidget *window, const QAbstractItemModel &table)
{
    QMap<QString, QString> captions{{QStringLiteral("title"), window->windowTitle()}};
    for (auto *button : window->findChildren<QPushButton *>())
        captions.insert(button->objectName(), button->text());
    for (auto *group : window->findChildren<QGroupBox *>())
        captions.insert(group->objectName(), group->title());
    for (auto *label : window->findChildren<QLabel *>()) {
        if (!label->objectName().endsWith(QLatin1String("Value")))
            captions.insert(label->objectName(), label->text());
    }
    for (auto *edit : window->findChildren<QLineEdit *>())
        captions.insert(edit->objectName(), edit->accessibleName());
    for (int c = 0; c < table.columnCount(); ++c)
        captions.insert(QStringLiteral("heading %1").arg(c), table.headerData(c, Qt::Horizontal).toString());
    captions.insert(QStringLiteral("totals"), table.index(table.rowCount() - 1, 0).data().toString());
    return captions;
}

void TestFrmPlantSummary::languageSwitchRelabelsEverything()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    // A typed factor's note changes with the language too.
    auto *factor = m_plant->findChild<QLineEdit *>(QStringLiteral("txtFactor"));
    focus(factor);
    factor->selectAll();
    QTest::keyClicks(factor, QStringLiteral("0.4"));
    QTest::keyClick(factor, Qt::Key_Return);
    QCOMPARE(m_plant->findChild<QLabel *>(QStringLiteral("lblFactorSource"))->text(), QStringLiteral("EN %1").arg(T::TypedFactor));
    QComboBox *languages = m_window->cboIdioma();
    QCOMPARE(languages->count(), 3);
    QMap<QString, QString> before = visibleCaptions(m_plant.get(), m_plant->table());
    QVERIFY(before.size() > 30);
    for (int language : {0, 1, 2}) {
        if (language == languages->currentIndex())
            continue;
        languages->setCurrentIndex(language);
        m_plant->retranslate(); // as the program does when the main window's language changes
        const QMap<QString, QString> after = visibleCaptions(m_plant.get(), m_plant->table());
        QCOMPARE(after.keys(), before.keys());
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
            QVERIFY2(it.value() != before.value(it.key()), qPrintable(QString(it.key() + QStringLiteral(": ") + it.value())));
        }
        before = after;
    }
}

void TestFrmPlantSummary::commandsRunFromTheKeysTheirTooltipsName()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    QCOMPARE(m_plant->table().caseCount(), 4);
    // New plant's tooltip: its caption, then its key; that key asks about the changed plant and empties it.
    auto *newPlant = m_plant->findChild<QPushButton *>(QStringLiteral("cmdNew"));
    const QString caption = newPlant->text() + QStringLiteral(" (");
    const QString tip = newPlant->toolTip();
    QVERIFY2(tip.startsWith(caption) && tip.endsWith(u')'), qPrintable(tip));
    const QKeySequence key = QKeySequence::fromString(tip.mid(caption.size()).chopped(1), QKeySequence::NativeText);
    QVERIFY2(!key.isEmpty(), qPrintable(tip));
    m_dialogs.clear();
    m_dialogs.answers.enqueue(Dialogs::Answer::Discard);
    QTest::keySequence(m_plant->windowHandle(), key);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_plant->table().caseCount(), 0);

    // Escape closes the window, as any secondary window closes.
    QTest::keyClick(m_plant.get(), Qt::Key_Escape);
    QVERIFY(!m_plant->isVisible());
}

void TestFrmPlantSummary::screenReaderReadsTheWindow()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    // What assistive technology finds from the window down: a window named by its title; the table by
    // that title too; each field and each lifetime figure by the caption beside it, the figure read as
    // its description; every command a button with a Press action.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_plant.get());
    QCOMPARE(window->role(), QAccessible::Window);
    const QString title = QStringLiteral("EN %1").arg(PlantText::Title);
    QVERIFY2(window->text(QAccessible::Name).startsWith(title), qPrintable(window->text(QAccessible::Name)));
    QHash<QObject *, QAccessibleInterface *> found;
    QList<QAccessibleInterface *> pending{window};
    while (!pending.isEmpty()) {
        QAccessibleInterface *iface = pending.takeFirst();
        for (int i = 0; i < iface->childCount(); ++i)
            pending.append(iface->child(i));
        found.insert(iface->object(), iface);
    }
    QAccessibleInterface *table = found.value(tableView());
    QVERIFY(table);
    QCOMPARE(table->text(QAccessible::Name), title);

    int named = 0;
    for (QWidget *widget : m_plant->findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        const bool figure = name.startsWith(QLatin1String("lbl")) && name.endsWith(QLatin1String("Value"));
        if (!figure && !name.startsWith(QLatin1String("txt")))
            continue;
        const QString captionName = figure ? name.chopped(5) : QStringLiteral("lbl") + name.mid(3);
        auto *caption = m_plant->findChild<QLabel *>(captionName);
        QVERIFY2(caption && found.contains(widget), qPrintable(name));
        QCOMPARE(found.value(widget)->text(QAccessible::Name), accessibleCaption(caption->text()));
        if (figure)
            QCOMPARE(found.value(widget)->text(QAccessible::Description), qobject_cast<QLabel *>(widget)->text());
        ++named;
    }
    QCOMPARE(named, 5 + 5);

    const QList<QPushButton *> buttons = m_plant->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 11);
    for (QPushButton *button : buttons) {
        QAccessibleInterface *iface = found.value(button);
        QVERIFY2(iface && iface->role() == QAccessible::Button, qPrintable(button->objectName()));
        QCOMPARE(iface->text(QAccessible::Name), withoutAccessKey(button->text()));
        QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    }
}

// The example plant, by payback: P-204 (0.56 years), P-101 (0.77), AHU-12 (1.64), F-310 (2.0). 20,000
// buys the first two (16,250.00); AHU-12's 3,950.00 no longer fits and F-310's neither.
void TestFrmPlantSummary::budgetMarksTheChosenRowsAndItsOwnRow()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    QCOMPARE(m_plant->table().rowCount(), 5);
    typeField("txtBudget", QStringLiteral("20000"));
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    const PlantSummaryTable &table = m_plant->table();
    QCOMPARE(table.rowCount(), 6);
    for (int row = 0; row < table.rowCount(); ++row) {
        const bool chosen = row == 0 || row == 1 || row == 5;
        QCOMPARE(table.index(row, Col::Reference).data(Qt::BackgroundRole).isValid(), chosen);
        QCOMPARE(table.index(row, Col::Reference).data(Qt::AccessibleDescriptionRole).toString(),
                 chosen && row < 4 ? QStringLiteral("EN %1").arg(EconomicsText::WithinBudget) : QString());
    }
    // The choice's own line: two drives, their price, kWh and money a year and months.
    QCOMPARE(cell(5, Col::Reference), QStringLiteral("EN %1").arg(EconomicsText::ChoiceMany));
    QCOMPARE((QStringList{cell(5, Col::Kwh), cell(5, Col::Money), cell(5, Col::Drive), cell(5, Col::Months)}),
             (QStringList{"266,125", "25,567.17", "16,250.00", "8"}));
    QVERIFY(table.index(5, Col::Kwh).data(Qt::FontRole).value<QFont>().bold());

    // An empty budget is none: no marks, no line.
    typeField("txtBudget", QString());
    QCOMPARE(table.rowCount(), 5);
    QVERIFY(!table.index(0, Col::Reference).data(Qt::BackgroundRole).isValid());
    QVERIFY(m_dialogs.messages.isEmpty());
}

// A click on a heading sorts the view by it, a second the other way, a third gives the plant's order
// back; the totals and the choice stay last, the commands act on the case shown, the file keeps its order.
void TestFrmPlantSummary::headingsSortAndCommandsActOnTheRightCase()
{
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    typeField("txtBudget", QStringLiteral("20000"));
    QStringList references;
    for (int row = 0; row < 4; ++row)
        references << cell(row, Col::Reference);
    const QString total = QStringLiteral("EN %1").arg(PlantText::Total);
    const QString choice = QStringLiteral("EN %1").arg(EconomicsText::ChoiceMany);
    const auto column = [this](int c) {
        QStringList texts;
        for (int row = 0; row < tableView()->model()->rowCount(); ++row)
            texts << shown(row, c);
        return texts;
    };
    // Money a year: AHU-12, P-101, P-204, F-310 up.
    clickHeading(Col::Money);
    QCOMPARE(column(Col::Reference), (QStringList{references[3], references[1], references[0], references[2], total, choice}));
    QVERIFY(tableView()->model()->headerData(Col::Money, Qt::Horizontal).toString().endsWith(QChar(0x25B2)));
    clickHeading(Col::Money);
    QCOMPARE(column(Col::Reference), (QStringList{references[2], references[0], references[1], references[3], total, choice}));

    // The first row shown is F-310: Remove takes it out of the plant, whose order stays.
    tableView()->selectRow(0);
    click("cmdRemove");
    QCOMPARE(m_plant->table().caseCount(), 3);
    QStringList kept;
    for (const PlantRow &row : m_plant->document().rows())
        kept << row.record->mskReferencia;
    QCOMPARE(kept, (QStringList{references[0], references[1], references[3]}));
    QCOMPARE(column(Col::Reference).mid(3), (QStringList{total, choice}));

    clickHeading(Col::Money);
    QCOMPARE(column(Col::Reference), (QStringList{references[0], references[1], references[3], total, choice}));
    QCOMPARE(tableView()->model()->headerData(Col::Money, Qt::Horizontal), m_plant->table().headerData(Col::Money, Qt::Horizontal));
}

void TestFrmPlantSummary::chartsFollowThePlantAndTheLanguage()
{
    auto *pages = m_plant->findChild<QTabWidget *>(QStringLiteral("tabPages"));
    QVERIFY(pages);
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->tabText(1), QStringLiteral("EN %1").arg(EconomicsText::ChartsPage));
    pages->setCurrentIndex(1);
    auto *savings = m_plant->findChild<PlantChartView *>(QStringLiteral("chtSavings"));
    auto *cashFlow = m_plant->findChild<PlantChartView *>(QStringLiteral("chtCashFlow"));
    QVERIFY(savings && cashFlow && savings->isVisible() && cashFlow->isVisible());
    QCOMPARE(savings->accessibleName(), QStringLiteral("EN %1").arg(EconomicsText::SavingsChartTitle));
    QCOMPARE(cashFlow->accessibleName(), QStringLiteral("EN %1").arg(EconomicsText::CashFlowChartTitle));
    const QString empty = savings->accessibleDescription();
    QCOMPARE(empty, QStringLiteral("EN %1").arg(EconomicsText::NothingToShow));

    // Every change of the plant: its cases, then its budget, then its period.
    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    QCOMPARE(savings->chart()->texts(PlantChart::TextRole::BarLabel).size(), 4);
    QVERIFY(!savings->accessibleDescription().contains(QStringLiteral("EN %1").arg(EconomicsText::WithinBudget)));
    typeField("txtBudget", QStringLiteral("20000"));
    QCOMPARE(savings->accessibleDescription().count(QStringLiteral("EN %1").arg(EconomicsText::WithinBudget)), 2);
    QCOMPARE(static_cast<const CashFlowChart *>(cashFlow->chart())->years(), 10);
    typeField("txtYears", QStringLiteral("15"));
    QCOMPARE(static_cast<const CashFlowChart *>(cashFlow->chart())->years(), 15);

    // And the language.
    m_window->cboIdioma()->setCurrentIndex(0);
    m_plant->retranslate();
    QCOMPARE(savings->accessibleName(), QStringLiteral("PT %1").arg(EconomicsText::SavingsChartTitle));
    QCOMPARE(cashFlow->accessibleName(), QStringLiteral("PT %1").arg(EconomicsText::CashFlowChartTitle));
    QCOMPARE(pages->tabText(0), QStringLiteral("PT %1").arg(EconomicsText::CasesPage));
}

TESSIO_TEST_MAIN(TestFrmPlantSummary)
#include "tst_frmplantsummary.moc"
