#include "support/mainwindowfixture.h"

#include "platform/commandlabel.h"
#include "support/samplecases.h"
#include "support/testdatafiles.h"

#include <QApplication>
#include <QMap>
#include <QTest>

namespace {

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

void writeConfig(const QString &folder, const QString &defaultName, bool worded)
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

void MainWindowFixture::initFixture()
{
    QVERIFY(m_folder.isValid());
    writeConfig(m_folder.path(), QStringLiteral("English"));
}

void MainWindowFixture::initWindow(const QLocale &locale, const CompanyBlock &company)
{
    m_commands.reset();
    m_window.reset();
    m_settings = std::make_unique<SettingsFolder>();
    QVERIFY(m_settings->isValid());
    m_dialogs = FakeDialogs();
    m_company = company;
    m_watchdog = std::make_unique<ModalWatchdog>();
    m_window = std::make_unique<frmCalcRetorno>(m_dialogs, m_company, locale);
    QVERIFY(m_window->load(m_folder.path(), nullptr));
    QVERIFY2(m_dialogs.messages.isEmpty(), qPrintable(m_dialogs.texts().join(u'|')));
    m_commands = std::make_unique<FileCommands>(*m_window, m_dialogs, m_company, m_folder.path());
    QObject::connect(m_window.get(), &frmCalcRetorno::commandRequested, m_commands.get(), &FileCommands::handle);
    m_commands->keepCase(); // as start-up leaves it: nothing typed yet

    showWindow();
}

void MainWindowFixture::cleanupWindow()
{
    if (m_watchdog)
        QVERIFY2(m_watchdog->unexpected.isEmpty(), qPrintable(m_watchdog->unexpected.join(u',')));
    m_commands.reset();
    m_window.reset();
    m_watchdog.reset();
    m_settings.reset();
}

void MainWindowFixture::click(TaskPane::Command command)
{
    QTest::mouseClick(m_window->commandLabel(command), Qt::LeftButton);
}

void MainWindowFixture::showWindow()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void MainWindowFixture::focus(QWidget *widget)
{
    widget->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), widget);
}

void MainWindowFixture::typeInto(const char *name, const QString &text)
{
    MaskedEdit *edit = field(name);
    focus(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void MainWindowFixture::tab()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void MainWindowFixture::fillValidCase()
{
    m_window->applyCaseRecord(SampleCases::workedExample(), true);
    QVERIFY(m_window->calculate());
    QCOMPARE(field("mskEconomiakW")->rawText(), QStringLiteral("29,200"));
    QCOMPARE(field("mskRetorno")->rawText(), QStringLiteral("4"));
}

bool MainWindowFixture::resultsEmpty() const
{
    return field("mskEconomiakW")->rawText().isEmpty() && field("mskEconomiaReais")->rawText().isEmpty()
           && field("mskRetorno")->rawText().isEmpty();
}
