#include "shell/registry_key.h"

#include <vector>

namespace shell {

RegistryKey::RegistryKey(HKEY root, const std::string& subkey) {
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS) {
        throw RegistryError();
    }
}

RegistryKey::~RegistryKey() { RegCloseKey(key_); }

bool RegistryKey::ReadDword(const std::string& name, DWORD& value) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    if (size != 0 && type == REG_DWORD) {
        DWORD read = 0;
        DWORD readSize = sizeof read;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(&read), &readSize) == ERROR_SUCCESS) {
            value = read;
        }
    }
    return true;
}

bool RegistryKey::ReadString(const std::string& name, std::string& value) const {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    if (size != 0 && type == REG_SZ) {
        std::vector<char> buffer(size);
        if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr,
                             reinterpret_cast<BYTE*>(buffer.data()), &size) == ERROR_SUCCESS) {
            buffer.resize(size < buffer.size() ? size : buffer.size());
            std::string text(buffer.begin(), buffer.end());
            value = text.substr(0, text.find('\0'));
        }
    }
    return true;
}

bool RegistryKey::WriteDword(const std::string& name, DWORD value) {
    return RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& text) {
    return RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

void RegistryKey::Delete(const std::string& name) { RegDeleteValueA(key_, name.c_str()); }

}  // namespace shell
