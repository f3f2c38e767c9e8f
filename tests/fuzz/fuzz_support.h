#pragma once

// Fuzz bytes into the wide texts the core reads, and a check that stops the run on the first
// broken invariant.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_locale.h"

#define QUENLOW_FUZZ_CHECK(condition)                                                            \
    ((condition) ? void()                                                                        \
                 : (std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition), \
                    std::abort()))

namespace fuzz {

// UTF-8 where the bytes form it (so non-ASCII digits and blanks are reachable), else each byte
// as the character of that code.
inline std::wstring decode(std::string_view bytes) {
    const auto at = [&](std::size_t i) -> unsigned {
        return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
    };
    const auto continues = [&](std::size_t i) { return (at(i) & 0xC0) == 0x80; };
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const unsigned lead = at(i);
        if (lead >= 0xC2 && lead <= 0xDF && continues(i + 1)) {
            text.push_back(static_cast<wchar_t>((lead & 0x1F) << 6 | (at(++i) & 0x3F)));
        } else if (lead >= 0xE0 && lead <= 0xEF && continues(i + 1) && continues(i + 2)) {
            text.push_back(static_cast<wchar_t>((lead & 0x0F) << 12 | (at(i + 1) & 0x3F) << 6 |
                                                (at(i + 2) & 0x3F)));
            i += 2;
        } else {
            text.push_back(static_cast<wchar_t>(lead));
        }
    }
    return text;
}

// The text as std::from_chars reads it: blanks dropped, the separator as a point, every other
// character cut to its low byte (only texts of ASCII characters are compared).
inline std::string as_ascii(const std::wstring& text, const std::wstring& separator) {
    std::string ascii;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool at_separator = text.compare(i, separator.size(), separator) == 0;
        if (text[i] != L' ' && text[i] != L'\t') {
            ascii += at_separator ? '.' : static_cast<char>(text[i]);
        }
        i += at_separator ? separator.size() - 1 : 0;
    }
    return ascii;
}

// The first byte chooses the options: the separator (the point, the comma, or two characters)
// and more in its upper bits. The rest is the payload.
struct Input {
    std::uint8_t selector = 0;
    core::NumberLocale locale;
    std::string_view payload;
};

inline Input split_selector(const std::uint8_t* data, std::size_t size) {
    static const wchar_t* const kSeparators[] = {L".", L",", L"::"};
    if (size == 0) {
        return {};
    }
    return {data[0],
            {kSeparators[data[0] % 3]},
            std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
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
