#include "files/export.h"

#include "calc/numberformat.h"
#include "files/codepage.h"
#include "platform/dialogs.h"
#include "platform/mousepointer.h"

#include <QFile>
#include <algorithm>

namespace {

using namespace ExportText;

QString blanks(qsizetype count)
{
    // A label wider than the widest of its block would give a negative count: it is then followed
    // directly by its value.
    return QString(std::max<qsizetype>(count, 0), u' ');
}

QString store(const QString &s)
{
    return CodePage::storable(s);
}

// The export's blocks of lines, every text as the file will hold it.
class ExportLayout
{
public:
    explicit ExportLayout(const ExportInput &input)
        : m_input(input)
        , m_currency(store(input.record.cboMoedas))
    {
    }

    QStringList companyHeader() const;
    QStringList hours() const;
    QStringList motorAndPrices() const;
    QStringList results() const;
    QStringList closingNote() const;

private:
    QString text(int n) const { return m_input.text ? store(m_input.text(n)) : QString(); }
    QString money(const QString &field) const { return formatted(field, u"#,##0.00"); }
    QString whole(const QString &field) const { return formatted(field, u"#,##0"); }
    QString formatted(const QString &field, QStringView pattern) const
    {
        return store(NumberFormat::formatText(field, pattern, m_input.locale));
    }
    // "<label>(<currency>):"
    QString withCurrency(int label) const { return text(label) + u'(' + m_currency + QStringLiteral("):"); }

    const ExportInput &m_input;
    const QString m_currency;
};

// The company block beside the date, phone and fax, a rule as wide as the widest line, the title, the
// application and the reference.
QStringList ExportLayout::companyHeader() const
{
    const CompanyBlock &company = m_input.company;
    const QString name = store(company.CompanyName);
    const QString street = store(company.Street);
    const QString city = store(company.CityLine);
    const qsizetype w = std::max({name.size(), street.size(), city.size()});
    QStringList lines;
    lines << name + blanks(w - name.size() + 5) + QStringLiteral("Date: ")
                 + NumberFormat::formatDate(m_input.shownDate(), m_input.locale);
    lines << street + blanks(w - street.size() + 5) + store(company.PhoneLine);
    lines << city + blanks(w - city.size() + 5) + store(company.FaxLine);
    const qsizetype rule = std::max({lines[0].size(), lines[1].size(), lines[2].size()});
    lines << QString(rule, u'-');
    lines << text(Title);
    lines << QString();
    lines << store(m_input.applicationText);
    lines << text(Reference) + store(m_input.record.mskReferencia);
    return lines;
}

QStringList ExportLayout::hours() const
{
    const CaseRecord &r = m_input.record;
    const qsizetype flowWidth = text(FlowHeading).size();
    QStringList lines;
    lines << text(FlowHeading) + blanks(5) + text(HoursHeading);
    lines << blanks(flowWidth + 5) + text(HoursHeadingEnd);
    const QString *hours[] = {&r.mskVazao100, &r.mskVazao90, &r.mskVazao80,
                              &r.mskVazao70,  &r.mskVazao60, &r.mskVazao50};
    for (int i = 0; i < 6; ++i) {
        // The 100 % label is one character longer than the others, so its row has one blank fewer.
        lines << text(Flow100 + 2 * i) + blanks(flowWidth + (i == 0 ? 8 : 9)) + money(*hours[i]);
    }
    return lines << QString();
}

QStringList ExportLayout::motorAndPrices() const
{
    const CaseRecord &r = m_input.record;
    const QString priceLabel = withCurrency(KwhPrice);
    const QString driveLabel = withCurrency(DrivePrice);
    const qsizetype k = driveLabel.size();
    QStringList lines;
    lines << text(Power) + blanks(k - text(Power).size() + 1) + money(r.mskPotencia)
                 + (r.isKw() ? QStringLiteral(" kW") : QStringLiteral(" HP"));
    lines << priceLabel + blanks(k - priceLabel.size() + 1)
                 + store(NumberFormat::formatKwhPrice(r.mskValorkWh, m_input.locale));
    lines << driveLabel + u' ' + money(r.mskInversor);
    return lines << QString();
}

QStringList ExportLayout::results() const
{
    const CaseRecord &r = m_input.record;
    const QString moneyLabel = withCurrency(SavingMoney);
    const qsizetype m = std::max(text(SavingKwh).size(), moneyLabel.size());
    QStringList lines;
    lines << text(SavingKwh) + blanks(m - text(SavingKwh).size() + 1) + whole(r.mskEconomiakW);
    lines << moneyLabel + blanks(m - moneyLabel.size() + 1) + money(r.mskEconomiaReais);
    // Nothing follows the value: blanks padding the line to a column zone would carry no information.
    lines << text(Payback) + blanks(m - text(Payback).size() + 1) + whole(r.mskRetorno);
    lines << QString();
    lines << text(Days) + store(r.mskDiaAno);
    return lines << QString() << QString();
}

QStringList ExportLayout::closingNote() const
{
    return {text(Note1), text(Note1 + 1), text(Note1 + 2), QString(), text(Note1 + 3), text(Note1 + 4)};
}

} // namespace

QStringList exportLines(const ExportInput &input)
{
    const ExportLayout layout(input);
    return layout.companyHeader() + layout.hours() + layout.motorAndPrices() + layout.results()
           + layout.closingNote();
}

Export::Export(Dialogs &dialogs, QWidget *parent)
    : m_dialogs(dialogs)
    , m_parent(parent)
{
}

bool Export::reportFailure(const ExportInput &input, const PlatformError &error, bool retried)
{
    restoreDefaultPointer();
    const auto text = [&input](int n) { return input.text ? input.text(n) : QString(); };
    const QString message = text(ExportText::ErrorLine1) + u'\r' + text(ExportText::ErrorLine2) + u'\r'
                            + text(ExportText::ErrorLine3) + QStringLiteral("\r\r") + QStringLiteral("Erro: ")
                            + error.description;
    m_dialogs.message(m_parent, Dialogs::Icon::Critical, errorTitle(error.number), message);
    return !retried;
}

bool Export::cmdPrint_Click(const QString &FileOutput, const ExportInput &input)
{
    if (FileOutput.isEmpty())
        return false;

    // Unbuffered, so that a failing line is found when it is written and retried on its own.
    QFile file(FileOutput);
    const auto openMode = QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered;
    bool retried = false;
    while (!file.open(openMode)) {
        if (!reportFailure(input, fileError(file), retried))
            return false;
        retried = true;
    }

    const QStringList lines = exportLines(input);
    for (const QString &line : lines) {
        const QByteArray bytes = CodePage::encode(line) + "\r\n";
        qsizetype written = 0;
        retried = false;
        while (written < bytes.size()) {
            const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
            if (n > 0) {
                written += n;
                continue;
            }
            if (!reportFailure(input, fileError(file), retried)) {
                file.close();
                return false;
            }
            retried = true;
            file.unsetError();
        }
    }
    file.close();
    return true;
}
