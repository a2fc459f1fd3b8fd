// The registry kept in memory: two roots of key paths and raw value bytes.
#include "platform/settings_store.h"

#include "platform/headless/settings_control.h"
#include "platform/headless/settings_internal.h"

namespace {

struct StoreState {
    headless::SettingsKeys current_user;
    headless::SettingsKeys local_machine;
    bool writes_fail = false;
    std::optional<std::string> user_name = std::string("user1");
};

StoreState& store() {
    static StoreState s;
    return s;
}

} // namespace

namespace headless_internal {

void reset_settings_store() {
    store() = StoreState{};
}

} // namespace headless_internal

std::optional<std::string> plat_settings_read(SettingsRoot root, const std::string& key,
                                              const std::string& name, std::size_t most_bytes) {
    const headless::SettingsKeys& keys = headless::settings_keys(root);
    auto found_key = keys.find(key);
    if (found_key == keys.end()) return std::nullopt;
    auto found = found_key->second.find(name);
    if (found == found_key->second.end() || found->second.size() > most_bytes) return std::nullopt;
    return found->second;
}

bool plat_settings_write(const std::string& key, const std::string& name,
                         const std::string& bytes) {
    if (store().writes_fail) return false;
    store().current_user[key][name] = bytes;
    return true;
}

std::optional<std::string> plat_user_name() {
    return store().user_name;
}

namespace headless {

SettingsKeys& settings_keys(SettingsRoot root) {
    return root == SettingsRoot::CurrentUser ? store().current_user : store().local_machine;
}
void set_settings_write_fails(bool on) {
    store().writes_fail = on;
}
void set_user_name(const std::optional<std::string>& name) {
    store().user_name = name;
}

} // namespace headless
