#include "main/IconTitleFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace Wrenfold {

void SetIconTitleFont(QFont& AFont) {
    const QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    AFont.setBold(false);
    AFont.setItalic(false);
    AFont.setUnderline(false);
    AFont.setStrikeOut(false);
    if (title.pixelSize() > 0)
        AFont.setPixelSize(title.pixelSize());
    else if (title.pointSizeF() > 0)
        AFont.setPointSizeF(title.pointSizeF());
    AFont.setFamilies(title.families().isEmpty() ? QStringList{title.family()} : title.families());
}

} // namespace Wrenfold
