#pragma once

#include "calc/calculator.h"
#include "calc/caserecord.h"
#include "calc/companyblock.h"

#include <QDate>
#include <QLocale>
#include <QString>

// A case as the text export and the printed report show it: the case as the main window holds it, the
// shown text of its application selector, the company block, the texts of the current language, the
// regional format and the date (today unless set; tests set it).
struct CaseDocument
{
    CaseRecord record;       // fields, results, optUnPotencia and cboMoedas (its shown text)
    QString applicationText; // shown text of cboAplicacao
    CompanyBlock company;
    TextLookup text;         // text N of the current language
    QLocale locale;          // regional number and date separators
    QDate date;              // invalid means today

    QDate shownDate() const { return date.isValid() ? date : QDate::currentDate(); }
};
