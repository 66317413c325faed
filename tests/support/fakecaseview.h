#pragma once

#include "calc/caseview.h"

#include <QMetaEnum>
#include <QStringList>

// A case view without a window: holds a case record and logs every call that changes it, in order
// ("leaveField", "putCase", "calculate", "startNewCase 0.08 US$", "ended Open"), so that a test of a
// command compares one list. Texts read "EN n", as the numbered Config.ini of the window tests gives.
class FakeCaseView : public CaseView
{
public:
    CaseRecord record;      // the case in place
    CompanyBlock company;   // the company of caseDocument()
    bool calculates = true; // what calculate() answers; true writes "1" as every result
    QStringList calls;

    CaseRecord caseRecord() const override { return record; }
    CaseDocument caseDocument() const override
    {
        return {record, QStringLiteral("Application %1").arg(record.cboAplicacao), company,
                [this](int n) { return text(n); }, QLocale(QLocale::English, QLocale::UnitedStates), QDate()};
    }
    void leaveField() override { calls << QStringLiteral("leaveField"); }
    void putCase(const CaseRecord &r) override
    {
        calls << QStringLiteral("putCase");
        const QString currency = record.cboMoedas;
        record = r;
        record.cboMoedas = currency;
        record.clearResults();
    }
    bool calculate() override
    {
        calls << QStringLiteral("calculate");
        if (calculates)
            record.mskEconomiakW = record.mskEconomiaReais = record.mskRetorno = QStringLiteral("1");
        return calculates;
    }
    std::optional<CaseRecord> checkedCase(QWidget *) override
    {
        calls << QStringLiteral("checkedCase");
        if (!calculates)
            return std::nullopt;
        CaseRecord typed = record;
        typed.clearResults();
        return typed;
    }
    void startNewCase(double kwhPrice, const QString &currency) override
    {
        calls << QStringLiteral("startNewCase %1 %2").arg(kwhPrice).arg(currency);
        record = CaseRecord();
    }
    QString text(int n) const override { return QStringLiteral("EN %1").arg(n); }
    QWidget *dialogParent() override { return nullptr; }
    void commandEnded(TaskPane::Command command) override
    {
        calls << QStringLiteral("ended ")
                     + QLatin1String(QMetaEnum::fromType<TaskPane::Command>().valueToKey(int(command)));
    }
};
