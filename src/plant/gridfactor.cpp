#include "plant/gridfactor.h"

#include "plant/planttext.h"

#include <QFile>
#include <QLocale>

namespace {

QList<GridIntensity> loadTable()
{
    QList<GridIntensity> rows;
    QFile file(QStringLiteral(":/plant/grid-intensity.csv"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    const QLocale c = QLocale::c();
    bool header = true;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (header) {
            header = false;
            continue;
        }
        // The maker writes no name with a comma or a quote; a row it did not write is skipped.
        const QStringList fields = line.split(u',');
        if (fields.size() != 3)
            continue;
        bool yearOk = false;
        bool valueOk = false;
        GridIntensity row{fields[0].trimmed(), fields[1].toInt(&yearOk), c.toDouble(fields[2], &valueOk)};
        if (yearOk && valueOk && !row.country.isEmpty())
            rows.append(row);
    }
    return rows;
}

} // namespace

const QList<GridIntensity> &gridIntensityTable()
{
    static const QList<GridIntensity> table = loadTable();
    return table;
}

std::optional<GridIntensity> gridIntensityFor(const QString &country)
{
    const QString wanted = country.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    for (const GridIntensity &row : gridIntensityTable()) {
        if (row.country.compare(wanted, Qt::CaseInsensitive) == 0)
            return row;
    }
    return std::nullopt;
}

QString gridFactorSourceLine(const GridIntensity &row, const TextLookup &text)
{
    return text(PlantText::Source).arg(QStringLiteral("%1 (%2, %3)")
                                           .arg(QString::fromLatin1(GridIntensitySource), row.country)
                                           .arg(row.year));
}
