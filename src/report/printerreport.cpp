#include "report/printerreport.h"

#include "calc/numberformat.h"
#include "report/reportjob.h"
#include "report/reportprinter.h"

#include <array>

namespace {

const QString CrLf = QStringLiteral("\r\n");
constexpr qint32 NoteWidth = 110;

struct Row
{
    double y;
    int label;
    QString CaseRecord::*field;
};

// The hours table, 100 % flow down to 50 %.
const std::array<Row, 6> HourRows{{
    {119, ReportText::Flow100, &CaseRecord::mskVazao100},
    {128, ReportText::Flow100 + 2, &CaseRecord::mskVazao90},
    {137, ReportText::Flow100 + 4, &CaseRecord::mskVazao80},
    {146, ReportText::Flow100 + 6, &CaseRecord::mskVazao70},
    {155, ReportText::Flow100 + 8, &CaseRecord::mskVazao60},
    {164, ReportText::Flow100 + 10, &CaseRecord::mskVazao50},
}};

} // namespace

PrinterReport::PrinterReport(Dialogs &dialogs, QWidget *messageParent)
    : m_dialogs(dialogs)
    , m_messageParent(messageParent)
{
}

bool PrinterReport::cmdPrint_Click(ReportPrinter &printer, const ReportInput &input)
{
    ReportJob job(printer, m_dialogs, m_messageParent, input.text);
    m_job = &job;
    m_input = &input;

    job.step([&] { return printer.startDocument(); });
    job.step([&] { return printer.setScaleToPoints(); });
    job.topMargin = TopMargin;
    job.leftMargin = LeftMargin;
    Printer_Header();
    Printer_Body();
    const bool sent = job.step([&] { return printer.endDocument(); });

    m_job = nullptr;
    m_input = nullptr;
    return sent;
}

void PrinterReport::Printer_Header()
{
    m_job->companyHeader(m_input->company, HeaderFont, TitleSize,
                         text(ReportText::DatePrefix) + NumberFormat::formatDate(m_input->shownDate(), m_input->locale),
                         text(ReportText::Title));
}

void PrinterReport::Printer_Body()
{
    m_job->setFont(BodyFont, BodySize, false, false);
    printApplication();
    printHours();
    printMotorAndPrices();
    printResults();
    printNote();
}

void PrinterReport::printGrid(std::initializer_list<double> ys, double left, double right,
                              std::initializer_list<double> xs, double top, double bottom)
{
    for (double y : ys)
        m_job->rule(left, y, right, y);
    for (double x : xs)
        m_job->rule(x, top, x, bottom);
}

QString PrinterReport::withCurrency(int label) const
{
    // The labels end in the blank the export joins them by; here " (" brings its own.
    QString caption = text(label);
    while (caption.endsWith(u' '))
        caption.chop(1);
    return caption + QStringLiteral(" (") + m_input->record.cboMoedas + QStringLiteral("):");
}

void PrinterReport::printApplication()
{
    ReportJob &job = *m_job;
    printGrid({73, 84, 92}, 0, 350, {0, 45, 350}, 73, 92);
    job.printAt(8, 74, text(ReportText::Application));
    job.printAt(48, 74, m_input->applicationText);
    job.printAt(8, 84, text(ReportText::ReferencePrefix) + m_input->record.mskReferencia);
    job.printAt(0, 183, text(ReportText::DaysPrefix) + m_input->record.mskDiaAno);
}

void PrinterReport::printHours()
{
    ReportJob &job = *m_job;
    printGrid({100, 118}, 0, 128, {0, 45, 128}, 100, 129);
    job.printAt(8, 101, text(ReportText::FlowHeading));
    job.printAt(48, 101, text(ReportText::HoursHeading1));
    job.printAt(48, 110, text(ReportText::HoursHeading2));
    printGrid({127, 136, 145, 154, 163, 173}, 0, 128, {0, 45, 128}, 119, 173);
    for (const Row &row : HourRows) {
        job.printAt(15, row.y, text(row.label));
        job.printAt(75, row.y, number(m_input->record.*row.field, u"#,##0.00"));
    }
}

void PrinterReport::printMotorAndPrices()
{
    ReportJob &job = *m_job;
    const CaseRecord &record = m_input->record;
    printGrid({100, 109, 118, 127, 136}, 138, 350, {138, 283, 350}, 100, 136);
    job.printAt(146, 101, text(ReportText::Power));
    job.printAt(285, 101, number(record.mskPotencia, u"#,##0.00")
                              + text(record.isKw() ? ReportText::UnitKw : ReportText::UnitHp));
    job.printAt(146, 110, text(ReportText::Efficiency) + QStringLiteral(":"));
    job.printAt(285, 110, number(record.mskRendimento, u"#,##0"));
    job.printAt(146, 119, withCurrency(ReportText::KwhPrice));
    job.printAt(285, 119, NumberFormat::formatKwhPrice(record.mskValorkWh, m_input->locale));
    job.printAt(146, 128, withCurrency(ReportText::DrivePrice));
    job.printAt(285, 128, number(record.mskInversor, u"#,##0.00"));
}

void PrinterReport::printResults()
{
    ReportJob &job = *m_job;
    const CaseRecord &record = m_input->record;
    printGrid({145, 154, 163, 172}, 138, 350, {138, 283, 350}, 145, 172);
    // The kWh saving is shown as a whole number with ".00" appended; a result that was never calculated
    // stays empty instead of showing a bare ".00".
    QString kwh = number(record.mskEconomiakW, u"#,##0");
    if (!kwh.isEmpty())
        kwh += NumberFormat::format(0, u"#.00", m_input->locale);
    job.printAt(146, 146, text(ReportText::SavingKwh));
    job.printAt(285, 146, kwh);
    job.printAt(146, 155, withCurrency(ReportText::SavingMoney));
    job.printAt(285, 155, number(record.mskEconomiaReais, u"#,##0.00"));
    job.printAt(146, 164, text(ReportText::Payback));
    job.printAt(285, 164, number(record.mskRetorno, u"#,##0"));
}

void PrinterReport::printNote()
{
    ReportJob &job = *m_job;
    job.step([&] { return job.printer().setCurrentX(LeftMargin); });
    job.step([&] { return job.printer().setCurrentY(TopMargin + 210); });
    if (!job.abandoned())
        Printer_BreakEach(job.printer(), text(ReportText::Note1) + CrLf + text(ReportText::Note2), NoteWidth);
}

void PrinterReport::Printer_BreakEach(ReportPrinter &printer, QString StrFonte, qint32 StrPosition)
{
    const double lineStart = printer.currentX();
    if (StrPosition <= 0)
        return;
    const qsizetype width = StrPosition;
    const auto printPart = [&](qsizetype length, qsizetype consumed) {
        printer.setCurrentX(lineStart);
        printer.printLine(StrFonte.left(length));
        StrFonte.remove(0, consumed);
    };
    while (!StrFonte.isEmpty()) {
        const qsizetype lineEnd = StrFonte.indexOf(CrLf);
        if (lineEnd >= 0 && lineEnd < width) {
            printPart(lineEnd, lineEnd + 2);
            continue;
        }
        if (StrFonte.size() < width) {
            printPart(StrFonte.size(), StrFonte.size());
            break;
        }
        const qsizetype blank = StrFonte.lastIndexOf(u' ', width - 1);
        // A cut of width - 1 characters would never advance at a width of 1: take one at least.
        const qsizetype length = blank >= 0 ? blank + 1 : std::max<qsizetype>(width - 1, 1);
        printPart(length, length);
    }
}

QString PrinterReport::text(int number) const
{
    return m_input->text ? m_input->text(number) : QString();
}

QString PrinterReport::number(const QString &field, QStringView pattern) const
{
    return NumberFormat::formatText(field, pattern, m_input->locale);
}
