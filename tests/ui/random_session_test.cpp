// Random sessions on the real windows: thousands of seeded user actions (typing, pasting, up-down
// clicks, focus moves, tab switches, Calculate, About), with the window's invariants checked after
// every one. A failure prints the seed and the shortest action list found that reproduces it on a
// fresh window. QUENLOW_RANDOM_SEED picks another session, QUENLOW_RANDOM_STEPS another length.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

constexpr unsigned kDefaultSeed = 20260101;
constexpr std::size_t kDefaultSteps = 3000;
// The whole test must stay well inside a minute on two cores under Wine.
constexpr auto kSessionBudget = std::chrono::seconds(40);
constexpr auto kShrinkBudget = std::chrono::seconds(15);
constexpr auto kStepLimit = std::chrono::seconds(4);
constexpr wchar_t kStartCaption[] = L"Your Body Mass Index (BMI) is 0 ";
constexpr const rt::FormDef* kForms[] = {&frmmain::kForm, &frmabout::kForm};

unsigned number_from_environment(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

// Printable ASCII as is, everything else as \uXXXX, so any text fits a log line.
std::string escaped(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
            out += code;
        }
    }
    return out;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// --- object counts ------------------------------------------------------------------------------

BOOL CALLBACK count_child(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK count_top_level(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, count_child, count);
    return TRUE;
}

// Wine answers GetGuiResources with 0 (not implemented), so the windows of this thread, top-level
// and children, stand in for the USER objects that matter here.
int thread_window_count() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), count_top_level, reinterpret_cast<LPARAM>(&count));
    return count;
}

// For GDI objects under Wine: its handle table takes a handle's 16-bit index alone, so asking
// GetObjectType of every index counts the live objects of the process (about a millisecond).
int gdi_object_count() {
    if (const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) {
        return static_cast<int>(reported);
    }
    int count = 0;
    for (std::uintptr_t index = 1; index < 0x10000; ++index) {
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    }
    return count;
}

int user_object_count() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    return reported ? static_cast<int>(reported) : thread_window_count();
}

struct ObjectCounts {
    int gdi = 0;
    int user = 0;
    int windows = 0;
};

ObjectCounts object_counts() {
    return {gdi_object_count(), user_object_count(), thread_window_count()};
}

// --- actions ------------------------------------------------------------------------------------

enum class Kind { Type, Paste, UpDown, Key, ClickField, SelectTab, ClickTab, Calculate, About };

// One user action, described independently of the window's state so that it can be replayed.
struct Action {
    Kind kind;
    // Paste, UpDown, ClickField: the field (index in kFields); SelectTab, ClickTab: the tab (0, 1);
    // Calculate: the calculator (index in kCalculators); Key: the virtual key.
    int target = 0;
    // Paste: bit 0 replaces the selection (else the clipboard), bit 1 selects all first;
    // UpDown: 1 for the lower half; ClickField: how far right; Key: 1 with Shift;
    // About: 1 closes it with SC_CLOSE (else WM_CLOSE).
    int variant = 0;
    int repeat = 1;     // UpDown: clicks
    std::wstring text;  // Type: the character; Paste: the text
};

struct Calculator {
    core::UnitSystem system;
    std::array<int, 3> fields;  // weight, height major, height minor
    const wchar_t* button;
    const wchar_t* label;
};

constexpr Calculator kCalculators[] = {
    {core::UnitSystem::Metric, {0, 1, 2}, L"cmdcalculatemetric", L"lblresultsmetric"},
    {core::UnitSystem::Standard, {3, 4, 5}, L"cmdcalculatestandard", L"lblresultsstandard"},
};

std::string key_name(int key, int shift) {
    switch (key) {
        case VK_TAB:
            return shift ? "Shift+Tab" : "Tab";
        case VK_UP:
            return "Up";
        case VK_DOWN:
            return "Down";
        case VK_LEFT:
            return "Left";
        case VK_RIGHT:
            return "Right";
        case VK_HOME:
            return "Home";
        case VK_END:
            return "End";
        case VK_DELETE:
            return "Delete";
        case VK_RETURN:
            return "Enter";
        case VK_ESCAPE:
            return "Esc";
        case VK_SPACE:
            return "Space";
        default:
            return "key " + std::to_string(key);
    }
}

std::string field_name(int index) {
    return escaped(std::wstring(core::kFields[static_cast<std::size_t>(index)].name));
}

std::string describe(const Action& a) {
    switch (a.kind) {
        case Kind::Type:
            return "type \"" + escaped(a.text) + "\"";
        case Kind::Paste:
            return std::string("click ") + field_name(a.target) +
                   (a.variant & 2 ? ", select all" : "") + ", paste \"" + escaped(a.text) +
                   (a.variant & 1 ? "\" (EM_REPLACESEL)" : "\" (clipboard, WM_PASTE)");
        case Kind::UpDown:
            return std::string("click the ") + (a.variant ? "lower" : "upper") + " half of " +
                   escaped(std::wstring(core::kFields[static_cast<std::size_t>(a.target)].updown)) +
                   " x" + std::to_string(a.repeat);
        case Kind::Key:
            return "press " + key_name(a.target, a.variant);
        case Kind::ClickField:
            return "click " + field_name(a.target);
        case Kind::SelectTab:
            return "select tab " + std::to_string(a.target + 1) + " (TCM_SETCURFOCUS)";
        case Kind::ClickTab:
            return "click tab " + std::to_string(a.target + 1);
        case Kind::Calculate:
            return "click " + escaped(kCalculators[a.target].button);
        case Kind::About:
            return std::string("About, closed with ") + (a.variant ? "SC_CLOSE" : "WM_CLOSE");
    }
    return "?";
}

int pick(std::mt19937& rng, int count) {
    return std::uniform_int_distribution<int>(0, count - 1)(rng);
}

wchar_t random_character(std::mt19937& rng) {
    // Digits mostly; the rest probes the keystroke rule: control codes, punctuation, letters,
    // characters beyond ASCII (Arabic-Indic three, accented e, full-width one, surrogate halves).
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
        case 2:
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

// --- the session --------------------------------------------------------------------------------

struct Failure {
    std::size_t step;
    std::string invariant;  // which rule broke, compared while shrinking
    std::string detail;
};

struct Stats {
    std::size_t steps = 0;
    std::size_t boxes = 0;
    std::size_t about_cycles = 0;
    std::size_t calculations = 0;
    std::size_t failed_calculations = 0;
    std::size_t updown_clicks = 0;
    std::size_t pastes = 0;
};

class Session;
Session* g_watched = nullptr;  // for the watchdog timer, which has no context argument

class Session {
  public:
    Session()
        : watcher_([this](HWND window) { on_activate(window); }),
          watchdog_(SetTimer(nullptr, 0, 250, &Session::watchdog_tick)) {
        g_watched = this;
    }
    ~Session() {
        KillTimer(nullptr, watchdog_);
        g_watched = nullptr;
        close_windows();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // A fresh main window with the texts and captions it starts with.
    void restart() {
        close_windows();
        app_.form(L"frmmain").show();
        gui_test::pump_messages();
        expected_caption_.fill(kStartCaption);
        edited_.fill(false);
        stats_ = {};
    }

    // The next action, chosen among what a user could do in the window as it is now.
    Action next_action(std::mt19937& rng) {
        const int tab = selected_tab();
        const int calculator = tab == 1 ? 0 : 1;
        const int field = kCalculators[calculator].fields[static_cast<std::size_t>(pick(rng, 3))];
        const core::FieldRule& rule = core::kFields[static_cast<std::size_t>(field)];
        // After an error box a user mostly puts a number into the field it named.
        for (int shown : kCalculators[calculator].fields) {
            if (!holds_number(shown) && pick(rng, 3) != 0) {
                const core::FieldRule& named = core::kFields[static_cast<std::size_t>(shown)];
                const int value = named.lower + pick(rng, named.upper - named.lower + 1);
                return {Kind::Paste, shown, 3, 1, std::to_wstring(value)};
            }
        }
        const int roll = pick(rng, 100);
        if (roll < 32)
            return {Kind::Type, 0, 0, 1, std::wstring(1, random_character(rng))};
        if (roll < 40)
            return {Kind::Paste, field, pick(rng, 4), 1, random_paste(rng, rule)};
        if (roll < 53) {
            const int span = rule.upper - rule.lower + 2;
            const int repeat = pick(rng, 5) == 0 ? std::min(span, 8) : 1 + pick(rng, 2);
            return {Kind::UpDown, field, pick(rng, 2), repeat, {}};
        }
        if (roll < 65)
            return {Kind::Key, VK_TAB, pick(rng, 2), 1, {}};
        if (roll < 72) {
            static constexpr int kKeys[] = {VK_UP,  VK_DOWN,   VK_LEFT,   VK_RIGHT,  VK_HOME,
                                            VK_END, VK_DELETE, VK_RETURN, VK_ESCAPE, VK_SPACE};
            return {Kind::Key, kKeys[pick(rng, static_cast<int>(std::size(kKeys)))], 0, 1, {}};
        }
        if (roll < 81)
            return {Kind::ClickField, field, pick(rng, 2) * 2, 1, {}};
        if (roll < 84)
            return {Kind::SelectTab, pick(rng, 2), 0, 1, {}};
        if (roll < 87)
            return {Kind::ClickTab, pick(rng, 2), 0, 1, {}};
        if (roll < 98)
            return {Kind::Calculate, calculator, 0, 1, {}};
        return {Kind::About, 0, pick(rng, 2), 1, {}};
    }

    // Performs one action and checks every invariant afterwards.
    std::optional<Failure> step(const Action& action, std::size_t index) {
        step_start_ = Clock::now();
        boxes_.clear();
        about_shown_ = 0;
        main_enabled_under_about_ = false;
        watchdog_fired_ = false;
        about_close_variant_ = action.variant;
        const int calculator = perform(action);
        gui_test::pump_messages();
        ++stats_.steps;
        stats_.boxes += boxes_.size();
        stats_.about_cycles += static_cast<std::size_t>(about_shown_);
        if (auto broken = check(action, calculator)) {
            return Failure{index, broken->first, broken->second};
        }
        return std::nullopt;
    }

    // Replays actions on a fresh window up to the first broken invariant.
    std::optional<Failure> replay(const std::vector<Action>& actions) {
        restart();
        for (std::size_t i = 0; i < actions.size(); ++i) {
            if (auto failure = step(actions[i], i)) {
                return failure;
            }
        }
        return std::nullopt;
    }

    const Stats& stats() const { return stats_; }

  private:
    using Broken = std::optional<std::pair<std::string, std::string>>;

    rt::Form& main() { return app_.form(L"frmmain"); }
    HWND control(const wchar_t* name) { return main().control(name); }
    HWND field_window(int index) {
        return main().control(core::kFields[static_cast<std::size_t>(index)].name);
    }
    int selected_tab() {
        return static_cast<int>(SendMessageW(control(L"TabStrip"), TCM_GETCURSEL, 0, 0));
    }
    int focused_field() {
        for (int i = 0; i < static_cast<int>(core::kFields.size()); ++i) {
            if (GetFocus() == field_window(i))
                return i;
        }
        return -1;
    }
    bool holds_number(int field) {
        try {
            core::text_to_double(gui_test::window_text(field_window(field)), app_.number_locale());
            return true;
        } catch (const core::RuntimeError&) {
            return false;
        }
    }
    bool on_visible_panel(int field) { return IsWindowVisible(field_window(field)) != FALSE; }

    void close_windows() {
        gui_test::pump_messages();  // lets a pending error box show (and be closed) first
        for (const wchar_t* name : {L"frmabout", L"frmmain"}) {
            if (rt::Form* form = app_.existing_form(name)) {
                form->unload();
            }
        }
        gui_test::pump_messages();
    }

    // Returns the calculator whose Calculate button the action pressed, or -1.
    int perform(const Action& a) {
        const int edited_before = focused_field();
        const std::wstring text_before =
            edited_before >= 0 ? gui_test::window_text(field_window(edited_before)) : L"";
        int calculator = -1;
        switch (a.kind) {
            case Kind::Type:
                gui_test::type_char(a.text[0]);
                break;
            case Kind::Key:
                for (int c = 0; c < 2; ++c) {
                    if (a.target == VK_SPACE && GetFocus() == control(kCalculators[c].button)) {
                        calculator = c;  // the space bar presses a focused button
                    }
                }
                gui_test::press_key(static_cast<WORD>(a.target), a.variant != 0);
                break;
            case Kind::Paste:
                paste(a);
                break;
            case Kind::UpDown:
                click_updown(a);
                break;
            case Kind::ClickField:
                if (on_visible_panel(a.target)) {
                    gui_test::click(field_window(a.target), POINT{4 + a.variant, 6});
                }
                break;
            case Kind::SelectTab:
                SendMessageW(control(L"TabStrip"), TCM_SETCURFOCUS, a.target, 0);
                break;
            case Kind::ClickTab: {
                RECT item{};
                SendMessageW(control(L"TabStrip"), TCM_GETITEMRECT, a.target,
                             reinterpret_cast<LPARAM>(&item));
                gui_test::click(control(L"TabStrip"),
                                POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
                break;
            }
            case Kind::Calculate:
                if (IsWindowVisible(control(kCalculators[a.target].button))) {
                    calculator = a.target;
                    gui_test::click_centre(control(kCalculators[a.target].button));
                }
                break;
            case Kind::About:
                PostMessageW(main().window(), WM_COMMAND,
                             MAKEWPARAM(GetMenuItemID(GetMenu(main().window()), 0), 0), 0);
                break;
        }
        // An edit by the user: typing or a key changed the text of the field that kept the focus.
        if ((a.kind == Kind::Type || a.kind == Kind::Key) && edited_before >= 0 &&
            focused_field() == edited_before &&
            gui_test::window_text(field_window(edited_before)) != text_before) {
            edited_[static_cast<std::size_t>(edited_before)] = true;
        }
        return calculator;
    }

    void paste(const Action& a) {
        if (!on_visible_panel(a.target))
            return;
        const HWND field = field_window(a.target);
        gui_test::click(field, POINT{4, 6});  // the context menu gives the field the focus too
        if (GetFocus() != field)
            return;  // an error box took it: the user pastes nothing
        if (a.variant & 2)
            SendMessageW(field, EM_SETSEL, 0, -1);
        ++stats_.pastes;
        const std::wstring before = gui_test::window_text(field);
        if (a.variant & 1) {
            SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(a.text.c_str()));
        } else if (set_clipboard_text(a.text)) {
            SendMessageW(field, WM_PASTE, 0, 0);
        }
        gui_test::pump_messages();
        if (gui_test::window_text(field) != before) {
            edited_[static_cast<std::size_t>(a.target)] = true;
        }
    }

    bool set_clipboard_text(const std::wstring& text) {
        if (!OpenClipboard(main().window()))
            return false;
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        if (memory) {
            std::memcpy(GlobalLock(memory), text.c_str(), bytes);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory))
                GlobalFree(memory);
        }
        CloseClipboard();
        return memory != nullptr;
    }

    void click_updown(const Action& a) {
        const core::FieldRule& rule = core::kFields[static_cast<std::size_t>(a.target)];
        const HWND updown = main().control(rule.updown);
        if (!IsWindowVisible(updown))
            return;
        updown_buddy_before_ = gui_test::window_text(field_window(a.target));
        RECT area{};
        GetClientRect(updown, &area);
        const POINT at{area.right / 2, a.variant ? area.bottom * 3 / 4 : area.bottom / 4};
        for (int i = 0; i < a.repeat; ++i) {
            gui_test::click(updown, at);
            ++stats_.updown_clicks;
        }
        // The pointer moves on, as a real one would. Left "inside", Wine's up-down turns the
        // 250 ms timer of a later Up or Down key in the field into one more decrement.
        SendMessageW(updown, WM_MOUSELEAVE, 0, 0);
    }

    // --- what the watcher and the watchdog see ---

    void on_activate(HWND window) {
        if (class_of(window) == L"#32770") {
            boxes_.push_back({gui_test::window_text(window), gui_test::message_box_text(window)});
            // Both ways a user closes the box: its OK button and the close button.
            PostMessageW(window, boxes_.size() % 2 ? WM_COMMAND : WM_CLOSE, IDOK, 0);
            return;
        }
        const rt::Form* about = app_.existing_form(L"frmabout");
        if (about && window == about->window()) {
            ++about_shown_;
            about_caption_ = gui_test::window_text(window);
            main_enabled_under_about_ = IsWindowEnabled(main().window()) != FALSE;
            if (about_close_variant_) {
                PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
        }
    }

    static BOOL CALLBACK close_modal(HWND window, LPARAM) {
        if (IsWindowVisible(window) && class_of(window) == L"#32770") {
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return TRUE;
    }

    // A modal window that the watcher missed would block the run for good: close it and say so.
    static void CALLBACK watchdog_tick(HWND, UINT, UINT_PTR, DWORD) {
        Session* session = g_watched;
        if (!session || Clock::now() - session->step_start_ < kStepLimit)
            return;
        session->watchdog_fired_ = true;
        EnumThreadWindows(GetCurrentThreadId(), close_modal, 0);
        if (rt::Form* about = session->app_.existing_form(L"frmabout"); about && about->loaded()) {
            PostMessageW(about->window(), WM_CLOSE, 0, 0);
        }
    }

    // --- invariants ---

    Broken check(const Action& action, int calculator) {
        if (watchdog_fired_)
            return {{"modal closed", "a modal window stayed open past the limit"}};
        const HWND window = main().window();
        if (!main().loaded() || !IsWindow(window) || !IsWindowVisible(window)) {
            return {{"main alive", "the main window is gone or hidden"}};
        }
        if (!IsWindowEnabled(window))
            return {{"main enabled", "the main window is disabled"}};
        if (const rt::Form* about = app_.existing_form(L"frmabout"); about && about->loaded()) {
            return {{"about closed", "the About window is still loaded"}};
        }
        for (const auto& [title, text] : boxes_) {
            if (title != L"Quenlow")
                return {{"box title", "a box titled " + escaped(title)}};
        }
        if (about_shown_ && (main_enabled_under_about_ || about_caption_ != L"About")) {
            return {{"about modal", "the About window was not modal over the main window"}};
        }
        if (auto broken = check_panels())
            return broken;
        if (action.kind == Kind::UpDown) {
            if (auto broken = check_updown_write(action.target))
                return broken;
        }
        if (auto broken = check_fields())
            return broken;
        return check_results(calculator);
    }

    Broken check_panels() {
        const int tab = selected_tab();
        const bool standard = IsWindowVisible(control(L"box1")) != FALSE;
        const bool metric = IsWindowVisible(control(L"box2")) != FALSE;
        if (standard != (tab == 0) || metric != (tab == 1)) {
            return {{"panels", "tab " + std::to_string(tab + 1) + " is selected but box1 is " +
                                   (standard ? "shown" : "hidden") + " and box2 " +
                                   (metric ? "shown" : "hidden")}};
        }
        const HWND focus = GetFocus();
        if (focus && focus != main().window() && !IsWindowVisible(focus)) {
            return {{"focus visible",
                     "the focus is on a hidden control (" + escaped(class_of(focus)) + ")"}};
        }
        return std::nullopt;
    }

    // Whatever an up-down writes is a whole number within its field's bounds; at a bound it may
    // also write nothing, leaving a typed text as it was.
    Broken check_updown_write(int field) {
        const core::FieldRule& rule = core::kFields[static_cast<std::size_t>(field)];
        const std::wstring text = gui_test::window_text(field_window(field));
        if (text == updown_buddy_before_)
            return std::nullopt;
        for (int value = rule.lower; value <= rule.upper; ++value) {
            if (text == std::to_wstring(value))
                return std::nullopt;
        }
        return {{"updown bounds", field_name(field) + " went from \"" +
                                      escaped(updown_buddy_before_) + "\" to \"" + escaped(text) +
                                      "\" under up-down clicks"}};
    }

    // A field that lost the focus since the user edited it holds a number within its bounds, or
    // a text that is no number, and then an error box named it.
    Broken check_fields() {
        const core::NumberLocale& locale = app_.number_locale();
        for (int i = 0; i < static_cast<int>(core::kFields.size()); ++i) {
            const auto slot = static_cast<std::size_t>(i);
            if (!edited_[slot] || GetFocus() == field_window(i))
                continue;
            edited_[slot] = false;
            const core::FieldRule& rule = core::kFields[slot];
            const std::wstring text = gui_test::window_text(field_window(i));
            try {
                const double value = core::text_to_double(text, locale);
                if (value < rule.lower || value > rule.upper) {
                    return {{"field range",
                             field_name(i) + " lost the focus holding \"" + escaped(text) + "\""}};
                }
            } catch (const core::RuntimeError&) {
                std::wstring expected;
                try {
                    core::range_rule(text, rule, locale);
                } catch (const core::RuntimeError& error) {
                    expected = core::describe(error);
                }
                const bool shown = std::any_of(boxes_.begin(), boxes_.end(), [&](const auto& box) {
                    return box.second == expected;
                });
                if (!shown) {
                    return {{"field error shown", field_name(i) + " lost the focus holding \"" +
                                                      escaped(text) + "\" and no box said \"" +
                                                      escaped(expected) + "\""}};
                }
            }
        }
        return std::nullopt;
    }

    // Each result label holds the caption of its last successful calculation (or the first one).
    Broken check_results(int calculator) {
        for (int c = 0; c < 2; ++c) {
            const Calculator& calc = kCalculators[c];
            std::wstring& expected = expected_caption_[static_cast<std::size_t>(c)];
            const std::wstring shown = gui_test::window_text(control(calc.label));
            if (c == calculator) {
                ++stats_.calculations;
                std::array<std::wstring, 3> texts;
                for (std::size_t k = 0; k < 3; ++k)
                    texts[k] = gui_test::window_text(field_window(calc.fields[k]));
                try {
                    const core::BmiResult result = core::calculate(
                        calc.system, {texts[0], texts[1], texts[2]}, app_.number_locale());
                    expected = core::result_caption(result, app_.number_locale());
                } catch (const core::RuntimeError&) {
                    ++stats_.failed_calculations;
                    if (boxes_.empty()) {
                        return {{"calculation error shown",
                                 "a failed calculation of \"" + escaped(texts[0]) + "\", \"" +
                                     escaped(texts[1]) + "\", \"" + escaped(texts[2]) +
                                     "\" showed no box"}};
                    }
                }
            }
            if (shown != expected) {
                return {{"result caption", escaped(calc.label) + " shows \"" + escaped(shown) +
                                               "\", expected \"" + escaped(expected) + "\""}};
            }
        }
        return std::nullopt;
    }

    rt::Win32Application app_{GetModuleHandleW(nullptr), kForms};
    gui_test::ActivationWatcher watcher_;
    UINT_PTR watchdog_;
    Clock::time_point step_start_ = Clock::now();
    std::array<std::wstring, 2> expected_caption_;
    std::array<bool, core::kFields.size()> edited_{};
    std::vector<std::pair<std::wstring, std::wstring>> boxes_;  // title, text
    int about_shown_ = 0;
    std::wstring about_caption_;
    bool main_enabled_under_about_ = false;
    int about_close_variant_ = 0;
    bool watchdog_fired_ = false;
    std::wstring updown_buddy_before_;
    Stats stats_;
};

// The shortest action list found that breaks the same invariant on a fresh window: first the
// shortest tail of the session that does (most faults need only the last few actions), then
// ever smaller runs of actions removed while it still does. Nothing when no tail reproduces it.
std::optional<std::vector<Action>> shrink(Session& session,
                                          const std::vector<Action>& session_actions,
                                          const std::string& invariant) {
    const auto deadline = Clock::now() + kShrinkBudget;
    auto failing_length = [&](const std::vector<Action>& candidate) -> std::optional<std::size_t> {
        const auto failure = session.replay(candidate);
        if (failure && failure->invariant == invariant)
            return failure->step + 1;
        return std::nullopt;
    };
    std::optional<std::vector<Action>> actions;
    for (std::size_t tail = 1; !actions && Clock::now() < deadline; tail *= 2) {
        tail = std::min(tail, session_actions.size());
        std::vector<Action> candidate(session_actions.end() - static_cast<std::ptrdiff_t>(tail),
                                      session_actions.end());
        if (const auto length = failing_length(candidate)) {
            candidate.resize(*length);
            actions = std::move(candidate);
        } else if (tail == session_actions.size()) {
            return std::nullopt;
        }
    }
    if (!actions)
        return std::nullopt;
    for (std::size_t chunk = actions->size() / 2; chunk >= 1 && Clock::now() < deadline;
         chunk /= 2) {
        for (std::size_t start = 0; start < actions->size() && Clock::now() < deadline;) {
            std::vector<Action> candidate = *actions;
            candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(start),
                            candidate.begin() + static_cast<std::ptrdiff_t>(
                                                    std::min(start + chunk, candidate.size())));
            if (const auto length = failing_length(candidate)) {
                candidate.resize(*length);
                actions = std::move(candidate);
            } else {
                start += chunk;
            }
        }
    }
    return actions;
}

void report_failure(Session& session, unsigned seed, const std::vector<Action>& actions,
                    const Failure& failure) {
    std::printf("FAILED at step %zu (seed %u): [%s] %s\n", failure.step, seed,
                failure.invariant.c_str(), failure.detail.c_str());
    const auto shortest = shrink(session, actions, failure.invariant);
    if (!shortest) {
        std::printf("Not reproduced on a fresh window (in the time given); the last actions:\n");
        for (std::size_t i = actions.size() > 30 ? actions.size() - 30 : 0; i < actions.size();
             ++i) {
            std::printf("  %zu. %s\n", i, describe(actions[i]).c_str());
        }
        return;
    }
    const auto last = session.replay(*shortest);
    std::printf("Shortest action list found (%zu actions), from a fresh window:\n",
                shortest->size());
    for (std::size_t i = 0; i < shortest->size(); ++i) {
        std::printf("  %zu. %s\n", i + 1, describe((*shortest)[i]).c_str());
    }
    if (last)
        std::printf("which gives: [%s] %s\n", last->invariant.c_str(), last->detail.c_str());
}

TEST(RandomSessionTest, ThousandsOfUserActionsKeepTheWindowsConsistent) {
    const unsigned seed = number_from_environment("QUENLOW_RANDOM_SEED", kDefaultSeed);
    const std::size_t steps = number_from_environment("QUENLOW_RANDOM_STEPS", kDefaultSteps);
    std::printf("seed %u (set QUENLOW_RANDOM_SEED to replay another), %zu steps\n", seed, steps);
    RecordProperty("seed", std::to_string(seed));

    Session session;
    session.restart();
    std::mt19937 rng(seed);
    std::vector<Action> done;
    // Object counts every few steps; the first and the last thousand steps are compared.
    constexpr std::size_t kCountEvery = 10;
    std::vector<ObjectCounts> counts{object_counts()};
    const auto start = Clock::now();
    for (std::size_t i = 0; i < steps && Clock::now() - start < kSessionBudget; ++i) {
        done.push_back(session.next_action(rng));
        if (const auto failure = session.step(done.back(), i)) {
            report_failure(session, seed, done, *failure);
            FAIL() << "seed " << seed << ", step " << failure->step << ": [" << failure->invariant
                   << "] " << failure->detail;
        }
        if ((i + 1) % kCountEvery == 0) {
            counts.push_back(object_counts());
        }
    }
    counts.push_back(object_counts());
    const Stats stats = session.stats();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    const std::size_t window = std::min<std::size_t>(1000 / kCountEvery, counts.size() / 3);
    auto peak = [&](std::size_t from, int ObjectCounts::*member) {
        int most = 0;
        for (std::size_t i = from; i < from + window; ++i)
            most = std::max(most, counts[i].*member);
        return most;
    };
    const std::size_t last_from = counts.size() - window;
    std::printf(
        "%zu steps in %.1f s: %zu boxes, %zu About cycles, %zu calculations (%zu failed), "
        "%zu up-down clicks, %zu pastes\n",
        stats.steps, seconds, stats.boxes, stats.about_cycles, stats.calculations,
        stats.failed_calculations, stats.updown_clicks, stats.pastes);
    std::printf(
        "objects at start / end: GDI %d / %d, USER %d / %d, windows %d / %d; peak in the "
        "first / last %zu steps: GDI %d / %d, windows %d / %d\n",
        counts.front().gdi, counts.back().gdi, counts.front().user, counts.back().user,
        counts.front().windows, counts.back().windows, window * kCountEvery,
        peak(0, &ObjectCounts::gdi), peak(last_from, &ObjectCounts::gdi),
        peak(0, &ObjectCounts::windows), peak(last_from, &ObjectCounts::windows));
    RecordProperty("steps", std::to_string(stats.steps));
    RecordProperty("boxes", std::to_string(stats.boxes));
    RecordProperty("about_cycles", std::to_string(stats.about_cycles));
    RecordProperty("calculations", std::to_string(stats.calculations));
    RecordProperty("gdi_start_end",
                   std::to_string(counts.front().gdi) + "/" + std::to_string(counts.back().gdi));
    RecordProperty("user_start_end",
                   std::to_string(counts.front().user) + "/" + std::to_string(counts.back().user));

    EXPECT_GE(stats.steps, 1000u) << "too few steps within the time budget to mean much";
    EXPECT_GT(stats.boxes, 0u);
    EXPECT_GT(stats.about_cycles, 0u);
    EXPECT_GT(stats.calculations - stats.failed_calculations, 0u);
    // Leaks show as growth from the first thousand steps to the last.
    EXPECT_LE(peak(last_from, &ObjectCounts::gdi), peak(0, &ObjectCounts::gdi) + 8);
    EXPECT_LE(peak(last_from, &ObjectCounts::user), peak(0, &ObjectCounts::user) + 2);
    EXPECT_LE(peak(last_from, &ObjectCounts::windows), peak(0, &ObjectCounts::windows) + 2);
}

}  // namespace
