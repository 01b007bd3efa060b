#include "main/TWindowSettings.h"

#include <QSettings>

#include <algorithm>

namespace Wrenfold {

namespace {
const QString GeometryKey = QStringLiteral("Window/Geometry");
const QString NormalRectKey = QStringLiteral("Window/NormalRect");
const QString TabKey = QStringLiteral("Window/Tab");
const QString FoldersGroup = QStringLiteral("Folders/");
const QString RecentKey = QStringLiteral("RecentProjects/Files");
} // namespace

std::unique_ptr<QSettings> TWindowSettings::UserSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("KEST Products"), QStringLiteral("Wrenfold"));
}

TWindowSettings::TWindowSettings(std::unique_ptr<QSettings> ASettings) : FSettings(std::move(ASettings)) {}

TWindowSettings::~TWindowSettings() = default;

QByteArray TWindowSettings::Geometry() const {
    return FSettings->value(GeometryKey).toByteArray();
}

void TWindowSettings::SetGeometry(const QByteArray& AValue) {
    FSettings->setValue(GeometryKey, AValue);
}

QRect TWindowSettings::NormalRect() const {
    return FSettings->value(NormalRectKey).toRect();
}

void TWindowSettings::SetNormalRect(const QRect& AValue) {
    FSettings->setValue(NormalRectKey, AValue);
}

QRect FittedWindowRect(const QRect& AWindow, const QRect& AAvailable, const QSize& AMinimum) {
    if (AAvailable.contains(AWindow)) return AWindow;
    QRect fitted = AWindow;
    fitted.setWidth(std::max(AMinimum.width(), std::min(AWindow.width(), AAvailable.width())));
    fitted.setHeight(std::max(AMinimum.height(), std::min(AWindow.height(), AAvailable.height())));
    // Inside on the right and bottom where it can be, and never past the left or top edge.
    fitted.moveLeft(
        std::max(AAvailable.left(), std::min(fitted.left(), AAvailable.right() - fitted.width() + 1)));
    fitted.moveTop(
        std::max(AAvailable.top(), std::min(fitted.top(), AAvailable.bottom() - fitted.height() + 1)));
    return fitted;
}

int TWindowSettings::LastTab() const {
    bool ok = false;
    const int tab = FSettings->value(TabKey).toInt(&ok);
    return ok ? tab : -1;
}

void TWindowSettings::SetLastTab(int AValue) {
    FSettings->setValue(TabKey, AValue);
}

QString TWindowSettings::DialogFolder(const QString& ADialogName) const {
    return FSettings->value(FoldersGroup + ADialogName).toString();
}

void TWindowSettings::SetDialogFolder(const QString& ADialogName, const QString& AFolder) {
    FSettings->setValue(FoldersGroup + ADialogName, AFolder);
}

QStringList TWindowSettings::RecentProjects() const {
    return FSettings->value(RecentKey).toStringList();
}

void TWindowSettings::SetRecentProjects(const QStringList& AFileNames) {
    FSettings->setValue(RecentKey, AFileNames);
}

void TWindowSettings::Sync() {
    FSettings->sync();
}

} // namespace Wrenfold
