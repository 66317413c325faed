#include "files/filecommands.h"

#include "calc/companyblock.h"
#include "files/casefile.h"
#include "files/export.h"
#include "localisation/captions.h"
#include "platform/dialogs.h"
#include "settings/regkeys.h"

#include <QDir>
#include <QFileInfo>

#include <exception>
#include <utility>

using Command = FileCommands::Command;

FileCommands::FileCommands(CaseView &view, Dialogs &dialogs, const CompanyBlock &company,
                           const QString &programFolder, QObject *parent, FolderCheck canWrite)
    : QObject(parent),
      m_view(view),
      m_dialogs(dialogs),
      m_company(company),
      m_programFolder(programFolder),
      m_canWrite(std::move(canWrite))
{
}

FileCommands::~FileCommands() = default;

void FileCommands::handle(Command command)
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
    if (queryReplace(Replacement::Clear))
        clearCase();
}

void FileCommands::clearCase()
{
    m_NomeArq.clear();
    // The currency change (captions, the currency's own kWh price) runs only when the selection
    // changes. A stored currency that is no item keeps the current one.
    m_view.startNewCase(m_company.DefaultKwhPrice, readStoredCurrency());
    keepCase(); // after the currency's own kWh price
}

bool FileCommands::putNewCase(const CaseRecord &record)
{
    if (!queryReplace(Replacement::Open))
        return false;
    m_NomeArq.clear();
    m_view.putCase(record);
    m_view.calculate();
    // Nothing of it was typed here: it goes again without a question, as an opened file does.
    keepCase();
    return true;
}

void FileCommands::lblAbrir_Click()
{
    // The field being left runs its leaving rule before anything is loaded over it.
    m_view.leaveField();
    if (!queryReplace(Replacement::Open)) {
        m_view.commandEnded(Command::Open);
        return;
    }

    const QString folder = dialogFolder(m_programFolder, m_canWrite);
    const QString path = m_dialogs.openFileName(m_view.dialogParent(), dialogTitle(OpenCaptionText), folder, CaseFileFilter);
    if (path.isEmpty()) {
        m_view.commandEnded(Command::Open);
        return;
    }
    openCaseFile(path);
    m_view.commandEnded(Command::Open);
}

bool FileCommands::replaceWithCaseFile(const QString &path)
{
    m_view.leaveField();
    if (!queryReplace(Replacement::Open))
        return false;
    openCaseFile(path);
    return true;
}

void FileCommands::openCaseFile(const QString &path)
{
    m_NomeArq = path;

    const CaseFileResult result = ReadCaseFile(path, m_view.caseRecord());
    if (result.fieldsApplied > 0) {
        // Fields not read are the view's own texts, so putting the whole record changes only what
        // was read. The loaded texts become the texts at focus: leaving a field unchanged afterwards
        // must not empty the results computed below.
        m_view.putCase(result.record);
    }
    if (!result.ok()) {
        showCritical(OpenFailedText);
        return;
    }
    // Numbers written with the other decimal separator cannot be calculated here: the message says
    // that, instead of asking for a number.
    const CaseDocument shown = m_view.caseDocument();
    if (const QString message = otherConventionMessage(result.record, shown.locale, shown.text); !message.isEmpty()) {
        m_dialogs.message(m_view.dialogParent(), Dialogs::Icon::Information, applicationTitle(), message);
        keepCase();
        return;
    }
    m_view.calculate();
    keepCase(); // with the efficiency the calculation may have filled in
}

bool FileCommands::lblSalvar_Click()
{
    if (m_NomeArq.isEmpty())
        return lblSalvarComo_Click();
    if (QFileInfo::exists(m_NomeArq)) {
        const QString question = m_view.text(ReplaceQuestionText) + QLatin1Char('\r') + m_view.text(ReplaceQuestionText2);
        if (m_dialogs.message(m_view.dialogParent(), Dialogs::Icon::Question, applicationTitle(), question, Dialogs::Buttons::YesNo)
            != Dialogs::Answer::Yes) {
            m_view.commandEnded(Command::Save);
            return false;
        }
    }
    const bool written = WriteCaseFile(m_NomeArq, m_view.caseRecord());
    if (written)
        keepCase();
    else
        showCritical(SaveFailedText);
    m_view.commandEnded(Command::Save);
    return written;
}

bool FileCommands::lblSalvarComo_Click()
{
    // The dialog itself asks before replacing an existing file.
    const QString path = m_dialogs.saveFileName(m_view.dialogParent(), dialogTitle(SaveAsCaptionText), startingFolder(), CaseFileFilter);
    bool written = false;
    if (!path.isEmpty()) {
        written = WriteCaseFile(path, m_view.caseRecord());
        if (written) {
            m_NomeArq = path;
            keepCase();
        } else {
            showCritical(SaveAsFailedText);
        }
    }
    m_view.commandEnded(Command::SaveAs);
    return written;
}

void FileCommands::lblExport_Click()
{
    try {
        const QString path = m_dialogs.saveFileName(m_view.dialogParent(), dialogTitle(ExportCaptionText), startingFolder(),
                                                     ExportFileFilter);
        if (!path.isEmpty()) {
            if (!m_export)
                m_export = std::make_unique<Export>(m_dialogs, m_view.dialogParent());
            // The writer reports its own failures.
            m_export->cmdPrint_Click(path, m_view.caseDocument());
        }
    } catch (const std::exception &) {
        showCritical(ExportFailedText);
    }
    m_view.commandEnded(Command::Export);
}

QString FileCommands::startingFolder() const
{
    return folderOfFile(m_NomeArq, m_programFolder, m_canWrite);
}

void FileCommands::keepCase()
{
    m_keptCase = caseFileBytes(m_view.caseRecord());
}

bool FileCommands::caseChanged() const
{
    return caseFileBytes(m_view.caseRecord()) != m_keptCase;
}

bool FileCommands::queryReplace(Replacement replacement)
{
    if (!caseChanged())
        return true;
    static constexpr int Questions[] = {CloseQuestionText, ClearQuestionText, ReplaceCaseQuestionText};
    return askToSaveChanges(m_dialogs, m_view.dialogParent(), [this](int n) { return m_view.text(n); },
                            Questions[int(replacement)], m_NomeArq, [this] { return lblSalvar_Click(); });
}

QString FileCommands::dialogTitle(int captionText) const
{
    return withoutAccessKey(m_view.text(captionText));
}

void FileCommands::showCritical(int textNumber)
{
    m_dialogs.message(m_view.dialogParent(), Dialogs::Icon::Critical, applicationTitle(), m_view.text(textNumber));
}

bool askToSaveChanges(Dialogs &dialogs, QWidget *parent, const TextLookup &text, int questionText,
                      const QString &path, const std::function<bool()> &save)
{
    QString question = text(questionText);
    if (!path.isEmpty())
        question += QLatin1Char('\r') + QDir::toNativeSeparators(path);
    question += QLatin1Char('\r') + text(FileCommands::CloseQuestionText2);
    switch (dialogs.askToSave(parent, applicationTitle(), question, text(FileCommands::SaveButtonText),
                              text(FileCommands::DiscardButtonText), text(FileCommands::CancelButtonText))) {
    case Dialogs::Answer::Save:
        return save();
    case Dialogs::Answer::Discard:
        return true;
    default:
        return false;
    }
}
