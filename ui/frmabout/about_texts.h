#pragma once

#include "version.h"

namespace frmabout {

// The product's name, version and rights notice are the ones the version block carries.
inline constexpr wchar_t kTitle[] = L"Quenlow";
inline constexpr wchar_t kVersion[] = QUENLOW_VERSION_SHORT_TEXT;
inline constexpr wchar_t kRightsNotice[] = QUENLOW_COPYRIGHT_W;
inline constexpr wchar_t kWebSite[] = L"www.quenlow.example";
inline constexpr wchar_t kSupportEmail[] = L"support@quenlow.example";

}  // namespace frmabout
