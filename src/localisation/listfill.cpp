#include "localisation/listfill.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace {

void fillList(QComboBox *selector, const TextTable &table, const QString &preferred = QString())
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
    for (const QString &name : {preferred, table.defaultColumnName}) {
        for (int c = 0; c < table.columnCount() && !name.isEmpty(); ++c) {
            if (table.entry(0, c) == name) {
                selector->setCurrentIndex(c);
                return;
            }
        }
    }
}

} // namespace

void FillLanguageList(QComboBox *cboIdioma, const TextTable &table, const QString &preferred)
{
    fillList(cboIdioma, table, preferred);
}

void FillPresetList(QComboBox *cboRegistro, const TextTable &table)
{
    fillList(cboRegistro, table);
}
