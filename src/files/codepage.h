#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code page of the case, export and data files and of the settings (Windows-1252), the
// same on every platform so that files are byte-identical between Linux and Windows. Every stored byte
// reads back as the character it was written for. A character the code page cannot hold has no byte:
// the case fields refuse it where it is typed or pasted (representable, encodable), so that a file
// holds what the window shows; encode() writes "?" for it, which changes the text.
namespace CodePage {

// The bytes of text, one per character; a character outside the code page (a pair of surrogates
// counting as one character) becomes "?".
QByteArray encode(const QString &text);

// The text of bytes, one character per byte.
QString decode(const QByteArray &bytes);

// The text as it reads back after encoding: every character outside the code page replaced by "?".
// Its length is the number of bytes it takes in a file.
QString storable(const QString &text);

// True when every character of the text has its own byte in the code page.
bool encodable(const QString &text);
// True when the character has its own byte; never for half of a surrogate pair.
bool representable(QChar c);

} // namespace CodePage
