// The help balloon's border, soft shadow and see-through body, composed in software
// over a picture of what the screen showed behind the balloon. The window then shows
// the finished picture opaquely, inside a region of exactly the shape and its
// shadow; that looks the same whether or not the system composes translucent
// windows (Wine without a compositor does not).
//
// Pictures are one 0x00RRGGBB value a pixel (a top-down 32-bit DIB's layout), row by
// row; masks are one byte a pixel over the same grid.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ui/balloon_layout.h"

namespace talvine {

namespace balloon {
inline constexpr int32_t kShadowDarkness = 153;  // 60 % of 255, where the shadow is full
inline constexpr int32_t kOpacityPercent = 90;   // the face over what lies behind it
}  // namespace balloon

namespace detail {
inline std::size_t Index(int32_t x, int32_t y, int32_t width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x);
}
inline uint32_t Channel(uint32_t rgb, int shift) { return (rgb >> shift) & 0xFFu; }
}  // namespace detail

// 1 for the pixels of the shape that touch a pixel outside it (left, right, above or
// below, the window's edge counting as outside): a one-pixel line around the whole
// shape, pointer included.
inline std::vector<uint8_t> BorderMask(std::span<const uint8_t> shape, int32_t width, int32_t height) {
    std::vector<uint8_t> border(shape.size(), 0);
    auto inside = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < width && y < height && shape[detail::Index(x, y, width)] != 0;
    };
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (inside(x, y) && !(inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1)))
                border[detail::Index(x, y, width)] = 1;
    return border;
}

// How much the shadow darkens each pixel, 0 to kShadowDarkness: the shape moved by
// the shadow's offset and averaged over a square box, so that its edges fade out
// over the blur's width (seven pixels at 96 DPI).
inline std::vector<uint8_t> ShadowAlpha(std::span<const uint8_t> shape, int32_t width, int32_t height,
                                        const BalloonMetrics& m = kBalloonDesign) {
    using balloon::kShadowDarkness;
    const int32_t reach = m.shadowReach;
    auto shifted = [&](int32_t x, int32_t y) -> int32_t {
        x -= m.shadowDx;
        y -= m.shadowDy;
        return x >= 0 && y >= 0 && x < width && y < height && shape[detail::Index(x, y, width)] != 0;
    };
    std::vector<int32_t> rows(shape.size(), 0);  // box sums along each row
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            int32_t sum = 0;
            for (int32_t d = -reach; d <= reach; ++d) sum += shifted(x + d, y);
            rows[detail::Index(x, y, width)] = sum;
        }
    std::vector<uint8_t> alpha(shape.size(), 0);
    const int32_t area = m.ShadowBlur() * m.ShadowBlur();
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            int32_t sum = 0;
            for (int32_t d = -reach; d <= reach; ++d)
                if (y + d >= 0 && y + d < height) sum += rows[detail::Index(x, y + d, width)];
            alpha[detail::Index(x, y, width)] = static_cast<uint8_t>((sum * kShadowDarkness + area / 2) / area);
        }
    return alpha;
}

// A colour darkened by alpha (0 keeps it, 255 makes it black).
inline uint32_t Darken(uint32_t rgb, uint32_t alpha) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) out |= ((detail::Channel(rgb, shift) * (255u - alpha) + 127u) / 255u) << shift;
    return out;
}

// The face, kOpacityPercent opaque, over what lies under it.
inline uint32_t BlendFace(uint32_t face, uint32_t under) {
    using namespace balloon;
    const uint32_t over = kOpacityPercent;
    uint32_t out = 0;
    for (int shift : {0, 8, 16})
        out |= ((detail::Channel(face, shift) * over + detail::Channel(under, shift) * (100u - over) + 50u) / 100u)
               << shift;
    return out;
}

// Turns the picture of the screen behind the balloon into the picture the balloon
// shows: the shadow darkens the screen, and inside the shape the face lies on top.
inline void ComposeBalloon(std::span<const uint32_t> face, std::span<const uint8_t> shape,
                           std::span<const uint8_t> shadow, std::span<uint32_t> picture) {
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const uint32_t under = Darken(picture[i], shadow[i]);
        picture[i] = shape[i] ? BlendFace(face[i], under) : under;
    }
}

// A horizontal run of pixels [left, right) in row y.
struct PixelRun {
    int32_t y = 0;
    int32_t left = 0;
    int32_t right = 0;
    friend bool operator==(const PixelRun&, const PixelRun&) = default;
};

// The runs of pixels that the shape or its shadow cover: the window's region, so
// that everything else of its rectangle stays the screen's own, to see and to click.
inline std::vector<PixelRun> CoveredRuns(std::span<const uint8_t> shape, std::span<const uint8_t> shadow,
                                         int32_t width, int32_t height) {
    std::vector<PixelRun> runs;
    for (int32_t y = 0; y < height; ++y) {
        int32_t x = 0;
        while (x < width) {
            auto covered = [&](int32_t px) {
                const std::size_t i = detail::Index(px, y, width);
                return shape[i] != 0 || shadow[i] != 0;
            };
            if (!covered(x)) {
                ++x;
                continue;
            }
            const int32_t start = x;
            while (x < width && covered(x)) ++x;
            runs.push_back({y, start, x});
        }
    }
    return runs;
}

// A fresh picture of the screen may still show the balloon that was hidden a moment
// ago, since the windows beneath repaint later. Wherever the fresh picture shows
// exactly what that balloon showed, this puts back what was behind it then, so a
// balloon popped up again at the same place does not darken its own shadow twice.
inline void RecoverBackground(std::span<uint32_t> fresh, const PixelRect& freshRect,
                              std::span<const uint32_t> shown, std::span<const uint32_t> behind,
                              const PixelRect& shownRect) {
    auto area = [](const PixelRect& r) {
        return static_cast<std::size_t>(std::max(r.Width(), 0)) * static_cast<std::size_t>(std::max(r.Height(), 0));
    };
    if (fresh.size() != area(freshRect) || shown.size() != area(shownRect) || behind.size() != shown.size())
        return;
    const int32_t left = std::max(freshRect.left, shownRect.left);
    const int32_t right = std::min(freshRect.right, shownRect.right);
    const int32_t top = std::max(freshRect.top, shownRect.top);
    const int32_t bottom = std::min(freshRect.bottom, shownRect.bottom);
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x) {
            const std::size_t now = detail::Index(x - freshRect.left, y - freshRect.top, freshRect.Width());
            const std::size_t then = detail::Index(x - shownRect.left, y - shownRect.top, shownRect.Width());
            if (fresh[now] == shown[then]) fresh[now] = behind[then];
        }
}

}  // namespace talvine
