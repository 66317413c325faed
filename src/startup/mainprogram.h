#pragma once

#include "calc/companyblock.h"
#include "mainwindow/frmcalcretorno.h"

#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QString>
#include <QTimer>

#include <memory>

class Dialogs;
class FileCommands;
class HandoverInbox;
class PrinterReport;
class frmGraph;
class frmPlantSummary;
class frmSystemCurve;
struct SystemCurveParameters;
class Shell;
class frmSplash;

// The program's single instances and the one place where the main window's commands meet their
// owners. It owns, in order of construction: the company block, the progress window, the main window
// and the command helpers. Every command the window forwards through commandRequested() lands in
// handle():
//   New, Open, Save, Save As, Export   the file commands
//   Print, Graph                       the report writer and the graph window
//   Setup                              the setup window, then the company block again
//   Help, Models, WebLink, HelpDocument  the help note and the links
//   PlantSummary                       the plant window
//   SystemCurve                        the system-curve window, whose Add to plant goes to the plant window
// Closing the main window with an unsaved plant or a changed case asks first (frmPlantSummary::queryClose,
// FileCommands::queryClose).
// A case file handed over by a second copy (HandoverInbox) brings the main window to the front and is
// opened as Open opens a file, the changed case asked about first; while a dialog or another command
// is running it waits until the user is back in the main window.
// Start-up (Main) drives the load sequence through the accessors; nothing here runs on its own.
class MainProgram : public QObject
{
    Q_OBJECT
public:
    MainProgram(Dialogs &dialogs, Shell &shell, const QString &programFolder, const QLocale &locale,
                QObject *parent = nullptr);
    ~MainProgram() override;

    frmCalcRetorno &window() { return *m_window; }
    CompanyBlock &company() { return m_company; }
    frmSplash &splash() { return *m_splash; }
    FileCommands &fileCommands() { return *m_fileCommands; }
    frmGraph *graphWindow() const; // null until Graph opens it, and again after it was closed
    frmPlantSummary *plantWindow() const; // null until Plant summary opens it
    frmSystemCurve *systemCurveWindow() const; // null until System curve opens it
    const QString &programFolder() const { return m_programFolder; }

    // The main window's load step with the progress window; false after its general error report.
    bool load();
    // Whether load() applied the language the user picked in an earlier session.
    bool languageRemembered() const { return m_languageRemembered; }
    // Fills the company block from the settings store and selects its currency in cboMoedas.
    void loadCompanyBlock();

    void handle(frmCalcRetorno::Command command);

    // The commands start-up runs itself.
    void clearCase();    // lblNovo_Click without its question
    void setupCommand(); // lblSetup_Click: modal over the main window
    void openCaseFile(const QString &path); // Open without its dialog

    // Takes the case files handed over to folder (none when it is empty); they wait until
    // openHandedOverFiles is first called, which opens those that came, and every later one as it comes.
    void listenForHandedOverFiles(const QString &folder);
    void openHandedOverFiles();

private:
    void printCase();
    void showGraphOfCase();
    void showPlantSummary();
    void showSystemCurve();
    void addToPlant(const CaseRecord &record, const SystemCurveParameters &parameters);
    void takeHandedOverFile(const QString &path);
    void bringWindowToFront();

    Dialogs &m_dialogs;
    Shell &m_shell;
    QString m_programFolder;
    CompanyBlock m_company;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<frmCalcRetorno> m_window;
    std::unique_ptr<FileCommands> m_fileCommands;
    std::unique_ptr<PrinterReport> m_report; // created at the first print
    QPointer<frmGraph> m_graph;              // a child window of the main window, deleted on close
    // A child window of the main window; closing it only hides it, so that the plant stays.
    QPointer<frmPlantSummary> m_plant;
    QPointer<frmSystemCurve> m_systemCurve; // likewise: its parameters stay
    bool m_languageRemembered = false;
    HandoverInbox *m_inbox = nullptr; // a child of this object
    QQueue<QString> m_handedOver;     // taken, not yet opened
    bool m_openHandedOver = false;    // start-up is complete: open them as they come
    bool m_openingHandedOver = false; // one is being opened (its question may let others arrive)
    QTimer m_handoverRetry;           // looks again once the dialog that was open has gone
};
