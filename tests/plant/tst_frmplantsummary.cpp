// The plant window through its real form, over a real main window and its file commands, with the
// fake dialogs answering every message and file dialog.
#include "files/casefile.h"
#include "support/mainwindowfixture.h"
#include "plant/frmplantsummary.h"
#include "plant/gridfactor.h"
#include "plant/planttext.h"
#include "settings/regkeys.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace T = PlantWindowText;
using Col = PlantSummaryTable::Column;

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
    void badFieldKeepsLastValue_data();
    void badFieldKeepsLastValue();
    void languageSwitchRelabelsEverything();

private:
    QString cell(int row, int column) const
    {
        return m_plant->table().index(row, column).data().toString();
    }
    QTableView *tableView() const { return m_plant->findChild<QTableView *>(QStringLiteral("tblCases")); }
    void click(const char *button)
    {
        auto *widget = m_plant->findChild<QPushButton *>(QLatin1String(button));
        QVERIFY2(widget && widget->isEnabled(), button);
        QTest::mouseClick(widget, Qt::LeftButton);
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
    m_plant = std::make_unique<frmPlantSummary>(
        PlantWindowLinks{m_dialogs, m_window->languageTexts(), m_company, m_window->locale(), m_folder.path(),
                         *m_window, *m_commands});
    m_plant->show();
    QVERIFY(QTest::qWaitForWindowActive(m_plant.get()));
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
             QStringLiteral("EN %1 (US$)").arg(PlantText::MoneyYear));

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
    QVERIFY(m_plant->isModified());
}

void TestFrmPlantSummary::caseFilesMatchTheMainWindow()
{
    const QStringList files = examples();
    QCOMPARE(files.size(), 4);
    const QString missing = m_folder.filePath(QStringLiteral("missing.WAU"));
    m_dialogs.fileNameLists.enqueue(QStringList{files[0], missing, files[1], files[2], files[3]});
    click("cmdAddFiles");
    QCOMPARE(m_plant->table().caseCount(), 4);
    QCOMPARE(m_dialogs.messages.size(), 1);
    QCOMPARE(m_dialogs.messages.first().text,
             QStringLiteral("EN %1\n\n%2").arg(T::FilesLeftOut).arg(QDir::toNativeSeparators(missing)));

    // Enter opens the selected row in the main window, calculated, with no current file: the same
    // figures as the row's.
    m_dialogs.clear();
    tableView()->setFocus();
    for (int row = 0; row < 4; ++row) {
        tableView()->selectRow(row);
        QTest::keyClick(tableView(), Qt::Key_Return);
        QCOMPARE(field("mskReferencia")->rawText(), cell(row, Col::Reference));
        QCOMPARE(field("mskEconomiakW")->rawText(), cell(row, Col::Kwh));
        QCOMPARE(field("mskEconomiaReais")->rawText().trimmed(), cell(row, Col::Money));
        QCOMPARE(field("mskRetorno")->rawText(), cell(row, Col::Months));
        QVERIFY(m_commands->NomeArq().isEmpty());
    }
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
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
    view->selectionModel()->select(m_plant->table().index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // The totals row in the selection is not removed.
    view->selectionModel()->select(m_plant->table().index(4, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(m_plant->table().caseCount(), 2);
    QCOMPARE(cell(0, Col::Reference), references[1]);
    QCOMPARE(cell(1, Col::Reference), references[3]);
    QCOMPARE(cell(2, Col::Reference), QStringLiteral("EN %1").arg(PlantText::Total));
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
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message"); // 0: taken
    QTest::addColumn<QString>("shown");
    QTest::newRow("factor above 2") << "txtFactor" << "2.5" << T::BadFactor << "";
    QTest::newRow("factor not a number") << "txtFactor" << "abc" << T::BadFactor << "";
    QTest::newRow("factor taken") << "txtFactor" << "0.5" << 0 << "0.500";
    QTest::newRow("years 0") << "txtYears" << "0" << T::BadYears << "10";
    QTest::newRow("years 51") << "txtYears" << "51" << T::BadYears << "10";
    QTest::newRow("years not whole") << "txtYears" << "2.5" << T::BadYears << "10";
    QTest::newRow("years taken") << "txtYears" << "20" << 0 << "20";
    QTest::newRow("rate negative") << "txtRate" << "-1" << T::BadRate << "8";
    QTest::newRow("rate above 100") << "txtRate" << "100.5" << T::BadRate << "8";
    QTest::newRow("rate taken") << "txtRate" << "0" << 0 << "0";
}

void TestFrmPlantSummary::badFieldKeepsLastValue()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(int, message);
    QFETCH(QString, shown);

    // The factor starts as the row of the company's country (the setup window's default, USA).
    const std::optional<GridIntensity> usa = gridIntensityFor(QStringLiteral("USA"));
    QVERIFY(usa);
    QString defaultFactor = PlantFormat::factor(usa->kgPerKwh(), m_window->locale());
    auto *factor = m_plant->findChild<QLineEdit *>(QStringLiteral("txtFactor"));
    QCOMPARE(factor->text(), defaultFactor);
    if (shown.isEmpty())
        shown = defaultFactor;

    m_dialogs.fileNameLists.enqueue(examples());
    click("cmdAddFiles");
    const PlantFigures before = m_plant->table().summary().totals;

    auto *edit = m_plant->findChild<QLineEdit *>(field);
    focus(edit);
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(edit->text(), shown);
    const PlantFigures after = m_plant->table().summary().totals;
    if (message) {
        QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN %1").arg(message)});
        QVERIFY(after.npv == before.npv);
        QVERIFY(after.co2 == before.co2);
        return;
    }
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    if (field == QLatin1String("txtFactor")) {
        // Used at once and remembered for the next window.
        QVERIFY(after.co2 && qFuzzyCompare(*after.co2, after.kwh * 0.5 / 1000));
        QCOMPARE(GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, frmPlantSummary::GridFactorValue),
                 QStringLiteral("0.5"));
        QCOMPARE(cell(4, Col::Co2), PlantFormat::co2(after.co2, m_window->locale()));
    } else {
        QVERIFY(after.npv != before.npv);
    }
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

TESSIO_TEST_MAIN(TestFrmPlantSummary)
#include "tst_frmplantsummary.moc"
