#include "main/TRecentProjects.h"

#include "main/TWindowSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace Wrenfold {

namespace {

QString Normalised(const QString& AFileName) {
    return QDir::cleanPath(QFileInfo(AFileName).absoluteFilePath());
}

} // namespace

QStringList TRecentProjects::Files() const {
    QStringList files = FSettings.RecentProjects();
    files.removeAll(QString());
    return files.mid(0, MaxCount);
}

void TRecentProjects::Add(const QString& AFileName) {
    const QString fileName = Normalised(AFileName);
    QStringList files = Files();
    files.removeAll(fileName);
    files.prepend(fileName);
    FSettings.SetRecentProjects(files.mid(0, MaxCount));
}

void TRecentProjects::Remove(const QString& AFileName) {
    QStringList files = Files();
    if (files.removeAll(Normalised(AFileName)) > 0) FSettings.SetRecentProjects(files);
}

void TRecentProjects::FillMenu(QMenu& AMenu, const std::function<void(const QString&)>& AOpen) const {
    AMenu.clear();
    const QStringList files = Files();
    if (files.isEmpty()) AMenu.addAction(QStringLiteral("No recent projects"))->setEnabled(false);
    for (int i = 0; i < files.size(); ++i) {
        QString caption = QDir::toNativeSeparators(files[i]);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString fileName = files[i];
        AMenu.addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(caption),
                        [AOpen, fileName] { AOpen(fileName); });
    }
}

} // namespace Wrenfold
