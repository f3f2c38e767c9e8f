// Measures Quenlow.exe from outside, as a user's session would load it: start-up time against a
// minimal Win32 window program, and the GDI, USER and memory use after start, after 1,000
// calculations and after 50 openings of the About window.
//   bench_driver <Quenlow.exe> <minimal_window.exe> [runs]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/resource_usage.h"
#include "tests/support/remote_program.h"

namespace {

constexpr wchar_t kFormClass[] = L"QuenlowForm";

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Candidate {
    const wchar_t* label;
    std::wstring path;
    const wchar_t* window_class;
    const wchar_t* title;
    std::vector<double> startup_ms;
};

// Starts each program `runs` times, alternating so that both see the same machine state; one
// run of each first, not counted, brings Wine's files into the cache.
bool measure_startup(std::vector<Candidate>& candidates, int runs) {
    for (int run = -1; run < runs; ++run) {
        for (Candidate& candidate : candidates) {
            remote::RemoteProgram program;
            if (!remote::start_and_wait(candidate.path, candidate.window_class, candidate.title,
                                        program)) {
                std::fwprintf(stderr, L"%ls did not show its window\n", candidate.label);
                return false;
            }
            if (run >= 0) {
                candidate.startup_ms.push_back(program.startup_ms);
            }
            remote::close_and_wait(program);
        }
    }
    return true;
}

void print_usage_row(const wchar_t* when, const bench::ResourceUsage& usage) {
    wchar_t gdi_table[32] = L"n/a";
    if (usage.gdi_table_entries) {
        std::swprintf(gdi_table, 32, L"%zu", *usage.gdi_table_entries);
    }
    std::wprintf(L"  %-34ls %6lu %6lu %8zu %10ls %14zu\n", when, usage.gdi_objects,
                 usage.user_objects, usage.windows, gdi_table, usage.private_bytes);
}

// The tab strip and, per tab, the Calculate button that shows with it.
struct MainWindowControls {
    HWND tabs = nullptr;
    HWND calculate[2] = {};
    HWND result[2] = {};
};

HWND visible_control(HWND window, const wchar_t* window_class, const std::wstring& prefix) {
    for (HWND control : remote::descendants(window, true)) {
        if (remote::class_of(control) == window_class &&
            remote::text_of(control).starts_with(prefix)) {
            return control;
        }
    }
    return nullptr;
}

bool find_controls(HWND main, MainWindowControls& controls) {
    controls.tabs = visible_control(main, WC_TABCONTROLW, L"");
    if (!controls.tabs) {
        return false;
    }
    for (int tab = 1; tab >= 0; --tab) {  // ends on the first tab, as the program starts
        SendMessageW(controls.tabs, TCM_SETCURFOCUS, tab, 0);
        controls.calculate[tab] = visible_control(main, L"Button", L"Calculate");
        controls.result[tab] = visible_control(main, L"Static", L"Your Body Mass Index");
    }
    return controls.calculate[0] && controls.calculate[1] && controls.result[0] &&
           controls.result[1] && controls.calculate[0] != controls.calculate[1];
}

// Alternates the tabs and presses each tab's Calculate button, `count` calculations in all.
bool calculate_repeatedly(const MainWindowControls& controls, int count) {
    for (int i = 0; i < count; ++i) {
        const int tab = i % 2;
        SendMessageW(controls.tabs, TCM_SETCURFOCUS, tab, 0);
        SendMessageW(controls.calculate[tab], BM_CLICK, 0, 0);
    }
    // Both results must have left the caption the window starts with.
    return remote::text_of(controls.result[0]).find(L'\r') != std::wstring::npos &&
           remote::text_of(controls.result[1]).find(L'\r') != std::wstring::npos;
}

// Returns the number of cycles completed.
int open_and_close_about(HWND main, DWORD process_id, int cycles) {
    for (int i = 0; i < cycles; ++i) {
        remote::choose_first_menu_entry(main);
        HWND about = nullptr;
        if (!remote::wait_until([&] {
                about = remote::find_top_level(process_id, kFormClass, L"About");
                return about != nullptr;
            })) {
            return i;
        }
        PostMessageW(about, WM_CLOSE, 0, 0);
        if (!remote::wait_until([&] { return !IsWindow(about) && IsWindowEnabled(main); })) {
            return i;
        }
    }
    return cycles;
}

// Lets the program finish what the last message started before it is measured.
void settle(const remote::RemoteProgram& program) {
    WaitForInputIdle(program.process.hProcess, 5'000);
    Sleep(200);
}

int measure_session(const std::wstring& quenlow) {
    remote::RemoteProgram program;
    if (!remote::start_and_wait(quenlow, kFormClass, L"Quenlow", program)) {
        std::fwprintf(stderr, L"Quenlow did not show its window\n");
        return 1;
    }
    const HANDLE process = program.process.hProcess;
    const DWORD id = program.process.dwProcessId;
    std::wprintf(L"\nResources of Quenlow.exe (x86-64 build)\n");
    std::wprintf(L"  %-34ls %6ls %6ls %8ls %10ls %14ls\n", L"", L"GDI", L"USER", L"windows",
                 L"GDI table", L"private bytes");
    settle(program);
    print_usage_row(L"after start", bench::measure_resources(process, id));

    MainWindowControls controls;
    int failures = 0;
    if (!find_controls(program.window, controls) || !calculate_repeatedly(controls, 1000)) {
        std::fwprintf(stderr, L"the calculations could not be driven\n");
        ++failures;
    }
    settle(program);
    print_usage_row(L"after 1,000 calculations", bench::measure_resources(process, id));

    // The first opening creates what every later one reuses; a leak shows as growth after it.
    int done = open_and_close_about(program.window, id, 1);
    settle(program);
    print_usage_row(L"after the first About open/close", bench::measure_resources(process, id));
    done += open_and_close_about(program.window, id, 49);
    if (done != 50) {
        std::fwprintf(stderr, L"the About window stopped opening and closing after %d cycles\n",
                      done);
        ++failures;
    }
    settle(program);
    const bench::ResourceUsage last = bench::measure_resources(process, id);
    print_usage_row(L"after 50 About open/close cycles", last);
    if (last.gdi_objects == 0 && last.user_objects == 0) {
        std::wprintf(
            L"  GetGuiResources answered 0 (not implemented by Wine); the windows and "
            L"GDI table columns count them instead.\n");
    }
    if (last.private_bytes_counted) {
        std::wprintf(
            L"  PrivateUsage answered 0 (Wine); private bytes are the committed private "
            L"regions found with VirtualQueryEx.\n");
    }
    const long exit_code = remote::close_and_wait(program);
    std::wprintf(L"  exit code after closing the main window: %ld\n", exit_code);
    return failures + (exit_code == 0 ? 0 : 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: bench_driver <Quenlow.exe> <minimal_window.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 3 ? std::max(1, _wtoi(argv[3])) : 20;
    std::vector<Candidate> candidates{
        {L"Quenlow.exe", argv[1], kFormClass, L"Quenlow", {}},
        {L"minimal_window.exe", argv[2], L"MinimalWindow", L"Minimal", {}},
    };
    if (!measure_startup(candidates, runs)) {
        return 1;
    }
    std::wprintf(L"Start-up, process start to main window shown and idle (median of %d runs)\n",
                 runs);
    for (const Candidate& candidate : candidates) {
        const auto [fastest, slowest] =
            std::minmax_element(candidate.startup_ms.begin(), candidate.startup_ms.end());
        std::wprintf(L"  %-20ls %8.1f ms   (min %.1f, max %.1f)\n", candidate.label,
                     median(candidate.startup_ms), *fastest, *slowest);
    }
    std::wprintf(L"  ratio Quenlow / minimal: %.2f\n",
                 median(candidates[0].startup_ms) / median(candidates[1].startup_ms));
    return measure_session(argv[1]);
}
