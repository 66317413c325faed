#pragma once

#include <QString>

#include <functional>

// Where the file dialogs start. The folder a command names (the current file's folder, the program
// folder) is kept when the user can write there; an installed copy's program folder is read-only, so
// the dialogs start in the user's documents folder instead, where a typed name can be saved.

// Whether folder can be written: tried by creating (and removing) a temporary file in it, which also
// holds where permission bits say nothing (access lists, read-only media).
bool canWriteIn(const QString &folder);

// The user's documents folder; the home folder when there is none.
QString documentsFolder();

using FolderCheck = std::function<bool(const QString &folder)>;

// folder when canWrite says so, else documentsFolder().
QString dialogFolder(const QString &folder, const FolderCheck &canWrite);

// Where a command on the file `path` starts its dialog: the file's folder (the text before its last
// separator, "/" or "\"), or `fallback` when path names no folder; through dialogFolder().
QString folderOfFile(const QString &path, const QString &fallback, const FolderCheck &canWrite);
