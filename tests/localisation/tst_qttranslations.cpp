// Qt's own texts in the language the user picked: the real QMessageBox and QFileDialog of the file
// commands, offscreen, with the translation files the build puts beside the program.
#include "calc/companyblock.h"
#include "files/filecommands.h"
#include "mainwindow/frmcalcretorno.h"
#include "mainwindow/maskededit.h"
#include "platform/qtdialogs.h"
#include "support/modalwatchdog.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QString plain(QString text)
{
    return text.remove(u'&');
}

} // namespace

class TestQtTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void qtDialogsSpeakThePickedLanguage_data();
    void qtDialogsSpeakThePickedLanguage();
};

void TestQtTranslations::initTestCase()
{
}

void TestQtTranslations::qtDialogsSpeakThePickedLanguage_data()
{
    QTest::addColumn<QString>("defaultLanguage");
    QTest::addColumn<QStringList>("picks");
    QTest::addColumn<bool>("withFiles");
    // The replace question's Yes and No, the accept buttons of Save As and Open, a field's Copy.
    QTest::addColumn<QString>("qtTexts");
    const QString en = QStringLiteral("English");
    const QString pt = QStringLiteral("Português");
    const QString es = QStringLiteral("Español");
    QTest::newRow("Portuguese picked") << en << QStringList{pt} << true << "Sim|Não|Salvar|Abrir|Copiar";
    QTest::newRow("Spanish picked") << en << QStringList{es} << true << "Sí|No|Guardar|Abrir|Copiar";
    QTest::newRow("Portuguese at start") << pt << QStringList() << true << "Sim|Não|Salvar|Abrir|Copiar";
    QTest::newRow("back to English") << pt << QStringList{es, en} << true << "Yes|No|Save|Open|Copy";
    QTest::newRow("no translation files") << en << QStringList{pt} << false << "Yes|No|Save|Open|Copy";
}

void TestQtTranslations::qtDialogsSpeakThePickedLanguage()
{
    QFETCH(QString, defaultLanguage);
    QFETCH(QStringList, picks);
    QFETCH(bool, withFiles);
    QFETCH(QString, qtTexts);

    QTemporaryDir programFolder;
    QVERIFY(programFolder.isValid());
    QVERIFY(TestData::writeNumberedConfig(programFolder.path(), defaultLanguage));
    if (withFiles) {
        // The build puts the files beside every program, this test included.
        for (const char *name : {"qtbase_pt_BR.qm", "qtbase_es.qm"}) {
            const QString shipped = QCoreApplication::applicationDirPath() + u'/' + QLatin1String(name);
            QVERIFY2(QFile::copy(shipped, programFolder.filePath(QLatin1String(name))), name);
        }
    }

    QtDialogs dialogs;
    CompanyBlock company;
    // The replace question is answered No after its buttons are noted; a file dialog notes its accept
    // button and takes typedName, or is cancelled when that is empty.
    ModalWatchdog watchdog;
    QString typedName;
    QStringList messageButtons; // "Yes|No" per message box
    QStringList acceptButtons;  // per file dialog
    const auto boxes = watchdog.expect<QMessageBox>([&](QMessageBox *box) {
        messageButtons << plain(box->button(QMessageBox::Yes)->text()) + u'|' +
                              plain(box->button(QMessageBox::No)->text());
        box->button(QMessageBox::No)->click();
    });
    const auto files = watchdog.expect<QFileDialog>([&](QFileDialog *dialog) {
        const auto *buttons = dialog->findChild<QDialogButtonBox *>();
        const QPushButton *open = buttons->button(QDialogButtonBox::Open);
        acceptButtons << plain((open ? open : buttons->button(QDialogButtonBox::Save))->text());
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typedName);
        if (typedName.isEmpty())
            dialog->reject();
        else
            static_cast<QDialog *>(dialog)->accept(); // QFileDialog's own accept() is protected
    });
    auto window =
        std::make_unique<frmCalcRetorno>(dialogs, company, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(window->load(programFolder.path(), nullptr));
    FileCommands commands(*window, dialogs, company, programFolder.path());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    for (const QString &language : picks)
        window->cboIdioma()->setCurrentIndex(window->cboIdioma()->findText(language));

    // Save without a current file: Save As, where a name is typed without extension; Save again asks
    // the replace question (texts 76 and 77), answered No; Open is cancelled.
    typedName = QStringLiteral("mycase");
    commands.lblSalvar_Click();
    QVERIFY(QFile::exists(programFolder.filePath(QStringLiteral("mycase"))));
    QCOMPARE(commands.NomeArq(), programFolder.filePath(QStringLiteral("mycase")));
    commands.lblSalvar_Click();
    typedName.clear();
    commands.lblAbrir_Click();

    QVERIFY2(watchdog.unexpected.isEmpty(), qPrintable(watchdog.unexpected.join(u',')));
    const std::unique_ptr<QMenu> menu(window->field(u"mskPotencia")->createStandardContextMenu());
    QString copy; // the entry with the shortcut Ctrl+C, however the modifier is called
    for (const QAction *action : menu->actions()) {
        if (action->text().endsWith(u"+C"))
            copy = plain(action->text()).section(u'\t', 0, 0);
    }
    const QStringList shown = messageButtons + acceptButtons + QStringList{copy};
    QCOMPARE(shown.join(u'|'), qtTexts);
}

TESSIO_TEST_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
