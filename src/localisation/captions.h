#pragma once

#include <QKeySequence>
#include <QString>

// Captions of the window reused where a caption reads differently: a dialog's title, a control's
// accessible name.

// The caption without its access-key marks: "Save &as..." gives "Save as...", "&&" a literal "&".
QString withoutAccessKey(const QString &caption);

// The caption as a screen reader should say it: no access-key marks and no trailing colon or blanks
// ("Annual Savings (kWh):" gives "Annual Savings (kWh)").
QString accessibleCaption(const QString &caption);

// The tooltip of a command with a shortcut: "Open (Ctrl+O)", the key as the platform writes it.
// Without a key, the caption alone.
QString captionWithShortcut(const QString &caption, const QKeySequence &key);
