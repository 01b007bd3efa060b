// Property access: reading and writing an object's published properties through the meta-object
// system as variants, and numbers as text by a short format suffix.
#pragma once

#include "Tessel/Rtl/Exception.h"

#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QVariant>

#include <cstdint>

class QObject;

namespace Tessel {

// A failed assertion of the library: the routine was called in a way it does not allow.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// A name that is no value of an enumeration or no member of a set.
class EPropertyConvertError : public Exception {
public:
    using Exception::Exception;
};

// The kinds of property types, numbered from 0.
enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray,
    tkUString,
    tkClassRef,
    tkPointer,
    tkProcedure
};

// A property descriptor; null stands for "no descriptor".
using PPropInfo = const QMetaProperty*;

// The kind each C++ property type plays:
//   tkInteger      int, unsigned int, short, unsigned short, signed char, unsigned char
//   tkChar         char (an 8-bit character: its code, 0..255)
//   tkWChar        QChar, char16_t (a UTF-16 code unit: 0..65535)
//   tkEnumeration  bool (base type Boolean, values False and True) and every Q_ENUM type
//   tkFloat        double, float
//   tkLString      QByteArray (8-bit text, UTF-8 as this platform's code page)
//   tkUString      QString
//   tkSet          every Q_FLAG type (QFlags<E>); its members are the keys of E with one bit set
//   tkClass        pointers to QObject classes
//   tkMethod       std::function<...> (an event handler)
//   tkVariant      QVariant
//   tkInt64        qint64, quint64, long, unsigned long
//   tkPointer      void*
//   tkUnknown      anything else. tkString and tkWString have no C++ type of their own.
TTypeKind PropertyTypeKind(const QMetaProperty& AProperty);

// The smallest and largest value of an ordinal property (integer, character, enumeration, 64-bit
// integer): the type's own range, the smallest and largest key of an enumeration, unless the class
// that declares the property narrows it with a class info "Range.<property name>" holding
// "<min>..<max>", as in Q_CLASSINFO("Range.Percent", "0..100") for a property typed 0..100.
// False for the other kinds.
bool PropertyOrdinalRange(const QMetaProperty& AProperty, int64_t& AMinValue, int64_t& AMaxValue);

// The published properties of the object's class and its ancestors, QObject's own left out.
QList<QMetaProperty> GetPropList(const QObject* AInstance);

// Reads the property as a variant; see the table in the source for what each kind gives. Without
// an instance raises EAssertionFailed "No target!"; a kind that cannot be read raises EKestRTTI
// "Property "%s" is invalid" with the type's name. A null descriptor leaves AValue empty.
void GetPropertyValue(QObject* AInstance, PPropInfo APropInfo, bool AAsText, QVariant& AValue,
                      bool AUseKestSettings, bool AReadableEnum, const QString& ASuffix);
// Writes AValue to the property, converting it to the property's type; ordinals are limited to
// PropertyOrdinalRange. A null descriptor does nothing. Failures leave the instance unchanged.
void SetPropertyValue(QObject* AInstance, PPropInfo APropInfo, const QVariant& AValue, bool AUseKestSettings);
// True when the descriptor has no writer.
bool IsPropertyReadOnly(PPropInfo APropInfo);

// A number as text by a suffix: "" general form; "FSDPL..." a format "%D.PL..." ("_" for blank,
// X or x hexadecimal framed by "0" and "h"); a suffix without digits is a units text; otherwise
// "DPM<units>" with D width, P decimals and M a style (E, R, S) or a multiplier letter ("_" blank),
// units "Z" meaning none. Magnitudes above 1e20 and NaN give "----".
QString FormatFloatWithSuffix(const QString& ASuffix, bool AUseKestSettings, double AValue);

} // namespace Tessel
