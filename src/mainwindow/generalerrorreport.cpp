#include "mainwindow/generalerrorreport.h"

#include "platform/dialogs.h"
#include "platform/mousepointer.h"

QString generalErrorText(const TextLookup &text, const PlatformError &error, int firstText)
{
    const QString crlf = QStringLiteral("\r\n");
    return text(firstText) + crlf + text(firstText + 1) + crlf + text(firstText + 2) + crlf
           + QStringLiteral("Erro: ") + error.description;
}

void showGeneralErrorReport(Dialogs &dialogs, QWidget *parent, const TextLookup &text,
                            const PlatformError &error, int firstText)
{
    restoreDefaultPointer();
    dialogs.message(parent, Dialogs::Icon::Critical, errorTitle(error.number),
                    generalErrorText(text, error, firstText));
}
