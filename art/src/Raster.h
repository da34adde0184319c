// Floating-point raster used to draw all artwork, and the 8-bit pixmap the
// file encoders consume.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

// A colour with premultiplied alpha; every channel is in 0..1.
struct Color {
    double Red = 0, Green = 0, Blue = 0, Alpha = 0;
};

// Opaque colour from 8-bit channels.
Color Solid(int r, int g, int b);
// Scales a (premultiplied) colour by an opacity factor.
Color Fade(Color c, double opacity);
// Porter-Duff "source over".
Color Over(Color top, Color bottom);
// Linear interpolation between two colours, t in 0..1.
Color Lerp(Color from, Color to, double t);

double Clamp01(double v);
// Hermite ramp from 0 at edge0 to 1 at edge1.
double SmoothStep(double edge0, double edge1, double v);

class Image {
public:
    Image(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    Color& At(int x, int y);
    const Color& At(int x, int y) const;

private:
    int width_;
    int height_;
    std::vector<Color> pixels_;
};

// Renders a scene by averaging n x n evenly spread samples per pixel; the
// scene maps a point (pixel (i, j) covers [i, i+1) x [j, j+1)) to a colour.
// Averaging premultiplied colours gives coverage-correct anti-aliasing.
template <class Scene>
Image Supersample(int width, int height, int n, Scene&& scene) {
    Image image(width, height);
    const double step = 1.0 / n;
    const double weight = 1.0 / (n * n);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Color sum;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const Color c = scene(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
                    sum.Red += c.Red;
                    sum.Green += c.Green;
                    sum.Blue += c.Blue;
                    sum.Alpha += c.Alpha;
                }
            }
            image.At(x, y) = {sum.Red * weight, sum.Green * weight, sum.Blue * weight, sum.Alpha * weight};
        }
    }
    return image;
}

// Blurs with the separable binomial kernel [1 2 1] / 4 applied `passes`
// times in each direction (a close, exactly reproducible Gaussian with
// variance passes / 2). Pixels beyond the border count as transparent.
Image Blur(const Image& source, int passes);

// Places `top` over `bottom` pixel by pixel; both must have the same size.
Image Compose(const Image& top, const Image& bottom);

// An axis-aligned ellipse.
struct Ellipse {
    double Cx, Cy, Rx, Ry;
    // 0 at the centre, 1 on the outline.
    double Norm(double x, double y) const {
        const double dx = (x - Cx) / Rx;
        const double dy = (y - Cy) / Ry;
        return dx * dx + dy * dy;
    }
    bool Contains(double x, double y) const { return Norm(x, y) <= 1.0; }
    Ellipse Grown(double by) const { return {Cx, Cy, Rx + by, Ry + by}; }
    // The same ellipse in a picture drawn `by` times larger.
    Ellipse Scaled(double by) const { return {Cx * by, Cy * by, Rx * by, Ry * by}; }
};

// 8-bit colour with straight (not premultiplied) alpha.
struct Rgba8 {
    std::uint8_t Red = 0, Green = 0, Blue = 0, Alpha = 0;
    friend bool operator==(const Rgba8&, const Rgba8&) = default;
};

struct Pixmap {
    Pixmap(int w, int h) : Width(w), Height(h), Pixels(static_cast<std::size_t>(w) * h) {}
    int Width;
    int Height;
    std::vector<Rgba8> Pixels;
    Rgba8& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    const Rgba8& At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

// Rounds a 0..1 channel to 0..255.
std::uint8_t ToByte(double v);
// Converts to straight-alpha 8-bit; fully transparent pixels become all zero.
Pixmap Straighten(const Image& image);
// Premultiplies and rounds, so that no colour channel exceeds alpha (the
// form per-pixel-alpha windows expect).
Pixmap Premultiplied(const Image& image);

// Display scales the pictures can be drawn at: 1.0 is 100 % (96 DPI), 1.5
// is 150 % (144 DPI). Windows offers 100 % to 500 %.
inline constexpr double MinScale = 1.0;
inline constexpr double MaxScale = 5.0;

// Pixels of a length of `size` pixels at 100 % drawn at `scale`: rounded to
// the nearest whole pixel, halves up (13 at 1.5 is 20). Throws
// std::invalid_argument for a scale outside MinScale..MaxScale.
int ScaledSize(int size, double scale);

// Samples per axis at `scale` for a design that takes `samplesAtFullSize`
// at 100 %: fewer as the pixels get smaller, so that the time to draw a
// picture stays close to its time at 100 % (the samples per area of the
// design stay about the same), but never fewer than 6 (36 per pixel, still
// finer than the eye sees on an anti-aliased edge).
int SamplesPerAxis(int samplesAtFullSize, double scale);

}  // namespace art
