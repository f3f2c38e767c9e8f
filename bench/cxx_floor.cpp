// The size floor of a C++ program of Quenlow's kind on this toolchain: the bare window, plus
// what the static C++ run time brings in for one exception, a wide string and a vector. Only
// its size is measured. It is linked with Quenlow's own terminate handler.
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bare_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
    const std::vector<std::wstring> words{L"C++", L"floor"};
    std::wstring title;
    try {
        // A condition the compiler cannot decide, so the throw and its handler stay in.
        if (command_line != nullptr) {
            throw std::runtime_error("thrown and caught");
        }
    } catch (const std::runtime_error& error) {
        for (const char* c = error.what(); *c != '\0'; ++c) {
            title += static_cast<wchar_t>(*c);
        }
    }
    for (const std::wstring& word : words) {
        title += L' ' + word;
    }
    return bench::run_bare_window(instance, title.c_str(), show);
}
