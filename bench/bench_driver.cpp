// Measures Quenlow.exe from outside, as a user's session would load it: its start-up time
// against two programs built the same way (a window with the same controls, and a bare
// window), then its GDI, USER and memory use after start, after 1,000 calculations and after
// 50 openings of the About window.
//   bench_driver <Quenlow.exe> <same_controls_window.exe> <minimal_window.exe> [runs]
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench/resource_usage.h"
#include "remote/remote_process.h"

namespace {

struct Candidate {
    const wchar_t* label;
    std::wstring path;
    const wchar_t* title;
    std::vector<double> startup_ms;

    double median() const {
        std::vector<double> sorted = startup_ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double minimum() const { return *std::min_element(startup_ms.begin(), startup_ms.end()); }
};

// Starts the programs in turn, A B C A B C ..., so that a slow spell of the machine falls on
// all of them alike; one round first, not counted, brings Wine's files into the cache.
bool measure_startup(std::vector<Candidate>& candidates, int runs) {
    for (int run = -1; run < runs; ++run) {
        for (Candidate& candidate : candidates) {
            remote::RemoteProgram program;
            if (!remote::start_and_wait(candidate.path, candidate.title, program)) {
                std::fwprintf(stderr, L"%ls did not show its window\n", candidate.label);
                return false;
            }
            if (run >= 0) {
                candidate.startup_ms.push_back(program.startup_ms);
            }
            if (remote::close_and_wait(program) != 0) {
                std::fwprintf(stderr, L"%ls did not end normally when closed\n", candidate.label);
                return false;
            }
        }
    }
    return true;
}

void print_startup(const std::vector<Candidate>& candidates, int runs) {
    std::wprintf(
        L"Start-up, process start to main window shown and idle: %d runs each, alternated\n", runs);
    std::wprintf(L"  %-28ls %10ls %10ls\n", L"", L"median", L"minimum");
    for (const Candidate& candidate : candidates) {
        std::wprintf(L"  %-28ls %7.1f ms %7.1f ms\n", candidate.label, candidate.median(),
                     candidate.minimum());
    }
    const Candidate& quenlow = candidates[0];
    for (std::size_t i = 1; i < candidates.size(); ++i) {
        std::wprintf(L"  ratio Quenlow / %-17ls %10.2f %10.2f\n", candidates[i].label,
                     quenlow.median() / candidates[i].median(),
                     quenlow.minimum() / candidates[i].minimum());
    }
}

void print_usage_row(const wchar_t* when, const bench::ResourceUsage& usage) {
    wchar_t gdi_table[32] = L"n/a";
    if (usage.gdi_table_entries) {
        std::swprintf(gdi_table, 32, L"%zu", *usage.gdi_table_entries);
    }
    std::wprintf(L"  %-34ls %6lu %6lu %8zu %10ls %14zu\n", when, usage.gdi_objects,
                 usage.user_objects, usage.windows, gdi_table, usage.private_bytes);
    std::fflush(stdout);
}

HWND visible_control(HWND window, const wchar_t* window_class, const std::wstring& text_start) {
    for (HWND control : remote::visible_descendants(window)) {
        if (remote::has_class(control, window_class) &&
            remote::text_of(control).starts_with(text_start)) {
            return control;
        }
    }
    return nullptr;
}

// A visible control of any class showing this text: a label may be a STATIC control or, after
// a rewrite, some other window.
HWND visible_text(HWND window, const std::wstring& text_start) {
    for (HWND control : remote::visible_descendants(window)) {
        if (remote::text_of(control).starts_with(text_start)) {
            return control;
        }
    }
    return nullptr;
}

// The tab strip and, per tab, the Calculate button and result that show with it.
struct MainWindowControls {
    HWND tabs = nullptr;
    HWND calculate[2] = {};
    HWND result[2] = {};  // nullptr where the result is not a window of its own
    std::wstring first_result[2];
};

constexpr wchar_t kResultStart[] = L"Your Body Mass Index";

bool find_controls(HWND main, MainWindowControls& controls) {
    controls.tabs = visible_control(main, WC_TABCONTROLW, L"");
    if (!controls.tabs) {
        return false;
    }
    for (int tab = 1; tab >= 0; --tab) {  // ends on the first tab, as the program starts
        remote::send(controls.tabs, TCM_SETCURFOCUS, tab);
        controls.calculate[tab] = visible_control(main, WC_BUTTONW, L"Calculate");
        controls.result[tab] = visible_text(main, kResultStart);
        if (controls.result[tab]) {
            controls.first_result[tab] = remote::text_of(controls.result[tab]);
        }
    }
    return controls.calculate[0] && controls.calculate[1] &&
           controls.calculate[0] != controls.calculate[1];
}

// Alternates the tabs and presses each tab's Calculate button, `count` calculations in all.
// Returns false if a result that can be read did not change.
bool calculate_repeatedly(const MainWindowControls& controls, int count) {
    for (int i = 0; i < count; ++i) {
        const int tab = i % 2;
        remote::send(controls.tabs, TCM_SETCURFOCUS, tab);
        remote::send(controls.calculate[tab], BM_CLICK);
    }
    for (int tab = 0; tab < 2; ++tab) {
        if (controls.result[tab] &&
            remote::text_of(controls.result[tab]) == controls.first_result[tab]) {
            return false;
        }
    }
    return true;
}

// Returns the number of cycles completed.
int open_and_close_about(const remote::RemoteProgram& program, int cycles) {
    const HWND main = program.window;
    for (int i = 0; i < cycles; ++i) {
        // A click that arrives while the main window is still being activated again is lost:
        // the program gets idle first, and a few clicks are allowed.
        HWND about = nullptr;
        for (int click = 0; click < 5 && !about; ++click) {
            remote::wait_until_idle(program);
            remote::choose_first_menu_entry(main);
            remote::wait_until(
                [&] {
                    about = remote::find_top_level(program.process.dwProcessId, L"About", main);
                    return about != nullptr;
                },
                3'000);
        }
        if (!about) {
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

int measure_session(const Candidate& quenlow) {
    remote::RemoteProgram program;
    if (!remote::start_and_wait(quenlow.path, quenlow.title, program)) {
        std::fwprintf(stderr, L"Quenlow did not show its window\n");
        return 1;
    }
    const HANDLE process = program.process.hProcess;
    const DWORD id = program.process.dwProcessId;
    std::wprintf(L"\nResources of Quenlow.exe\n");
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
    int done = open_and_close_about(program, 1);
    settle(program);
    print_usage_row(L"after the first About open/close", bench::measure_resources(process, id));
    done += open_and_close_about(program, 49);
    if (done != 50) {
        std::fwprintf(stderr, L"the About window stopped opening and closing after %d cycles\n",
                      done);
        ++failures;
    }
    settle(program);
    const bench::ResourceUsage last = bench::measure_resources(process, id);
    print_usage_row(L"after 50 About open/close cycles", last);
    if (!controls.result[0] || !controls.result[1]) {
        std::wprintf(
            L"  The results are not windows of their own: the calculations were driven "
            L"but not checked.\n");
    }
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
    if (argc < 4) {
        std::fwprintf(stderr,
                      L"usage: bench_driver <Quenlow.exe> <same_controls_window.exe> "
                      L"<minimal_window.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 40;
    std::vector<Candidate> candidates{
        {L"Quenlow.exe", argv[1], L"Quenlow", {}},
        {L"same controls", argv[2], L"Same controls", {}},
        {L"bare window", argv[3], L"Minimal", {}},
    };
    if (!measure_startup(candidates, runs)) {
        return 1;
    }
    print_startup(candidates, runs);
    std::fflush(stdout);
    return measure_session(candidates[0]);
}
