#pragma once

#include <windows.h>

#include <string>

namespace rt {

// Throws the run-time error for a failed Win32 call, with GetLastError() and what was attempted.
[[noreturn]] void throw_last_error(const std::wstring& operation);

// Checks a Win32 result that is zero on failure.
template <typename Result>
Result check(Result result, const std::wstring& operation) {
    if (!result) {
        throw_last_error(operation);
    }
    return result;
}

// Owning handles for the GDI objects a form creates.
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept {
        if (object) {
            DeleteObject(object);
        }
    }
};

}  // namespace rt
