#pragma once

// What the fuzz targets share: turning fuzz bytes into the wide texts the core reads, and a
// check that stops the run on the first broken invariant.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_locale.h"

#define QUENLOW_FUZZ_CHECK(condition)                                                              \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzz {

// The fuzz bytes as UTF-8 where they form it (so non-ASCII digits and blanks are reachable),
// each other byte as the character of that code.
inline std::wstring decode(std::string_view bytes) {
    std::wstring text;
    std::size_t i = 0;
    auto continuation = [&](std::size_t at) {
        return at < bytes.size() && (static_cast<unsigned char>(bytes[at]) & 0xC0) == 0x80;
    };
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const auto low6 = [&](std::size_t at) {
            return static_cast<unsigned char>(bytes[at]) & 0x3F;
        };
        if (lead >= 0xC2 && lead <= 0xDF && continuation(i + 1)) {
            text.push_back(static_cast<wchar_t>(((lead & 0x1F) << 6) | low6(i + 1)));
            i += 2;
        } else if (lead >= 0xE0 && lead <= 0xEF && continuation(i + 1) && continuation(i + 2)) {
            text.push_back(
                static_cast<wchar_t>(((lead & 0x0F) << 12) | (low6(i + 1) << 6) | low6(i + 2)));
            i += 3;
        } else {
            text.push_back(static_cast<wchar_t>(lead));
            ++i;
        }
    }
    return text;
}

// The locales worth trying: the point, the comma, and a separator of two characters.
inline core::NumberLocale locale_from(std::uint8_t selector) {
    static const wchar_t* const kSeparators[] = {L".", L",", L"::"};
    return core::NumberLocale{kSeparators[selector % 3]};
}

// The first byte chooses the options, the rest is the payload.
struct Input {
    std::uint8_t selector = 0;
    std::string_view payload;
};

inline Input split_selector(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return {};
    }
    return {data[0], std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

// Splits at the first `count - 1` line feeds; the last part keeps whatever follows.
inline std::vector<std::wstring> split_texts(std::string_view payload, std::size_t count) {
    std::vector<std::wstring> texts;
    while (texts.size() + 1 < count) {
        const auto end = payload.find('\n');
        texts.push_back(decode(payload.substr(0, end)));
        payload = end == std::string_view::npos ? std::string_view() : payload.substr(end + 1);
    }
    texts.push_back(decode(payload));
    return texts;
}

}  // namespace fuzz
