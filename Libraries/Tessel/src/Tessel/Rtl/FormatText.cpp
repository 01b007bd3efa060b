#include "Tessel/Rtl/FormatText.h"

#include "Tessel/Rtl/ConvertError.h"
#include "Tessel/Rtl/FloatText.h"

#include <cstdint>
#include <optional>

namespace Tessel {

namespace {

enum class TIntKind { Int32, UInt32, Int64, UInt64 };

struct TIntArg {
    TIntKind Kind;
    int64_t Signed;    // Int32, Int64
    uint64_t Unsigned; // UInt32, UInt64
};

std::optional<TIntArg> IntegerOf(const QVariant& AValue) {
    switch (AValue.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        return TIntArg{TIntKind::Int32, AValue.toLongLong(), 0};
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return TIntArg{TIntKind::UInt32, 0, AValue.toULongLong()};
    case QMetaType::LongLong:
        return TIntArg{TIntKind::Int64, AValue.toLongLong(), 0};
    case QMetaType::Long:
        return TIntArg{sizeof(long) == 4 ? TIntKind::Int32 : TIntKind::Int64, AValue.toLongLong(), 0};
    case QMetaType::ULongLong:
        return TIntArg{TIntKind::UInt64, 0, AValue.toULongLong()};
    case QMetaType::ULong:
        return TIntArg{sizeof(long) == 4 ? TIntKind::UInt32 : TIntKind::UInt64, 0, AValue.toULongLong()};
    default:
        return std::nullopt;
    }
}

std::optional<double> FloatOf(const QVariant& AValue) {
    switch (AValue.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return AValue.toDouble();
    default:
        break;
    }
    if (const auto integer = IntegerOf(AValue)) {
        const bool isSigned = integer->Kind == TIntKind::Int32 || integer->Kind == TIntKind::Int64;
        return isSigned ? double(integer->Signed) : double(integer->Unsigned);
    }
    return std::nullopt;
}

class TFormatter {
public:
    TFormatter(const QString& AFormat, const QVariantList& AArgs, const TFormatSettings& ASettings)
        : FFormat(AFormat), FArgs(AArgs), FSettings(ASettings) {}

    QString Run() {
        QString result;
        const qsizetype n = FFormat.size();
        while (FPos < n) {
            const QChar c = FFormat[FPos++];
            if (c != u'%') {
                result += c;
                continue;
            }
            if (FPos < n && FFormat[FPos] == u'%') {
                result += u'%';
                ++FPos;
                continue;
            }
            result += Specifier();
        }
        return result;
    }

private:
    const QString& FFormat;
    const QVariantList& FArgs;
    const TFormatSettings& FSettings;
    qsizetype FPos = 0;
    qsizetype FArgIndex = 0;

    [[noreturn]] void Invalid() const {
        throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(FFormat));
    }

    const QVariant& NextArg() {
        if (FArgIndex < 0 || FArgIndex >= FArgs.size())
            throw EConvertError(QStringLiteral("No argument for format '%1'").arg(FFormat));
        return FArgs[FArgIndex++];
    }

    QChar Peek() const { return FPos < FFormat.size() ? FFormat[FPos] : QChar(); }

    // A decimal number, "*" (the next argument), or -1 when neither stands here.
    int ReadNumber() {
        if (Peek() == u'*') {
            ++FPos;
            const auto value = IntegerOf(NextArg());
            if (!value) Invalid();
            const bool isSigned = value->Kind == TIntKind::Int32 || value->Kind == TIntKind::Int64;
            return int(isSigned ? value->Signed : int64_t(value->Unsigned));
        }
        int64_t value = -1;
        while (Peek().isDigit() && Peek().unicode() < 128) {
            value = (value < 0 ? 0 : value) * 10 + (Peek().unicode() - u'0');
            if (value > INT32_MAX) Invalid();
            ++FPos;
        }
        return int(value);
    }

    QString Specifier() {
        int number = ReadNumber();
        if (Peek() == u':') {
            ++FPos;
            if (number < 0) Invalid();
            FArgIndex = number;
            number = ReadNumber();
        }
        bool leftJustify = false;
        if (Peek() == u'-') {
            ++FPos;
            leftJustify = true;
            number = ReadNumber();
        }
        const int width = number;
        int precision = -1;
        if (Peek() == u'.') {
            ++FPos;
            precision = ReadNumber();
            if (precision < 0) precision = 0;
        }
        if (FPos >= FFormat.size()) Invalid();
        const char16_t type = FFormat[FPos++].toUpper().unicode();
        QString text = Convert(type, precision);
        if (width > text.size()) {
            const QString padding(width - text.size(), u' ');
            text = leftJustify ? text + padding : padding + text;
        }
        return text;
    }

    QString Convert(char16_t AType, int APrecision) {
        switch (AType) {
        case u'D':
        case u'U':
        case u'X':
            return IntegerText(AType, APrecision);
        case u'E':
        case u'F':
        case u'G':
        case u'N':
        case u'M':
            return FloatText(AType, APrecision);
        case u'S': {
            QString text = StringOf(NextArg());
            if (APrecision >= 0 && APrecision < text.size()) text.truncate(APrecision);
            return text;
        }
        case u'P': {
            const QVariant& arg = NextArg();
            quint64 address = 0;
            if (arg.typeId() == QMetaType::VoidStar) {
                address = quint64(reinterpret_cast<quintptr>(arg.value<void*>()));
            } else if (const auto value = IntegerOf(arg)) {
                address = value->Kind == TIntKind::Int32 || value->Kind == TIntKind::Int64
                              ? uint64_t(value->Signed)
                              : value->Unsigned;
            } else {
                Invalid();
            }
            return QStringLiteral("%1").arg(address, int(sizeof(void*) * 2), 16, QChar(u'0')).toUpper();
        }
        default:
            Invalid();
        }
    }

    QString IntegerText(char16_t AType, int APrecision) {
        const auto value = IntegerOf(NextArg());
        if (!value) Invalid();
        bool negative = false;
        uint64_t magnitude = 0;
        switch (value->Kind) {
        case TIntKind::Int32:
        case TIntKind::Int64:
            if (AType == u'D') {
                negative = value->Signed < 0;
                magnitude = negative ? uint64_t(0) - uint64_t(value->Signed) : uint64_t(value->Signed);
            } else {
                magnitude = value->Kind == TIntKind::Int32 ? uint64_t(uint32_t(value->Signed))
                                                           : uint64_t(value->Signed);
            }
            break;
        case TIntKind::UInt32:
        case TIntKind::UInt64:
            magnitude = value->Unsigned;
            break;
        }
        QString digits = QString::number(magnitude, AType == u'X' ? 16 : 10).toUpper();
        if (APrecision > digits.size()) digits.prepend(QString(APrecision - digits.size(), u'0'));
        return negative ? u'-' + digits : digits;
    }

    QString FloatText(char16_t AType, int APrecision) {
        const auto value = FloatOf(NextArg());
        if (!value) Invalid();
        switch (AType) {
        case u'E':
            return FloatToText(*value, TFloatFormat::ffExponent, APrecision < 0 ? 15 : APrecision, 3,
                               FSettings);
        case u'G':
            return FloatToText(*value, TFloatFormat::ffGeneral, APrecision < 0 ? 15 : APrecision, 0,
                               FSettings);
        case u'F':
            return FloatToText(*value, TFloatFormat::ffFixed, 18, APrecision < 0 ? 2 : APrecision, FSettings);
        case u'N':
            return FloatToText(*value, TFloatFormat::ffNumber, 18, APrecision < 0 ? 2 : APrecision,
                               FSettings);
        default:
            return FloatToText(*value, TFloatFormat::ffCurrency, 18,
                               APrecision < 0 ? FSettings.CurrencyDecimals : APrecision, FSettings);
        }
    }

    QString StringOf(const QVariant& AValue) {
        switch (AValue.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr:
            return QString();
        case QMetaType::QString:
            return AValue.toString();
        case QMetaType::QChar:
            return QString(AValue.toChar());
        case QMetaType::Bool:
            return AValue.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case QMetaType::Double:
        case QMetaType::Float:
            return FloatToText(AValue.toDouble(), TFloatFormat::ffGeneral, 15, 0, FSettings);
        default:
            break;
        }
        if (const auto integer = IntegerOf(AValue)) {
            const bool isSigned = integer->Kind == TIntKind::Int32 || integer->Kind == TIntKind::Int64;
            return isSigned ? QString::number(integer->Signed) : QString::number(integer->Unsigned);
        }
        if (AValue.canConvert<QString>()) return AValue.toString();
        Invalid();
    }
};

} // namespace

QString Format(const QString& AFormat, const QVariantList& AArgs, const TFormatSettings& ASettings) {
    return TFormatter(AFormat, AArgs, ASettings).Run();
}

QString Format(const QString& AFormat, const QVariantList& AArgs) {
    return Format(AFormat, AArgs, UserFormatSettings());
}

} // namespace Tessel
