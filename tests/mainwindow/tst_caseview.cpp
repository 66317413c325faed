#include "files/export.h"
#include "mainwindow/fieldbehaviour.h"
#include "mainwindow/frmcalcretorno.h"
#include "platform/commandlabel.h"
#include "support/mainwindowfixture.h"
#include "support/testmain.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

using Command = frmCalcRetorno::Command;

// The main window as the case view the file commands see (CaseView): what each of its calls does to
// the window. What the commands do with them is tst_filecommands.
class TestCaseView : public QObject, MainWindowFixture
{
    Q_OBJECT
private slots:
    void initTestCase() { initFixture(); }
    void init() { initWindow(); }
    void cleanup() { cleanupWindow(); }

    void leaveFieldRunsTheLeavingRule();
    void putCaseMakesTheTextsTheTextsAtFocus();
    void startNewCaseKeepsApplicationAndUnit();
    void startNewCaseSelectsTheCurrency();
    void commandEndedWhitensTheLabel();
    void caseDocumentIsTheCaseShown();
    void referenceRefusesDoubleQuote();

private:
    CaseRecord validCase() const;
    bool isWhite(Command command) const
    {
        const QLabel *label = m_window->commandLabel(command);
        return label->autoFillBackground() && label->palette().color(QPalette::Window) == QColor(Qt::white);
    }
};

CaseRecord TestCaseView::validCase() const
{
    CaseRecord r = m_window->caseRecord();
    r.cboAplicacao = 2;
    r.optUnPotencia = UnitHp;
    r.mskPotencia = QStringLiteral("1,234.5");
    r.mskRendimento = QStringLiteral("95");
    r.mskValorkWh = QStringLiteral("0.12");
    r.mskInversor = QStringLiteral("25,000.75");
    r.mskDiaAno = QStringLiteral("300");
    r.mskVazao100 = r.mskVazao50 = QStringLiteral("2");
    r.mskVazao90 = r.mskVazao60 = QStringLiteral("4");
    r.mskVazao80 = r.mskVazao70 = QStringLiteral("6");
    r.mskReferencia = QStringLiteral("Bomba nº 3");
    return r;
}

void TestCaseView::leaveFieldRunsTheLeavingRule()
{
    m_window->applyCaseRecord(validCase(), true);
    QVERIFY(m_window->calculate());
    // 20 kW typed but the field not yet left: its leaving rule writes the efficiency and empties the
    // results.
    m_window->selectUnit(UnitKw);
    typeInto("mskPotencia", QStringLiteral("20"));
    m_window->leaveField();
    QCOMPARE(field("mskRendimento")->rawText(), QStringLiteral("87"));
    QVERIFY(resultsEmpty());
    QTRY_COMPARE(QApplication::focusWidget(), field("mskReferencia"));
}

void TestCaseView::putCaseMakesTheTextsTheTextsAtFocus()
{
    fillValidCase();
    const QString currency = m_window->currencyText();
    CaseRecord put = validCase();
    m_window->putCase(put);
    CaseRecord shown = m_window->caseRecord();
    QVERIFY(resultsEmpty());
    put.clearResults();
    shown.cboMoedas = put.cboMoedas;
    QVERIFY(shown == put);
    QCOMPARE(m_window->currencyText(), currency);
    for (MaskedEdit *edit : m_window->fields())
        QCOMPARE(edit->tag(), edit->rawText());

}

void TestCaseView::startNewCaseKeepsApplicationAndUnit()
{
    m_window->putCase(validCase());
    QVERIFY(m_window->calculate());
    m_window->startNewCase(0.08, m_window->currencyText());
    QVERIFY(m_dialogs.messages.isEmpty());
    for (const char *empty : {"mskPotencia", "mskRendimento", "mskInversor", "mskReferencia", "mskEconomiakW",
                              "mskEconomiaReais", "mskRetorno"})
        QVERIFY2(field(empty)->rawText().isEmpty(), empty);
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0.08"));
    QCOMPARE(field("mskDiaAno")->rawText(), QStringLiteral("365"));
    for (const char *hours : {"mskVazao100", "mskVazao90", "mskVazao80", "mskVazao70", "mskVazao60", "mskVazao50"})
        QCOMPARE(field(hours)->rawText(), QStringLiteral("0"));
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 2);
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_1"))->isChecked());
    QCOMPARE(m_window->languageName(), QStringLiteral("English"));
}

void TestCaseView::startNewCaseSelectsTheCurrency()
{
    // The currency selected already: no change runs, the given price stays.
    QCOMPARE(m_window->currencyText(), QStringLiteral("US$"));
    m_window->startNewCase(0.08, QStringLiteral("US$"));
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0.08"));

    // Another currency: selecting it runs the currency change.
    m_window->startNewCase(0.08, QStringLiteral("CAN$"));
    QCOMPARE(m_window->currencyText(), QStringLiteral("CAN$"));
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0.12"));
    QCOMPARE(m_window->label2(11)->text(), QStringLiteral("EN 29 (CAN$)"));

    // A text that is no currency of the list keeps the selected one.
    m_window->startNewCase(0.08, QStringLiteral("XYZ"));
    QCOMPARE(m_window->currencyText(), QStringLiteral("CAN$"));
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0.08"));

    // The price is written with the window's decimal separator.
    initWindow(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m_window->selectCurrency(QStringLiteral("R$"));
    m_window->startNewCase(0.08, QStringLiteral("US$"));
    QCOMPARE(m_window->currencyText(), QStringLiteral("US$"));
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0,1"));
    m_window->startNewCase(0.08, QStringLiteral("US$"));
    QCOMPARE(field("mskValorkWh")->rawText(), QStringLiteral("0,08"));
}

void TestCaseView::commandEndedWhitensTheLabel()
{
    // Save As leaves its mark on the Save label.
    for (const auto &[ended, label] : {std::pair{Command::Open, Command::Open}, std::pair{Command::SaveAs, Command::Save},
                                       std::pair{Command::Export, Command::Export}}) {
        QVERIFY(!isWhite(label));
        m_window->commandEnded(ended);
        QVERIFY(isWhite(label));
    }
    QVERIFY(!isWhite(Command::SaveAs));
}

void TestCaseView::caseDocumentIsTheCaseShown()
{
    m_company.CompanyName = QStringLiteral("Acme Drives");
    m_window->putCase(validCase());
    QVERIFY(m_window->calculate());
    const CaseDocument document = m_window->caseDocument();
    QVERIFY(document.record == m_window->caseRecord());
    QCOMPARE(document.applicationText, m_window->applicationText());
    QCOMPARE(document.company.CompanyName, QStringLiteral("Acme Drives"));
    QCOMPARE(document.locale, m_window->locale());
    QCOMPARE(document.text(134), QStringLiteral("EN 134"));
    QVERIFY(!document.date.isValid()); // today

    const QStringList lines = exportLines(document);
    QCOMPARE(lines.size(), 34);
    QVERIFY(lines[0].startsWith(QStringLiteral("Acme Drives")));
    QVERIFY(lines[0].contains(QStringLiteral("Date: ")));
    QCOMPARE(lines[6], m_window->applicationText());
    QCOMPARE(lines[7], QStringLiteral("EN 134Bomba nº 3"));
    QVERIFY(lines[17].endsWith(QStringLiteral(" HP")));
    QVERIFY(lines[21].endsWith(m_window->caseRecord().mskEconomiakW));
}

void TestCaseView::referenceRefusesDoubleQuote()
{
    // The case file cannot hold a double quote in a text, so the field never takes one.
    MaskedEdit *reference = field("mskReferencia");
    focus(reference);
    QTest::keyClicks(reference, QStringLiteral("12\" pipe, 'A'"));
    QCOMPARE(reference->rawText(), QStringLiteral("12 pipe, 'A'"));

    // Pasting a double quote is refused as well; other pastes pass.
    QApplication::clipboard()->setText(QStringLiteral("\"x\""));
    QTest::keyClick(reference, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(reference->rawText(), QStringLiteral("12 pipe, 'A'"));
    QApplication::clipboard()->setText(QStringLiteral(" B"));
    QTest::keyClick(reference, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(reference->rawText(), QStringLiteral("12 pipe, 'A' B"));
}

TESSIO_TEST_MAIN(TestCaseView)
#include "tst_caseview.moc"
