// The per-user settings store: the registry on Windows.
//
// Values live under a key path (backslash-separated, such as
// "SOFTWARE\HALVERD\VEL\user1\1920x1080") and are stored as raw bytes
// (REG_BINARY).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

enum class SettingsRoot { CurrentUser, LocalMachine };

// The bytes of a value under the key of one root; nothing when the key or the
// value is missing, cannot be read, or is longer than `most_bytes`.
std::optional<std::string> plat_settings_read(SettingsRoot root, const std::string& key,
                                              const std::string& name, std::size_t most_bytes);

// Writes a value as raw bytes under the current user's key, creating the key
// when needed. false when it could not be written.
bool plat_settings_write(const std::string& key, const std::string& name, const std::string& bytes);

// The name the user logged on with (GetUserNameA with room for 99
// characters); nothing when it cannot be read.
std::optional<std::string> plat_user_name();
