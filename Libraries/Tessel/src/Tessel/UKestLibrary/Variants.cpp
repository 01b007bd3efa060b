#include "Tessel/UKestLibrary/Variants.h"

#include "Tessel/Rtl/FloatText.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/NumericText.h"

namespace Tessel {

namespace {

int TypeId(const QVariant& AValue) {
    return AValue.metaType().id();
}

} // namespace

bool VarIsOrdinal(const QVariant& AValue) {
    switch (TypeId(AValue)) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool VarIsFloat(const QVariant& AValue) {
    return TypeId(AValue) == QMetaType::Double || TypeId(AValue) == QMetaType::Float;
}

bool VarIsNumeric(const QVariant& AValue) {
    return VarIsOrdinal(AValue) || VarIsFloat(AValue);
}

bool VarIsText(const QVariant& AValue) {
    const int id = TypeId(AValue);
    return id == QMetaType::QString || id == QMetaType::QByteArray || id == QMetaType::QChar ||
           id == QMetaType::Char || id == QMetaType::Char16;
}

QString VarTypeName(const QVariant& AValue) {
    if (!AValue.isValid()) return QStringLiteral("Empty");
    if (AValue.isNull()) return QStringLiteral("Null");
    switch (TypeId(AValue)) {
    case QMetaType::Bool:
        return QStringLiteral("Boolean");
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
        return QStringLiteral("Integer");
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return QStringLiteral("Cardinal");
    case QMetaType::LongLong:
    case QMetaType::Long:
        return QStringLiteral("Int64");
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        return QStringLiteral("UInt64");
    case QMetaType::Double:
        return QStringLiteral("Double");
    case QMetaType::Float:
        return QStringLiteral("Single");
    case QMetaType::QString:
    case QMetaType::QChar:
    case QMetaType::Char16:
        return QStringLiteral("String");
    case QMetaType::QByteArray:
    case QMetaType::Char:
        return QStringLiteral("AnsiString");
    default:
        return QString::fromLatin1(AValue.typeName());
    }
}

QString VarToStr(const QVariant& AValue) {
    if (!VarHasValue(AValue)) return QString();
    if (TypeId(AValue) == QMetaType::Bool)
        return AValue.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (VarIsFloat(AValue))
        return FloatToText(AValue.toDouble(), TFloatFormat::ffGeneral, 15, 0, UserFormatSettings());
    if (TypeId(AValue) == QMetaType::QByteArray) return QString::fromUtf8(AValue.toByteArray());
    if (TypeId(AValue) == QMetaType::Char) return QString(QChar(uchar(AValue.value<char>())));
    return AValue.toString();
}

double VarToDouble(const QVariant& AValue) {
    if (TypeId(AValue) == QMetaType::Bool) return AValue.toBool() ? 1 : 0;
    if (VarIsNumeric(AValue)) return AValue.toDouble();
    if (VarIsText(AValue) && TypeId(AValue) != QMetaType::Char) {
        double value = 0;
        if (TryTextToFloat(VarToStr(AValue), false, value)) return value;
    }
    throw EVariantTypeCastError(
        QStringLiteral("Could not convert variant of type (%1) into type (Double)").arg(VarTypeName(AValue)));
}

} // namespace Tessel
