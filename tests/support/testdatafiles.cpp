#include "support/testdatafiles.h"

#include "files/codepage.h"
#include "localisation/scrambledfile.h"

#include <QDir>
#include <QFile>

namespace TestData {

QList<QStringList> numberedTexts()
{
    static const QStringList prefixes{QStringLiteral("PT"), QStringLiteral("ES"), QStringLiteral("EN")};
    QList<QStringList> rows{Languages};
    for (int n = 1; n < 510; ++n) {
        QStringList row;
        for (const QString &prefix : prefixes)
            row.append(prefix + QLatin1Char(' ') + QString::number(n));
        rows.append(row);
    }
    return rows;
}

bool writeScrambledTable(const QString &path, int columns, const QString &defaultName,
                         const QList<QStringList> &rows)
{
    const QByteArray plain = CodePage::encode(composePlainTable(columns, defaultName, rows));
    QFile file(path);
    return file.open(QIODevice::WriteOnly)
           && file.write(Scramble(QString::fromLatin1(ScrambleKey), plain)) > 0;
}

bool writeNumberedConfig(const QString &folder, const QString &defaultName)
{
    return writeScrambledTable(QDir(folder).filePath(QLatin1String(LanguageFileName)), int(Languages.size()),
                               defaultName, numberedTexts());
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace TestData
