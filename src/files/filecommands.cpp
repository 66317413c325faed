#include "files/filecommands.h"

#include "calc/numberformat.h"
#include "files/casefile.h"
#include "files/export.h"
#include "localisation/captions.h"
#include "mainwindow/commandlabel.h"
#include "mainwindow/maskededit.h"
#include "platform/dialogs.h"
#include "settings/companyblock.h"
#include "settings/regkeys.h"

#include <QDir>
#include <QFileInfo>

#include <exception>
#include <utility>

using Command = frmCalcRetorno::Command;

FileCommands::FileCommands(frmCalcRetorno &window, Dialogs &dialogs, const CompanyBlock &company,
                           const QString &programFolder, QObject *parent, FolderCheck canWrite)
    : QObject(parent),
      m_window(window),
      m_dialogs(dialogs),
      m_company(company),
      m_programFolder(programFolder),
      m_canWrite(std::move(canWrite))
{
}

FileCommands::~FileCommands() = default;

void FileCommands::handle(frmCalcRetorno::Command command)
{
    switch (command) {
    case Command::New:
        lblNovo_Click();
        break;
    case Command::Open:
        lblAbrir_Click();
        break;
    case Command::Save:
        lblSalvar_Click();
        break;
    case Command::SaveAs:
        lblSalvarComo_Click();
        break;
    case Command::Export:
        lblExport_Click();
        break;
    default:
        break;
    }
}

void FileCommands::lblNovo_Click()
{
    m_window.clearFields();
    m_window.field(u"mskValorkWh")->setText(NumberFormat::shortestText(m_company.DefaultKwhPrice, m_window.locale()));
    m_window.field(u"mskDiaAno")->setText(QStringLiteral("365"));
    for (const char16_t *hours : {u"mskVazao100", u"mskVazao90", u"mskVazao80", u"mskVazao70", u"mskVazao60", u"mskVazao50"})
        m_window.field(hours)->setText(QStringLiteral("0"));
    m_NomeArq.clear();
    keepCase();
    // Runs the currency change (captions, the currency's own kWh price) only when the selection
    // changes. A stored currency that is no item keeps the current one.
    m_window.selectCurrency(ReadStoredCurrency());
    keepCase(); // after the currency's own kWh price
}

void FileCommands::lblAbrir_Click()
{
    // The field being left runs its leaving rule before anything is loaded over it.
    m_window.field(u"mskReferencia")->setFocus(Qt::OtherFocusReason);

    const QString folder = dialogFolder(m_programFolder, m_canWrite);
    const QString path = m_dialogs.openFileName(&m_window, dialogTitle(OpenCaptionText), folder, CaseFileFilter);
    if (path.isEmpty()) {
        whiteBackground(Command::Open);
        return;
    }
    openCaseFile(path);
    whiteBackground(Command::Open);
}

void FileCommands::openCaseFile(const QString &path)
{
    m_NomeArq = path;

    const CaseFileResult result = ReadCaseFile(path, m_window.caseRecord());
    if (result.fieldsApplied > 0) {
        // Fields not read are the window's own texts, so applying the whole record changes only
        // what was read. The loaded texts become the texts at focus: leaving a field unchanged
        // afterwards must not empty the results computed below.
        m_window.applyCaseRecord(result.record, true);
        m_window.emptyResults();
    }
    if (!result.ok()) {
        showCritical(OpenFailedText);
        return;
    }
    m_window.calculate();
    keepCase(); // with the efficiency the calculation may have filled in
}

bool FileCommands::lblSalvar_Click()
{
    if (m_NomeArq.isEmpty())
        return lblSalvarComo_Click();
    if (QFileInfo::exists(m_NomeArq)) {
        const QString question = m_window.text(ReplaceQuestionText) + QLatin1Char('\r') + m_window.text(ReplaceQuestionText2);
        if (m_dialogs.message(&m_window, Dialogs::Icon::Question, applicationTitle(), question, Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes) {
            whiteBackground(Command::Save);
            return false;
        }
    }
    const bool written = WriteCaseFile(m_NomeArq, m_window.caseRecord());
    if (written)
        keepCase();
    else
        showCritical(SaveFailedText);
    whiteBackground(Command::Save);
    return written;
}

bool FileCommands::lblSalvarComo_Click()
{
    // The dialog itself asks before replacing an existing file.
    const QString path = m_dialogs.saveFileName(&m_window, dialogTitle(SaveAsCaptionText), startingFolder(), CaseFileFilter);
    bool written = false;
    if (!path.isEmpty()) {
        written = WriteCaseFile(path, m_window.caseRecord());
        if (written) {
            m_NomeArq = path;
            keepCase();
        } else {
            showCritical(SaveAsFailedText);
        }
    }
    whiteBackground(Command::Save);
    return written;
}

void FileCommands::lblExport_Click()
{
    try {
        const QString path = m_dialogs.saveFileName(&m_window, dialogTitle(ExportCaptionText), startingFolder(),
                                                     ExportFileFilter);
        if (!path.isEmpty()) {
            if (!m_export)
                m_export = std::make_unique<Export>(m_dialogs, &m_window);
            // The writer reports its own failures.
            m_export->cmdPrint_Click(path, m_window.caseDocument());
        }
    } catch (const std::exception &) {
        showCritical(ExportFailedText);
    }
    whiteBackground(Command::Export);
}

QString FileCommands::startingFolder() const
{
    const qsizetype separator = qMax(m_NomeArq.lastIndexOf(u'/'), m_NomeArq.lastIndexOf(u'\\'));
    QString folder = m_programFolder;
    if (separator > 0)
        folder = m_NomeArq.left(separator);
    else if (separator == 0)
        folder = m_NomeArq.left(1); // a file in the root folder
    return dialogFolder(folder, m_canWrite);
}

void FileCommands::keepCase()
{
    m_keptCase = caseFileBytes(m_window.caseRecord());
}

bool FileCommands::caseChanged() const
{
    return caseFileBytes(m_window.caseRecord()) != m_keptCase;
}

bool FileCommands::queryClose()
{
    if (!caseChanged())
        return true;
    QString question = m_window.text(CloseQuestionText);
    if (!m_NomeArq.isEmpty())
        question += QLatin1Char('\r') + QDir::toNativeSeparators(m_NomeArq);
    question += QLatin1Char('\r') + m_window.text(CloseQuestionText2);
    switch (m_dialogs.askToSave(&m_window, applicationTitle(), question, m_window.text(SaveButtonText),
                                m_window.text(DiscardButtonText), m_window.text(CancelButtonText))) {
    case Dialogs::Answer::Save:
        return lblSalvar_Click();
    case Dialogs::Answer::Discard:
        return true;
    default:
        return false;
    }
}

QString FileCommands::dialogTitle(int captionText) const
{
    return withoutAccessKey(m_window.text(captionText));
}

void FileCommands::showCritical(int textNumber)
{
    m_dialogs.message(&m_window, Dialogs::Icon::Critical, applicationTitle(), m_window.text(textNumber));
}

void FileCommands::whiteBackground(frmCalcRetorno::Command command)
{
    frmCalcRetorno::setLabelBackgroundWhite(m_window.commandLabel(command));
}
