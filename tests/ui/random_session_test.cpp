// Random sessions on the real windows: thousands of seeded user actions, with the windows'
// invariants checked after each one. A failure reports the seed, the step and a short action list
// that reproduces it on a fresh window. QUENLOW_RANDOM_SEED and QUENLOW_RANDOM_STEPS vary the run.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/bmi.h"
#include "core/error_text.h"
#include "core/fields.h"
#include "core/number_text.h"
#include "core/runtime_error.h"
#include "platform/runtime/application.h"
#include "tests/support/gui_test_support.h"
#include "ui/frmabout/frmabout.h"
#include "ui/frmmain/frmmain.h"

namespace {

using Clock = std::chrono::steady_clock;
using gui_test::window_text;

// The whole test must stay well inside a minute on two cores under Wine.
constexpr auto kSessionBudget = std::chrono::seconds(40);
constexpr auto kShrinkBudget = std::chrono::seconds(15);
constexpr auto kStepLimit = std::chrono::seconds(4);  // then the watchdog closes any modal
constexpr std::size_t kCountEvery = 10;               // steps between object counts
constexpr wchar_t kStartCaption[] = L"Your Body Mass Index (BMI) is 0 ";
constexpr const rt::FormDef* kForms[] = {&frmmain::kForm, &frmabout::kForm};

// A calculator's fields are three in a row in kFields: weight, height major, height minor.
struct Calculator {
    int first_field;
    const wchar_t* button;
    const wchar_t* label;
};
constexpr Calculator kCalculators[] = {{0, L"cmdcalculatemetric", L"lblresultsmetric"},
                                       {3, L"cmdcalculatestandard", L"lblresultsstandard"}};

// The keys pressed at random; Tab has a share of its own.
using Key = std::pair<WORD, const char*>;
constexpr Key kTab{VK_TAB, "Tab"};
constexpr Key kKeys[] = {{VK_UP, "Up"},         {VK_DOWN, "Down"},    {VK_LEFT, "Left"},
                         {VK_RIGHT, "Right"},   {VK_HOME, "Home"},    {VK_END, "End"},
                         {VK_DELETE, "Delete"}, {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
                         {VK_SPACE, "Space"}};

unsigned from_environment(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// Printable ASCII as is, anything else as \uXXXX, in quotes, so that any text fits a log line.
std::string quote(std::wstring_view text) {
    std::string out = "\"";
    for (const wchar_t c : text) {
        char code[8] = {static_cast<char>(c)};
        if (c < 0x20 || c >= 0x7F || c == L'\\' || c == L'"')
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
        out += code;
    }
    return out + "\"";
}

const core::FieldRule& rule(int field) {
    return core::kFields[static_cast<std::size_t>(field)];
}

std::optional<double> number_in(std::wstring_view text, const core::NumberLocale& locale) {
    try {
        return core::text_to_double(text, locale);
    } catch (const core::RuntimeError&) {
        return std::nullopt;
    }
}

int pick(std::mt19937& rng, int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(rng);
}

wchar_t random_character(std::mt19937& rng) {
    // Digits mostly; the rest probes the keystroke rule: Backspace, printable ASCII, control codes
    // and beyond ASCII (Arabic-Indic three, accented e, full-width one, surrogate halves...).
    static constexpr wchar_t kBeyondAscii[] = {0x0663, 0x00E9, 0xFF11, 0x00A0, 0xD800,
                                               0xDC00, 0x2212, 0x00B2, 0x0080, 0xFFFF};
    const int roll = pick(rng, 100);
    if (roll < 66)
        return static_cast<wchar_t>(L'0' + pick(rng, 10));
    if (roll < 71)
        return L'\b';
    if (roll < 81)
        return static_cast<wchar_t>(0x20 + pick(rng, 0x5F));
    if (roll < 89)
        return roll % 2 ? static_cast<wchar_t>(pick(rng, 32)) : wchar_t{0x7F};
    return kBeyondAscii[pick(rng, static_cast<int>(std::size(kBeyondAscii)))];
}

std::wstring random_paste(std::mt19937& rng, const core::FieldRule& field) {
    static constexpr const wchar_t* kOddTexts[] = {
        L"abc",    L"&H10",     L"(5)",   L"5-",           L"$5",
        L"1,000",  L"Infinity", L"NaN",   L"\x0663\x0664", L"\xFF11\xFF12",
        L"5\r\n6", L"\xD800",   L"1e400", L"-0",           L"+7",
        L".",      L"1..2",     L"e5"};
    switch (pick(rng, 9)) {
        case 0: {  // at and beyond the bounds
            const int bounds[] = {field.lower - 1, field.lower, field.upper, field.upper + 1};
            return std::to_wstring(bounds[pick(rng, 4)]);
        }
        case 1:
            return std::to_wstring(pick(rng, 1000));
        case 2:  // leading zeros
            return std::wstring(static_cast<std::size_t>(1 + pick(rng, 3)), L'0') +
                   std::to_wstring(pick(rng, 30));
        case 3:
            return std::to_wstring(pick(rng, 300)) + (pick(rng, 2) ? L"." : L",") +
                   std::to_wstring(pick(rng, 100));
        case 4:
            return std::wstring(pick(rng, 2) ? L"-" : L"+") + std::to_wstring(pick(rng, 20));
        case 5:
            return std::to_wstring(1 + pick(rng, 9)) + (pick(rng, 2) ? L"e" : L"E") +
                   std::to_wstring(pick(rng, 5) - 2);
        case 6:
            return (pick(rng, 2) ? L" " : L"\t") + std::to_wstring(pick(rng, 300)) + L" ";
        case 7:
            return pick(rng, 2) ? L"" : L"   ";
        default:
            return kOddTexts[pick(rng, static_cast<int>(std::size(kOddTexts)))];
    }
}

BOOL CALLBACK count_window(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK count_with_children(HWND window, LPARAM count) {
    EnumChildWindows(window, count_window, count);
    return count_window(window, count);
}

// GDI objects, USER objects and windows. Wine answers GetGuiResources with 0; its GDI handle
// table takes a handle's 16-bit index alone, so GetObjectType of every index counts the live GDI
// objects (about a millisecond), and this thread's windows stand in for the USER objects.
std::array<int, 3> object_counts() {
    int windows = 0, gdi = 0;
    EnumThreadWindows(GetCurrentThreadId(), count_with_children,
                      reinterpret_cast<LPARAM>(&windows));
    const int gdi_reported = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    for (std::size_t index = 1; !gdi_reported && index < 0x10000; ++index)
        gdi += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    const int user = static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    return {gdi_reported ? gdi_reported : gdi, user ? user : windows, windows};
}

// One user action: what the log says and what the user does. It reads nothing of the window when
// it is chosen, so that it replays on a fresh window.
struct Action {
    std::string what;
    std::function<void()> perform;
};

// A broken invariant, thrown by the check that found it.
struct Failure {
    std::string invariant;  // a shrunk action list must break the same one
    std::string detail;
    std::size_t step = 0;
};

void require(bool holds, const char* invariant, const std::string& detail = {}) {
    if (!holds)
        throw Failure{invariant, detail};
}

class Session {
  public:
    Session() { watched_ = this; }
    ~Session() {
        KillTimer(nullptr, watchdog_);
        watched_ = nullptr;
        close_windows();
    }

    // A fresh main window with the texts and captions it starts with.
    void restart() {
        close_windows();
        main().show();
        gui_test::pump_messages();
        expected_caption_.fill(kStartCaption);
        edited_.fill(false);
    }

    // The next action, chosen among what a user could do in the window as it is now.
    Action next_action(std::mt19937& rng) {
        const int calculator = selected_tab() == 1 ? 0 : 1;
        const int first = kCalculators[calculator].first_field;
        const int field = first + pick(rng, 3);
        const core::FieldRule& chosen = rule(field);
        // After an error box a user mostly puts a number into the field it named.
        for (int named = first; named < first + 3; ++named) {
            if (!number_in(text_of(named), app_.number_locale()) && pick(rng, 3) != 0) {
                const int span = rule(named).upper - rule(named).lower + 1;
                return paste(named, 3, std::to_wstring(rule(named).lower + pick(rng, span)));
            }
        }
        const int roll = pick(rng, 100);
        if (roll < 32) {
            const wchar_t typed = random_character(rng);
            return {"type " + quote({&typed, 1}), [typed] { gui_test::type_char(typed); }};
        }
        if (roll < 40) {
            const int how = pick(rng, 4);
            return paste(field, how, random_paste(rng, chosen));
        }
        if (roll < 53) {  // sometimes enough clicks to run past a bound
            const int span = chosen.upper - chosen.lower + 2;
            const int clicks = pick(rng, 5) == 0 ? std::min(span, 8) : 1 + pick(rng, 2);
            const bool lower = pick(rng, 2) != 0;
            return {std::string(lower ? "click the lower" : "click the upper") + " half of " +
                        quote(chosen.updown) + " x" + std::to_string(clicks),
                    [=, this] { click_updown(field, lower, clicks); }};
        }
        if (roll < 72) {
            const auto [key, name] =
                roll < 65 ? kTab : kKeys[pick(rng, static_cast<int>(std::size(kKeys)))];
            const bool shift = key == VK_TAB && pick(rng, 2) != 0;
            return {std::string("press ") + (shift ? "Shift+" : "") + name, [=, this] {
                        for (int c = 0; c < 2; ++c) {  // the space bar presses a focused button
                            if (key == VK_SPACE && GetFocus() == control(kCalculators[c].button))
                                now_.calculator = c;
                        }
                        gui_test::press_key(key, shift);
                    }};
        }
        if (roll < 81) {
            const POINT at{4 + pick(rng, 2) * 2, 6};
            return {"click " + quote(chosen.name), [=, this] {
                        if (IsWindowVisible(field_window(field)))
                            gui_test::click(field_window(field), at);
                    }};
        }
        if (roll < 84) {
            const int tab = pick(rng, 2);
            return {"select tab " + std::to_string(tab + 1) + " (TCM_SETCURFOCUS)",
                    [=, this] { SendMessageW(control(L"TabStrip"), TCM_SETCURFOCUS, tab, 0); }};
        }
        if (roll < 87) {
            const int tab = pick(rng, 2);
            return {"click tab " + std::to_string(tab + 1), [=, this] {
                        RECT item{};
                        const HWND tabs = control(L"TabStrip");
                        SendMessageW(tabs, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&item));
                        gui_test::click(
                            tabs, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
                    }};
        }
        if (roll < 98) {
            return {"click " + quote(kCalculators[calculator].button), [=, this] {
                        const HWND button = control(kCalculators[calculator].button);
                        if (IsWindowVisible(button)) {
                            now_.calculator = calculator;
                            gui_test::click_centre(button);
                        }
                    }};
        }
        const bool by_close_box = pick(rng, 2) != 0;
        return {std::string("About, closed with ") + (by_close_box ? "SC_CLOSE" : "WM_CLOSE"),
                [=, this] {
                    now_.about_by_close_box = by_close_box;
                    const HWND window = main().window();
                    PostMessageW(window, WM_COMMAND, GetMenuItemID(GetMenu(window), 0), 0);
                }};
    }

    // Performs one action and checks every invariant afterwards; throws the first broken one.
    void step(const Action& action) {
        now_ = {};
        const auto before = field_texts();
        action.perform();
        gui_test::pump_messages();
        check_windows();
        check_fields(before);
        check_results();
    }

    // Replays actions on a fresh window up to the first broken invariant.
    std::optional<Failure> replay(const std::vector<Action>& actions) {
        restart();
        std::size_t i = 0;
        try {
            for (; i < actions.size(); ++i)
                step(actions[i]);
        } catch (Failure& failure) {
            failure.step = i;
            return failure;
        }
        return std::nullopt;
    }

    std::size_t boxes = 0, about_cycles = 0, calculations = 0, failed_calculations = 0;

  private:
    rt::Form& main() { return app_.form(L"frmmain"); }
    HWND control(std::wstring_view name) { return main().control(name); }
    HWND field_window(int field) { return control(rule(field).name); }
    std::wstring text_of(int field) { return window_text(field_window(field)); }
    std::array<std::wstring, core::kFields.size()> field_texts() {
        std::array<std::wstring, core::kFields.size()> texts;
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = text_of(static_cast<int>(i));
        return texts;
    }
    HWND about_window() {
        const rt::Form* about = app_.existing_form(L"frmabout");
        return about ? about->window() : nullptr;
    }
    int selected_tab() {
        return static_cast<int>(SendMessageW(control(L"TabStrip"), TCM_GETCURSEL, 0, 0));
    }

    void close_windows() {
        gui_test::pump_messages();  // lets a pending error box show (and be closed) first
        for (const wchar_t* name : {L"frmabout", L"frmmain"}) {
            if (rt::Form* form = app_.existing_form(name))
                form->unload();
        }
        gui_test::pump_messages();
    }

    // Clicks the field, then: bit 1 of `how` selects all, bit 0 replaces the selection with
    // EM_REPLACESEL, else the text goes through the clipboard and WM_PASTE.
    Action paste(int field, int how, std::wstring text) {
        return {"click " + quote(rule(field).name) + (how & 2 ? ", select all" : "") + ", paste " +
                    quote(text) + (how & 1 ? " (EM_REPLACESEL)" : " (WM_PASTE)"),
                [=, this] {
                    const HWND edit = field_window(field);
                    if (!IsWindowVisible(edit))
                        return;
                    gui_test::click(edit, POINT{4, 6});
                    if (GetFocus() != edit)
                        return;  // an error box took the focus: the user pastes nothing
                    if (how & 2)
                        SendMessageW(edit, EM_SETSEL, 0, -1);
                    if (how & 1)
                        SendMessageW(edit, EM_REPLACESEL, TRUE,
                                     reinterpret_cast<LPARAM>(text.c_str()));
                    else if (set_clipboard_text(text))
                        SendMessageW(edit, WM_PASTE, 0, 0);
                }};
    }

    bool set_clipboard_text(const std::wstring& text) {
        if (!OpenClipboard(main().window()))
            return false;
        EmptyClipboard();
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        if (memory) {
            std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory))
                GlobalFree(memory);
        }
        CloseClipboard();
        return memory != nullptr;
    }

    void click_updown(int field, bool lower_half, int clicks) {
        const HWND updown = control(rule(field).updown);
        now_.updown_field = field;
        now_.updown_before = text_of(field);
        if (!IsWindowVisible(updown))
            return;
        RECT area{};
        GetClientRect(updown, &area);
        const POINT at{area.right / 2, lower_half ? area.bottom * 3 / 4 : area.bottom / 4};
        for (int i = 0; i < clicks; ++i)
            gui_test::click(updown, at);
        // The pointer moves on, as a real one would. Left "inside", Wine's up-down turns the
        // 250 ms timer of a later Up or Down key in the field into one more decrement.
        SendMessageW(updown, WM_MOUSELEAVE, 0, 0);
    }

    // Reads and closes each message box and About window as it becomes active.
    void on_activate(HWND window) {
        wchar_t class_name[8] = {};
        GetClassNameW(window, class_name, 8);
        if (std::wstring_view(class_name) == L"#32770") {
            ++boxes;
            now_.boxes.push_back({window_text(window), gui_test::message_box_text(window)});
            // Both ways a user closes a box: its OK button and the close button.
            PostMessageW(window, now_.boxes.size() % 2 ? WM_COMMAND : WM_CLOSE, IDOK, 0);
        } else if (window == about_window()) {
            ++about_cycles;
            now_.about_modal = window_text(window) == L"About" && !IsWindowEnabled(main().window());
            PostMessageW(window, now_.about_by_close_box ? WM_SYSCOMMAND : WM_CLOSE, SC_CLOSE, 0);
        }
    }

    // Boxes and the About window have an owner, the main window has none.
    static BOOL CALLBACK close_owned(HWND window, LPARAM) {
        if (IsWindowVisible(window) && GetWindow(window, GW_OWNER))
            PostMessageW(window, WM_CLOSE, 0, 0);
        return TRUE;
    }

    // A modal window that the watcher missed would block the run for good: close it and say so.
    static void CALLBACK watchdog_tick(HWND, UINT, UINT_PTR, DWORD) {
        if (watched_ && Clock::now() - watched_->now_.start > kStepLimit) {
            watched_->now_.watchdog_fired = true;
            EnumThreadWindows(GetCurrentThreadId(), close_owned, 0);
        }
    }

    void check_windows() {
        const HWND window = main().window();
        const HWND focus = GetFocus();
        const int tab = selected_tab();
        require(!now_.watchdog_fired, "a modal window stayed open past the time limit");
        require(main().loaded() && IsWindowVisible(window), "the main window is gone or hidden");
        require(IsWindowEnabled(window) != FALSE, "the main window is disabled");
        require(!about_window(), "the About window stayed loaded");
        for (const auto& box : now_.boxes)
            require(box.first == L"Quenlow", "a box is not titled Quenlow", quote(box.first));
        require(now_.about_modal.value_or(true), "About was not modal over the main window");
        require((IsWindowVisible(control(L"box1")) != FALSE) == (tab == 0) &&
                    (IsWindowVisible(control(L"box2")) != FALSE) == (tab == 1),
                "the panel shown is not the selected tab's");
        require(!focus || focus == window || IsWindowVisible(focus),
                "a hidden window has the focus");
        if (now_.updown_field >= 0) {
            // An up-down writes a whole number within bounds, or at a bound maybe nothing.
            const core::FieldRule& field = rule(now_.updown_field);
            const std::wstring text = text_of(now_.updown_field);
            bool in_bounds = text == now_.updown_before;
            for (int value = field.lower; value <= field.upper; ++value)
                in_bounds = in_bounds || text == std::to_wstring(value);
            require(in_bounds, "an up-down wrote out of bounds",
                    quote(now_.updown_before) + " to " + quote(text));
        }
    }

    // Whatever changed a field (typing, keys, paste, up-down, the range rule), once the field has
    // lost the focus it holds a number within its bounds, or no number, and then a box said so in
    // the exact words of the error.
    void check_fields(const std::array<std::wstring, core::kFields.size()>& before) {
        const core::NumberLocale& locale = app_.number_locale();
        const auto after = field_texts();
        for (int i = 0; i < static_cast<int>(after.size()); ++i) {
            const auto slot = static_cast<std::size_t>(i);
            edited_[slot] = edited_[slot] || after[slot] != before[slot];
            if (!edited_[slot] || GetFocus() == field_window(i))
                continue;
            edited_[slot] = false;
            const std::string holding = quote(rule(i).name) + " holds " + quote(after[slot]);
            if (const auto value = number_in(after[slot], locale)) {
                require(*value >= rule(i).lower && *value <= rule(i).upper,
                        "a field lost the focus out of bounds", holding);
                continue;
            }
            std::wstring error;
            try {
                core::range_rule(after[slot], rule(i), locale);
            } catch (const core::RuntimeError& thrown) {
                error = core::describe(thrown);
            }
            require(std::any_of(now_.boxes.begin(), now_.boxes.end(),
                                [&](const auto& box) { return box.second == error; }),
                    "a field lost the focus holding no number and no box said so",
                    holding + ", expected a box saying " + quote(error));
        }
    }

    // Each result label holds the caption of its last successful calculation (or the first one);
    // a calculation that fails shows a box.
    void check_results() {
        const core::NumberLocale& locale = app_.number_locale();
        for (int c = 0; c < 2; ++c) {
            std::wstring& expected = expected_caption_[static_cast<std::size_t>(c)];
            const int first = kCalculators[c].first_field;
            if (c == now_.calculator) {
                ++calculations;
                try {
                    const std::wstring weight = text_of(first), major = text_of(first + 1),
                                       minor = text_of(first + 2);
                    expected = core::result_caption(
                        core::calculate(rule(first).system, {weight, major, minor}, locale),
                        locale);
                } catch (const core::RuntimeError&) {
                    ++failed_calculations;
                    require(!now_.boxes.empty(), "a calculation failed without a box");
                }
            }
            const std::wstring shown = window_text(control(kCalculators[c].label));
            require(shown == expected, "a result label is not its last calculation's caption",
                    quote(shown) + ", expected " + quote(expected));
        }
    }

    // What the action did and what the watcher and the watchdog saw during the current step.
    struct StepRecord {
        Clock::time_point start = Clock::now();
        std::vector<std::pair<std::wstring, std::wstring>> boxes;  // title, text
        bool about_by_close_box = false;                           // SC_CLOSE, else WM_CLOSE
        std::optional<bool> about_modal;  // when shown: titled About over a disabled main window
        bool watchdog_fired = false;
        int calculator = -1;  // whose Calculate button the action pressed
        int updown_field = -1;
        std::wstring updown_before;  // the up-down's field before the clicks
    };

    static inline Session* watched_ = nullptr;  // for the watchdog, whose timer has no context
    rt::Win32Application app_{GetModuleHandleW(nullptr), kForms};
    gui_test::ActivationWatcher watcher_{[this](HWND window) { on_activate(window); }};
    UINT_PTR watchdog_ = SetTimer(nullptr, 0, 250, &Session::watchdog_tick);
    StepRecord now_;
    std::array<std::wstring, 2> expected_caption_;
    std::array<bool, core::kFields.size()> edited_{};
};

// The shortest action list found that breaks the same invariant on a fresh window: the shortest
// tail of the session that does (most faults need only the last few actions), then without each
// action in turn that it can do without, within kShrinkBudget.
std::string shrunk_actions(Session& session, const std::vector<Action>& done,
                           const std::string& invariant) {
    const auto deadline = Clock::now() + kShrinkBudget;
    std::vector<Action> shortest;
    const auto reproduces = [&](std::vector<Action> candidate) {
        const auto failure = session.replay(candidate);
        if (!failure || failure->invariant != invariant)
            return false;
        candidate.resize(failure->step + 1);
        shortest = std::move(candidate);
        return true;
    };
    for (std::size_t tail = 1; Clock::now() < deadline; tail = std::min(2 * tail, done.size())) {
        if (reproduces({done.end() - static_cast<std::ptrdiff_t>(tail), done.end()}) ||
            tail == done.size())
            break;
    }
    for (std::size_t i = 0; i < shortest.size() && Clock::now() < deadline;) {
        std::vector<Action> candidate = shortest;
        candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(i));
        if (candidate.empty() || !reproduces(std::move(candidate)))
            ++i;
    }
    const bool reproduced = !shortest.empty();
    if (!reproduced)
        shortest.assign(done.end() - std::min<std::ptrdiff_t>(std::ssize(done), 30), done.end());
    std::string list = reproduced ? "\nShortest action list found, from a fresh window:"
                                  : "\nNot reproduced on a fresh window in time; the last actions:";
    for (std::size_t i = 0; i < shortest.size(); ++i)
        list += "\n  " + std::to_string(i + 1) + ". " + shortest[i].what;
    return list;
}

TEST(RandomSessionTest, ThousandsOfUserActionsKeepTheWindowsConsistent) {
    const unsigned seed = from_environment("QUENLOW_RANDOM_SEED", 20260101);
    const unsigned steps = from_environment("QUENLOW_RANDOM_STEPS", 2500);
    std::printf("seed %u (set QUENLOW_RANDOM_SEED to replay another), %u steps\n", seed, steps);

    Session session;
    session.restart();
    std::mt19937 rng(seed);
    std::vector<Action> done;
    std::vector<std::array<int, 3>> counts{object_counts()};
    const auto start = Clock::now();
    try {
        while (done.size() < steps && Clock::now() - start < kSessionBudget) {
            done.push_back(session.next_action(rng));
            session.step(done.back());
            if (done.size() % kCountEvery == 0)
                counts.push_back(object_counts());
        }
    } catch (const Failure& failure) {
        FAIL() << "seed " << seed << ", step " << done.size() << ": " << failure.invariant << " "
               << failure.detail << shrunk_actions(session, done, failure.invariant);
    }
    counts.push_back(object_counts());
    // Leaks show as growth of the peak counts from the first thousand steps to the last.
    const std::size_t window = std::min<std::size_t>(1000 / kCountEvery, counts.size() / 3);
    std::array<int, 3> first{}, last{};
    for (std::size_t i = 0; i < window; ++i) {
        for (std::size_t kind = 0; kind < 3; ++kind) {
            first[kind] = std::max(first[kind], counts[i][kind]);
            last[kind] = std::max(last[kind], counts[counts.size() - 1 - i][kind]);
        }
    }
    std::printf(
        "%zu steps in %.1f s: %zu boxes, %zu About cycles, %zu calculations (%zu failed); peak "
        "GDI / USER / windows in the first %zu steps %d / %d / %d, in the last %d / %d / %d\n",
        done.size(), std::chrono::duration<double>(Clock::now() - start).count(), session.boxes,
        session.about_cycles, session.calculations, session.failed_calculations,
        window * kCountEvery, first[0], first[1], first[2], last[0], last[1], last[2]);
    EXPECT_LE(last[0], first[0] + 8) << "GDI objects leak";
    EXPECT_LE(last[1], first[1] + 2) << "USER objects leak";
    EXPECT_LE(last[2], first[2] + 2) << "windows leak";
    EXPECT_GE(done.size(), 1000u) << "too few steps within the time budget to mean much";
    EXPECT_GT(session.boxes, 0u);
    EXPECT_GT(session.about_cycles, 0u);
    EXPECT_GT(session.calculations, session.failed_calculations);
}

}  // namespace
