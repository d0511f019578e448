// A program's settings for the current user, under
// HKEY_CURRENT_USER\Software\<program name>. They are a convenience: a value
// that is missing, of another type or damaged reads as absent, and a value
// that cannot be written (a locked-down profile) is simply not remembered,
// since the user could do nothing about it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class SettingsStore {
public:
    // `keyPath` below HKEY_CURRENT_USER, as "Software\\StringTableEditor";
    // empty for a store that remembers nothing.
    explicit SettingsStore(std::string keyPath = std::string()) : keyPath_(std::move(keyPath)) {}

    // A REG_DWORD value.
    std::optional<int> readInteger(const char* name) const;
    void writeInteger(const char* name, int value) const;
    // A REG_SZ value of at most kMostStringBytes bytes.
    std::optional<std::string> readString(const char* name) const;
    void writeString(const char* name, const std::string& value) const;
    // A REG_MULTI_SZ value of at most kMostStringBytes bytes; empty when absent.
    std::vector<std::string> readStringList(const char* name) const;
    void writeStringList(const char* name, const std::vector<std::string>& values) const;

    // Deletes the key with every value in it.
    void removeAll() const;

    const std::string& keyPath() const { return keyPath_; }

    static constexpr DWORD kMostStringBytes = 64 * 1024;

private:
    std::optional<std::string> readBytes(const char* name, DWORD type) const;
    void writeValue(const char* name, DWORD type, const void* data, DWORD size) const;

    std::string keyPath_;
};
