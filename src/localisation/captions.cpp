#include "localisation/captions.h"

QString withoutAccessKey(const QString &caption)
{
    QString result;
    result.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            if (i + 1 < caption.size() && caption.at(i + 1) == u'&')
                ++i; // "&&" shows one "&"
            else
                continue;
        }
        result.append(caption.at(i));
    }
    return result;
}

QString accessibleCaption(const QString &caption)
{
    QString result = withoutAccessKey(caption).trimmed();
    while (result.endsWith(u':'))
        result.chop(1);
    return result.trimmed();
}

QString captionWithShortcut(const QString &caption, const QKeySequence &key)
{
    const QString plain = withoutAccessKey(caption).trimmed();
    if (key.isEmpty())
        return plain;
    return QStringLiteral("%1 (%2)").arg(plain, key.toString(QKeySequence::NativeText));
}
