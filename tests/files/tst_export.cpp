#include "files/export.h"
#include "support/fakedialogs.h"
#include "support/testdatafiles.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <stdexcept>

namespace {

using TestData::readBytes;

const QHash<int, QString> English{
    {90, "The text export could not be completed."},
    {91, "Check that the file is not in use and that the disk has room."},
    {92, "The lines written so far stay in the file."},
    {122, "Payback (months):"},
    {131, "ENERGY SAVING WITH A VARIABLE-FREQUENCY DRIVE"},
    {134, "Reference: "},
    {135, "Flow (%)"},
    {136, "Operating hours"},
    {138, "per day"},
    {139, "100 %"},
    {141, "90 %"},
    {143, "80 %"},
    {145, "70 %"},
    {147, "60 %"},
    {149, "50 %"},
    {151, "Motor power:"},
    {155, "kWh price "},
    {157, "Drive price "},
    {158, "Saving per year (kWh):"},
    {159, "Saving per year "},
    {165, "Operating days per year: "},
    {166, "The figures above are estimates based on typical load curves"},
    {167, "of centrifugal pumps and fans. Actual savings depend on the"},
    {168, "installation and the operating profile."},
    {169, "Tessio - drive savings calculator"},
    {170, "www.example.com"},
};

const QHash<int, QString> Portuguese{
    {90, QString::fromUtf8("Não foi possível concluir a exportação do texto.")},
    {91, QString::fromUtf8("Verifique se o arquivo não está em uso e se há espaço no disco.")},
    {92, QString::fromUtf8("As linhas já gravadas permanecem no arquivo.")},
    {122, "Retorno (meses):"},
    {131, QString::fromUtf8("ECONOMIA DE ENERGIA COM INVERSOR DE FREQUÊNCIA")},
    {134, QString::fromUtf8("Referência: ")},
    {135, QString::fromUtf8("Vazão (%)")},
    {136, QString::fromUtf8("Horas de operação")},
    {138, "por dia"},
    {139, "100 %"},
    {141, "90 %"},
    {143, "80 %"},
    {145, "70 %"},
    {147, "60 %"},
    {149, "50 %"},
    {151, QString::fromUtf8("Potência do motor:")},
    {155, QString::fromUtf8("Preço do kWh ")},
    {157, QString::fromUtf8("Preço do inversor ")},
    {158, "Economia anual (kWh):"},
    {159, "Economia anual "},
    {165, QString::fromUtf8("Dias de operação por ano: ")},
    {166, QString::fromUtf8("Os valores acima são estimativas baseadas em curvas de carga típicas")},
    {167, QString::fromUtf8("de bombas e ventiladores centrífugos. A economia real depende da")},
    {168, QString::fromUtf8("instalação e do perfil de operação.")},
    {169, "Tessio - calculadora de economia com inversores"},
    {170, "www.example.com.br"},
};

TextLookup lookup(const QHash<int, QString> &table)
{
    return [table](int n) { return table.value(n); };
}

ExportInput englishCase()
{
    ExportInput in;
    in.locale = QLocale(QStringLiteral("en_US"));
    in.date = QDate(2024, 3, 7);
    in.text = lookup(English);
    in.applicationText = QStringLiteral("Centrifugal pump with valve");
    in.company.CompanyName = QStringLiteral("Varnel Drives Ltd.");
    in.company.Street = QStringLiteral("12 Harbour Road");
    in.company.CityLine = QStringLiteral("Springfield - IL - 62701");
    in.company.PhoneLine = QStringLiteral("Phone: +1 555 0100");
    in.company.FaxLine = QStringLiteral("Fax: +1 555 0199");
    CaseRecord &r = in.record;
    r.cboAplicacao = 0;
    r.optUnPotencia = UnitKw;
    r.cboMoedas = QStringLiteral("US$");
    r.mskReferencia = QStringLiteral("P-101 cooling water");
    r.mskDiaAno = QStringLiteral("365");
    r.mskVazao100 = QStringLiteral("8");
    r.mskVazao90 = QStringLiteral("6");
    r.mskVazao80 = QStringLiteral("4");
    r.mskVazao70 = QStringLiteral("3");
    r.mskVazao60 = QStringLiteral("2");
    r.mskVazao50 = QStringLiteral("1.5");
    r.mskPotencia = QStringLiteral("1250.5");
    r.mskRendimento = QStringLiteral("95");
    r.mskValorkWh = QStringLiteral("0.08");
    r.mskInversor = QStringLiteral("12500");
    r.mskEconomiakW = QStringLiteral("123456");
    r.mskEconomiaReais = QStringLiteral("9876.543");
    r.mskRetorno = QStringLiteral("15");
    return in;
}

ExportInput portugueseCase()
{
    ExportInput in;
    in.locale = QLocale(QStringLiteral("pt_BR"));
    in.date = QDate(2024, 3, 7);
    in.text = lookup(Portuguese);
    in.applicationText = QStringLiteral("Ventilador com damper de entrada");
    in.company.CompanyName = QString::fromUtf8("Indústria Exemplo S.A.");
    in.company.Street = QStringLiteral("Av. Brasil, 1500");
    in.company.CityLine = QString::fromUtf8("São Paulo - SP - 01000-000");
    in.company.PhoneLine = QStringLiteral("Fone: (11) 5555-0100");
    CaseRecord &r = in.record;
    r.cboAplicacao = 2;
    r.optUnPotencia = UnitHp;
    r.cboMoedas = QStringLiteral("R$");
    r.mskReferencia = QString::fromUtf8("Exaustor E-07 – galpão 2");
    r.mskDiaAno = QStringLiteral("300");
    r.mskVazao100 = QStringLiteral("24");
    r.mskVazao90 = QStringLiteral("20");
    r.mskVazao80 = QStringLiteral("16");
    r.mskVazao70 = QStringLiteral("8");
    r.mskVazao60 = QStringLiteral("4");
    r.mskVazao50 = QStringLiteral("0");
    r.mskPotencia = QStringLiteral("150");
    r.mskValorkWh = QStringLiteral("0,45");
    r.mskInversor = QStringLiteral("48500");
    r.mskEconomiakW = QStringLiteral("----");
    r.mskEconomiaReais = QStringLiteral("----");
    r.mskRetorno = QStringLiteral("----");
    return in;
}

QByteArray golden(const char *name)
{
    return readBytes(QStringLiteral(TESSIO_TEST_DATA "/") + QLatin1String(name));
}

// Runs a callback when a message is shown, after recording it: lets a test repair the cause of a
// failure the way a user would before the writer tries again.
class RepairingDialogs : public FakeDialogs
{
public:
    std::function<void()> onMessage;
    Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text,
                   Buttons buttons) override
    {
        const Answer answer = FakeDialogs::message(parent, icon, title, text, buttons);
        if (onMessage)
            onMessage();
        return answer;
    }
};

QString expectedErrorText(const QString &description)
{
    return English.value(90) + u'\r' + English.value(91) + u'\r' + English.value(92) + QStringLiteral("\r\rErro: ")
           + description;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT
private slots:

    void writesTheGoldenFiles_data();
    void writesTheGoldenFiles();
    void secondExportIsAppended();
    void headerColumnsFollowTheWidestCompanyLine();
    void ruleIsAsLongAsTheLongestHeaderLine();
    void labelsWiderThanTheirBlockGetNoBlanks();
    void textsThatAreNotNumbersAreWrittenAsThey();
    void emptyPathTouchesNothing();
    void unopenableTargetIsTriedOnceMore();
    void fullDiskEndsAfterOneRetry();
    void repairedTargetIsWrittenOnTheRetry();
};

void TestExport::writesTheGoldenFiles_data()
{
    QTest::addColumn<ExportInput>("input");
    QTest::addColumn<QString>("golden");
    QTest::newRow("English, en_US, kW") << englishCase() << "export_en_us.txt";
    QTest::newRow("Portuguese, pt_BR, HP, no saving") << portugueseCase() << "export_pt_br.txt";
}

void TestExport::writesTheGoldenFiles()
{
    QFETCH(ExportInput, input);
    QFETCH(QString, golden);
    const QByteArray expected = readBytes(QStringLiteral(TESSIO_TEST_DATA "/") + golden);
    QVERIFY(!expected.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("REPORT.TXT"));
    FakeDialogs dialogs;
    Export writer(dialogs);
    QVERIFY(writer.cmdPrint_Click(path, input));
    QCOMPARE(dialogs.messages.size(), 0);

    const QByteArray written = readBytes(path);
    // Line by line first, so that a difference names its line.
    const QList<QByteArray> got = written.split('\n');
    const QList<QByteArray> want = expected.split('\n');
    QCOMPARE(got.size(), 35); // 34 lines and what follows the last line end
    for (qsizetype i = 0; i < want.size() && i < got.size(); ++i)
        QCOMPARE(got[i], want[i]);
    QCOMPARE(written, expected);
}

void TestExport::secondExportIsAppended()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("both.txt"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("earlier content\r\n");
    }
    FakeDialogs dialogs;
    Export writer(dialogs);
    QVERIFY(writer.cmdPrint_Click(path, englishCase()));
    QVERIFY(writer.cmdPrint_Click(path, portugueseCase()));
    QCOMPARE(readBytes(path),
             QByteArray("earlier content\r\n") + golden("export_en_us.txt") + golden("export_pt_br.txt"));
}

void TestExport::headerColumnsFollowTheWidestCompanyLine()
{
    ExportInput in = englishCase();
    in.company.CompanyName = QStringLiteral("Acme");
    in.company.Street = QStringLiteral("1 Main Street");                // 13
    in.company.CityLine = QStringLiteral("Riverside - CA - 92501-0001"); // 27
    QCOMPARE(in.company.CityLine.size(), 27);

    const QStringList lines = exportLines(in);
    QCOMPARE(lines.size(), 34);
    QCOMPARE(lines[0], QStringLiteral("Acme") + QString(28, u' ') + QStringLiteral("Date: 03/07/2024"));
    QCOMPARE(lines[1], in.company.Street + QString(19, u' ') + in.company.PhoneLine);
    QCOMPARE(lines[2], in.company.CityLine + QString(5, u' ') + in.company.FaxLine);
    QCOMPARE(lines[0].indexOf(u"Date"), 32);
    QCOMPARE(lines[1].indexOf(u"Phone"), 32);
    QCOMPARE(lines[2].indexOf(u"Fax"), 32);

    // A character the file cannot hold counts as the one "?" that stands for it.
    in.company.CompanyName = QStringLiteral("\U0001F600cme");
    QCOMPARE(exportLines(in)[0], QStringLiteral("?cme") + QString(28, u' ') + QStringLiteral("Date: 03/07/2024"));
}

void TestExport::ruleIsAsLongAsTheLongestHeaderLine()
{
    ExportInput in = englishCase();
    in.company.FaxLine = QStringLiteral("Fax: +1 555 0199 (sales) / +1 555 0198 (service)");
    QStringList lines = exportLines(in);
    QVERIFY(lines[2].size() > lines[0].size());
    QCOMPARE(lines[3], QString(lines[2].size(), u'-'));

    in.company.PhoneLine.clear();
    in.company.FaxLine.clear();
    lines = exportLines(in);
    QCOMPARE(lines[3], QString(lines[0].size(), u'-'));
    QVERIFY(lines[2].endsWith(QString(5, u' ')));
}

void TestExport::labelsWiderThanTheirBlockGetNoBlanks()
{
    ExportInput in = englishCase();
    QHash<int, QString> texts = English;
    texts[122] = QStringLiteral("Months until the drive has paid for itself:");
    texts[151] = QStringLiteral("Rated motor power at full load:");
    texts[155] = QStringLiteral("Price of one kilowatt-hour ");
    in.text = lookup(texts);
    in.record.optUnPotencia = UnitHp;

    const QStringList lines = exportLines(in);
    QCOMPARE(lines[17], texts[151] + QStringLiteral("1,250.50 HP"));
    QCOMPARE(lines[18], texts[155] + QStringLiteral("(US$):0.08"));
    QCOMPARE(lines[19], QStringLiteral("Drive price (US$): 12,500.00"));
    QCOMPARE(lines[23], texts[122] + QStringLiteral("15"));
    // The other result labels keep their column.
    QCOMPARE(lines[21], QStringLiteral("Saving per year (kWh): 123,456"));
}

void TestExport::textsThatAreNotNumbersAreWrittenAsThey()
{
    ExportInput in = englishCase();
    in.record.mskVazao100 = QStringLiteral("8 h");
    in.record.mskInversor.clear();
    in.record.mskEconomiakW = QStringLiteral("----");
    in.record.mskEconomiaReais = QStringLiteral("----");
    in.record.mskRetorno.clear();

    const QStringList lines = exportLines(in);
    QCOMPARE(lines[10], QStringLiteral("100 %") + QString(16, u' ') + QStringLiteral("8 h"));
    QCOMPARE(lines[19], QStringLiteral("Drive price (US$): "));
    QCOMPARE(lines[21], QStringLiteral("Saving per year (kWh): ----"));
    QCOMPARE(lines[22], QStringLiteral("Saving per year (US$): ----"));
    QCOMPARE(lines[23], QStringLiteral("Payback (months):") + QString(6, u' '));
}

void TestExport::emptyPathTouchesNothing()
{
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    FakeDialogs dialogs;
    Export writer(dialogs);
    QVERIFY(!writer.cmdPrint_Click(QString(), englishCase()));
    QCOMPARE(dialogs.messages.size(), 0);
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

void TestExport::unopenableTargetIsTriedOnceMore()
{
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("plain"));
    {
        QFile file(notAFolder);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);

    RepairingDialogs dialogs;
    // Should the writer keep retrying, the third message repairs the target so that the test ends
    // (and fails on the count) instead of hanging.
    dialogs.onMessage = [&] {
        if (dialogs.messages.size() > 2 && QFile::remove(notAFolder))
            QDir().mkdir(notAFolder);
    };
    Export writer(dialogs);
    QVERIFY(!writer.cmdPrint_Click(notAFolder + QStringLiteral("/out.txt"), englishCase()));

    QCOMPARE(dialogs.messages.size(), 2);
    for (const auto &m : std::as_const(dialogs.messages)) {
        QCOMPARE(m.icon, Dialogs::Icon::Critical);
        QCOMPARE(m.title, QStringLiteral("Erro 53 ( 35 )"));
        QVERIFY(m.text.startsWith(expectedErrorText(QString())));
        QVERIFY(m.text.size() > expectedErrorText(QString()).size());
    }
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(readBytes(notAFolder), QByteArray());
}

void TestExport::fullDiskEndsAfterOneRetry()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full to fill");
    RepairingDialogs dialogs;
    // A full disk cannot be repaired: a writer that kept retrying is stopped by the third message.
    dialogs.onMessage = [&dialogs] {
        if (dialogs.messages.size() > 2)
            throw std::runtime_error("the writer keeps retrying");
    };
    Export writer(dialogs);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("seek")));
    try {
        QVERIFY(!writer.cmdPrint_Click(QStringLiteral("/dev/full"), englishCase()));
    } catch (const std::runtime_error &e) {
        QFAIL(e.what());
    }
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("Erro 61 ( 3D )"));
    QCOMPARE(dialogs.messages[1].title, QStringLiteral("Erro 61 ( 3D )"));
}

void TestExport::repairedTargetIsWrittenOnTheRetry()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("exports"));
    const QString path = folder + QStringLiteral("/report.txt");

    RepairingDialogs dialogs;
    dialogs.onMessage = [&folder] { QDir().mkdir(folder); };
    Export writer(dialogs);
    QVERIFY(writer.cmdPrint_Click(path, englishCase()));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(readBytes(path), golden("export_en_us.txt"));
}

TESSIO_TEST_MAIN(TestExport)
#include "tst_export.moc"
