// The Windows entry: keep the instance, hand over to the portable start-up.
#include "platform/events.h"
#include "platform/win32/win32_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    win32::state().instance = instance;
    vel_main(show_command);
}
