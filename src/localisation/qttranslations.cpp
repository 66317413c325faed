#include "localisation/qttranslations.h"

#include <QCoreApplication>

#include <utility>

QString qtTranslationName(const QString &languageName)
{
    if (languageName == u"Português")
        return QStringLiteral("qtbase_pt_BR");
    if (languageName == u"Español")
        return QStringLiteral("qtbase_es");
    return QString();
}

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

bool QtTranslations::apply(const QString &languageName)
{
    const QString name = qtTranslationName(languageName);
    if (m_translator && name == m_installed)
        return true;
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
        m_installed.clear();
    }
    if (name.isEmpty() || m_folder.isEmpty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, m_folder) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    m_translator = std::move(translator);
    m_installed = name;
    return true;
}
