// The projects opened last, most recent first, kept in the window's settings and offered from a menu.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

namespace Wrenfold {

class TWindowSettings;

class TRecentProjects {
public:
    static constexpr int MaxCount = 10;

    explicit TRecentProjects(TWindowSettings& ASettings) : FSettings(ASettings) {}

    // Absolute paths, most recent first.
    QStringList Files() const;
    // Puts the file first, once; the oldest beyond MaxCount go.
    void Add(const QString& AFileName);
    void Remove(const QString& AFileName);

    // Fills AMenu with one entry per file (numbered 1 to 9, then 0), each calling AOpen with its path.
    void FillMenu(QMenu& AMenu, const std::function<void(const QString&)>& AOpen) const;

private:
    TWindowSettings& FSettings;
};

} // namespace Wrenfold
