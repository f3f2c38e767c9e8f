#pragma once

namespace rt {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;

// Twips to pixels at a given DPI, rounded to the nearest pixel (15 twips a pixel at 96 DPI).
constexpr int twips_to_pixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : -((-scaled + half) / kTwipsPerInch));
}

// A font's character height in pixels (a negative LOGFONT height) for its size in points.
constexpr int font_pixel_height(float points, int dpi) {
    const double pixels = static_cast<double>(points) * dpi / kPointsPerInch;
    return -static_cast<int>(pixels + 0.5);
}

}  // namespace rt
