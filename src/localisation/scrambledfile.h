#pragma once

#include "localisation/framepacer.h"
#include "localisation/texttable.h"

#include <QString>

class Dialogs;
class ProgressDisplay;

// The two data files beside the program, Config.ini (language texts) and fSetup.ini (company
// presets), are hexadecimal digit pairs scrambled with a five-character key. Their plain text is lines
// cut at CR LF: line 1 the column count, line 2 the default column name (each wrapped in one character
// on both sides), then one row per line, its values quoted and joined by `","`.

inline constexpr auto ScrambleKey = "tulip";
inline constexpr auto LanguageFileName = "Config.ini";
inline constexpr auto PresetFileName = "fSetup.ini";
// A column count above this in line 1 marks a damaged file.
inline constexpr int MaxTableColumns = 1000;

// Plain text of `data`: each hexadecimal pair XOR the key character at (pair number mod key length),
// decoded as Windows-1252. Once a display frame's time has passed (FramePacer, timed by `clock`) and
// after the last pair it reports the pairs decoded so far and lets pending events run, so that the
// progress window stays live and input is taken while a long file decodes.
QString Descramble(const QString &key, const QString &data, ProgressDisplay *progress = nullptr,
                   const FramePacer::Clock &clock = {});

// The stored form of a plain text already encoded in Windows-1252: two upper-case hexadecimal digits per
// byte, each byte XOR the same key character Descramble uses. Descramble(Scramble(x)) gives x back.
QByteArray Scramble(const QString &key, const QByteArray &plain);

// The plain layout of a table: the column count and the default name wrapped in quotes, then one line
// per row with its values quoted and joined by `","`, lines ended by CR LF.
QString composePlainTable(int columns, const QString &defaultName, const QList<QStringList> &rows);

// The table a plain text describes (also used by tests and tools). Problems with the first two lines
// are returned in `problem` (empty when there were none); row parsing never reports.
TextTable parsePlainTable(const QString &plain, QString *problem = nullptr);

// Reads a scrambled file into `table` without reporting: a missing, unreadable or malformed file leaves
// the table empty or partly filled and gives the platform's description of its first problem (empty
// when there was none). The file is never created.
QString readScrambledTable(TextTable &table, const QString &filePath, ProgressDisplay *progress);

// Reads a scrambled file of the program folder into `table`. A problem is reported once through
// `dialogs` with the normal mouse pointer: the platform's description and the file's full path, titled
// with the application title.
void loadScrambledTable(TextTable &table, const QString &filePath, Dialogs &dialogs, ProgressDisplay *progress);

// The full path of a file of the program folder, as the platform writes it.
QString programFilePath(const QString &programFolder, const char *fileName);

void LoadLanguageTexts(TextTable &table, const QString &programFolder, Dialogs &dialogs,
                       ProgressDisplay *progress);
void LoadCompanyPresets(TextTable &table, const QString &programFolder, Dialogs &dialogs,
                        ProgressDisplay *progress);

// The message for a Config.ini that cannot be read or names no language: no language text can be
// used, so it names the file, the platform's description and the remedy, then says it in Portuguese,
// English and Spanish lines.
QString damagedLanguageFileMessage(const QString &filePath, const QString &description);
