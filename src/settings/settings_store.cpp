#include "settings/settings_store.h"

void vel_settings_save() {
    // Hook: the registry-backed settings store fills this in.
}
