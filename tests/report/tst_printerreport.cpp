// The report writer on the recording printer: what is printed where, in which font and format, the
// word wrap, and what a failing printer does to a job.
#include "recordingprinter.h"
#include "report/printerreport.h"
#include "support/fakedialogs.h"
#include "support/testmain.h"

#include <QGuiApplication>
#include <QTest>

namespace {

constexpr double L = 28;
constexpr double T = 31;
const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale Brazil(QLocale::Portuguese, QLocale::Brazil);

// Text N is "tN", so every printed text shows where it came from. The price and money labels end in a
// blank, as the shipped texts do for the export.
QString numberedText(int n)
{
    const bool endsInBlank = n == 155 || n == 157 || n == 159;
    return QStringLiteral("t%1").arg(n) + (endsInBlank ? QStringLiteral(" ") : QString());
}

ReportInput sampleInput(const QLocale &locale = English)
{
    ReportInput input;
    CaseRecord &r = input.record;
    r.cboAplicacao = 0;
    r.optUnPotencia = UnitKw;
    r.cboMoedas = QStringLiteral("US$");
    r.mskPotencia = QStringLiteral("1234.5");
    r.mskRendimento = QStringLiteral("91.6");
    r.mskValorkWh = QStringLiteral("0.1");
    r.mskInversor = QStringLiteral("12500");
    r.mskDiaAno = QStringLiteral("365");
    r.mskVazao100 = QStringLiteral("4");
    r.mskVazao90 = QStringLiteral("6");
    r.mskVazao80 = QStringLiteral("6");
    r.mskVazao70 = QStringLiteral("6");
    r.mskVazao60 = QStringLiteral("0");
    r.mskVazao50 = QStringLiteral("2.5");
    r.mskReferencia = QStringLiteral("Pump 7");
    r.mskEconomiakW = QStringLiteral("12345.6");
    r.mskEconomiaReais = QStringLiteral("1234.56");
    r.mskRetorno = QStringLiteral("7.4");
    if (locale.decimalPoint() == u",") {
        r.mskPotencia = QStringLiteral("1234,5");
        r.mskEconomiakW = QStringLiteral("12345,6");
    }
    input.applicationText = QStringLiteral("Pump - valve");
    input.company = {QStringLiteral("Varnel Test Ltda"), QStringLiteral("12 Mill Road"),
                     QStringLiteral("Springfield IL 62701 USA"), QStringLiteral("Phone: 555 0100"),
                     QStringLiteral("Fax: 555 0101"), QString(), QString(), 0.1};
    input.text = numberedText;
    input.locale = locale;
    input.date = QDate(2024, 3, 7);
    return input;
}

// The text printed with the top of its line at (x, y) from the margins.
QString textAt(const RecordingPrinter &printer, double x, double y)
{
    for (const auto &t : printer.texts) {
        if (t.x == L + x && t.y == T + y)
            return t.text;
    }
    return QStringLiteral("<nothing at %1, %2>").arg(x).arg(y);
}

// Records the busy cursor at each message, which must be gone by then.
class CursorDialogs : public FakeDialogs
{
public:
    QList<bool> busyAtMessage;
    Answer message(QWidget *parent, Icon icon, const QString &title, const QString &text, Buttons buttons) override
    {
        busyAtMessage.append(QGuiApplication::overrideCursor() != nullptr);
        return FakeDialogs::message(parent, icon, title, text, buttons);
    }
};

} // namespace

class TestPrinterReport : public QObject
{
    Q_OBJECT
private slots:

    void layoutOfTexts();
    void rulesAndBrandMark();
    void values_data();
    void values();
    void emptyPhoneLineKeepsTheOtherPlaces();
    void closingNoteStartsBelowTheTables();
    void secondJobIsIdentical();
    void breakEach_data();
    void breakEach();
    void breakEachStartsEveryLineAtTheCallersX();
    void breakEachSkipsAFailingLineSilently();
    void failedStepIsRetriedOnce();
    void stepFailingTwiceEndsTheJob();
    void jobAfterAnAbandonedOneRunsNormally();
};

void TestPrinterReport::layoutOfTexts()
{
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    QVERIFY(report.cmdPrint_Click(printer, sampleInput()));
    QCOMPARE(printer.started, 1);
    QCOMPARE(printer.sent, 1);
    QVERIFY(printer.scaleInPoints);
    QVERIFY(dialogs.messages.isEmpty());

    using Text = RecordingPrinter::Text;
    const QString arial = QStringLiteral("Arial");
    const auto header = [&](const QString &text, double x, double y) { return Text{text, L + x, T + y, arial, 8, false, false}; };
    const auto body = [&](const QString &text, double x, double y) { return Text{text, L + x, T + y, arial, 7, false, false}; };
    const QList<Text> expected{
        {QStringLiteral("Varnel Test Ltda"), L + 65, T + 0, arial, 16, true, false},
        header(QStringLiteral("12 Mill Road"), 65, 18),
        header(QStringLiteral("Phone: 555 0100"), 307, 18),
        header(QStringLiteral("t12903/07/2024"), 307, 9),
        header(QStringLiteral("Springfield IL 62701 USA"), 65, 27),
        header(QStringLiteral("Fax: 555 0101"), 307, 27),
        {QStringLiteral("t131"), L + 72, T + 48, arial, 12, true, true},
        body(QStringLiteral("t2"), 8, 74),
        body(QStringLiteral("Pump - valve"), 48, 74),
        body(QStringLiteral("t134Pump 7"), 8, 84),
        body(QStringLiteral("t165365"), 0, 183),
        body(QStringLiteral("t135"), 8, 101),
        body(QStringLiteral("t136"), 48, 101),
        body(QStringLiteral("t138"), 48, 110),
        body(QStringLiteral("t139"), 15, 119), body(QStringLiteral("4.00"), 75, 119),
        body(QStringLiteral("t141"), 15, 128), body(QStringLiteral("6.00"), 75, 128),
        body(QStringLiteral("t143"), 15, 137), body(QStringLiteral("6.00"), 75, 137),
        body(QStringLiteral("t145"), 15, 146), body(QStringLiteral("6.00"), 75, 146),
        body(QStringLiteral("t147"), 15, 155), body(QStringLiteral("0.00"), 75, 155),
        body(QStringLiteral("t149"), 15, 164), body(QStringLiteral("2.50"), 75, 164),
        body(QStringLiteral("t153"), 146, 101), body(QStringLiteral("1,234.50t152"), 285, 101),
        body(QStringLiteral("t197:"), 146, 110), body(QStringLiteral("92"), 285, 110),
        body(QStringLiteral("t155 (US$):"), 146, 119), body(QStringLiteral("0.10"), 285, 119),
        body(QStringLiteral("t157 (US$):"), 146, 128), body(QStringLiteral("12,500.00"), 285, 128),
        body(QStringLiteral("t158"), 146, 146), body(QStringLiteral("12,346.00"), 285, 146),
        body(QStringLiteral("t159 (US$):"), 146, 155), body(QStringLiteral("1,234.56"), 285, 155),
        body(QStringLiteral("t35"), 146, 164), body(QStringLiteral("7"), 285, 164),
        body(QStringLiteral("t191"), 0, 210),
        {QStringLiteral("t192"), L, T + 210 + 7 * RecordingPrinter::LineFactor, arial, 7, false, false},
    };
    QCOMPARE(printer.texts.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const Text &got = printer.texts[i];
        const Text &want = expected[i];
        const QByteArray where = want.text.toUtf8();
        QVERIFY2(got.text == want.text, qPrintable(got.text + QStringLiteral(" instead of ") + want.text));
        QVERIFY2(got.x == want.x && got.y == want.y,
                 qPrintable(QStringLiteral("%1 at %2, %3").arg(want.text).arg(got.x).arg(got.y)));
        QVERIFY2(got.font == want.font && got.size == want.size && got.bold == want.bold && got.italic == want.italic,
                 where.constData());
    }
}

void TestPrinterReport::rulesAndBrandMark()
{
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    report.cmdPrint_Click(printer, sampleInput());

    QList<RecordingPrinter::Line> expected;
    const auto horizontal = [&](double x1, double x2, std::initializer_list<double> ys) {
        for (double y : ys)
            expected.append({{L + x1, T + y}, {L + x2, T + y}, Qt::black});
    };
    const auto vertical = [&](double y1, double y2, std::initializer_list<double> xs) {
        for (double x : xs)
            expected.append({{L + x, T + y1}, {L + x, T + y2}, Qt::black});
    };
    horizontal(0, 547, {45});
    horizontal(0, 350, {73, 84, 92});
    vertical(73, 92, {0, 45, 350});
    horizontal(0, 128, {100, 118});
    vertical(100, 129, {0, 45, 128});
    horizontal(0, 128, {127, 136, 145, 154, 163, 173});
    vertical(119, 173, {0, 45, 128});
    horizontal(138, 350, {100, 109, 118, 127, 136});
    vertical(100, 136, {138, 283, 350});
    horizontal(138, 350, {145, 154, 163, 172});
    vertical(145, 172, {138, 283, 350});

    QCOMPARE(printer.lines.size(), expected.size());
    for (const auto &line : expected) {
        QVERIFY2(printer.lines.contains(line), qPrintable(QStringLiteral("rule (%1, %2)-(%3, %4)")
                                                              .arg(line.from.x() - L).arg(line.from.y() - T)
                                                              .arg(line.to.x() - L).arg(line.to.y() - T)));
    }

    QVERIFY(!printer.rectangles.isEmpty());
    const QRectF box(L, T, 53, 35);
    for (const auto &rectangle : printer.rectangles) {
        QCOMPARE(rectangle.colour, QColor(0, 0, 255));
        QVERIFY(box.contains(rectangle.rect));
        QVERIFY(!rectangle.rect.isEmpty());
    }
}

void TestPrinterReport::values_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QStringList>("results"); // kWh, money, payback as the fields hold them
    QTest::addColumn<QStringList>("printed"); // power, kWh, money, payback as printed

    const QStringList calculated{QStringLiteral("12345.6"), QStringLiteral("1234.56"), QStringLiteral("7.4")};
    QTest::newRow("kW") << English << UnitKw << calculated
                        << QStringList{"1,234.50t152", "12,346.00", "1,234.56", "7"};
    QTest::newRow("HP") << English << UnitHp << calculated
                        << QStringList{"1,234.50t154", "12,346.00", "1,234.56", "7"};
    QTest::newRow("regional separators") << Brazil << UnitKw
                                         << QStringList{"12345,6", "1234,56", "7,4"}
                                         << QStringList{"1.234,50t152", "12.346,00", "1.234,56", "7"};
    QTest::newRow("never calculated") << English << UnitKw << QStringList{"", "", ""}
                                      << QStringList{"1,234.50t152", "", "", ""};
    QTest::newRow("no saving") << English << UnitKw << QStringList{"----", "----", "----"}
                               << QStringList{"1,234.50t152", "----.00", "----", "----"};
    QTest::newRow("no saving, regional separators") << Brazil << UnitKw << QStringList{"----", "----", "----"}
                                                    << QStringList{"1.234,50t152", "----,00", "----", "----"};
}

void TestPrinterReport::values()
{
    QFETCH(QLocale, locale);
    QFETCH(int, unit);
    QFETCH(QStringList, results);
    QFETCH(QStringList, printed);

    ReportInput input = sampleInput(locale);
    input.record.optUnPotencia = unit;
    input.record.mskEconomiakW = results[0];
    input.record.mskEconomiaReais = results[1];
    input.record.mskRetorno = results[2];
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    QVERIFY(report.cmdPrint_Click(printer, input));

    QCOMPARE(textAt(printer, 285, 101), printed[0]);
    QCOMPARE(textAt(printer, 285, 146), printed[1]);
    QCOMPARE(textAt(printer, 285, 155), printed[2]);
    QCOMPARE(textAt(printer, 285, 164), printed[3]);
    // Labels and frames do not depend on the results.
    QCOMPARE(textAt(printer, 146, 146), QStringLiteral("t158"));
    QCOMPARE(textAt(printer, 146, 164), QStringLiteral("t35"));
    QCOMPARE(printer.lines.size(), 36);
}

void TestPrinterReport::emptyPhoneLineKeepsTheOtherPlaces()
{
    ReportInput input = sampleInput();
    input.company.PhoneLine.clear();
    input.record.mskVazao90 = QStringLiteral("n/a"); // not a number: printed as it stands
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    report.cmdPrint_Click(printer, input);
    QCOMPARE(textAt(printer, 307, 18), QString());
    QCOMPARE(textAt(printer, 307, 9), QStringLiteral("t12903/07/2024"));
    QCOMPARE(textAt(printer, 65, 27), QStringLiteral("Springfield IL 62701 USA"));
    QCOMPARE(textAt(printer, 307, 27), QStringLiteral("Fax: 555 0101"));
    QCOMPARE(textAt(printer, 75, 128), QStringLiteral("n/a"));
}

void TestPrinterReport::closingNoteStartsBelowTheTables()
{
    ReportInput input = sampleInput();
    const QString first = QStringLiteral("Figures are estimates.");
    QString second;
    for (int i = 0; second.size() < 200; ++i)
        second += QStringLiteral("word%1 ").arg(i);
    input.text = [&](int n) { return n == 191 ? first : n == 192 ? second : numberedText(n); };
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    report.cmdPrint_Click(printer, input);

    QList<RecordingPrinter::Text> note;
    for (const auto &t : printer.texts) {
        if (t.y >= T + 210)
            note.append(t);
    }
    QVERIFY(note.size() >= 3);
    QCOMPARE(note[0].text, first);
    QString rejoined;
    for (qsizetype i = 0; i < note.size(); ++i) {
        QCOMPARE(note[i].x, L);
        QCOMPARE(note[i].y, T + 210 + static_cast<double>(i) * 7 * RecordingPrinter::LineFactor);
        QVERIFY(note[i].text.size() <= 110);
        if (i > 0)
            rejoined += note[i].text;
    }
    QCOMPARE(rejoined, second);
}

void TestPrinterReport::secondJobIsIdentical()
{
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    const ReportInput input = sampleInput();
    report.cmdPrint_Click(printer, input);
    const auto texts = printer.texts;
    const auto lines = printer.lines;
    const auto rectangles = printer.rectangles;

    QVERIFY(report.cmdPrint_Click(printer, input));
    QCOMPARE(printer.started, 2);
    QCOMPARE(printer.sent, 2);
    QVERIFY(printer.texts == texts);
    QVERIFY(printer.lines == lines);
    QVERIFY(printer.rectangles == rectangles);
}

void TestPrinterReport::breakEach_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QStringList>("lines");

    const QString x = QStringLiteral("x");
    QTest::newRow("250 characters without blanks")
        << x.repeated(250) << 110 << QStringList{x.repeated(109), x.repeated(109), x.repeated(32)};
    QTest::newRow("CR LF within the width") << "first\r\nsecond" << 110 << QStringList{"first", "second"};
    QTest::newRow("width 0 prints nothing") << "abc" << 0 << QStringList();
    QTest::newRow("negative width prints nothing") << "abc" << -3 << QStringList();
    QTest::newRow("break after the last blank that fits") << "aaa bbb ccc ddd" << 9 << QStringList{"aaa bbb ", "ccc ddd"};
    QTest::newRow("CR LF beyond the width waits its turn")
        << "aaaa bbbb\r\ncc" << 6 << QStringList{"aaaa ", "bbbb", "cc"};
    QTest::newRow("text exactly the width") << "abcde" << 5 << QStringList{"abcd", "e"};
    QTest::newRow("width 1 still advances") << "abc" << 1 << QStringList{"a", "b", "c"};
    QTest::newRow("trailing CR LF") << "abc\r\n" << 10 << QStringList{"abc"};
    QTest::newRow("empty paragraph") << "a\r\n\r\nb" << 10 << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << "" << 10 << QStringList();
}

void TestPrinterReport::breakEach()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QStringList, lines);

    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    report.Printer_BreakEach(printer, text, width);
    QStringList printed;
    for (const auto &t : printer.texts)
        printed.append(t.text);
    QCOMPARE(printed, lines);
}

void TestPrinterReport::breakEachStartsEveryLineAtTheCallersX()
{
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    printer.setFontSize(10);
    printer.setCurrentX(50);
    printer.setCurrentY(100);
    report.Printer_BreakEach(printer, QStringLiteral("one two three four"), 6);
    QCOMPARE(printer.texts.size(), 4);
    for (qsizetype i = 0; i < printer.texts.size(); ++i) {
        QCOMPARE(printer.texts[i].x, 50.0);
        QCOMPARE(printer.texts[i].y, 100 + static_cast<double>(i) * 10 * RecordingPrinter::LineFactor);
    }
}

void TestPrinterReport::breakEachSkipsAFailingLineSilently()
{
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    printer.failNext(RecordingPrinter::Operation::PrintLine, 1);
    report.Printer_BreakEach(printer, QStringLiteral("lost\r\nkept"), 10);
    QCOMPARE(printer.texts.size(), 1);
    QCOMPARE(printer.texts[0].text, QStringLiteral("kept"));
    QVERIFY(dialogs.messages.isEmpty());
}

void TestPrinterReport::failedStepIsRetriedOnce()
{
    CursorDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter reference;
    report.cmdPrint_Click(reference, sampleInput());

    RecordingPrinter printer;
    printer.failNext(RecordingPrinter::Operation::PrintLine, 1);
    QVERIFY(report.cmdPrint_Click(printer, sampleInput()));
    QCOMPARE(dialogs.messages.size(), 1);
    const auto &message = dialogs.messages.first();
    QCOMPARE(message.icon, Dialogs::Icon::Critical);
    QCOMPARE(message.buttons, Dialogs::Buttons::Ok);
    QCOMPARE(message.title, QStringLiteral("Erro 482 ( 1E2 )"));
    QCOMPARE(message.text, QStringLiteral("t94\r\nt95\r\nt96\r\n\r\nt97\r\nErro: Printer error: test failure"));
    QCOMPARE(dialogs.busyAtMessage, QList<bool>{false});
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    // The retried step printed the company name; the page is complete.
    QCOMPARE(printer.sent, 1);
    QVERIFY(printer.texts == reference.texts);
    QVERIFY(printer.lines == reference.lines);
}

void TestPrinterReport::stepFailingTwiceEndsTheJob()
{
    using Op = RecordingPrinter::Operation;
    for (Op operation : {Op::StartDocument, Op::SetScale, Op::PrintLine, Op::DrawLine, Op::FillRectangle, Op::EndDocument}) {
        CursorDialogs dialogs;
        PrinterReport report(dialogs);
        RecordingPrinter printer;
        printer.failNext(operation, 1000);
        QVERIFY(!report.cmdPrint_Click(printer, sampleInput()));
        QCOMPARE(printer.calls(operation), 2);
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.busyAtMessage, (QList<bool>{false, false}));
        QCOMPARE(printer.sent, 0);
        QCOMPARE(printer.aborted, 1);
        if (operation != Op::EndDocument)
            QCOMPARE(printer.calls(Op::EndDocument), 0);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
}

void TestPrinterReport::jobAfterAnAbandonedOneRunsNormally()
{
    FakeDialogs dialogs;
    PrinterReport report(dialogs);
    RecordingPrinter printer;
    printer.failNext(RecordingPrinter::Operation::DrawLine, 2);
    QVERIFY(!report.cmdPrint_Click(printer, sampleInput()));
    QVERIFY(report.cmdPrint_Click(printer, sampleInput()));
    QCOMPARE(printer.sent, 1);
    QCOMPARE(printer.lines.size(), 36);
    QCOMPARE(dialogs.messages.size(), 2);
}

TESSIO_TEST_MAIN(TestPrinterReport)
#include "tst_printerreport.moc"
