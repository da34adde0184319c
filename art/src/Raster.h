// Floating-point raster used to draw all artwork, and the 8-bit pixmap the
// file encoders consume.
#pragma once

#include <cstdint>
#include <vector>

namespace art {

// A colour with premultiplied alpha; every channel is in 0..1.
struct Colour {
    double r = 0, g = 0, b = 0, a = 0;
};

// Opaque colour from 8-bit channels.
Colour solid(int r, int g, int b);
// Scales a (premultiplied) colour by an opacity factor.
Colour fade(Colour c, double opacity);
// Porter-Duff "source over".
Colour over(Colour top, Colour bottom);
// Linear interpolation between two colours, t in 0..1.
Colour lerp(Colour from, Colour to, double t);

double clamp01(double v);
// Hermite ramp from 0 at edge0 to 1 at edge1.
double smoothstep(double edge0, double edge1, double v);

class Image {
public:
    Image(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y);
    const Colour& at(int x, int y) const;

private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

// Renders a scene by averaging n x n evenly spread samples per pixel; the
// scene maps a point (pixel (i, j) covers [i, i+1) x [j, j+1)) to a colour.
// Averaging premultiplied colours gives coverage-correct anti-aliasing.
template <class Scene>
Image supersample(int width, int height, int n, Scene&& scene) {
    Image image(width, height);
    const double step = 1.0 / n;
    const double weight = 1.0 / (n * n);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Colour sum;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const Colour c = scene(x + (sx + 0.5) * step, y + (sy + 0.5) * step);
                    sum.r += c.r;
                    sum.g += c.g;
                    sum.b += c.b;
                    sum.a += c.a;
                }
            }
            image.at(x, y) = {sum.r * weight, sum.g * weight, sum.b * weight, sum.a * weight};
        }
    }
    return image;
}

// Blurs with the separable binomial kernel [1 2 1] / 4 applied `passes`
// times in each direction (a close, exactly reproducible Gaussian with
// variance passes / 2). Pixels beyond the border count as transparent.
Image blur(const Image& source, int passes);

// Places `top` over `bottom` pixel by pixel; both must have the same size.
Image compose(const Image& top, const Image& bottom);

// An axis-aligned ellipse.
struct Ellipse {
    double cx, cy, rx, ry;
    // 0 at the centre, 1 on the outline.
    double norm(double x, double y) const {
        const double dx = (x - cx) / rx;
        const double dy = (y - cy) / ry;
        return dx * dx + dy * dy;
    }
    bool contains(double x, double y) const { return norm(x, y) <= 1.0; }
    Ellipse grown(double by) const { return {cx, cy, rx + by, ry + by}; }
};

// 8-bit colour with straight (not premultiplied) alpha.
struct Rgba8 {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba8&, const Rgba8&) = default;
};

struct Pixmap {
    Pixmap(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
    int width;
    int height;
    std::vector<Rgba8> pixels;
    Rgba8& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    const Rgba8& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Rounds a 0..1 channel to 0..255.
std::uint8_t toByte(double v);
// Converts to straight-alpha 8-bit; fully transparent pixels become all zero.
Pixmap straighten(const Image& image);

}  // namespace art
