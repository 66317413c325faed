#include "startup/mainprogram.h"

#include "files/filecommands.h"
#include "localisation/frmsplash.h"
#include "plant/frmplantsummary.h"
#include "platform/dialogs.h"
#include "report/frmgraph.h"
#include "report/printcommand.h"
#include "report/printerreport.h"
#include "settings/companysetup.h"
#include "settings/links.h"
#include "settings/modcadastrovarnel.h"
#include "settings/regkeys.h"

#include <QComboBox>

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
    // Closing the program loses the plant as well as the case: both are asked about, the plant first.
    m_window->setCloseCheck([this] { return (!m_plant || m_plant->queryClose()) && m_fileCommands->queryClose(); });
    // The next start applies the language picked now.
    connect(m_window.get(), &frmCalcRetorno::languagePicked, this, [](const QString &name) {
        SetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboIdioma, name);
    });
}

MainProgram::~MainProgram()
{
    // The plant window, a child of the main window, reads the main window's case and texts while it
    // lives: it goes before the main window is taken apart.
    delete m_plant;
}

bool MainProgram::load()
{
    return m_window->load(m_programFolder, m_splash.get(),
                          GetKeyValue(RegHive::LocalMachine, SettingsKeyPath, RegValue::cboIdioma));
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
    }
}

frmPlantSummary *MainProgram::plantWindow() const
{
    return m_plant;
}

void MainProgram::clearCase()
{
    m_fileCommands->lblNovo_Click();
}

void MainProgram::openCaseFile(const QString &path)
{
    m_fileCommands->openCaseFile(path);
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
        // The main window relabels itself first (it connected first); the plant window follows.
        for (QComboBox *selector : {m_window->cboIdioma(), m_window->cboMoedas()})
            connect(selector, &QComboBox::currentIndexChanged, m_plant, &frmPlantSummary::retranslate);
    } else {
        m_plant->retranslate();
    }
    m_plant->show();
    m_plant->raise();
    m_plant->activateWindow();
}
