#include "art/src/Raster.h"

#include "forms/Layout.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art {

Color Solid(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0, 1.0}; }

Color Fade(Color c, double opacity) {
    return {c.Red * opacity, c.Green * opacity, c.Blue * opacity, c.Alpha * opacity};
}

Color Over(Color top, Color bottom) {
    const double keep = 1.0 - top.Alpha;
    return {top.Red + bottom.Red * keep, top.Green + bottom.Green * keep, top.Blue + bottom.Blue * keep,
            top.Alpha + bottom.Alpha * keep};
}

Color Lerp(Color from, Color to, double t) {
    return {from.Red + (to.Red - from.Red) * t, from.Green + (to.Green - from.Green) * t,
            from.Blue + (to.Blue - from.Blue) * t, from.Alpha + (to.Alpha - from.Alpha) * t};
}

double Clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }

double SmoothStep(double edge0, double edge1, double v) {
    const double t = Clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

Image::Image(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("image size must be positive");
}

Color& Image::At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

const Color& Image::At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

namespace {

// `passes` times [1 2 1] / 4 along one row or column, in place; beyond its
// ends the line is transparent.
void BlurLine(std::vector<Color>& line, std::vector<Color>& spare, int passes) {
    const std::size_t n = line.size();
    for (int pass = 0; pass < passes; ++pass) {
        for (std::size_t i = 0; i < n; ++i) {
            const Color a = i > 0 ? line[i - 1] : Color{};
            const Color b = line[i];
            const Color c = i + 1 < n ? line[i + 1] : Color{};
            spare[i] = {(a.Red + 2 * b.Red + c.Red) / 4, (a.Green + 2 * b.Green + c.Green) / 4,
                        (a.Blue + 2 * b.Blue + c.Blue) / 4, (a.Alpha + 2 * b.Alpha + c.Alpha) / 4};
        }
        line.swap(spare);
    }
}

}  // namespace

Image Blur(const Image& source, int passes) {
    // Every row gets all its passes, then every column: the same sums as
    // blurring the whole picture pass by pass, without a picture per pass.
    Image result = source;
    const int width = result.Width(), height = result.Height();
    std::vector<Color> line(static_cast<std::size_t>(width)), spare(line.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) line[static_cast<std::size_t>(x)] = result.At(x, y);
        BlurLine(line, spare, passes);
        for (int x = 0; x < width; ++x) result.At(x, y) = line[static_cast<std::size_t>(x)];
    }
    line.assign(static_cast<std::size_t>(height), Color{});
    spare.assign(line.size(), Color{});
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) line[static_cast<std::size_t>(y)] = result.At(x, y);
        BlurLine(line, spare, passes);
        for (int y = 0; y < height; ++y) result.At(x, y) = line[static_cast<std::size_t>(y)];
    }
    return result;
}

Image Compose(const Image& top, const Image& bottom) {
    if (top.Width() != bottom.Width() || top.Height() != bottom.Height())
        throw std::invalid_argument("compose: sizes differ");
    Image out(top.Width(), top.Height());
    for (int y = 0; y < top.Height(); ++y)
        for (int x = 0; x < top.Width(); ++x) out.At(x, y) = Over(top.At(x, y), bottom.At(x, y));
    return out;
}

std::uint8_t ToByte(double v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255.0)); }

Pixmap Straighten(const Image& image) {
    Pixmap out(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Color c = image.At(x, y);
            const std::uint8_t alpha = ToByte(c.Alpha);
            if (alpha == 0) continue;
            out.At(x, y) = {ToByte(c.Red / c.Alpha), ToByte(c.Green / c.Alpha), ToByte(c.Blue / c.Alpha), alpha};
        }
    }
    return out;
}

Pixmap Premultiplied(const Image& image) {
    Pixmap out(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Color c = image.At(x, y);
            const std::uint8_t a = ToByte(c.Alpha);
            out.At(x, y) = {std::min(ToByte(c.Red), a), std::min(ToByte(c.Green), a), std::min(ToByte(c.Blue), a), a};
        }
    }
    return out;
}

double ScaleOfDpi(int dpi) { return std::clamp(forms::ScaleAt(dpi), MinScale, MaxScale); }

int ScaledSize(int size, double scale) {
    // Written so that NaN fails too.
    if (!(scale >= MinScale && scale <= MaxScale)) throw std::invalid_argument("display scale out of range");
    return static_cast<int>(std::lround(size * scale));
}

int SamplesPerAxis(int samplesAtFullSize, double scale) {
    const int fewest = std::min(6, samplesAtFullSize);
    return std::clamp(static_cast<int>(std::lround(samplesAtFullSize / scale)), fewest, samplesAtFullSize);
}

}  // namespace art
