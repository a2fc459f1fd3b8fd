// The settings store on Windows: the registry (ADVAPI32).
#include "platform/settings_store.h"

#include "platform/win32/win32_state.h"

#include <vector>

std::optional<std::string> plat_settings_read(SettingsRoot root, const std::string& key,
                                              const std::string& name, std::size_t most_bytes) {
    HKEY opened = nullptr;
    HKEY base = root == SettingsRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    if (RegOpenKeyExA(base, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<char> buffer(most_bytes + 1);
    DWORD size = static_cast<DWORD>(most_bytes);
    DWORD type = 0;
    const LONG result = RegQueryValueExA(opened, name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(opened);
    // ERROR_MORE_DATA: longer than the caller takes, which counts as absent.
    if (result != ERROR_SUCCESS || size > most_bytes) return std::nullopt;
    return std::string(buffer.data(), size);
}

bool plat_settings_write(const std::string& key, const std::string& name,
                         const std::string& bytes) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(opened, name.c_str(), 0, REG_BINARY,
                                       reinterpret_cast<const BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size()));
    RegCloseKey(opened);
    return result == ERROR_SUCCESS;
}

std::optional<std::string> plat_user_name() {
    char buffer[100];
    DWORD size = 99;
    if (!GetUserNameA(buffer, &size)) return std::nullopt;
    buffer[99] = '\0';
    return std::string(buffer);
}
