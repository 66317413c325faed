#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

// Qt's own texts (message box buttons, the file and print dialogs, the fields' context menus) in the
// language the user picked. Qt's translation files lie in the program folder; a language is matched by
// its name (text 0), as the graph window matches its pictures.

// The base name of Qt's translation file for a language: "qtbase_pt_BR" for "Português", "qtbase_es"
// for "Español", empty for any other language (Qt's own English texts).
QString qtTranslationName(const QString &languageName);

// The one Qt translator the program has installed in the application. Destroying it uninstalls it.
class QtTranslations
{
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations &) = delete;
    QtTranslations &operator=(const QtTranslations &) = delete;

    // The folder that holds the translation files (the program folder).
    void setFolder(const QString &folder) { m_folder = folder; }

    // Uninstalls the translator installed before and installs the one of languageName. A language
    // without a translation, or a missing or unreadable file, leaves Qt's own English texts: returns
    // false then. Messages and dialogs created afterwards take the new texts.
    bool apply(const QString &languageName);

private:
    QString m_folder;
    QString m_installed; // base name of the installed translation
    std::unique_ptr<QTranslator> m_translator;
};
