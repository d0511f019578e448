#include "settingsstore.h"

#include "settingtext.h"
#include "uniquehandle.h"

namespace {

struct RegistryKeyTraits {
    using Value = HKEY;
    static Value invalid() { return nullptr; }
    static bool close(Value key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};
using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;

UniqueRegistryKey OpenKey(const std::string& path, bool forWriting) {
    HKEY key = nullptr;
    if (path.empty()) {
        return UniqueRegistryKey();
    }
    const LONG status = forWriting ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                                     nullptr, &key, nullptr)
                                   : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key);
    return UniqueRegistryKey(status == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

std::optional<std::string> SettingsStore::readBytes(const char* name, DWORD expectedType) const {
    const UniqueRegistryKey key = OpenKey(keyPath_, false);
    DWORD type = 0;
    DWORD size = 0;
    if (!key || RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != expectedType || size > kMostStringBytes) {
        return std::nullopt;
    }
    // Room for the zeros a string stored without them lacks.
    std::string bytes(size + 2, '\0');
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size) != ERROR_SUCCESS ||
        type != expectedType) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

void SettingsStore::writeValue(const char* name, DWORD type, const void* data, DWORD size) const {
    const UniqueRegistryKey key = OpenKey(keyPath_, true);
    if (key) {
        RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
    }
}

std::optional<int> SettingsStore::readInteger(const char* name) const {
    const std::optional<std::string> bytes = readBytes(name, REG_DWORD);
    if (!bytes || bytes->size() != sizeof(DWORD)) {
        return std::nullopt;
    }
    DWORD value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>((*bytes)[static_cast<size_t>(i)]);
    }
    return static_cast<int>(value);
}

void SettingsStore::writeInteger(const char* name, int value) const {
    const DWORD data = static_cast<DWORD>(value);
    writeValue(name, REG_DWORD, &data, sizeof(data));
}

// Whatever the stored size says, the text ends at its first zero.
std::optional<std::string> SettingsStore::readString(const char* name) const {
    std::optional<std::string> bytes = readBytes(name, REG_SZ);
    if (bytes) {
        bytes->resize(bytes->find('\0') == std::string::npos ? bytes->size() : bytes->find('\0'));
    }
    return bytes;
}

void SettingsStore::writeString(const char* name, const std::string& value) const {
    writeValue(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

std::vector<std::string> SettingsStore::readStringList(const char* name) const {
    const std::optional<std::string> bytes = readBytes(name, REG_MULTI_SZ);
    return bytes ? SplitMultiString(*bytes) : std::vector<std::string>();
}

void SettingsStore::writeStringList(const char* name, const std::vector<std::string>& values) const {
    const std::string bytes = JoinMultiString(values);
    writeValue(name, REG_MULTI_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
}

// The key holds values only, so RegDeleteKey (which keeps keys with subkeys)
// removes it whole.
void SettingsStore::removeAll() const {
    if (!keyPath_.empty()) {
        RegDeleteKeyA(HKEY_CURRENT_USER, keyPath_.c_str());
    }
}
