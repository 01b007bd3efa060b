// What the window remembers between runs (its place, the last tab, the file dialogs' folders, the
// recent projects), kept in a settings file.
#pragma once

#include <QByteArray>
#include <QRect>
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
    // The window's place and size when it was last in its normal state; empty when none is known.
    QRect NormalRect() const;
    void SetNormalRect(const QRect& AValue);
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

// AWindow fitted into AAvailable (a screen's free area): no larger than it, though never below
// AMinimum, and moved inside it; a window that fits stays as it is.
QRect FittedWindowRect(const QRect& AWindow, const QRect& AAvailable, const QSize& AMinimum);

} // namespace Wrenfold
