// The bare window: the floor of the start-up comparison and of the executable's size.
#include "bench/bare_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    return bench::run_bare_window(instance, L"Minimal", show);
}
