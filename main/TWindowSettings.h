// What the window remembers between runs (its place, the last tab, the file dialogs' folders, the
// recent projects), kept in a settings file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

#include <QSettings>

namespace Wrenfold {

class TWindowSettings {
public:
    // The user's file: "KEST Products/Wrenfold.ini" in the user's configuration folder.
    static std::unique_ptr<QSettings> UserSettings();

    explicit TWindowSettings(std::unique_ptr<QSettings> ASettings);
    ~TWindowSettings();

    QByteArray Geometry() const;
    void SetGeometry(const QByteArray& AValue);
    // The tab in front when the window last closed; -1 when none is known.
    int LastTab() const;
    void SetLastTab(int AValue);
    // The folder a file dialog was last used in, by the dialog's name; empty when none is known.
    QString DialogFolder(const QString& ADialogName) const;
    void SetDialogFolder(const QString& ADialogName, const QString& AFolder);
    QStringList RecentProjects() const;
    void SetRecentProjects(const QStringList& AFileNames);

    // Writes what changed to the file now.
    void Sync();

private:
    std::unique_ptr<QSettings> FSettings;
};

} // namespace Wrenfold
