#pragma once

#include "localisation/texttable.h"

class QComboBox;

// Puts row 0 of every column of `table` into the selector, then selects the column whose name equals
// the table's default name exactly, which runs the selector's change handler. No match selects
// nothing; an empty table adds nothing. A language list selects `preferred` instead (the language the
// user picked last) when a column has exactly that name.
void FillLanguageList(QComboBox *cboIdioma, const TextTable &table, const QString &preferred = QString());
void FillPresetList(QComboBox *cboRegistro, const TextTable &table);
