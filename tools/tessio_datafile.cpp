// tessio-datafile: turns a readable source (data/*.tsv) into a scrambled data file beside the program,
// and a scrambled file back into a readable source for maintainers.
//
//   tessio-datafile build --default <column> [--require <rows.txt>] <source.tsv> <output.ini>
//   tessio-datafile unscramble <input.ini> [<source.tsv>]
#include "files/codepage.h"
#include "localisation/scrambledfile.h"
#include "tools/datafile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTextStream>

namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

bool readUtf8(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        err() << path << ": the file is not UTF-8" << Qt::endl;
        return false;
    }
    return true;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err() << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

int fail(const QString &source, const QStringList &errors)
{
    for (const QString &e : errors)
        err() << source << ": " << e << Qt::endl;
    return 1;
}

int build(const QString &defaultName, const QString &requirePath, const QString &sourcePath, const QString &outputPath)
{
    QString text;
    if (!readUtf8(sourcePath, text))
        return 1;
    QStringList errors;
    const DataFile::SourceTable table = DataFile::parseSource(text, errors);
    QList<DataFile::Requirement> required;
    if (!requirePath.isEmpty()) {
        QString rows;
        if (!readUtf8(requirePath, rows))
            return 1;
        required = DataFile::parseRequirements(rows, errors);
    }
    if (errors.isEmpty())
        DataFile::checkTable(table, required, defaultName, errors);
    if (!errors.isEmpty())
        return fail(sourcePath, errors);
    const QByteArray stored = DataFile::encodeTable(table, defaultName, errors);
    if (!errors.isEmpty())
        return fail(sourcePath, errors);
    return write(outputPath, stored) ? 0 : 1;
}

int unscramble(const QString &inputPath, const QString &outputPath)
{
    QFile file(inputPath);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << inputPath << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    const QString data = CodePage::decode(file.readAll());
    QString problem;
    const TextTable table = parsePlainTable(Descramble(QString::fromLatin1(ScrambleKey), data), &problem);
    if (!problem.isEmpty()) {
        err() << inputPath << ": " << problem << Qt::endl;
        return 1;
    }
    QStringList errors;
    const QString source = DataFile::sourceFromTable(table, errors);
    if (!errors.isEmpty())
        return fail(inputPath, errors);
    err() << "default column: " << table.defaultColumnName << Qt::endl;
    if (outputPath.isEmpty()) {
        QTextStream(stdout) << source;
        return 0;
    }
    return write(outputPath, source.toUtf8()) ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessio-datafile"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds the scrambled data files from their readable sources, "
                                                    "and reads them back."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("build or unscramble"));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("build: source output; unscramble: input [output]"));
    const QCommandLineOption defaultOption(QStringLiteral("default"), QStringLiteral("Name of the default column."),
                                          QStringLiteral("column"));
    const QCommandLineOption requireOption(QStringLiteral("require"),
                                           QStringLiteral("File listing the rows every column must fill."),
                                           QStringLiteral("rows"));
    parser.addOption(defaultOption);
    parser.addOption(requireOption);
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if (command == QLatin1String("build") && args.size() == 3 && parser.isSet(defaultOption))
        return build(parser.value(defaultOption), parser.value(requireOption), args[1], args[2]);
    if (command == QLatin1String("unscramble") && (args.size() == 2 || args.size() == 3))
        return unscramble(args[1], args.value(2));
    err() << parser.helpText() << Qt::endl;
    return 2;
}
