// One open registry key, created when it is missing.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace shell {

class RegistryError : public std::runtime_error {
public:
    RegistryError() : std::runtime_error("Failed to open registry") {}
};

class RegistryKey {
public:
    // Opens or creates root\subkey with full access; throws RegistryError when it cannot.
    RegistryKey(HKEY root, const std::string& subkey);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // True when the value exists; `value` changes only when it is a non-empty DWORD (or string).
    // An empty name is the key's default value.
    bool ReadDword(const std::string& name, DWORD& value) const;
    bool ReadString(const std::string& name, std::string& value) const;
    bool WriteDword(const std::string& name, DWORD value);
    bool WriteString(const std::string& name, const std::string& text);
    void Delete(const std::string& name);

private:
    HKEY key_ = nullptr;
};

}  // namespace shell
