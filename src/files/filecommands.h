#pragma once

#include "calc/caseview.h"
#include "files/dialogfolder.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class Dialogs;
class Export;
class QWidget;
struct CompanyBlock;

// The file commands of the main window: New (lblNovo), Open (lblAbrir), Save (lblSalvar),
// Save As (lblSalvarComo) and Export (lblExport), and the current case file NomeArq.
//
// How data flows: the window forwards its command labels through commandRequested(); handle()
// dispatches the five commands here and ignores the others. Each command reads the case from the
// CaseView (caseRecord), writes or reads the case file (WriteCaseFile, ReadCaseFile) and puts a loaded
// case back (putCase); it never sees the window itself. Every question, message and file dialog goes
// through Dialogs; every message is a language text of the view's current language.
class FileCommands : public QObject
{
    Q_OBJECT
public:
    // Filters of the file dialogs. Files match in either letter case of the extension.
    static inline const QString CaseFileFilter = QStringLiteral("Arquivo de Inversores (*.WAU *.wau)");
    static inline const QString ExportFileFilter = QStringLiteral("Export Files (*.TXT *.txt)");

    // Language texts of the messages.
    static constexpr int OpenFailedText = 52;
    static constexpr int ReplaceQuestionText = 76; // followed by CR and text 77
    static constexpr int ReplaceQuestionText2 = 77;
    static constexpr int SaveFailedText = 78;
    static constexpr int SaveAsFailedText = 79;
    static constexpr int ExportFailedText = 75;
    // The commands' captions, which title their file dialogs.
    static constexpr int OpenCaptionText = 6;
    static constexpr int SaveAsCaptionText = 8;
    static constexpr int ExportCaptionText = 9;
    // The question before a changed case is closed, cleared or replaced by another, and its buttons Save,
    // Don't save, Cancel.
    static constexpr int CloseQuestionText = 265; // then the file's name, when there is one, and text 266
    static constexpr int ClearQuestionText = 300;
    static constexpr int ReplaceCaseQuestionText = 301;
    static constexpr int CloseQuestionText2 = 266;
    static constexpr int SaveButtonText = 267;
    static constexpr int DiscardButtonText = 268;
    static constexpr int CancelButtonText = 269;

    using Command = TaskPane::Command;

    // view, dialogs and company outlive this object. programFolder is the starting folder of the
    // dialogs while there is no current file. A starting folder that canWrite refuses is replaced by
    // the user's documents folder.
    FileCommands(CaseView &view, Dialogs &dialogs, const CompanyBlock &company,
                 const QString &programFolder, QObject *parent = nullptr,
                 FolderCheck canWrite = canWriteIn);
    ~FileCommands() override;

    // New, Open, Save, SaveAs and Export run their command; every other command is ignored.
    void handle(Command command);

    void lblNovo_Click(); // asks about a changed case first, then clearCase
    // New without the question: start-up's Clear.
    void clearCase();
    void lblAbrir_Click();
    bool lblSalvar_Click();    // true when the case was written
    bool lblSalvarComo_Click(); // likewise
    void lblExport_Click();

    // Full path of the current case file; empty when there is none.
    QString NomeArq() const { return m_NomeArq; }

    // Puts record in the view as a new case of its own: in place, calculated, and no current file, so
    // that Save asks for a name; as nothing of it was typed, it counts as unchanged. A changed case in
    // the view is asked about first (queryReplace); false when the user cancelled, and nothing changed.
    bool putNewCase(const CaseRecord &record);

    // Open without its dialog, for a file named when the program starts: path becomes NomeArq, the
    // case is read and calculated; a file that cannot be read gets Open's message.
    void openCaseFile(const QString &path);
    // The same for a file handed over while the program runs: a changed case is asked about first;
    // false when the user cancelled, and nothing changed.
    bool replaceWithCaseFile(const QString &path);

    // Whether the case in the window differs from the one last opened, saved or cleared, in anything
    // that Save would write.
    bool caseChanged() const;
    // What is about to happen to the case in the view; it names the question.
    enum class Replacement { Close, Clear, Open };
    // Before the case in the view goes (closing, Clear, Open, a case put in its place): a changed case
    // asks Save, Don't save or Cancel in the user's language. True when it may go: nothing changed,
    // Don't save, or Save wrote the case.
    bool queryReplace(Replacement replacement);
    bool queryClose() { return queryReplace(Replacement::Close); }
    // The case now in the window is the one last opened, saved or cleared (start-up calls it once the
    // first-run setup may have changed the currency and with it the kWh price).
    void keepCase();

private:
    // The folder of NomeArq (the text before its last separator), else the program folder; either
    // only when it can be written, else the documents folder.
    QString startingFolder() const;
    QString dialogTitle(int captionText) const; // the caption without its access-key mark
    void showCritical(int textNumber);

    CaseView &m_view;
    Dialogs &m_dialogs;
    const CompanyBlock &m_company;
    QString m_programFolder;
    FolderCheck m_canWrite;
    QString m_NomeArq;
    QByteArray m_keptCase; // what Save wrote, Open read or Clear left, as the case file's bytes
    std::unique_ptr<Export> m_export; // created at the first export
};

// The question before changes are lost, in the language of `text`: text `questionText`, then the file's
// name when there is one, then text 266, with the buttons Save, Don't save and Cancel. True when the
// changes may go: Don't save, or Save and `save` wrote them. The case and the plant ask it alike.
bool askToSaveChanges(Dialogs &dialogs, QWidget *parent, const TextLookup &text, int questionText,
                      const QString &path, const std::function<bool()> &save);
