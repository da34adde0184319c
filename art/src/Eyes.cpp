// Pupil, skins and icons: everything that shows eyes.
#include <algorithm>
#include <cmath>

#include "art/src/Artwork.h"

namespace art {

namespace {

// Samples per axis and pixel at 100 %.
constexpr int FullSizeSamples = 16;
const Color White = Solid(255, 255, 255);

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

// A light crescent just inside the upper-left rim of an eye white, the
// reflection of a window light on a glossy ball. 0..1.
double GlossAmount(const Ellipse& eye, double x, double y) {
    const double u = (x - eye.Cx) / eye.Rx;
    const double v = (y - eye.Cy) / eye.Ry;
    const double r = Length(u, v);
    if (r < 1e-9) return 0.0;
    const double band = SmoothStep(0.50, 0.66, r) * (1.0 - SmoothStep(0.80, 0.92, r));
    const double facing = SmoothStep(0.25, 0.85, -(0.55 * u + 0.83 * v) / r);
    return band * facing;
}

// Glossy white: white in the middle, cool light grey towards the
// lower right edge.
Color GlossyWhite(const Ellipse& eye, double x, double y) {
    const double u = (x - eye.Cx) / eye.Rx;
    const double v = (y - eye.Cy) / eye.Ry;
    const double edge = SmoothStep(0.3, 1.0, u * u + v * v);
    const double lower = Clamp01(0.5 + 0.5 * (0.45 * u + 0.85 * v));
    const Color base = Lerp(White, Solid(206, 210, 222), edge * (0.4 + 0.6 * lower));
    return Over(Fade(White, GlossAmount(eye, x, y)), base);
}

// Soft drop shadow of a set of shapes: coverage, moved, blurred.
template <class Inside>
Image DropShadow(int width, int height, double dx, double dy, double opacity, int passes, Inside inside) {
    const Color shade = Fade(Solid(0, 0, 0), opacity);
    const Image mask =
        Supersample(width, height, 4, [&](double x, double y) { return inside(x - dx, y - dy) ? shade : Color{}; });
    return Blur(mask, passes);
}

// A rim pixel whose colour comes within NearKeyLevels of the key in every
// channel moves out of that band: lighter if it is lighter than the key (less
// of the disc), darker otherwise.
Rgba8 AwayFromKey(Rgba8 p) {
    const int key[] = {ColorKey.Red, ColorKey.Green, ColorKey.Blue};
    std::uint8_t* channels[] = {&p.Red, &p.Green, &p.Blue};
    int offset = 0;
    for (int i = 0; i < 3; ++i) {
        if (std::abs(*channels[i] - key[i]) > NearKeyLevels) return p;
        offset += *channels[i] - key[i];
    }
    const bool lighter = offset >= 0;
    for (int i = 0; i < 3; ++i) {
        const int c = *channels[i];
        const int next = lighter ? std::max(c, key[i] + NearKeyLevels + 1) : std::min(c, key[i] - NearKeyLevels - 1);
        *channels[i] = static_cast<std::uint8_t>(next);
    }
    return p;
}

}  // namespace

Pixmap DrawPupil(double scale) {
    constexpr int DesignSize = 13;
    const int size = ScaledSize(DesignSize, scale);
    // The disc fills the rounded size: design units per pixel.
    const double unit = static_cast<double>(DesignSize) / size;
    const Ellipse disc{6.5, 6.5, 6.5, 6.5};
    // Lit from the upper left: dark grey there, black at the lower right.
    auto shade = [](double x, double y) {
        const double t = Clamp01(Length(x - 4.2, y - 4.0) / 9.5);
        return Lerp(Solid(78, 78, 82), Solid(4, 4, 5), t);
    };
    const Image dark = SupersampleAt(scale, size, size, FullSizeSamples, [&](double px, double py) {
        const double x = px * unit, y = py * unit;
        return disc.Contains(x, y) ? shade(x, y) : Color{};
    });
    Pixmap out(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Color c = dark.At(x, y);
            if (c.Alpha <= 0.0) {
                out.At(x, y) = PupilKeyColor;
                continue;
            }
            // The pupil always lies on eye-white, so the rim blends to white.
            const Color onWhite = Over(c, White);
            out.At(x, y) = AwayFromKey({ToByte(onWhite.Red), ToByte(onWhite.Green), ToByte(onWhite.Blue), 255});
        }
    }
    return out;
}

Image DrawSkin(SkinStyle style, double scale) {
    const int width = ScaledSize(130, scale), height = ScaledSize(90, scale);
    // The eye-white reaches beyond the eye area so that every position of
    // the pupil's square box, corners included, lies on opaque white.
    constexpr double WhiteMargin = 3.8;
    const Ellipse whites[] = {LeftEyeArea.Grown(WhiteMargin), RightEyeArea.Grown(WhiteMargin)};
    const bool tavrin = style == SkinStyle::Tavrin;
    const double rimWidth = tavrin ? 2.5 : 1.4;

    const Image eyes = SupersampleAt(scale, width, height, FullSizeSamples, [&](double px, double py) -> Color {
        const double x = px / scale, y = py / scale;
        for (const Ellipse& eye : whites) {
            if (eye.Contains(x, y)) {
                if (tavrin) return GlossyWhite(eye, x, y);
                const double n = eye.Norm(x, y);
                return Lerp(Solid(255, 255, 255), Solid(200, 201, 205), std::pow(SmoothStep(0.1, 1.0, n), 1.6));
            }
            const Ellipse rim = eye.Grown(rimWidth);
            if (rim.Contains(x, y)) {
                if (tavrin) {
                    // Black rim, a touch lighter at the top where the light falls.
                    const double down = Clamp01((y - (eye.Cy - eye.Ry)) / (2 * eye.Ry));
                    return Lerp(Solid(62, 64, 70), Solid(6, 6, 8), down);
                }
                // Thin grey rim fading out towards its outer edge. Along a ray
                // from the centre, `across` runs from 0 on the white's edge to 1
                // on the rim's outer edge.
                const double a = std::sqrt(eye.Norm(x, y));
                const double b = std::sqrt(rim.Norm(x, y));
                const double across = Clamp01((1.0 - 1.0 / a) / (1.0 / b - 1.0 / a));
                return Fade(Solid(150, 152, 158), 1.0 - 0.7 * SmoothStep(0.3, 1.0, across));
            }
        }
        return {};
    });

    const double reach = rimWidth;
    // The blur's spread grows with the scale: its variance, passes / 2, with the scale squared.
    const int passes = static_cast<int>(std::lround(5 * scale * scale));
    const Image shadow =
        DropShadow(width, height, 1.0 * scale, 1.5 * scale, tavrin ? 0.5 : 0.3, passes, [&](double px, double py) {
            const double x = px / scale, y = py / scale;
            return whites[0].Grown(reach).Contains(x, y) || whites[1].Grown(reach).Contains(x, y);
        });
    return Compose(eyes, shadow);
}

Pixmap DrawPlaceholder(double scale) { return Pixmap(ScaledSize(124, scale), ScaledSize(81, scale)); }

namespace {

// Geometry of an eyes icon in pixels, snapped to the pixel grid where it
// matters for sharp small sizes.
struct IconLayout {
    double Rim;
    Ellipse Outer[2];  // outline of each eye including the rim
    Ellipse White[2];
    Ellipse Pupil[2];
    double ShadowDrop;
};

double SnapCentre(double centre, double diameter) {
    // An odd whole diameter is sharp when centred on a pixel centre, an even
    // one when centred on a pixel corner.
    const long d = std::lround(diameter);
    return d % 2 ? std::floor(centre) + 0.5 : std::round(centre);
}

IconLayout LayoutIcon(int size, Gaze gaze) {
    const double s = size;
    IconLayout l{};
    l.Rim = std::max(1.0, std::round(s * 0.055 * 2.0) / 2.0);
    const double eyeWidth = std::round(s * 0.47);
    const double eyeHeight = std::round(s * 0.86);
    // Large icons keep room below for the shadow; small ones are centred.
    const double top = size < 24 ? std::floor((s - eyeHeight) / 2.0) : std::floor((s - eyeHeight) / 2.0 - s * 0.02);
    for (int i = 0; i < 2; ++i) {
        const double left = i == 0 ? s / 2.0 - eyeWidth : s / 2.0;
        l.Outer[i] = {left + eyeWidth / 2.0, top + eyeHeight / 2.0, eyeWidth / 2.0, eyeHeight / 2.0};
        l.White[i] = l.Outer[i].Grown(-l.Rim);
        const Ellipse& w = l.White[i];
        const double radius = std::max(1.5, w.Rx * 0.58);
        // The pupil goes as far as the gaze says, short of a sliver of white.
        const double gap = w.Rx * 0.07;
        const double travelX = std::max(0.0, w.Rx - radius - gap);
        const double travelY = std::max(0.0, w.Ry - radius - gap);
        double px = w.Cx + gaze.X * travelX;
        double py = w.Cy + gaze.Y * travelY;
        if (size <= 24) {
            px = SnapCentre(px, 2 * radius);
            py = SnapCentre(py, 2 * radius);
        }
        l.Pupil[i] = {px, py, radius, radius};
    }
    l.ShadowDrop = std::max(1.0, s * 0.03);
    return l;
}

Color IconEye(const IconLayout& l, Finish finish, double x, double y, bool catchLights) {
    // The right eye is drawn over the left one where they meet.
    for (int i = 1; i >= 0; --i) {
        if (!l.Outer[i].Contains(x, y)) continue;
        if (!l.White[i].Contains(x, y)) {
            if (finish == Finish::Flat) return Solid(24, 24, 24);  // neutral: greys map to greys in 16 colours
            const double down = Clamp01((y - (l.Outer[i].Cy - l.Outer[i].Ry)) / (2 * l.Outer[i].Ry));
            return Lerp(Solid(70, 72, 80), Solid(10, 10, 12), down);
        }
        const Ellipse& p = l.Pupil[i];
        if (p.Contains(x, y)) {
            if (catchLights) {
                const Ellipse light{p.Cx - p.Rx * 0.35, p.Cy - p.Ry * 0.38, p.Rx * 0.3, p.Ry * 0.3};
                if (light.Contains(x, y)) return White;
            }
            if (finish == Finish::Flat) return Solid(20, 20, 20);
            const double t = Clamp01(Length(x - (p.Cx - p.Rx * 0.4), y - (p.Cy - p.Ry * 0.45)) / (p.Rx * 1.6));
            return Lerp(Solid(84, 86, 94), Solid(6, 6, 8), t);
        }
        if (finish == Finish::Flat) return White;
        return GlossyWhite(l.White[i], x, y);
    }
    return {};
}

// Round blue "i" badge in the lower right corner.
struct InfoBadge {
    Ellipse Ring, Disc, Dot;
    double StemLeft, StemRight, StemTop, StemBottom;
};

InfoBadge LayoutBadge(int size) {
    const double s = size;
    const double stem = std::max(1.0, std::round(s * 0.5 * 0.18));
    double diameter = std::round(s * 0.5);
    if (std::lround(diameter - stem) % 2) diameter += 1;
    const double c = s - diameter / 2.0;
    const double border = std::max(1.0, std::round(s / 24.0));
    InfoBadge b{};
    b.Ring = {c, c, diameter / 2.0, diameter / 2.0};
    b.Disc = b.Ring.Grown(-border);
    const double inner = b.Disc.Rx * 2.0;
    b.StemLeft = c - stem / 2.0;
    b.StemRight = c + stem / 2.0;
    b.StemTop = std::round(c - inner * 0.12);
    b.StemBottom = std::round(c + inner * 0.34);
    const double dotBottom = b.StemTop - std::max(1.0, std::round(inner * 0.1));
    b.Dot = {c, dotBottom - stem / 2.0, stem / 2.0 + (size > 24 ? 0.25 : 0.0), stem / 2.0 + (size > 24 ? 0.25 : 0.0)};
    return b;
}

bool InSquareDot(const InfoBadge& b, double x, double y) {
    // At small sizes a round dot of one or two pixels would blur: square it.
    return std::abs(x - b.Dot.Cx) <= b.Dot.Rx && std::abs(y - b.Dot.Cy) <= b.Dot.Ry;
}

Color InfoBadgeAt(const InfoBadge& b, int size, Finish finish, double x, double y, bool& hit) {
    hit = b.Ring.Contains(x, y);
    if (!hit) return {};
    if (!b.Disc.Contains(x, y)) return White;
    const bool dot = size > 24 ? b.Dot.Contains(x, y) : InSquareDot(b, x, y);
    if (dot || (x >= b.StemLeft && x < b.StemRight && y >= b.StemTop && y < b.StemBottom)) return White;
    if (finish == Finish::Flat) return Solid(16, 72, 224);  // stays blue in 16 colours
    const double t = Clamp01((y - (b.Disc.Cy - b.Disc.Ry)) / (2 * b.Disc.Ry));
    return Lerp(Solid(84, 160, 240), Solid(20, 84, 196), t);
}

}  // namespace

Pixmap DrawEyesIcon(int size, Gaze gaze, Finish finish, bool withBadge) {
    const IconLayout l = LayoutIcon(size, gaze);
    const InfoBadge badge = LayoutBadge(size);
    const bool catchLights = size >= 32;
    const Image front = Supersample(size, size, FullSizeSamples, [&](double x, double y) -> Color {
        if (withBadge) {
            bool hit = false;
            const Color c = InfoBadgeAt(badge, size, finish, x, y, hit);
            if (hit) return c;
        }
        return IconEye(l, finish, x, y, catchLights);
    });
    if (finish == Finish::Flat || size < 24) return Straighten(front);

    const int passes = std::max(2, size / 12);
    const Image shadow = DropShadow(size, size, 0.0, l.ShadowDrop, 0.45, passes, [&](double x, double y) {
        return l.Outer[0].Contains(x, y) || l.Outer[1].Contains(x, y);
    });
    return Straighten(Compose(front, shadow));
}

}  // namespace art
