#pragma once

#include <string_view>

namespace frmabout {

inline constexpr wchar_t kTitle[] = L"Quenlow";
inline constexpr wchar_t kVersion[] = L"v1.0";
inline constexpr wchar_t kRightsNotice[] = L"Copyright (C) 2026 Quenlow Software";
inline constexpr wchar_t kWebSite[] = L"www.quenlow.example";
inline constexpr wchar_t kSupportEmail[] = L"support@quenlow.example";

}  // namespace frmabout
