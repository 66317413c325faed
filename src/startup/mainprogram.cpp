#include "startup/mainprogram.h"

#include "files/filecommands.h"
#include "localisation/frmsplash.h"
#include "plant/frmplantsummary.h"
#include "plant/plantdocument.h"
#include "platform/dialogs.h"
#include "report/frmgraph.h"
#include "report/printcommand.h"
#include "report/printerreport.h"
#include "settings/companysetup.h"
#include "settings/links.h"
#include "settings/modcadastrovarnel.h"
#include "settings/regkeys.h"
#include "startup/casehandover.h"
#include "systemcurve/frmsystemcurve.h"

#include <QApplication>
#include <QComboBox>
#include <QThread>

MainProgram::MainProgram(Dialogs &dialogs, Shell &shell, const QString &programFolder, const QLocale &locale,
                         QObject *parent)
    : QObject(parent),
      m_dialogs(dialogs),
      m_shell(shell),
      m_programFolder(programFolder),
      m_splash(std::make_unique<frmSplash>()),
      m_window(std::make_unique<frmCalcRetorno>(dialogs, m_company, locale)),
      m_fileCommands(std::make_unique<FileCommands>(*m_window, dialogs, m_company, programFolder))
{
    connect(m_window.get(), &frmCalcRetorno::commandRequested, this, &MainProgram::handle);
    m_handoverRetry.setSingleShot(true);
    m_handoverRetry.setInterval(200);
    connect(&m_handoverRetry, &QTimer::timeout, this, &MainProgram::openHandedOverFiles);
    // Closing the program loses the plant as well as the case: both are asked about, the plant first.
    m_window->setCloseCheck([this] { return (!m_plant || m_plant->queryClose()) && m_fileCommands->queryClose(); });
    // The next start applies the language picked now.
    connect(m_window.get(), &frmCalcRetorno::languagePicked, this, [](const QString &name) {
        SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboIdioma, name);
    });
}

MainProgram::~MainProgram()
{
    // The plant and system-curve windows, children of the main window, read the main window's case and
    // texts while they live: they go before the main window is taken apart.
    delete m_systemCurve;
    delete m_plant;
}

bool MainProgram::load()
{
    const QString stored = GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboIdioma);
    const bool loaded = m_window->load(m_programFolder, m_splash.get(), stored);
    m_languageRemembered = loaded && !stored.isEmpty() && m_window->languageName() == stored;
    return loaded;
}

void MainProgram::loadCompanyBlock()
{
    m_window->selectCurrency(LoadCompanyBlock(m_company));
}

frmGraph *MainProgram::graphWindow() const
{
    return m_graph;
}

void MainProgram::handle(frmCalcRetorno::Command command)
{
    using Command = frmCalcRetorno::Command;
    switch (command) {
    case Command::New:
    case Command::Open:
    case Command::Save:
    case Command::SaveAs:
    case Command::Export:
        m_fileCommands->handle(command);
        break;
    case Command::Print:
        printCase();
        break;
    case Command::Graph:
        showGraphOfCase();
        break;
    case Command::PlantSummary:
        showPlantSummary();
        break;
    case Command::SystemCurve:
        showSystemCurve();
        break;
    case Command::Setup:
        setupCommand();
        break;
    case Command::Help:
        lblHelp_Click(m_dialogs, m_window.get(), m_window->windowTitle(), m_window->textLookup());
        break;
    case Command::Models:
        lblModels_Click(m_shell, m_window->textLookup());
        break;
    case Command::WebLink:
        Label2_Click(LinkLabel::WebLink, m_shell, m_company, m_programFolder, m_window->textLookup());
        break;
    case Command::HelpDocument:
        Label2_Click(LinkLabel::HelpDocument, m_shell, m_company, m_programFolder, m_window->textLookup());
        break;
    case Command::Calculate: // the window's own
        break;
    }
}

frmPlantSummary *MainProgram::plantWindow() const
{
    return m_plant;
}

void MainProgram::clearCase()
{
    m_fileCommands->clearCase();
}

void MainProgram::openCaseFile(const QString &path)
{
    m_fileCommands->openCaseFile(path);
}

void MainProgram::listenForHandedOverFiles(const QString &folder)
{
    if (folder.isEmpty() || m_inbox)
        return;
    m_inbox = new HandoverInbox(folder, this);
    connect(m_inbox, &HandoverInbox::caseFileHandedOver, this, &MainProgram::takeHandedOverFile);
    m_inbox->listen();
}

void MainProgram::takeHandedOverFile(const QString &path)
{
    if (!m_window->isVisible())
        return; // the program is ending: the window closed and must not come back
    m_handedOver.enqueue(path);
    bringWindowToFront();
    if (m_openHandedOver)
        openHandedOverFiles();
}

void MainProgram::openHandedOverFiles()
{
    m_openHandedOver = true;
    if (m_openingHandedOver)
        return; // the one being opened goes on to the next
    // Not in the middle of a dialog, a menu or a command: the case it works on must not change under it.
    // No signal says when a dialog has gone, so the file looks again a little later.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()
        || QThread::currentThread()->loopLevel() > 1) {
        m_handoverRetry.start();
        return;
    }
    m_openingHandedOver = true;
    while (!m_handedOver.isEmpty())
        m_fileCommands->replaceWithCaseFile(m_handedOver.dequeue());
    m_openingHandedOver = false;
}

void MainProgram::bringWindowToFront()
{
    m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    m_window->raise();
    m_window->activateWindow();
    // Where the system does not let a program take the focus, its taskbar entry asks for attention.
    QApplication::alert(m_window.get());
}

void MainProgram::setupCommand()
{
    runCompanySetup(m_window.get(), m_window->textLookup(), m_programFolder, m_dialogs, m_splash.get(), m_company,
                    [this](const QString &currency) { m_window->selectCurrency(currency); });
}

void MainProgram::printCase()
{
    printCommand(m_window.get(), m_dialogs, m_report, m_window->caseDocument(), m_fileCommands->NomeArq());
}

void MainProgram::showGraphOfCase()
{
    showGraph(m_graph, m_window->languageName(), m_window->cboAplicacao()->currentIndex(), m_window->textLookup(),
              m_window.get());
}

void MainProgram::showPlantSummary()
{
    if (!m_plant) {
        m_plant = new frmPlantSummary(
            {m_dialogs, m_window->languageTexts(), m_company, m_window->locale(), *m_window, *m_fileCommands},
            m_window.get());
        // It follows the main window's language and currency once the main window has taken them.
        connect(m_window.get(), &frmCalcRetorno::languageChanged, m_plant, &frmPlantSummary::retranslate);
        connect(m_window.get(), &frmCalcRetorno::currencyChanged, m_plant, &frmPlantSummary::retranslate);
    } else {
        m_plant->retranslate();
    }
    m_plant->show();
    m_plant->raise();
    m_plant->activateWindow();
}

frmSystemCurve *MainProgram::systemCurveWindow() const
{
    return m_systemCurve;
}

void MainProgram::showSystemCurve()
{
    if (!m_systemCurve) {
        m_systemCurve = new frmSystemCurve({m_dialogs, m_window->locale(), *m_window}, m_window.get());
        // It follows the main window's language, currency and case.
        connect(m_window.get(), &frmCalcRetorno::languageChanged, m_systemCurve, &frmSystemCurve::retranslate);
        connect(m_window.get(), &frmCalcRetorno::currencyChanged, m_systemCurve, &frmSystemCurve::retranslate);
        connect(m_window.get(), &frmCalcRetorno::caseChanged, m_systemCurve, &frmSystemCurve::caseChanged);
        connect(m_systemCurve, &frmSystemCurve::addToPlant, this, &MainProgram::addToPlant);
    }
    m_systemCurve->show();
    m_systemCurve->raise();
    m_systemCurve->activateWindow();
}

void MainProgram::addToPlant(const CaseRecord &record, const SystemCurveParameters &parameters)
{
    showPlantSummary();
    m_plant->document().addCurveCase(record, parameters);
}
