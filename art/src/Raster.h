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

// The average of n x n evenly spread samples of a scene over pixel (x, y);
// the scene maps a point (pixel (i, j) covers [i, i+1) x [j, j+1)) to a
// colour. Averaging premultiplied colours gives coverage-correct anti-aliasing.
template <class Scene>
Color SamplePixel(Scene& scene, int x, int y, int n) {
    const double step = 1.0 / n;
    const double weight = 1.0 / (n * n);
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
    return {sum.Red * weight, sum.Green * weight, sum.Blue * weight, sum.Alpha * weight};
}

// Renders a scene with n x n samples per pixel.
template <class Scene>
Image Supersample(int width, int height, int n, Scene&& scene) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.At(x, y) = SamplePixel(scene, x, y, n);
    return image;
}

// Like Supersample, but with n x n samples only where the picture changes
// within a pixel: every pixel first gets 2 x 2 samples, and a pixel whose
// samples, or those of a neighbour, differ by more than a couple of levels
// (an edge runs through it or near it) is drawn again with n x n. Inside a
// smooth region the 2 x 2 average is as good as more samples. Much faster on
// large pictures, whose pixels are mostly inside their shapes or outside
// them; not bit for bit the same as Supersample.
template <class Scene>
Image SupersampleEdges(int width, int height, int n, Scene&& scene) {
    Image image(width, height);
    std::vector<char> edge(static_cast<std::size_t>(width) * height, 0);
    constexpr double Tolerance = 2.0 / 255;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // The 2 x 2 samples, averaged as Supersample averages them, and their spread.
            Color sum;
            double low[4] = {1, 1, 1, 1}, high[4] = {0, 0, 0, 0};
            for (double sy : {0.25, 0.75}) {
                for (double sx : {0.25, 0.75}) {
                    const Color c = scene(x + sx, y + sy);
                    sum.Red += c.Red;
                    sum.Green += c.Green;
                    sum.Blue += c.Blue;
                    sum.Alpha += c.Alpha;
                    const double channels[4] = {c.Red, c.Green, c.Blue, c.Alpha};
                    for (int i = 0; i < 4; ++i) {
                        low[i] = channels[i] < low[i] ? channels[i] : low[i];
                        high[i] = channels[i] > high[i] ? channels[i] : high[i];
                    }
                }
            }
            image.At(x, y) = {sum.Red * 0.25, sum.Green * 0.25, sum.Blue * 0.25, sum.Alpha * 0.25};
            bool changes = false;
            for (int i = 0; i < 4; ++i) changes |= high[i] - low[i] > Tolerance;
            if (!changes) continue;
            for (int ny = y - 1; ny <= y + 1; ++ny)
                for (int nx = x - 1; nx <= x + 1; ++nx)
                    if (nx >= 0 && ny >= 0 && nx < width && ny < height)
                        edge[static_cast<std::size_t>(ny) * width + nx] = 1;
        }
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (edge[static_cast<std::size_t>(y) * width + x]) image.At(x, y) = SamplePixel(scene, x, y, n);
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

// The display scale of a DPI: 1.0 at 96, 1.5 at 144; a DPI below 96 (which Windows does not offer)
// counts as 100 %, one above 480 as 500 %.
double ScaleOfDpi(int dpi);

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

// A design drawn at a display scale: at 1.0 with Supersample and `samples`
// per axis, exactly as the committed pictures; at other scales with
// SupersampleEdges and SamplesPerAxis(samples, scale).
template <class Scene>
Image SupersampleAt(double scale, int width, int height, int samples, Scene&& scene) {
    if (scale == 1.0) return Supersample(width, height, samples, scene);
    return SupersampleEdges(width, height, SamplesPerAxis(samples, scale), scene);
}

}  // namespace art
