#include "shell/CommandLineText.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace CommandLineText {

QString fault(const QCommandLineParser& parser)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.constFirst();
        return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name + QStringLiteral(" : option inconnue");
    }
    // English, or French once the window has installed Qt's translations.
    const QString text = parser.errorText();
    static const QRegularExpression quoted(QStringLiteral("['\"](.*)['\"]"));
    const QString option = quoted.match(text).captured(1);
    if (text.startsWith(QLatin1String("Missing value")) || text.startsWith(QLatin1String("Valeur manquante")))
        return option + QStringLiteral(" : une valeur est attendue");
    if (text.startsWith(QLatin1String("Unexpected value")) || text.startsWith(QLatin1String("Valeur inattendue")))
        return option + QStringLiteral(" : n'attend pas de valeur");
    return text;
}

QString tryHelp(const QString& program)
{
    return QStringLiteral("Essayez « %1 --help ».").arg(program);
}

} // namespace CommandLineText
