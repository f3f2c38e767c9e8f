#include <windows.h>

#include "platform/project.h"

// The entry point hands the project to the run time and has nothing else to do.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return rt::run_project(instance, quenlow::kProject);
}
