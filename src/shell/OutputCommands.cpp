#include "shell/OutputCommands.h"

#include "output/ClipboardText.h"
#include "shell/AppFiles.h"
#include "shell/Messages.h"
#include "shell/Settings.h"
#include "shell/StateChanges.h"
#include "shell/UserInterface.h"
#include "shell/WorkspaceConfig.h"
#include "shell/WorkspaceState.h"

#include <QDir>
#include <QUrl>

QString OutputCommands::selectionText() const
{
    const ReportModel& report = m_state.report;
    return ClipboardText::selectedLines(report.resultat, report.resultat2);
}

void OutputCommands::selectAll()
{
    ReportModel& report = m_state.report;
    for (int i = 0; i < report.resultat.count(); ++i)
        report.resultat.setSelected(i, true);
    for (int i = 0; i < report.resultat2.count(); ++i)
        report.resultat2.setSelected(i, true);
    m_changes.changed(StatePart::ReportPart);
}

void OutputCommands::unselect(const QList<int>& resultat, const QList<int>& resultat2)
{
    ReportModel& report = m_state.report;
    for (int i : resultat)
        report.resultat.setSelected(i, false);
    for (int i : resultat2)
        report.resultat2.setSelected(i, false);
    m_changes.changed(StatePart::ReportPart);
}

void OutputCommands::aide()
{
    const QString name = QString::fromLatin1(AppFiles::kHelpName);
    const QString path = AppFiles::helpDocument();
    if (path.isEmpty()) {
        m_ui.message(QStringLiteral("Le guide « %1 » est introuvable : il n'a pas été installé avec le programme.").arg(name),
                     Messages::kTitle);
        return;
    }
    if (!m_ui.openUrl(QUrl::fromLocalFile(path)))
        m_ui.message(
            QStringLiteral("Aucun lecteur de documents PDF n'a pu ouvrir le guide :\n%1").arg(QDir::toNativeSeparators(path)),
            Messages::kTitle);
}

QString OutputCommands::siteUrl() const
{
    Settings settings(m_config.settingsFile(), !m_config.readOnlySettings);
    const QString section = QStringLiteral("URL"), key = QString::fromLatin1(kSiteKey);
    QString url = settings.read(section, key, QString());
    if (url.isEmpty()) {
        url = QString::fromLatin1(kDefaultSite);
        settings.write(section, key, url);
    }
    return url;
}

void OutputCommands::site()
{
    if (m_config.connection && m_config.connection() == WorkspaceConfig::Connection::Offline) {
        m_ui.message(QStringLiteral("Vous n'etes pas connecté à Internet"), Messages::kTitle);
        return;
    }
    const QString url = siteUrl();
    if (!m_ui.openUrl(QUrl(url)))
        m_ui.message(QStringLiteral("Aucun navigateur n'a pu ouvrir la page :\n%1").arg(url), Messages::kTitle);
}

void OutputCommands::aPropos()
{
    m_ui.information(QStringLiteral("Tiravol version \r\n") + m_state.versionText, Messages::kTitle);
}
