#pragma once

#include <QString>

class QFileDevice;

// An error as the user sees it in the error reports: a number and a description.
struct PlatformError
{
    int number = 0;
    QString description;
};

// The familiar error numbers.
namespace ErrorNumber {
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int DiskFull = 61;
inline constexpr int PathFileAccess = 75;
inline constexpr int Cancel = 32755;
} // namespace ErrorNumber

// "Erro 53 ( 35 )": the number in decimal and in upper-case hexadecimal.
QString errorTitle(int number);

// The error of a failed file operation: 53 for a missing file, 61 for a full disk, 75 otherwise,
// with the file's own description.
PlatformError fileError(const QFileDevice &file);
