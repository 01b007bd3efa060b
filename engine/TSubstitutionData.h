// One template marker found in a line: its code letter, its name and where its "$" stood.
#pragma once

#include <QChar>
#include <QString>

namespace Wrenfold {

struct TSubstitutionData {
    QChar LetterCode = QChar(0);
    QString Text;
    int iPosition = 0; // 1-based
};

} // namespace Wrenfold
