#include "Tessel/Rtl/Registry.h"

#include "Tessel/Rtl/SystemRegistry.h"

namespace Tessel {

namespace {

std::shared_ptr<IRegistryBackend>& InstalledBackend() {
    static std::shared_ptr<IRegistryBackend> backend;
    return backend;
}

[[noreturn]] void RaiseFor(const char* AMessage, const QString& AName) {
    throw ERegistryException(QString::fromLatin1(AMessage).arg(AName));
}

} // namespace

std::shared_ptr<IRegistryBackend> RegistryBackend() {
    if (InstalledBackend()) return InstalledBackend();
    return SystemRegistryBackend();
}

void SetRegistryBackend(std::shared_ptr<IRegistryBackend> ABackend) {
    InstalledBackend() = std::move(ABackend);
}

void RunAsOneRegistryChange(HKEY ARoot, const std::function<void()>& AWork) {
    const std::shared_ptr<IRegistryBackend> backend = RegistryBackend();
    backend->RunAsOneChange(ARoot, [&](IRegistryBackend& AStore) {
        std::shared_ptr<IRegistryBackend> previous = InstalledBackend();
        // The store lives as long as this call; the registry objects only borrow it.
        InstalledBackend() = std::shared_ptr<IRegistryBackend>(&AStore, [](IRegistryBackend*) {});
        struct TPutBack {
            std::shared_ptr<IRegistryBackend>& Installed;
            std::shared_ptr<IRegistryBackend> Previous;
            ~TPutBack() { Installed = std::move(Previous); }
        } putBack{InstalledBackend(), std::move(previous)};
        AWork();
    });
}

TRegistry::TRegistry() : TRegistry(KEY_ALL_ACCESS) {}

TRegistry::TRegistry(REGSAM AAccess) : TRegistry(AAccess, RegistryBackend()) {}

TRegistry::TRegistry(REGSAM AAccess, std::shared_ptr<IRegistryBackend> ABackend)
    : FBackend(std::move(ABackend)), FAccess(AAccess) {}

TRegistry::~TRegistry() = default;

void TRegistry::SetRootKey(HKEY AValue) {
    if (AValue == FRootKey) return;
    FRootKey = AValue;
    CloseKey();
}

QString TRegistry::CurrentPath() const {
    return FCurrentKey.join(u'\\');
}

std::optional<QStringList> TRegistry::FullPath(const QString& AKey) const {
    const bool absolute = AKey.startsWith(u'\\');
    QStringList levels = AKey.mid(absolute ? 1 : 0).split(u'\\');
    // "A\" names A, and "" (or "\") the key the path starts at.
    if (levels.last().isEmpty()) levels.removeLast();
    for (const QString& level : levels)
        if (level.isEmpty()) return std::nullopt;
    return absolute || !FKeyOpen ? levels : FCurrentKey + levels;
}

bool TRegistry::KeyExists(const QString& AKey) {
    const std::optional<QStringList> path = FullPath(AKey);
    // The least a key that exists can be looked at with: a key the caller may not read in full still
    // exists.
    return path && FBackend->OpenKey(FRootKey, *path,
                                     STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
}

bool TRegistry::Open(const QString& AKey, REGSAM AAccess, bool ACanCreate) {
    const std::optional<QStringList> path = FullPath(AKey);
    if (!path) return false;
    if (!FBackend->OpenKey(FRootKey, *path, AAccess)) {
        if (!ACanCreate || (AAccess & KEY_CREATE_SUB_KEY) == 0) return false;
        if (!FBackend->CreateKey(FRootKey, *path) || !FBackend->OpenKey(FRootKey, *path, AAccess))
            return false;
    }
    FCurrentKey = *path;
    FKeyAccess = AAccess;
    FKeyOpen = true;
    return true;
}

bool TRegistry::OpenKey(const QString& AKey, bool ACanCreate) {
    return Open(AKey, FAccess, ACanCreate);
}

bool TRegistry::OpenKeyReadOnly(const QString& AKey) {
    FAccess = KEY_READ;
    return Open(AKey, FAccess, false);
}

void TRegistry::CloseKey() {
    FKeyOpen = false;
    FCurrentKey.clear();
    FKeyAccess = 0;
}

bool TRegistry::DeleteKey(const QString& AKey) {
    const std::optional<QStringList> path = FullPath(AKey);
    return path && !path->isEmpty() && FBackend->DeleteKey(FRootKey, *path);
}

void TRegistry::GetKeyNames(QStringList& AStrings) {
    AStrings.clear();
    if (!CanUseKey(KEY_ENUMERATE_SUB_KEYS)) return;
    AStrings = FBackend->KeyNames(FRootKey, FCurrentKey).value_or(QStringList());
}

void TRegistry::GetValueNames(QStringList& AStrings) {
    AStrings.clear();
    if (!CanUseKey(KEY_QUERY_VALUE)) return;
    AStrings = FBackend->ValueNames(FRootKey, FCurrentKey).value_or(QStringList());
}

bool TRegistry::ValueExists(const QString& AName) {
    return GetDataType(AName) != TRegDataType::rdUnknown;
}

TRegDataType TRegistry::GetDataType(const QString& AName) {
    if (!CanUseKey(KEY_QUERY_VALUE)) return TRegDataType::rdUnknown;
    const std::optional<TRegValue> value = FBackend->ReadValue(FRootKey, FCurrentKey, AName);
    return value ? value->DataType : TRegDataType::rdUnknown;
}

bool TRegistry::DeleteValue(const QString& AName) {
    return CanUseKey(KEY_SET_VALUE) && FBackend->DeleteValue(FRootKey, FCurrentKey, AName);
}

TRegValue TRegistry::GetData(const QString& AName) {
    std::optional<TRegValue> value;
    if (CanUseKey(KEY_QUERY_VALUE)) value = FBackend->ReadValue(FRootKey, FCurrentKey, AName);
    if (!value) RaiseFor("Failed to get data for \"%1\"", AName);
    return *value;
}

void TRegistry::PutData(const QString& AName, const TRegValue& AValue) {
    if (!CanUseKey(KEY_SET_VALUE) || !FBackend->WriteValue(FRootKey, FCurrentKey, AName, AValue))
        RaiseFor("Failed to set data for \"%1\"", AName);
}

int32_t TRegistry::ReadInteger(const QString& AName) {
    const TRegValue value = GetData(AName);
    if (value.DataType != TRegDataType::rdInteger) RaiseFor("Invalid data type for \"%1\"", AName);
    return value.Integer;
}

QString TRegistry::ReadString(const QString& AName) {
    if (!CanUseKey(KEY_QUERY_VALUE)) return QString();
    const std::optional<TRegValue> value = FBackend->ReadValue(FRootKey, FCurrentKey, AName);
    if (!value) return QString();
    if (value->DataType != TRegDataType::rdString) RaiseFor("Invalid data type for \"%1\"", AName);
    return value->Text;
}

bool TRegistry::ReadBool(const QString& AName) {
    return ReadInteger(AName) != 0;
}

void TRegistry::WriteInteger(const QString& AName, int32_t AValue) {
    PutData(AName, TRegValue::FromInteger(AValue));
}

void TRegistry::WriteString(const QString& AName, const QString& AValue) {
    PutData(AName, TRegValue::FromString(AValue));
}

void TRegistry::WriteBool(const QString& AName, bool AValue) {
    WriteInteger(AName, AValue ? 1 : 0);
}

} // namespace Tessel
