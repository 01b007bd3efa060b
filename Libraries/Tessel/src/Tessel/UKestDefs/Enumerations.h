// The library's shared enumerations (registered with the meta-object system) and the alias status set.
#pragma once

#include <QObject>

#include <cstdint>
#include <initializer_list>

namespace Tessel {

namespace KestEnums {
Q_NAMESPACE

enum TUserLevel { ulOperator, ulSupervisor, ulAdministrator };
Q_ENUM_NS(TUserLevel)

enum TKestMessageStatus { msInformation, msWarning, msError };
Q_ENUM_NS(TKestMessageStatus)

enum TAliasStatusFlag { scHasValue, scPassed, scFailed };
Q_ENUM_NS(TAliasStatusFlag)
} // namespace KestEnums

using namespace KestEnums;

// A set of TAliasStatusFlag: one bit per flag, scHasValue the lowest.
class TAliasStatus {
public:
    constexpr TAliasStatus() = default;
    constexpr TAliasStatus(std::initializer_list<TAliasStatusFlag> AFlags) {
        for (const TAliasStatusFlag flag : AFlags)
            Include(flag);
    }
    constexpr bool Contains(TAliasStatusFlag AFlag) const { return (FBits & Bit(AFlag)) != 0; }
    constexpr TAliasStatus& Include(TAliasStatusFlag AFlag) {
        FBits = uint8_t(FBits | Bit(AFlag));
        return *this;
    }
    constexpr TAliasStatus& Exclude(TAliasStatusFlag AFlag) {
        FBits = uint8_t(FBits & ~Bit(AFlag));
        return *this;
    }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr uint8_t Bits() const { return FBits; }
    constexpr bool operator==(const TAliasStatus&) const = default;

private:
    static constexpr uint8_t Bit(TAliasStatusFlag AFlag) { return uint8_t(1u << unsigned(AFlag)); }
    uint8_t FBits = 0;
};

} // namespace Tessel
