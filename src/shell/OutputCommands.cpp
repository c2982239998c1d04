// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/OutputCommands.h"

#include "acquire/ArchiveImport.h"
#include "history/HistoryFile.h"
#include "output/ClipboardText.h"
#include "output/TextFile.h"
#include "shell/AppFiles.h"
#include "shell/History.h"
#include "shell/Messages.h"
#include "shell/ReportArea.h"
#include "shell/Settings.h"
#include "shell/StateChanges.h"
#include "shell/UserInterface.h"
#include "shell/WindowFields.h"
#include "shell/WorkspaceConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <vector>

namespace {

// Where a write to `path` would land: links followed as the atomic save follows them, then the
// folder made canonical (the file itself may not exist yet).
QFileInfo landingPlace(const QString& path)
{
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info = QFileInfo(info.symLinkTarget());
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QFileInfo(QDir(folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder).filePath(info.fileName()));
}

bool samePlace(const QFileInfo& a, const QFileInfo& b)
{
    // Names without regard to case: the histories are found that way.
    return a.absolutePath() == b.absolutePath() && a.fileName().compare(b.fileName(), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<QString> OutputCommands::exportRefusal(const QString& path) const
{
    const QString data = m_config.dataFolder;
    const auto inData = [&data](const QString& name) { return QDir(data).filePath(name); };
    std::vector<std::pair<QString, QString>> kept = {
        {m_config.workingHistoryFile(), QStringLiteral("l'historique de travail")},
        {m_config.settingsFile(), QStringLiteral("le fichier des réglages")},
        {m_config.criteriaFile(), QStringLiteral("le fichier des critères")},
        {inData(QLatin1String(ArchiveImport::kArchiveName)), QStringLiteral("l'archive des résultats")},
        {inData(QLatin1String(ArchiveImport::kCsvName)), QStringLiteral("les tirages de l'archive des résultats")},
    };
    // Both games' histories, whichever is played.
    for (FormulaId id : Formula::all()) {
        kept.emplace_back(inData(Formula::get(id).workingFile), QStringLiteral("l'historique de travail"));
        kept.emplace_back(inData(Formula::get(id).baseFile), QStringLiteral("l'historique de base"));
        kept.emplace_back(inData(ArchiveImport::archiveName(id)), QStringLiteral("l'archive des résultats"));
    }
    const QFileInfo target = landingPlace(path);
    for (const auto& [file, role] : kept) {
        if (!file.isEmpty() && samePlace(target, landingPlace(file)))
            return QStringLiteral("« %1 » est %2 de Tiravol : un rapport ne peut pas le remplacer. Rien n'a été écrit ; "
                                  "choisissez un autre nom de fichier.")
                .arg(QDir::toNativeSeparators(path), role);
    }
    return std::nullopt;
}

CommandOutcome OutputCommands::exportReport(const QString& path)
{
    if (const auto refusal = exportRefusal(path))
        return CommandOutcome::refused(*refusal);
    QString error;
    if (!TextFile::writeAtomic(path, TextFile::crlfLines(m_area.model().exportLines()), &error))
        return CommandOutcome::failed(error);
    return CommandOutcome::done();
}

QString OutputCommands::selectionText() const
{
    const ReportModel& report = m_area.model();
    return ClipboardText::selectedLines(report.resultat, report.resultat2);
}

void OutputCommands::selectAll()
{
    m_area.selectAll();
}

void OutputCommands::unselect(const QList<int>& resultat, const QList<int>& resultat2)
{
    m_area.unselect(resultat, resultat2);
}

CommandOutcome OutputCommands::aide()
{
    const QString name = QString::fromLatin1(AppFiles::kHelpName);
    const QString path = AppFiles::helpDocument();
    if (path.isEmpty())
        return CommandOutcome::failed(
            QStringLiteral("Le guide « %1 » est introuvable : il n'a pas été installé avec le programme.").arg(name));
    if (!m_ui.openUrl(QUrl::fromLocalFile(path)))
        return CommandOutcome::failed(
            QStringLiteral("Aucun lecteur de documents PDF n'a pu ouvrir le guide :\n%1").arg(QDir::toNativeSeparators(path)));
    return CommandOutcome::done();
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

CommandOutcome OutputCommands::site()
{
    if (m_config.connection && m_config.connection() == WorkspaceConfig::Connection::Offline)
        return CommandOutcome::refused(QStringLiteral("Vous n'etes pas connecté à Internet"));
    const QString url = siteUrl();
    if (!m_ui.openUrl(QUrl(url)))
        return CommandOutcome::failed(QStringLiteral("Aucun navigateur n'a pu ouvrir la page :\n%1").arg(url));
    return CommandOutcome::done();
}

CommandOutcome OutputCommands::aPropos() const
{
    return CommandOutcome::told(Notice{QStringLiteral("Tiravol version \r\n") + m_window.versionText(), Messages::kTitle, true});
}
