#include "localisation/listfill.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

void fillList(QComboBox *selector, const TextTable &table)
{
    if (!selector || table.isEmpty())
        return;
    {
        // Adding to an empty combo box selects its first item; only the default may be selected.
        const QSignalBlocker blocker(selector);
        const int before = selector->currentIndex();
        for (int c = 0; c < table.columnCount(); ++c)
            selector->addItem(table.entry(0, c));
        selector->setCurrentIndex(before);
    }
    for (int c = 0; c < table.columnCount(); ++c) {
        if (table.entry(0, c) == table.defaultColumnName) {
            selector->setCurrentIndex(c);
            return;
        }
    }
}

} // namespace

void FillLanguageList(QComboBox *cboIdioma, const TextTable &table)
{
    fillList(cboIdioma, table);
}

void FillPresetList(QComboBox *cboRegistro, const TextTable &table)
{
    fillList(cboRegistro, table);
}
