#include "localisation/scrambledfile.h"
#include "mainwindow/commandlabel.h"
#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/generalerrorreport.h"
#include "mainwindow/maskededit.h"
#include "platform/qtdialogs.h"
#include "settings/companyblock.h"
#include "support/fakedialogs.h"
#include "support/modalwatchdog.h"
#include "support/testdatafiles.h"
#include "support/testenvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QMessageBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {


const QMap<int, QStringList> &wordedCaptions();

// A Config.ini whose text N reads "<PT|ES|EN> N", so that every caption and message shows its number
// and its language.
void writeConfig(const QString &folder, const QString &defaultName, bool worded = false)
{
    QList<QStringList> rows = TestData::numberedTexts();
    for (int n = 1; worded && n < rows.size(); ++n) {
        if (wordedCaptions().contains(n))
            rows[n] = wordedCaptions().value(n);
        else if (n >= 22 && n <= 27)
            rows[n] = QStringList(3, QString::number(100 - 10 * (n - 22)));
    }
    QVERIFY(TestData::writeScrambledTable(folder + QStringLiteral("/Config.ini"), 3, defaultName, rows));
}

// Captions of the window in words of the length the three languages need, to see that none is cut.
const QMap<int, QStringList> &wordedCaptions()
{
    static const QMap<int, QStringList> captions{
        {2, {"Aplicação", "Aplicación", "Application"}},
        {5, {"Tarefas de Arquivo", "Tareas de Archivo", "File Tasks"}},
        {6, {"Abrir", "Abrir", "Open"}},
        {7, {"Salvar", "Guardar", "Save"}},
        {8, {"Salvar como...", "Guardar como...", "Save as..."}},
        {9, {"Exportar como texto", "Exportar como texto", "Export As Text"}},
        {10, {"Outras Tarefas", "Otras Tareas", "Other Tasks"}},
        {11, {"Calcular", "Calcular", "Calculate"}},
        {12, {"Gráfico", "Gráfico", "Graph"}},
        {13, {"Limpar", "Limpiar", "Clear"}},
        {14, {"Imprimir", "Imprimir", "Print"}},
        {15, {"Configuração", "Configuración", "Setup"}},
        {16, {"Moeda:", "Moneda:", "Currency:"}},
        {17, {"Dias de operação por ano:", "Días de operación por año:", "Days of operation per year:"}},
        {18, {"Referência:", "Referencia:", "Reference:"}},
        {19, {"Vazão (%)", "Caudal (%)", "Flow (%)"}},
        {20, {"Tempo de operação por", "Tiempo de operación por", "Time of operation per"}},
        {21, {"dia (em horas)", "día (en horas)", "day (in hours)"}},
        {28, {"Potência do motor", "Potencia del motor", "Motor power"}},
        {29, {"Preço do kWh", "Precio del kWh", "kWh price"}},
        {30, {"Preço do inversor", "Precio del variador", "VFD price"}},
        {33, {"Economia anual (kWh):", "Ahorro anual (kWh):", "Annual savings (kWh):"}},
        {34, {"Economia anual", "Ahorro anual", "Annual savings"}},
        {35, {"Retorno do investimento (meses):", "Retorno de la inversión (meses):", "Payback (months):"}},
        {36, {"*A soma máxima das horas de vazão deve ser 24 horas.",
              "*La suma máxima de las horas de caudal debe ser 24 horas.",
              "*The maximum sum of flow hours should be 24 hours."}},
        {39, {"Visite-nos em www.varnel.example", "Visítenos en www.varnel.example", "Visit us at www.varnel.example"}},
        {171, {"Idioma / Language", "Idioma / Language", "Language / Idioma"}},
        {193, {"Bomba centrífuga [inversor de frequência x válvula]",
               "Bomba centrífuga [variador de frecuencia x válvula]", "Centrifugal pump [VFD x valve]"}},
        {197, {"Rendimento (100%)", "Rendimiento (100%)", "Efficiency (100%)"}},
        {198, {"Ajuda", "Ayuda", "Help"}},
        {202, {"Modelos disponíveis", "Modelos disponibles", "Available models"}},
    };
    return captions;
}

} // namespace

class TestFrmCalcRetorno : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startValues();
    void captionsFitInEveryLanguage();
    void tabbingThroughKeepsResults();
    void typedChangeEmptiesResults_data();
    void typedChangeEmptiesResults();
    void selectorsEmptyResults();
    void unitOptionsEmptyResults();
    void powerRule();
    void powerRuleLimitAndUnreadablePower();
    void efficiencyKeepsTheFocus();
    void daysRule();
    void hoursRuleAndSumNote();
    void currencyChange();
    void languageSwitch();
    void enterMovesOnAndCalculates();
    void calculateReportsFailedChecks();
    void commandsAreForwarded();
    void mouseFeedback();
    void loadedCaseIsNoChange();
    void generalErrorReport();
    void closingEndsEveryWindow();
    void realMessageBoxesMoveNoField();

private:
    MaskedEdit *field(const char *name) const { return m_window->field(QLatin1String(name)); }
    void showWindow();
    void focus(QWidget *widget);
    void typeInto(const char *name, const QString &text); // enters, replaces the text by typing
    void tab();
    void fillValidCase();
    bool resultsEmpty() const;

    QTemporaryDir m_folder;
    FakeDialogs m_dialogs;
    CompanyBlock m_company;
    std::unique_ptr<frmCalcRetorno> m_window;
    std::unique_ptr<ModalWatchdog> m_watchdog;
};

void TestFrmCalcRetorno::initTestCase()
{
    pinTestEnvironment();
    QVERIFY(m_folder.isValid());
    writeConfig(m_folder.path(), QStringLiteral("English"));
}

void TestFrmCalcRetorno::init()
{
    m_dialogs = FakeDialogs();
    m_company = CompanyBlock();
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_window = std::make_unique<frmCalcRetorno>(m_dialogs, m_company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(m_window->load(m_folder.path(), nullptr));
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    showWindow();
}

void TestFrmCalcRetorno::cleanup()
{
    QVERIFY2(m_watchdog->unexpected.isEmpty(), qPrintable(m_watchdog->unexpected.join(u',')));
    m_window.reset();
    m_watchdog.reset();
}

void TestFrmCalcRetorno::showWindow()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestFrmCalcRetorno::focus(QWidget *widget)
{
    widget->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
}

void TestFrmCalcRetorno::typeInto(const char *name, const QString &text)
{
    MaskedEdit *edit = field(name);
    focus(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void TestFrmCalcRetorno::tab()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void TestFrmCalcRetorno::fillValidCase()
{
    CaseRecord r;
    r.mskPotencia = QStringLiteral("10");
    r.mskRendimento = QStringLiteral("90");
    r.mskValorkWh = QStringLiteral("0.10");
    r.mskInversor = QStringLiteral("1000");
    r.mskVazao90 = r.mskVazao80 = r.mskVazao70 = QStringLiteral("8");
    m_window->applyCaseRecord(r, true);
    QVERIFY(m_window->calculate());
    QCOMPARE(field("mskEconomiakW")->text(), QStringLiteral("29,200"));
    QCOMPARE(field("mskRetorno")->text(), QStringLiteral("4"));
}

bool TestFrmCalcRetorno::resultsEmpty() const
{
    return field("mskEconomiakW")->text().isEmpty() && field("mskEconomiaReais")->text().isEmpty()
           && field("mskRetorno")->text().isEmpty();
}

void TestFrmCalcRetorno::startValues()
{
    QCOMPARE(m_window->size(), QSize(690, 514));
    QCOMPARE(field("mskDiaAno")->text(), QStringLiteral("365"));
    for (const char *hours : {"mskVazao100", "mskVazao90", "mskVazao80", "mskVazao70", "mskVazao60", "mskVazao50"})
        QCOMPARE(field(hours)->text(), QStringLiteral("0"));
    for (const char *empty : {"mskPotencia", "mskRendimento", "mskInversor", "mskReferencia"})
        QVERIFY(field(empty)->text().isEmpty());
    QVERIFY(resultsEmpty());
    // The first currency's price, written shortest and shown with two decimals.
    QCOMPARE(field("mskValorkWh")->text(), QStringLiteral("0.1"));
    QCOMPARE(field("mskValorkWh")->displayText(), QStringLiteral("0.10"));
    QCOMPARE(m_window->cboMoedas()->currentIndex(), 0);
    QCOMPARE(m_window->cboMoedas()->count(), 9);
    QCOMPARE(m_window->cboMoedas()->itemText(8), QString(QChar(0xA3)));
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 0);
    QCOMPARE(m_window->applicationText(), QStringLiteral("EN 193"));
    QCOMPARE(QApplication::focusWidget(), m_window->cboAplicacao()); // the first control of the tab order
    QVERIFY(m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_0"))->isChecked());
    QVERIFY(!m_window->findChild<QLabel *>(QStringLiteral("Label3"))->isVisible());
    // The default language is applied.
    QCOMPARE(m_window->languageName(), QStringLiteral("English"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("EN 1"));
    QCOMPARE(m_window->windowTitleFromLanguage(), QStringLiteral("EN 1"));
    QCOMPARE(m_window->label2(11)->text(), QStringLiteral("EN 29 (US$)"));
    QCOMPARE(m_window->label2(14)->text(), QStringLiteral("EN 34 (US$):"));
    QCOMPARE(m_window->text(53), QStringLiteral("EN 53"));
    QCOMPARE(m_window->text(9999), QString());
    // Every control the other windows and commands reach by name exists.
    for (int i = 0; i < frmCalcRetorno::Label2Count; ++i)
        QVERIFY(m_window->findChild<QLabel *>(QStringLiteral("Label2_%1").arg(i)));
    for (int i = 0; i < frmCalcRetorno::Image1Count; ++i) {
        auto *icon = m_window->findChild<QLabel *>(QStringLiteral("Image1_%1").arg(i));
        QVERIFY(icon);
        // The picture was drawn: some pixel is not transparent.
        const QImage image = icon->pixmap().toImage();
        bool drawn = false;
        for (int y = 0; y < image.height() && !drawn; ++y)
            for (int x = 0; x < image.width() && !drawn; ++x)
                drawn = qAlpha(image.pixel(x, y)) > 0;
        QVERIFY2(drawn, qPrintable(icon->objectName()));
    }
}

void TestFrmCalcRetorno::captionsFitInEveryLanguage()
{
    QTemporaryDir folder;
    writeConfig(folder.path(), QStringLiteral("English"), true);
    FakeDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(window.load(folder.path(), nullptr));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (int language = 0; language < 3; ++language) {
        window.cboIdioma()->setCurrentIndex(language);
        window.findChild<QLabel *>(QStringLiteral("Label3"))->show();
        QCoreApplication::processEvents();
        for (QLabel *label : window.findChildren<QLabel *>()) {
            if (!label->isVisible() || !label->pixmap().isNull())
                continue;
            const QString what = label->objectName() + QStringLiteral(": ") + label->text();
            if (label->wordWrap())
                QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(what));
            else
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(what));
            // Inside the window.
            const QRect inWindow(label->mapTo(&window, QPoint(0, 0)), label->size());
            QVERIFY2(window.rect().contains(inWindow), qPrintable(what));
        }
    }
}

void TestFrmCalcRetorno::tabbingThroughKeepsResults()
{
    fillValidCase();
    // With the default efficiency for the power, passing through the power field changes nothing.
    field("mskRendimento")->setText(QStringLiteral("87"));
    QVERIFY(m_window->calculate());
    // The typed inputs in their tab order, the efficiency after all of them.
    focus(field("mskValorkWh"));
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 11; ++i) {
        tab();
        order.append(QApplication::focusWidget()->objectName());
    }
    QCOMPARE(order, (QStringList{"mskValorkWh", "mskPotencia", "mskInversor", "mskDiaAno", "mskVazao100",
                                 "mskVazao90", "mskVazao80", "mskVazao70", "mskVazao60", "mskVazao50",
                                 "mskReferencia", "mskRendimento"}));
    QVERIFY(!resultsEmpty());
    // Tabbing on reaches the unit options; an option that receives the focus empties the results.
    for (int i = 0; i < 25 && !qobject_cast<QRadioButton *>(QApplication::focusWidget()); ++i) {
        QVERIFY2(!resultsEmpty(), qPrintable(QApplication::focusWidget()->objectName()));
        tab();
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("optUnPotencia_0"));
    QVERIFY(resultsEmpty());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFrmCalcRetorno::typedChangeEmptiesResults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::newRow("power") << "mskPotencia" << "12";
    QTest::newRow("efficiency") << "mskRendimento" << "91";
    QTest::newRow("kWh price") << "mskValorkWh" << "0.2";
    QTest::newRow("drive price") << "mskInversor" << "900";
    QTest::newRow("days") << "mskDiaAno" << "300";
    QTest::newRow("hours") << "mskVazao60" << "2";
    QTest::newRow("reference") << "mskReferencia" << "Pump 4";
    QTest::newRow("kWh result") << "mskEconomiakW" << "1";
    QTest::newRow("payback result") << "mskRetorno" << "1";
}

void TestFrmCalcRetorno::typedChangeEmptiesResults()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    fillValidCase();
    typeInto(name.toLatin1().constData(), typed);
    QVERIFY(!resultsEmpty() || name.startsWith(u"mskEconomia") || name == u"mskRetorno");
    tab();
    QVERIFY(resultsEmpty());
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
}

void TestFrmCalcRetorno::selectorsEmptyResults()
{
    // The same application again keeps the results; another one empties them.
    fillValidCase();
    focus(m_window->cboAplicacao());
    m_window->cboAplicacao()->setCurrentIndex(0);
    focus(field("mskReferencia")); // not Tab: the unit option after the selector empties the results
    QVERIFY(!resultsEmpty());
    focus(m_window->cboAplicacao());
    QTest::keyClick(m_window->cboAplicacao(), Qt::Key_Down);
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 1);
    QVERIFY(resultsEmpty());

    // A currency change replaces the price but leaves the results until the selector is left.
    fillValidCase();
    focus(m_window->cboMoedas());
    QTest::keyClick(m_window->cboMoedas(), Qt::Key_Down);
    QCOMPARE(m_window->currencyText(), QStringLiteral("CAN$"));
    QVERIFY(!resultsEmpty());
    tab();
    QVERIFY(resultsEmpty());
}

void TestFrmCalcRetorno::unitOptionsEmptyResults()
{
    auto *kw = m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_0"));
    auto *hp = m_window->findChild<QRadioButton *>(QStringLiteral("optUnPotencia_1"));
    fillValidCase();
    QTest::mouseClick(kw, Qt::LeftButton); // the unit already selected
    QVERIFY(resultsEmpty());
    fillValidCase();
    QTest::mouseClick(hp, Qt::LeftButton);
    QVERIFY(hp->isChecked());
    QVERIFY(resultsEmpty());
    // The typed power is not converted; the record reads it in HP.
    QCOMPARE(field("mskPotencia")->text(), QStringLiteral("10"));
    QCOMPARE(m_window->caseRecord().optUnPotencia, UnitHp);
    // Enter on an option moves on as Tab does.
    focus(hp);
    QTest::keyClick(hp, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), field("mskValorkWh"));
}

void TestFrmCalcRetorno::powerRule()
{
    field("mskRendimento")->setText(QStringLiteral("93"));
    typeInto("mskPotencia", QStringLiteral("10"));
    tab();
    QCOMPARE(field("mskRendimento")->text(), QStringLiteral("87"));
    QCOMPARE(QApplication::focusWidget(), field("mskInversor"));

    typeInto("mskPotencia", QStringLiteral("5"));
    tab();
    QCOMPARE(field("mskRendimento")->text(), QStringLiteral("70"));

    typeInto("mskPotencia", QStringLiteral("0"));
    tab();
    QCOMPARE(field("mskRendimento")->text(), QStringLiteral("70"));
    QVERIFY(m_dialogs.messages.isEmpty());

    // Passing through the power field writes the default again, and results computed with the
    // replaced efficiency go.
    fillValidCase();
    focus(field("mskPotencia"));
    tab();
    QCOMPARE(field("mskRendimento")->text(), QStringLiteral("87"));
    QVERIFY(resultsEmpty());
}

void TestFrmCalcRetorno::powerRuleLimitAndUnreadablePower()
{
    field("mskRendimento")->setText(QStringLiteral("93"));
    typeInto("mskPotencia", QStringLiteral("11201"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 199")});
    QCOMPARE(m_dialogs.messages.first().icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs.messages.first().title, applicationTitle());
    QCOMPARE(field("mskRendimento")->text(), QStringLiteral("93"));
    QCOMPARE(QApplication::focusWidget(), field("mskInversor"));

    // HP allows more.
    m_dialogs.clear();
    m_window->selectUnit(UnitHp);
    typeInto("mskPotencia", QStringLiteral("11201"));
    tab();
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(field("mskRendimento")->text(), QStringLiteral("95"));

    // Empty or unreadable: nothing happens.
    for (const QString &power : {QString(), QStringLiteral(","), QStringLiteral("1.2.")}) {
        field("mskRendimento")->setText(QStringLiteral("93"));
        typeInto("mskPotencia", power);
        tab();
        QCOMPARE(field("mskRendimento")->text(), QStringLiteral("93"));
    }
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFrmCalcRetorno::efficiencyKeepsTheFocus()
{
    fillValidCase();
    typeInto("mskRendimento", QStringLiteral("35"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 200")});
    QCOMPARE(QApplication::focusWidget(), field("mskRendimento"));
    QCOMPARE(field("mskRendimento")->displayText(), QStringLiteral("35")); // still the raw text
    // A click elsewhere is refused too.
    QTest::mouseClick(field("mskReferencia"), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), field("mskRendimento"));
    QCOMPARE(m_dialogs.messages.size(), 2);

    // 0 is refused; an empty efficiency may be left, and the earlier change still counts.
    m_dialogs.clear();
    typeInto("mskRendimento", QStringLiteral("0"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 200")});
    typeInto("mskRendimento", QString());
    tab();
    QCOMPARE(m_dialogs.messages.size(), 1);
    QVERIFY(QApplication::focusWidget() != field("mskRendimento"));
    QVERIFY(resultsEmpty());

    // Enter does not move on from the efficiency.
    typeInto("mskRendimento", QStringLiteral("88"));
    QTest::keyClick(field("mskRendimento"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), field("mskRendimento"));
}

void TestFrmCalcRetorno::daysRule()
{
    typeInto("mskDiaAno", QString());
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 80")});
    QCOMPARE(QApplication::focusWidget(), field("mskDiaAno"));

    m_dialogs.clear();
    typeInto("mskDiaAno", QStringLiteral("0"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 81")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao100"));

    m_dialogs.clear();
    typeInto("mskDiaAno", QStringLiteral("367"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 82")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao100"));

    m_dialogs.clear();
    typeInto("mskDiaAno", QStringLiteral("366"));
    tab();
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFrmCalcRetorno::hoursRuleAndSumNote()
{
    QLabel *note = m_window->findChild<QLabel *>(QStringLiteral("Label3"));
    QCOMPARE(note->text(), QStringLiteral("EN 36"));

    // Slash and minus are not typed; an hour above 24 keeps the focus, and the note shows the sum.
    typeInto("mskVazao80", QStringLiteral("2-/5"));
    QCOMPARE(field("mskVazao80")->text(), QStringLiteral("25"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 87")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao80"));
    QVERIFY(note->isVisible());

    // Within 24 in the field but above 24 in all: no message, the note stays.
    m_dialogs.clear();
    typeInto("mskVazao80", QStringLiteral("24"));
    tab();
    QVERIFY(!note->isVisible());
    typeInto("mskVazao100", QStringLiteral("1"));
    tab();
    QVERIFY(note->isVisible());
    QVERIFY(m_dialogs.messages.isEmpty());

    // Each field has its own message.
    typeInto("mskVazao50", QStringLiteral("30"));
    tab();
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 84")});
    QCOMPARE(QApplication::focusWidget(), field("mskVazao50"));

    // An emptied field becomes "0"; back within 24 hours in all, the note goes.
    m_dialogs.clear();
    typeInto("mskVazao50", QString());
    tab();
    QCOMPARE(field("mskVazao50")->text(), QStringLiteral("0"));
    QVERIFY(note->isVisible());
    typeInto("mskVazao100", QStringLiteral("0"));
    tab();
    QVERIFY(!note->isVisible());
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFrmCalcRetorno::currencyChange()
{
    typeInto("mskValorkWh", QStringLiteral("0.5"));
    tab();
    QVERIFY(m_window->selectCurrency(QStringLiteral("CAN$")));
    QCOMPARE(m_window->label2(11)->text(), QStringLiteral("EN 29 (CAN$)"));
    QCOMPARE(m_window->label2(12)->text(), QStringLiteral("EN 30 (CAN$)"));
    QCOMPARE(m_window->label2(14)->text(), QStringLiteral("EN 34 (CAN$):"));
    QCOMPARE(field("mskValorkWh")->text(), QStringLiteral("0.12"));

    const QString pound(QChar(0xA3));
    QVERIFY(m_window->selectCurrency(pound));
    QCOMPARE(field("mskValorkWh")->text(), QStringLiteral("0.06"));
    QCOMPARE(m_window->label2(12)->text(), QStringLiteral("EN 30 (") + pound + QStringLiteral(")"));
    QCOMPARE(m_window->caseRecord().cboMoedas, pound);

    // A text that is no item keeps the current one.
    QVERIFY(!m_window->selectCurrency(QStringLiteral("XYZ")));
    QCOMPARE(m_window->currencyText(), pound);

    // The price is written with the window's decimal separator.
    FakeDialogs dialogs;
    CompanyBlock company;
    company.DefaultKwhPrice = 0.08;
    frmCalcRetorno brazilian(dialogs, company, QLocale(QLocale::Portuguese, QLocale::Brazil));
    QVERIFY(brazilian.load(m_folder.path(), nullptr));
    QCOMPARE(brazilian.field(u"mskValorkWh")->text(), QStringLiteral("0,1"));
    brazilian.selectCurrency(QStringLiteral("R$"));
    QCOMPARE(brazilian.field(u"mskValorkWh")->text(), QStringLiteral("0,16"));
    QCOMPARE(brazilian.field(u"mskValorkWh")->displayText(), QStringLiteral("0,16"));
}

void TestFrmCalcRetorno::languageSwitch()
{
    m_window->selectApplication(2);
    m_window->selectCurrency(QStringLiteral("EUR"));
    m_window->cboIdioma()->setCurrentIndex(0);
    QCOMPARE(m_window->languageName(), QStringLiteral("Português"));

    auto caption = [this](const char *name) { return m_window->findChild<QLabel *>(QLatin1String(name))->text(); };
    QCOMPARE(m_window->windowTitle(), QStringLiteral("PT 1"));
    const QList<QPair<int, QString>> label2{
        {0, "PT 2"},   {1, "PT 18"},  {10, "PT 28"},  {11, "PT 29 (EUR)"}, {12, "PT 30 (EUR)"},
        {13, "PT 33"}, {14, "PT 34 (EUR):"},          {15, "PT 35"},       {16, "PT 16"},
        {19, "PT 20"}, {2, "PT 19"},  {20, "PT 21"},  {21, "PT 171"},      {3, "PT 39"},
        {4, "PT 22"},  {5, "PT 23"},  {6, "PT 24"},   {7, "PT 25"},        {8, "PT 26"},
        {9, "PT 27"},  {17, "PT 197"}};
    for (const auto &[index, text] : label2)
        QCOMPARE(m_window->label2(index)->text(), text);
    QCOMPARE(caption("Label3"), QStringLiteral("PT 36"));
    QCOMPARE(caption("Label5_0"), QStringLiteral("PT 5"));
    QCOMPARE(caption("Label5_1"), QStringLiteral("PT 10"));
    const QList<QPair<const char *, QString>> commands{
        {"lblAbrir", "PT 6"},  {"lblCalcular", "PT 11"}, {"lblExport", "PT 9"},   {"lblGraph", "PT 12"},
        {"lblImprimir", "PT 14"}, {"lblNovo", "PT 13"},  {"lblSalvar", "PT 7"},   {"lblSalvarComo", "PT 8"},
        {"lblSetup", "PT 15"}, {"Label1_7", "PT 17"},    {"lblHelp", "PT 198"},   {"lblModels", "PT 202"}};
    for (const auto &[name, text] : commands)
        QCOMPARE(caption(name), text);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(m_window->cboAplicacao()->itemText(i), QStringLiteral("PT %1").arg(193 + i));
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 2);
    QCOMPARE(m_company.VisitText, QStringLiteral("PT 39"));
    QCOMPARE(m_company.WebAddress, QStringLiteral("http://PT 201"));
    // Messages are looked up in the language of the moment.
    QCOMPARE(m_window->textLookup()(53), QStringLiteral("PT 53"));

    // Applying the same language twice changes nothing.
    m_window->cboIdioma_Click();
    QCOMPARE(m_window->label2(11)->text(), QStringLiteral("PT 29 (EUR)"));
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 2);

    // With no application selected the switch selects the first.
    m_window->cboAplicacao()->setCurrentIndex(-1);
    m_window->cboIdioma()->setCurrentIndex(1);
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 0);
    QCOMPARE(m_window->applicationText(), QStringLiteral("ES 193"));
    QCOMPARE(m_window->windowTitleFromLanguage(), QStringLiteral("ES 1"));
    m_window->setWebLinkCaption(QStringLiteral("Visit"));
    QCOMPARE(m_window->label2(3)->text(), QStringLiteral("Visit"));
}

void TestFrmCalcRetorno::enterMovesOnAndCalculates()
{
    typeInto("mskDiaAno", QStringLiteral("300"));
    QTest::keyClick(field("mskDiaAno"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), field("mskVazao100"));
    QCOMPARE(field("mskDiaAno")->text(), QStringLiteral("300"));

    typeInto("mskReferencia", QStringLiteral("P1"));
    QTest::keyClick(field("mskReferencia"), Qt::Key_Return);
    QVERIFY(QApplication::focusWidget() != field("mskReferencia"));

    // Enter in the drive price calculates the typed case and lands in the application selector; the
    // results stay, although the price field was left with a new text.
    CaseRecord r;
    r.mskPotencia = QStringLiteral("10");
    r.mskRendimento = QStringLiteral("90");
    r.mskValorkWh = QStringLiteral("0.10");
    r.mskVazao90 = r.mskVazao80 = r.mskVazao70 = QStringLiteral("8");
    m_window->applyCaseRecord(r, true);
    typeInto("mskInversor", QStringLiteral("1000"));
    QTest::keyClick(field("mskInversor"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), m_window->cboAplicacao());
    QCOMPARE(field("mskEconomiakW")->text(), QStringLiteral("29,200"));
    QCOMPARE(field("mskEconomiaReais")->text(), QStringLiteral(" 2,920.00"));
    QCOMPARE(field("mskEconomiaReais")->displayText(), QStringLiteral("2,920.00"));
    QCOMPARE(field("mskRetorno")->text(), QStringLiteral("4"));
    QVERIFY(m_dialogs.messages.isEmpty());
}

void TestFrmCalcRetorno::calculateReportsFailedChecks()
{
    // All hours 0: text 68 in an information box, nothing written.
    m_window->applyCaseRecord([] {
        CaseRecord r;
        r.mskPotencia = QStringLiteral("10");
        r.mskValorkWh = QStringLiteral("0.1");
        r.mskInversor = QStringLiteral("1000");
        return r;
    }(), true);
    QTest::mouseClick(m_window->findChild<QLabel *>(QStringLiteral("lblCalcular")), Qt::LeftButton);
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 68")});
    QCOMPARE(m_dialogs.messages.first().icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs.messages.first().title, applicationTitle());
    QVERIFY(resultsEmpty());
    QVERIFY(field("mskRendimento")->text().isEmpty());

    // The price check names the currency between its two texts; icon 2 calculates as the label does.
    m_dialogs.clear();
    field("mskVazao90")->setText(QStringLiteral("8"));
    field("mskValorkWh")->setText(QStringLiteral("10"));
    QTest::mouseClick(m_window->findChild<QLabel *>(QStringLiteral("Image1_2")), Qt::LeftButton);
    QCOMPARE(m_dialogs.texts(), QStringList{QStringLiteral("EN 70US$EN 71")});

    // A valid case fills the default efficiency and the results.
    m_dialogs.clear();
    field("mskValorkWh")->setText(QStringLiteral("0.1"));
    QTest::mouseClick(m_window->findChild<QLabel *>(QStringLiteral("Image1_2")), Qt::LeftButton);
    QVERIFY(m_dialogs.messages.isEmpty());
    QCOMPARE(field("mskRendimento")->text(), QStringLiteral("87"));
    QVERIFY(!resultsEmpty());
}

void TestFrmCalcRetorno::commandsAreForwarded()
{
    using C = frmCalcRetorno::Command;
    QSignalSpy spy(m_window.get(), &frmCalcRetorno::commandRequested);
    const QList<QPair<const char *, C>> clicks{
        {"lblNovo", C::New},       {"lblAbrir", C::Open},      {"lblSalvar", C::Save},   {"lblSalvarComo", C::SaveAs},
        {"lblExport", C::Export},  {"lblGraph", C::Graph},     {"lblImprimir", C::Print}, {"lblSetup", C::Setup},
        {"lblHelp", C::Help},      {"lblModels", C::Models},   {"Label2_3", C::WebLink}, {"Label2_18", C::HelpDocument},
        {"Image1_0", C::Print},    {"Image1_1", C::New},       {"Image1_3", C::Graph},   {"Image1_4", C::SaveAs},
        {"Image1_5", C::Save},     {"Image1_6", C::Open},      {"Image1_7", C::Setup},   {"Image1_8", C::Export},
        {"Label2_4", C::New} /* a caption: nothing */};
    for (const auto &[name, command] : clicks) {
        auto *label = m_window->findChild<QLabel *>(QLatin1String(name));
        QVERIFY2(label, name);
        spy.clear();
        QTest::mouseClick(label, Qt::LeftButton);
        if (qstrcmp(name, "Label2_4") == 0) {
            QCOMPARE(spy.count(), 0);
        } else {
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy.first().first().value<C>(), command);
        }
    }
    // A press that is released elsewhere is no click.
    auto *open = m_window->commandLabel(C::Open);
    spy.clear();
    QTest::mousePress(open, Qt::LeftButton);
    QTest::mouseRelease(open, Qt::LeftButton, {}, QPoint(-20, -20));
    QCOMPARE(spy.count(), 0);

    frmCalcRetorno::setLabelBackgroundWhite(open);
    QVERIFY(open->autoFillBackground());
    QCOMPARE(open->palette().color(QPalette::Window), QColor(Qt::white));
}

void TestFrmCalcRetorno::mouseFeedback()
{
    using C = frmCalcRetorno::Command;
    const QColor blue(0, 84, 227);
    CommandLabel *calculate = m_window->findChild<CommandLabel *>(QStringLiteral("lblCalcular"));
    QCOMPARE(calculate->foreColour(), blue);
    QTest::mousePress(calculate, Qt::LeftButton);
    QCOMPARE(calculate->foreColour(), QColor(Qt::white));
    QTest::mouseRelease(calculate, Qt::LeftButton);
    QCOMPARE(calculate->foreColour(), blue);
    QTest::mouseMove(calculate);
    QTRY_VERIFY(!calculate->isUnderlined() && calculate->underMouse());

    CommandLabel *open = m_window->commandLabel(C::Open);
    QTest::mouseMove(open);
    QTRY_VERIFY(open->isUnderlined());
    // Moving straight to another label keeps the first one's underline, the bare window removes it.
    CommandLabel *less = m_window->commandLabel(C::HelpDocument);
    QTest::mouseMove(less);
    QTRY_VERIFY(less->isUnderlined());
    QVERIFY(open->isUnderlined());
    QTest::mouseMove(m_window.get(), QPoint(m_window->width() - 4, m_window->height() - 4));
    QTRY_VERIFY(!open->isUnderlined());
    QVERIFY(!less->isUnderlined());

    // Captions do not react.
    QLabel *caption = m_window->label2(10);
    const QColor before = caption->palette().color(QPalette::WindowText);
    QTest::mousePress(caption, Qt::LeftButton);
    QCOMPARE(caption->palette().color(QPalette::WindowText), before);
    QTest::mouseRelease(caption, Qt::LeftButton);
    QCOMPARE(caption->palette().color(QPalette::Window), QColor(214, 227, 248));
}

void TestFrmCalcRetorno::loadedCaseIsNoChange()
{
    fillValidCase();
    CaseRecord loaded = m_window->caseRecord();
    loaded.cboAplicacao = 0;
    loaded.mskReferencia = QString(100, u'r'); // longer than can be typed: kept whole
    loaded.mskDiaAno = QStringLiteral("12345");
    m_window->applyCaseRecord(loaded, true);
    QCOMPARE(field("mskReferencia")->text(), loaded.mskReferencia);
    QCOMPARE(field("mskDiaAno")->text(), QStringLiteral("12345"));
    QCOMPARE(m_window->caseRecord().mskReferencia, loaded.mskReferencia);

    focus(field("mskReferencia"));
    tab();
    QVERIFY(!resultsEmpty());

    // clearFields empties every field, results included, and leaves the selections.
    m_window->selectApplication(3);
    m_window->clearFields();
    for (MaskedEdit *edit : m_window->fields())
        QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    QCOMPARE(m_window->fields().size(), 15);
    QCOMPARE(m_window->cboAplicacao()->currentIndex(), 3);
}

void TestFrmCalcRetorno::generalErrorReport()
{
    // The report's layout, with texts of the current language.
    const PlatformError error{53, QStringLiteral("File not found")};
    QCOMPARE(generalErrorText(m_window->textLookup(), error),
             QStringLiteral("EN 100\r\nEN 101\r\nEN 102\r\nErro: File not found"));

    // Shown with the normal pointer, also under the hourglass of a long step.
    FakeDialogs reports;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    showGeneralErrorReport(reports, nullptr, m_window->textLookup(), error);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(!reports.messages.value(0).busyPointer);

    // A Config.ini whose default language is none of its columns: no language, so the load stops with
    // the message that names the file, not with a report of empty texts.
    QTemporaryDir folder;
    writeConfig(folder.path(), QStringLiteral("Klingon"));
    FakeDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!window.load(folder.path(), nullptr));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages.first().icon, Dialogs::Icon::Critical);
    QCOMPARE(dialogs.messages.first().title, applicationTitle());
    QVERIFY(dialogs.messages.first().text.startsWith(QDir::toNativeSeparators(folder.filePath("Config.ini"))));
    QCOMPARE(window.label2(11)->text(), QStringLiteral("kWh Price (US$)"));
    QCOMPARE(window.windowTitleFromLanguage(), QString());

    // No Config.ini at all: the same single message, and the file is not created.
    QTemporaryDir empty;
    FakeDialogs dialogs2;
    frmCalcRetorno window2(dialogs2, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(!window2.load(empty.path(), nullptr));
    QCOMPARE(dialogs2.messages.size(), 1);
    QCOMPARE(dialogs2.messages.last().title, applicationTitle());
    QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("Config.ini"))));
}

void TestFrmCalcRetorno::closingEndsEveryWindow()
{
    QWidget other;
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QVERIFY(m_window->close());
    QVERIFY(!other.isVisible());
    QVERIFY(!m_window->isVisible());
}

void TestFrmCalcRetorno::realMessageBoxesMoveNoField()
{
    // A real message box takes the activation away from the window while a field is being left; that
    // must not count as entering or leaving any field.
    QtDialogs dialogs;
    CompanyBlock company;
    frmCalcRetorno window(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(window.load(m_folder.path(), nullptr));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    int boxes = 0;
    const auto closer = m_watchdog->expect<QMessageBox>([&boxes](QMessageBox *box) {
        ++boxes;
        box->close();
    });

    MaskedEdit *efficiency = window.field(u"mskRendimento");
    MaskedEdit *next = window.field(u"mskVazao90");
    next->setText(QStringLiteral("30")); // would complain if its leaving rule ran
    efficiency->setText(QStringLiteral("90"));
    efficiency->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), efficiency);
    efficiency->selectAll();
    QTest::keyClicks(efficiency, QStringLiteral("35"));
    next->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(boxes, 1);
    // The window's focus stays in the field (offscreen, the window manager's reactivation is ours).
    QCOMPARE(window.focusWidget(), efficiency);
    window.activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), efficiency);
    QVERIFY(efficiency->changedSinceEntry()); // still the text at entry: "90"
    QCOMPARE(efficiency->tag(), QStringLiteral("90"));
    QTest::qWait(100);
    QCOMPARE(boxes, 1);
    QCOMPARE(next->text(), QStringLiteral("30"));
}

QTEST_MAIN(TestFrmCalcRetorno)
#include "tst_frmcalcretorno.moc"
