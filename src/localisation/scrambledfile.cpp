#include "localisation/scrambledfile.h"

#include "calc/numberformat.h"
#include "files/codepage.h"
#include "localisation/progressdisplay.h"
#include "platform/addbackslash.h"
#include "platform/dialogs.h"
#include "platform/mousepointer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace {

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// A pair read as hexadecimal up to its first character that is not a digit; none reads 0.
int readPair(QStringView pair)
{
    int value = 0;
    for (const QChar c : pair) {
        const int digit = hexDigit(c);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value;
}

QString decodeWindows1252(const QByteArray &bytes)
{
    return CodePage::decode(bytes);
}

// A line without its first and last character ("wrapped" in quotes); shorter lines give nothing.
QString unwrapped(const QString &line)
{
    return line.size() >= 2 ? line.mid(1, line.size() - 2) : QString();
}

} // namespace

QString Descramble(const QString &key, const QString &data, ProgressDisplay *progress,
                   const FramePacer::Clock &clock)
{
    const double half = double(data.size()) / 2.0;
    if (progress)
        progress->start(half);
    const qsizetype pairs = qsizetype(NumberFormat::roundHalfEven(half));
    QByteArray plain;
    plain.reserve(pairs);
    const bool processEvents = QCoreApplication::instance() != nullptr;
    FramePacer pacer(clock);
    for (qsizetype i = 1; i <= pairs; ++i) {
        const int value = readPair(QStringView(data).mid(2 * i - 2, 2));
        const int keyCode = key.isEmpty() ? 0 : key[i % key.size()].unicode();
        plain.append(char((value ^ keyCode) & 0xFF));
        if (i == pairs || pacer.due()) {
            if (progress)
                progress->setValue(int(i));
            if (processEvents)
                QCoreApplication::processEvents();
        }
    }
    if (progress)
        progress->finish();
    return decodeWindows1252(plain);
}

QByteArray Scramble(const QString &key, const QByteArray &plain)
{
    QByteArray data;
    data.reserve(plain.size() * 2);
    for (qsizetype i = 1; i <= plain.size(); ++i) {
        const int keyCode = key.isEmpty() ? 0 : key[i % key.size()].unicode();
        const auto value = uchar((uchar(plain[i - 1]) ^ keyCode) & 0xFF);
        data.append(QByteArray::number(value, 16).rightJustified(2, '0').toUpper());
    }
    return data;
}

QString composePlainTable(int columns, const QString &defaultName, const QList<QStringList> &rows)
{
    const QString quote = QStringLiteral("\"");
    QStringList lines{quote + QString::number(columns) + quote, quote + defaultName + quote};
    for (const QStringList &row : rows)
        lines.append(quote + row.join(QStringLiteral("\",\"")) + quote);
    return lines.join(QStringLiteral("\r\n"));
}

TextTable parsePlainTable(const QString &plain, QString *problem)
{
    const QStringList lines = plain.isEmpty() ? QStringList() : plain.split(QStringLiteral("\r\n"));
    auto report = [problem](const QString &text) {
        if (problem && problem->isEmpty())
            *problem = text;
    };
    if (lines.size() < 2) {
        report(QCoreApplication::translate("TextTable", "Subscript out of range"));
        return TextTable();
    }
    bool ok = false;
    const int columns = unwrapped(lines[0]).trimmed().toInt(&ok);
    if (!ok || columns < 0) {
        report(QCoreApplication::translate("TextTable", "Type mismatch"));
        return TextTable();
    }
    // The list fillers add one item per column, so a damaged count must not reach them: no shipped
    // file comes near this many languages or presets.
    if (columns > MaxTableColumns) {
        report(QCoreApplication::translate("TextTable", "Subscript out of range"));
        return TextTable();
    }
    TextTable table(int(qMin<qsizetype>(lines.size(), std::numeric_limits<int>::max())), columns);
    table.defaultColumnName = unwrapped(lines[1]);

    const QString separator = QStringLiteral("\",\"");
    for (qsizetype line = 2; line < lines.size(); ++line) {
        const int row = int(line - 2);
        const QStringList fields = lines[line].split(separator);
        for (int c = 0; c < columns && c < fields.size(); ++c) {
            const QString &field = fields[c];
            if (c == 0 && columns == 1) {
                if (field.size() >= 2)
                    table.setEntry(row, c, field.mid(1, field.size() - 2));
            } else if (c == 0) {
                table.setEntry(row, c, field.mid(1));
            } else if (c == columns - 1) {
                if (!field.isEmpty())
                    table.setEntry(row, c, field.left(field.size() - 1));
            } else {
                table.setEntry(row, c, field);
            }
        }
    }
    return table;
}

QString readScrambledTable(TextTable &table, const QString &filePath, ProgressDisplay *progress)
{
    table = TextTable();
    table.filePath = filePath;

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    file.close();

    QString problem;
    TextTable parsed = parsePlainTable(
        Descramble(QString::fromLatin1(ScrambleKey), decodeWindows1252(bytes), progress), &problem);
    parsed.filePath = filePath;
    table = std::move(parsed);
    return problem;
}

namespace {
// The full path in the platform's own form, as a message names a file.
QString shownPath(const QString &filePath)
{
    return QDir::toNativeSeparators(QFileInfo(filePath).absoluteFilePath());
}
} // namespace

void loadScrambledTable(TextTable &table, const QString &filePath, Dialogs &dialogs,
                        ProgressDisplay *progress)
{
    const QString problem = readScrambledTable(table, filePath, progress);
    if (problem.isEmpty())
        return;
    restoreDefaultPointer();
    dialogs.message(nullptr, Dialogs::Icon::Critical, applicationTitle(),
                    problem + QStringLiteral("\r\n") + shownPath(filePath));
}

QString programFilePath(const QString &programFolder, const char *fileName)
{
    return AddBackslash(programFolder) + QLatin1String(fileName);
}

void LoadLanguageTexts(TextTable &table, const QString &programFolder, Dialogs &dialogs,
                       ProgressDisplay *progress)
{
    loadScrambledTable(table, programFilePath(programFolder, LanguageFileName), dialogs, progress);
}

void LoadCompanyPresets(TextTable &table, const QString &programFolder, Dialogs &dialogs,
                        ProgressDisplay *progress)
{
    loadScrambledTable(table, programFilePath(programFolder, PresetFileName), dialogs, progress);
}

QString damagedLanguageFileMessage(const QString &filePath, const QString &description)
{
    return shownPath(filePath) + QStringLiteral("\r\n") + description +
           QStringLiteral(
               "\r\n\r\n"
               "O arquivo de textos do programa está danificado ou ausente. Reinstale o Tessio.\r\n"
               "The program's text file is damaged or missing. Please reinstall Tessio.\r\n"
               "El archivo de textos del programa está dañado o ausente. Reinstale Tessio.");
}
