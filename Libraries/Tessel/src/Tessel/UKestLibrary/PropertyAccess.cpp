#include "Tessel/UKestLibrary/PropertyAccess.h"

#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestDefs/FloatFormatRecords.h"
#include "Tessel/UKestLibrary/FloatFormatting.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/NumericText.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "Tessel/UKestLibrary/Variants.h"

#include <QMetaEnum>
#include <QObject>

#include <cmath>
#include <cstring>
#include <limits>

namespace Tessel {

namespace {

constexpr int64_t Int64Min = std::numeric_limits<int64_t>::min();
constexpr int64_t Int64Max = std::numeric_limits<int64_t>::max();

bool IsEnumOrFlags(const QMetaProperty& AProperty) {
    return AProperty.isEnumType() || AProperty.metaType().flags().testFlag(QMetaType::IsEnumeration);
}

bool IsBooleanEnum(const QMetaProperty& AProperty) {
    return AProperty.metaType().id() == QMetaType::Bool;
}

QString PropertyName(const QMetaProperty& AProperty) {
    return QString::fromLatin1(AProperty.name());
}

QString TypeName(const QMetaProperty& AProperty) {
    return QString::fromLatin1(AProperty.typeName());
}

// The ordinal value a variant of an ordinal property type holds.
int64_t OrdinalOf(const QVariant& AValue) {
    const QMetaType type = AValue.metaType();
    switch (type.id()) {
    case QMetaType::Bool:
        return AValue.toBool() ? 1 : 0;
    case QMetaType::QChar:
        return AValue.value<QChar>().unicode();
    case QMetaType::Char16:
        return AValue.value<char16_t>();
    case QMetaType::Char:
        return uchar(AValue.value<char>());
    default:
        break;
    }
    if (type.flags().testFlag(QMetaType::IsEnumeration) || QByteArray(type.name()).startsWith("QFlags<")) {
        // Enumerations and flags are stored as their underlying integer.
        switch (type.sizeOf()) {
        case 1:
            return *static_cast<const int8_t*>(AValue.constData());
        case 2:
            return *static_cast<const int16_t*>(AValue.constData());
        case 4:
            return *static_cast<const int32_t*>(AValue.constData());
        default:
            return *static_cast<const int64_t*>(AValue.constData());
        }
    }
    return AValue.toLongLong();
}

// A variant of the property's own type holding the ordinal AValue.
QVariant OrdinalVariant(const QMetaProperty& AProperty, int64_t AValue) {
    const QMetaType type = AProperty.metaType();
    switch (type.id()) {
    case QMetaType::Bool:
        return QVariant(AValue != 0);
    case QMetaType::QChar:
        return QVariant::fromValue(QChar(char16_t(AValue)));
    case QMetaType::Char16:
        return QVariant::fromValue(char16_t(AValue));
    case QMetaType::Char:
        return QVariant::fromValue(char(AValue));
    default:
        break;
    }
    if (IsEnumOrFlags(AProperty)) {
        QVariant result(type);
        const int32_t value32 = int32_t(AValue);
        const int16_t value16 = int16_t(AValue);
        const int8_t value8 = int8_t(AValue);
        const void* source = type.sizeOf() == 1   ? static_cast<const void*>(&value8)
                             : type.sizeOf() == 2 ? static_cast<const void*>(&value16)
                             : type.sizeOf() == 4 ? static_cast<const void*>(&value32)
                                                  : static_cast<const void*>(&AValue);
        std::memcpy(result.data(), source, size_t(type.sizeOf()));
        return result;
    }
    QVariant result = QVariant::fromValue(qlonglong(AValue));
    result.convert(type);
    return result;
}

// Truncates toward zero and limits to AMin..AMax.
int64_t TruncLimited(double AValue, int64_t AMin, int64_t AMax, const QMetaProperty& AProperty) {
    if (std::isnan(AValue))
        throw EKestRTTI(QStringLiteral("Property \"%1\" cannot take a value that is not a number")
                            .arg(PropertyName(AProperty)));
    const double value = std::trunc(AValue);
    if (value <= double(AMin)) return AMin;
    if (value >= double(AMax)) return AMax;
    return int64_t(value);
}

// The names of the set's members present in ABits, each a key of one bit.
QString SetToText(const QMetaEnum& AEnum, int64_t ABits) {
    QString result;
    for (int i = 0; i < AEnum.keyCount(); ++i) {
        const uint32_t bit = uint32_t(AEnum.value(i));
        if (bit != 0 && (bit & (bit - 1)) == 0 && (uint64_t(ABits) & bit) != 0)
            result = AppendListItem(QString::fromLatin1(AEnum.key(i)), result, false);
    }
    return result;
}

// The value of the key AName (ASCII letter case ignored); raises for a name that is no key.
int KeyValue(const QMetaEnum& AEnum, const QString& AName) {
    for (int i = 0; i < AEnum.keyCount(); ++i)
        if (SameAsciiText(QString::fromLatin1(AEnum.key(i)), AName)) return AEnum.value(i);
    throw EPropertyConvertError(QStringLiteral("Invalid property element: %1").arg(AName));
}

// The bits of a set written as member names, with or without brackets.
int64_t TextToSet(const QMetaEnum& AEnum, const QString& AText) {
    QString text = KestTrim(AText);
    if (text.startsWith(u'[')) text.remove(0, 1);
    if (text.endsWith(u']')) text.chop(1);
    int64_t bits = 0;
    for (const QString& name : text.split(u','))
        if (!KestTrim(name).isEmpty()) bits |= uint32_t(KeyValue(AEnum, KestTrim(name)));
    return bits;
}

void WriteProperty(QObject* AInstance, const QMetaProperty& AProperty, const QVariant& AValue) {
    if (!AProperty.write(AInstance, AValue))
        throw EKestRTTI(QStringLiteral("Property \"%1\" could not be written").arg(PropertyName(AProperty)));
}

// The text of a floating-point format suffix "FSDPL<tail>".
QString FormatWithDirectSuffix(const QString& ASuffix, bool AUseKestSettings, double AValue) {
    if (ASuffix.size() < 5 || !TextToInt32(ASuffix.mid(2, 2)).has_value() || !IsLetterChar(ASuffix[4]))
        throw EKestRTTI(QStringLiteral("Invalid property format suffix \"%1\"").arg(ASuffix));
    const QString rest = ASuffix.mid(2);
    QString format = QStringLiteral("%") + rest[0] + u'.' + rest.mid(1);
    format.replace(u'_', u' ');
    const QChar letter = rest[2];
    if (letter == u'X' || letter == u'x') {
        // The nearest integer, ties to even, in hexadecimal.
        const qlonglong value = qlonglong(std::nearbyint(AValue));
        return FormatEx(QStringLiteral("0") + format + u'h', {value}, AUseKestSettings);
    }
    return FormatEx(format, {AValue}, AUseKestSettings);
}

} // namespace

TTypeKind PropertyTypeKind(const QMetaProperty& AProperty) {
    const QMetaType type = AProperty.metaType();
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return tkInteger;
    case QMetaType::Char:
        return tkChar;
    case QMetaType::QChar:
    case QMetaType::Char16:
        return tkWChar;
    case QMetaType::Bool:
        return tkEnumeration;
    case QMetaType::Double:
    case QMetaType::Float:
        return tkFloat;
    case QMetaType::QByteArray:
        return tkLString;
    case QMetaType::QString:
        return tkUString;
    case QMetaType::QVariant:
        return tkVariant;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
        return tkInt64;
    case QMetaType::VoidStar:
        return tkPointer;
    default:
        break;
    }
    if (AProperty.isFlagType()) return tkSet;
    if (IsEnumOrFlags(AProperty)) return tkEnumeration;
    if (type.flags().testFlag(QMetaType::PointerToQObject)) return tkClass;
    if (TypeName(AProperty).startsWith(QStringLiteral("std::function<"))) return tkMethod;
    return tkUnknown;
}

bool PropertyOrdinalRange(const QMetaProperty& AProperty, int64_t& AMinValue, int64_t& AMaxValue) {
    switch (AProperty.metaType().id()) {
    case QMetaType::Int:
        AMinValue = std::numeric_limits<int32_t>::min(), AMaxValue = std::numeric_limits<int32_t>::max();
        break;
    case QMetaType::UInt:
        AMinValue = 0, AMaxValue = std::numeric_limits<uint32_t>::max();
        break;
    case QMetaType::Short:
        AMinValue = -32768, AMaxValue = 32767;
        break;
    case QMetaType::UShort:
    case QMetaType::QChar:
    case QMetaType::Char16:
        AMinValue = 0, AMaxValue = 65535;
        break;
    case QMetaType::SChar:
        AMinValue = -128, AMaxValue = 127;
        break;
    case QMetaType::UChar:
    case QMetaType::Char:
        AMinValue = 0, AMaxValue = 255;
        break;
    case QMetaType::Bool:
        AMinValue = 0, AMaxValue = 1;
        break;
    case QMetaType::LongLong:
    case QMetaType::Long:
        AMinValue = Int64Min, AMaxValue = Int64Max;
        break;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        // The part of the unsigned range a signed 64-bit value can hold.
        AMinValue = 0, AMaxValue = Int64Max;
        break;
    default:
        if (AProperty.isFlagType() || !AProperty.isEnumType()) return false;
        {
            const QMetaEnum enumerator = AProperty.enumerator();
            AMinValue = AMaxValue = enumerator.keyCount() > 0 ? enumerator.value(0) : 0;
            for (int i = 1; i < enumerator.keyCount(); ++i) {
                AMinValue = std::min<int64_t>(AMinValue, enumerator.value(i));
                AMaxValue = std::max<int64_t>(AMaxValue, enumerator.value(i));
            }
        }
        break;
    }
    if (const QMetaObject* owner = AProperty.enclosingMetaObject()) {
        const int index = owner->indexOfClassInfo(QByteArray("Range.") + AProperty.name());
        if (index >= 0) {
            const QStringList bounds =
                QString::fromLatin1(owner->classInfo(index).value()).split(QStringLiteral(".."));
            bool minOk = false, maxOk = false;
            const int64_t minValue = bounds.value(0).trimmed().toLongLong(&minOk);
            const int64_t maxValue = bounds.value(1).trimmed().toLongLong(&maxOk);
            if (bounds.size() == 2 && minOk && maxOk && minValue <= maxValue)
                AMinValue = std::max(AMinValue, minValue), AMaxValue = std::min(AMaxValue, maxValue);
        }
    }
    return true;
}

QList<QMetaProperty> GetPropList(const QObject* AInstance) {
    QList<QMetaProperty> result;
    if (AInstance == nullptr) return result;
    const QMetaObject* meta = AInstance->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        result.append(meta->property(i));
    return result;
}

// What a property gives, by kind (AAsText true | false):
//   integer, characters, class  with a suffix FormatFloatWithSuffix, else the ordinal | the ordinal
//                               (a character's code; for a class the object's address, 64 bits)
//   enumeration                 the value's name, made words with AReadableEnum | a Boolean for
//                               bool, else the ordinal
//   float                       FormatFloatWithSuffix, also without a suffix | the double
//   texts                       the text
//   set                         member names joined by commas | the bits
//   method                      the property type's name
//   variant                     "---" for empty or null, floats by FormatFloatWithSuffix, else text
//   64-bit integer              FormatFloatWithSuffix | the value as a double
void GetPropertyValue(QObject* AInstance, PPropInfo APropInfo, bool AAsText, QVariant& AValue,
                      bool AUseKestSettings, bool AReadableEnum, const QString& ASuffix) {
    if (AInstance == nullptr) throw EAssertionFailed(QStringLiteral("No target!"));
    AValue = QVariant();
    if (APropInfo == nullptr) return;
    const QMetaProperty& property = *APropInfo;
    const TTypeKind kind = PropertyTypeKind(property);
    switch (kind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkClass: {
        const QVariant raw = property.read(AInstance);
        if (kind == tkClass) {
            const qlonglong address = qlonglong(reinterpret_cast<quintptr>(raw.value<QObject*>()));
            AValue = AAsText && !ASuffix.isEmpty()
                         ? QVariant(FormatFloatWithSuffix(ASuffix, AUseKestSettings, double(address)))
                         : QVariant(address);
            return;
        }
        const int32_t ordinal = int32_t(OrdinalOf(raw));
        AValue = AAsText && !ASuffix.isEmpty()
                     ? QVariant(FormatFloatWithSuffix(ASuffix, AUseKestSettings, double(ordinal)))
                     : QVariant(ordinal);
        return;
    }
    case tkEnumeration: {
        const int64_t ordinal = OrdinalOf(property.read(AInstance));
        if (AAsText) {
            QString name = IsBooleanEnum(property)
                               ? (ordinal != 0 ? QStringLiteral("True") : QStringLiteral("False"))
                               : QString::fromLatin1(property.enumerator().valueToKey(int(ordinal)));
            AValue = AReadableEnum ? IdentifierToCaption(name, true) : name;
        } else {
            AValue = IsBooleanEnum(property) ? QVariant(ordinal != 0) : QVariant(int32_t(ordinal));
        }
        return;
    }
    case tkFloat: {
        const double value = property.read(AInstance).toDouble();
        AValue =
            AAsText ? QVariant(FormatFloatWithSuffix(ASuffix, AUseKestSettings, value)) : QVariant(value);
        return;
    }
    case tkString:
    case tkLString:
    case tkWString:
    case tkUString:
        AValue = VarToStr(property.read(AInstance));
        return;
    case tkSet: {
        const int64_t bits = OrdinalOf(property.read(AInstance));
        AValue = AAsText ? QVariant(SetToText(property.enumerator(), bits)) : QVariant(int32_t(bits));
        return;
    }
    case tkMethod:
        AValue = TypeName(property);
        return;
    case tkVariant: {
        const QVariant value = property.read(AInstance).value<QVariant>();
        if (!VarHasValue(value))
            AValue = QStringLiteral("---");
        else if (VarIsFloat(value))
            AValue = FormatFloatWithSuffix(ASuffix, AUseKestSettings, value.toDouble());
        else
            AValue = VarToStr(value);
        return;
    }
    case tkInt64: {
        const double value = double(property.read(AInstance).toLongLong());
        AValue =
            AAsText ? QVariant(FormatFloatWithSuffix(ASuffix, AUseKestSettings, value)) : QVariant(value);
        return;
    }
    default:
        throw EKestRTTI(QStringLiteral("Property \"%1\" is invalid").arg(TypeName(property)));
    }
}

void SetPropertyValue(QObject* AInstance, PPropInfo APropInfo, const QVariant& AValue,
                      bool AUseKestSettings) {
    if (APropInfo == nullptr) return;
    const QMetaProperty& property = *APropInfo;
    QVariant value = AValue;
    if (value.metaType().id() == QMetaType::Bool) value = QVariant(int32_t(value.toBool() ? 1 : 0));
    if (IsPropertyReadOnly(APropInfo))
        throw EKestRTTI(QStringLiteral("Property \"%1\" is read-only").arg(PropertyName(property)));
    if (AInstance == nullptr) throw EAssertionFailed(QStringLiteral("No target!"));

    const TTypeKind kind = PropertyTypeKind(property);
    const bool isText =
        value.metaType().id() == QMetaType::QString || value.metaType().id() == QMetaType::QByteArray;
    if (kind == tkEnumeration && IsBooleanEnum(property) && isText) {
        const QString text = VarToStr(value);
        if (text != QStringLiteral("True") && text != QStringLiteral("False"))
            value = QVariant(TextToInt32(text).value_or(0));
    } else if (kind == tkFloat && isText) {
        value = NumericTextToFloat(VarToStr(value), AUseKestSettings);
    } else if (kind == tkSet && isText && VarToStr(value).isEmpty()) {
        value = QStringLiteral("[]");
    }

    int64_t minValue = 0, maxValue = 0;
    switch (kind) {
    case tkEnumeration:
        if (VarIsText(value)) {
            const QString name = VarToStr(value);
            if (IsBooleanEnum(property)) {
                // Only the exact names "True" and "False" are left here.
                WriteProperty(AInstance, property, QVariant(name == QStringLiteral("True")));
            } else {
                WriteProperty(AInstance, property,
                              OrdinalVariant(property, KeyValue(property.enumerator(), name)));
            }
            return;
        }
        [[fallthrough]];
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkInt64: {
        PropertyOrdinalRange(property, minValue, maxValue);
        const int64_t ordinal = TruncLimited(VarToDouble(value), minValue, maxValue, property);
        WriteProperty(AInstance, property, OrdinalVariant(property, ordinal));
        return;
    }
    case tkFloat: {
        QVariant number(VarToDouble(value));
        number.convert(property.metaType());
        WriteProperty(AInstance, property, number);
        return;
    }
    case tkString:
    case tkWString:
    case tkUString:
        WriteProperty(AInstance, property, VarToStr(value));
        return;
    case tkLString:
        WriteProperty(AInstance, property, VarToStr(value).toUtf8());
        return;
    case tkSet: {
        const int64_t bits = value.metaType().id() == QMetaType::Int
                                 ? value.toInt()
                                 : TextToSet(property.enumerator(), VarToStr(value));
        WriteProperty(AInstance, property, OrdinalVariant(property, bits));
        return;
    }
    case tkVariant:
        WriteProperty(AInstance, property, value);
        return;
    default:
        throw EKestRTTI(
            QStringLiteral("Invalid property type \"%1\", writing to classname \"%2\"")
                .arg(PropertyName(property), QString::fromLatin1(AInstance->metaObject()->className())));
    }
}

bool IsPropertyReadOnly(PPropInfo APropInfo) {
    return APropInfo == nullptr || !APropInfo->isWritable();
}

QString FormatFloatWithSuffix(const QString& ASuffix, bool AUseKestSettings, double AValue) {
    if (std::isnan(AValue) || std::fabs(AValue) > 1e20) return QStringLiteral("----");
    if (ASuffix.isEmpty()) return FloatToGeneralText(AValue, 15, AUseKestSettings);
    if (ASuffix.startsWith(QStringLiteral("FS")))
        return FormatWithDirectSuffix(ASuffix, AUseKestSettings, AValue);
    if (!ContainsDigit(ASuffix)) return FloatToGeneralText(AValue, 15, AUseKestSettings) + u' ' + ASuffix;

    const QChar digits = ASuffix.size() < 2 ? QChar(u'0') : ASuffix[0];
    const QChar precision = ASuffix.size() < 2 ? QChar(u'0') : ASuffix[1];
    if (!IsDigitChar(digits)) throw EKestRTTI(QStringLiteral("Float digits must be 0..9"));
    if (!IsDigitChar(precision)) throw EKestRTTI(QStringLiteral("Float precision must be 0..9"));
    QChar multiplier = ASuffix.size() < 3 ? QChar(u' ') : ASuffix[2];
    if (multiplier == u'_') multiplier = u' ';
    const QString units = ASuffix.mid(3);

    if (multiplier == u'E' || multiplier == u'R' || multiplier == u'S') {
        const TFloatToStringFormat format{precision.digitValue(), digits.digitValue(), multiplier, units};
        return TrimFractionZeros(FloatToString(AValue, format, true), false);
    }
    const int index = MultiplierIndex(multiplier);
    if (index == 0) throw EKestLibrary(QStringLiteral("Unknown multiplier character \"%1\"").arg(multiplier));
    const QString format = digits == u'0' ? QStringLiteral("%.") + precision + u'f'
                                          : QStringLiteral("%") + digits + u'.' + precision + u'f';
    QString result = FormatEx(format, {AValue * MultiplierScales[size_t(index)]}, AUseKestSettings);
    if (units != QStringLiteral("Z")) result += u' ' + QString(multiplier) + units;
    return result;
}

} // namespace Tessel
