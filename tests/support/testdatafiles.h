#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Data files for tests: scrambled tables written exactly as the program's own files are.
namespace TestData {

inline const QStringList Languages{QStringLiteral("Português"), QStringLiteral("Español"),
                                   QStringLiteral("English")};

// Row 0 the three language names, then text N reading "PT N", "ES N" and "EN N", up to row 509, so that
// every caption and message shows its number and its language.
QList<QStringList> numberedTexts();

// Writes rows as a scrambled table file (the layout of Config.ini and fSetup.ini). Returns false when
// the file cannot be written.
bool writeScrambledTable(const QString &path, int columns, const QString &defaultName,
                         const QList<QStringList> &rows);

// Config.ini with numberedTexts() in folder, English by default.
bool writeNumberedConfig(const QString &folder, const QString &defaultName = QStringLiteral("English"));

// The bytes of a file; empty when it cannot be read.
QByteArray readBytes(const QString &path);
// Writes bytes as the whole file. Returns false when the file cannot be written.
bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace TestData
