// Format: any format text gives a text or raises EConvertError and nothing else, and single
// specifiers give what their definition says (integers and texts exactly, numbers within rounding).
#include "FuzzSupport.h"

#include "Tessel/Rtl/ConvertError.h"
#include "Tessel/Rtl/FormatSettings.h"
#include "Tessel/Rtl/FormatText.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/NumericText.h"

#include <QRegularExpression>

#include <cmath>
#include <cstring>

using namespace Tessel;

namespace {

// The arguments written after the format text: comma-separated items, each an integer (with a
// "u" prefix unsigned, with an "L" suffix 64-bit), a number with a point or exponent, or a text.
QVariantList ArgumentsOf(const QString& AText) {
    QVariantList args;
    for (const QString& item : AText.split(u',')) {
        bool ok = false;
        if (item.startsWith(u'u')) {
            const qulonglong value = item.mid(1).toULongLong(&ok);
            if (ok) {
                args.append(value > 0xFFFFFFFFull ? QVariant(value) : QVariant(uint(value)));
                continue;
            }
        }
        if (item.endsWith(u'L')) {
            const qlonglong value = item.chopped(1).toLongLong(&ok);
            if (ok) {
                args.append(value);
                continue;
            }
        }
        if (const int value = item.toInt(&ok); ok) {
            args.append(value);
            continue;
        }
        if (const double value = item.toDouble(&ok); ok) {
            args.append(value);
            continue;
        }
        args.append(item);
    }
    return args;
}

// Arguments of every kind, for format texts that bring none of their own.
QVariantList DefaultArguments() {
    return {QVariant(42),
            QVariant(QStringLiteral("text")),
            QVariant(3.14159),
            QVariant(qlonglong(-9000000000000000)),
            QVariant(uint(4000000000u)),
            QVariant(-0.5),
            QVariant(true),
            QVariant(QChar(u'c')),
            QVariant(-17)};
}

// A width or precision of millions asks for a text of that size: such texts are not tried.
bool AsksForHugeText(const QString& AFormat, const QVariantList& AArgs) {
    static const QRegularExpression longNumber(QStringLiteral("[0-9]{7}"));
    if (AFormat.contains(longNumber)) return true;
    if (!AFormat.contains(u'*')) return false;
    for (const QVariant& arg : AArgs) {
        bool ok = false;
        const qlonglong value = arg.toLongLong(&ok);
        if (ok && (value > 1000000 || value < -1000000) && arg.typeId() != QMetaType::QString &&
            arg.typeId() != QMetaType::Double)
            return true;
    }
    return false;
}

QString Padded(const QString& AText, int AWidth, bool ALeft) {
    if (AWidth <= AText.size()) return AText;
    const QString padding(AWidth - AText.size(), u' ');
    return ALeft ? AText + padding : padding + AText;
}

QString Spec(bool ALeft, int AWidth, int APrecision, QChar AType) {
    QString spec = QStringLiteral("%");
    if (ALeft) spec += u'-';
    if (AWidth >= 0) spec += QString::number(AWidth);
    if (APrecision >= 0) spec += u'.' + QString::number(APrecision);
    return spec + AType;
}

// One specifier with one argument, checked against its definition.
void CheckSpecifier(const uint8_t* AData, size_t ASize, const QVariantList& AArgs) {
    if (ASize < 4 || AArgs.isEmpty()) return;
    const bool left = AData[0] & 1;
    const int width = AData[0] & 2 ? AData[1] % 40 : -1;
    const int precision = AData[2] % 26 - 1;
    const QVariant& arg = AArgs[AData[3] % AArgs.size()];
    const TFormatSettings& settings = KestFormatSettings();
    const auto run = [&](QChar AType) {
        return Format(Spec(left, width, precision, AType), {arg}, settings);
    };
    const QString shown = Spec(left, width, precision, u'?') + QStringLiteral(" with ") + arg.toString();

    switch (arg.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong: {
        const qlonglong value = arg.toLongLong();
        QString digits = QString::number(value < 0 ? 0 - qulonglong(value) : qulonglong(value));
        if (precision > digits.size()) digits.prepend(QString(precision - digits.size(), u'0'));
        FUZZ_CHECK(run(u'd') == Padded(value < 0 ? u'-' + digits : digits, width, left),
                   shown + u' ' + run(u'd'));
        const qulonglong bits =
            arg.typeId() == QMetaType::Int ? qulonglong(uint(int(value))) : qulonglong(value);
        QString hex = QString::number(bits, 16).toUpper();
        if (precision > hex.size()) hex.prepend(QString(precision - hex.size(), u'0'));
        FUZZ_CHECK(run(u'x') == Padded(hex, width, left), shown + u' ' + run(u'x'));
        break;
    }
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        QString digits = QString::number(arg.toULongLong());
        if (precision > digits.size()) digits.prepend(QString(precision - digits.size(), u'0'));
        FUZZ_CHECK(run(u'u') == Padded(digits, width, left), shown + u' ' + run(u'u'));
        break;
    }
    case QMetaType::QString: {
        const QString text = arg.toString();
        const QString cut = precision >= 0 && precision < text.size() ? text.left(precision) : text;
        FUZZ_CHECK(run(u's') == Padded(cut, width, left), shown + u' ' + run(u's'));
        break;
    }
    case QMetaType::Double: {
        const double value = arg.toDouble();
        if (!std::isfinite(value)) break;
        const double magnitude = std::fabs(value);
        const QString fixed = run(u'f');
        FUZZ_CHECK(fixed.size() >= width, shown + u' ' + fixed);
        double back = 0;
        if (magnitude < 1e18) {
            const int decimals = precision < 0 ? 2 : precision;
            FUZZ_CHECK(TryTextToFloat(fixed.trimmed(), true, back) &&
                           std::fabs(back - value) <=
                               0.5000001 * std::pow(10.0, -decimals) + magnitude * 1e-15,
                       shown + u' ' + fixed);
        }
        const QString exponent = run(u'e').trimmed();
        static const QRegularExpression exponentForm(QStringLiteral("^-?[0-9](\\.[0-9]+)?E[+-][0-9]{3,}$"));
        FUZZ_CHECK(exponentForm.match(exponent).hasMatch(), shown + u' ' + exponent);
        const int digits = precision < 0 ? 15 : precision;
        if (magnitude < 1e308 && digits >= 1)
            FUZZ_CHECK(TryTextToFloat(exponent, true, back) &&
                           std::fabs(back - value) <=
                               6 * std::pow(10.0, -std::min(digits, 18)) * magnitude + 1e-320,
                       shown + u' ' + exponent);
        break;
    }
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    QString text;
    if (!WrenfoldFuzz::TextOf(WrenfoldFuzz::BytesOf(AData, ASize), text)) return 0;
    // The format text ends at the first NUL; what follows lists the arguments.
    const qsizetype nul = text.indexOf(QChar(0));
    const QString format = nul < 0 ? text : text.left(nul);
    const QVariantList args = nul < 0 ? DefaultArguments() : ArgumentsOf(text.mid(nul + 1));
    if (AsksForHugeText(format, args)) return 0;
    for (const bool kest : {true, false}) {
        try {
            Format(format, args, kest ? KestFormatSettings() : UserFormatSettings());
        } catch (const EConvertError&) {
        }
    }
    CheckSpecifier(AData, ASize, args);
    return 0;
}
