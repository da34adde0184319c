#include "art/src/Raster.h"

#include <cmath>
#include <stdexcept>

namespace art {

Colour solid(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0, 1.0}; }

Colour fade(Colour c, double opacity) { return {c.r * opacity, c.g * opacity, c.b * opacity, c.a * opacity}; }

Colour over(Colour top, Colour bottom) {
    const double keep = 1.0 - top.a;
    return {top.r + bottom.r * keep, top.g + bottom.g * keep, top.b + bottom.b * keep, top.a + bottom.a * keep};
}

Colour lerp(Colour from, Colour to, double t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

double smoothstep(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

Image::Image(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("image size must be positive");
}

Colour& Image::at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

const Colour& Image::at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

namespace {

// One [1 2 1] / 4 pass along x (horizontal) or y.
Image binomialPass(const Image& in, bool horizontal) {
    Image out(in.width(), in.height());
    auto sample = [&](int x, int y) -> Colour {
        if (x < 0 || y < 0 || x >= in.width() || y >= in.height()) return {};
        return in.at(x, y);
    };
    for (int y = 0; y < in.height(); ++y) {
        for (int x = 0; x < in.width(); ++x) {
            const int dx = horizontal ? 1 : 0;
            const int dy = horizontal ? 0 : 1;
            const Colour a = sample(x - dx, y - dy);
            const Colour b = in.at(x, y);
            const Colour c = sample(x + dx, y + dy);
            out.at(x, y) = {(a.r + 2 * b.r + c.r) / 4, (a.g + 2 * b.g + c.g) / 4, (a.b + 2 * b.b + c.b) / 4,
                            (a.a + 2 * b.a + c.a) / 4};
        }
    }
    return out;
}

}  // namespace

Image blur(const Image& source, int passes) {
    Image result = source;
    for (int i = 0; i < passes; ++i) result = binomialPass(result, true);
    for (int i = 0; i < passes; ++i) result = binomialPass(result, false);
    return result;
}

Image compose(const Image& top, const Image& bottom) {
    if (top.width() != bottom.width() || top.height() != bottom.height())
        throw std::invalid_argument("compose: sizes differ");
    Image out(top.width(), top.height());
    for (int y = 0; y < top.height(); ++y)
        for (int x = 0; x < top.width(); ++x) out.at(x, y) = over(top.at(x, y), bottom.at(x, y));
    return out;
}

std::uint8_t toByte(double v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0)); }

Pixmap straighten(const Image& image) {
    Pixmap out(image.width(), image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Colour c = image.at(x, y);
            const std::uint8_t alpha = toByte(c.a);
            if (alpha == 0) continue;
            out.at(x, y) = {toByte(c.r / c.a), toByte(c.g / c.a), toByte(c.b / c.a), alpha};
        }
    }
    return out;
}

}  // namespace art
