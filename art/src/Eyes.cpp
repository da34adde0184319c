// Pupil, skins and icons: everything that shows eyes.
#include <algorithm>
#include <cmath>

#include "art/src/Artwork.h"

namespace art {

namespace {

constexpr int samplesPerAxis = 16;
const Colour white = solid(255, 255, 255);

double length(double x, double y) { return std::sqrt(x * x + y * y); }

// A light crescent just inside the upper-left rim of an eye white, the
// reflection of a window light on a glossy ball. 0..1.
double glossAmount(const Ellipse& eye, double x, double y) {
    const double u = (x - eye.cx) / eye.rx;
    const double v = (y - eye.cy) / eye.ry;
    const double r = length(u, v);
    if (r < 1e-9) return 0.0;
    const double band = smoothstep(0.50, 0.66, r) * (1.0 - smoothstep(0.80, 0.92, r));
    const double facing = smoothstep(0.25, 0.85, -(0.55 * u + 0.83 * v) / r);
    return band * facing;
}

// Glossy white: white in the middle, cool light grey towards the
// lower right edge.
Colour glossyWhite(const Ellipse& eye, double x, double y) {
    const double u = (x - eye.cx) / eye.rx;
    const double v = (y - eye.cy) / eye.ry;
    const double edge = smoothstep(0.3, 1.0, u * u + v * v);
    const double lower = clamp01(0.5 + 0.5 * (0.45 * u + 0.85 * v));
    const Colour base = lerp(white, solid(206, 210, 222), edge * (0.4 + 0.6 * lower));
    return over(fade(white, glossAmount(eye, x, y)), base);
}

// Soft drop shadow of a set of shapes: coverage, moved, blurred.
template <class Inside>
Image dropShadow(int width, int height, double dx, double dy, double opacity, int passes, Inside inside) {
    const Colour shade = fade(solid(0, 0, 0), opacity);
    const Image mask =
        supersample(width, height, 4, [&](double x, double y) { return inside(x - dx, y - dy) ? shade : Colour{}; });
    return blur(mask, passes);
}

}  // namespace

Pixmap drawPupil() {
    constexpr int size = 13;
    const Ellipse disc{6.5, 6.5, 6.5, 6.5};
    // Lit from the upper left: dark grey there, black at the lower right.
    auto shade = [](double x, double y) {
        const double t = clamp01(length(x - 4.2, y - 4.0) / 9.5);
        return lerp(solid(78, 78, 82), solid(4, 4, 5), t);
    };
    const Image dark = supersample(size, size, samplesPerAxis,
                                   [&](double x, double y) { return disc.contains(x, y) ? shade(x, y) : Colour{}; });
    Pixmap out(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Colour c = dark.at(x, y);
            if (c.a <= 0.0) {
                out.at(x, y) = pupilKeyColour;
                continue;
            }
            // The pupil always lies on eye-white, so the rim blends to white.
            const Colour onWhite = over(c, white);
            Rgba8 p{toByte(onWhite.r), toByte(onWhite.g), toByte(onWhite.b), 255};
            if (p == pupilKeyColour) p.r = p.g = p.b = 231;  // would punch a hole
            out.at(x, y) = p;
        }
    }
    return out;
}

Image drawSkin(SkinStyle style) {
    constexpr int width = 130, height = 90;
    // The eye-white reaches beyond the eye area so that every position of
    // the pupil's square box, corners included, lies on opaque white.
    constexpr double whiteMargin = 3.8;
    const Ellipse whites[] = {leftEyeArea.grown(whiteMargin), rightEyeArea.grown(whiteMargin)};
    const bool tavrin = style == SkinStyle::Tavrin;
    const double rimWidth = tavrin ? 2.5 : 1.4;

    const Image eyes = supersample(width, height, samplesPerAxis, [&](double x, double y) -> Colour {
        for (const Ellipse& eye : whites) {
            if (eye.contains(x, y)) {
                if (tavrin) return glossyWhite(eye, x, y);
                const double n = eye.norm(x, y);
                return lerp(solid(255, 255, 255), solid(200, 201, 205), std::pow(smoothstep(0.1, 1.0, n), 1.6));
            }
            const Ellipse rim = eye.grown(rimWidth);
            if (rim.contains(x, y)) {
                if (tavrin) {
                    // Black rim, a touch lighter at the top where the light falls.
                    const double down = clamp01((y - (eye.cy - eye.ry)) / (2 * eye.ry));
                    return lerp(solid(62, 64, 70), solid(6, 6, 8), down);
                }
                // Thin grey rim fading out towards its outer edge. Along a ray
                // from the centre, `across` runs from 0 on the white's edge to 1
                // on the rim's outer edge.
                const double a = std::sqrt(eye.norm(x, y));
                const double b = std::sqrt(rim.norm(x, y));
                const double across = clamp01((1.0 - 1.0 / a) / (1.0 / b - 1.0 / a));
                return fade(solid(150, 152, 158), 1.0 - 0.7 * smoothstep(0.3, 1.0, across));
            }
        }
        return {};
    });

    const double reach = rimWidth;
    const Image shadow = dropShadow(width, height, 1.0, 1.5, tavrin ? 0.5 : 0.3, 5, [&](double x, double y) {
        return whites[0].grown(reach).contains(x, y) || whites[1].grown(reach).contains(x, y);
    });
    return compose(eyes, shadow);
}

Pixmap drawPlaceholder() { return Pixmap(124, 81); }

namespace {

// Geometry of an eyes icon in pixels, snapped to the pixel grid where it
// matters for sharp small sizes.
struct IconLayout {
    double rim;
    Ellipse outer[2];  // outline of each eye including the rim
    Ellipse white[2];
    Ellipse pupil[2];
    double shadowDrop;
};

double snapCentre(double centre, double diameter) {
    // An odd whole diameter is sharp when centred on a pixel centre, an even
    // one when centred on a pixel corner.
    const long d = std::lround(diameter);
    return d % 2 ? std::floor(centre) + 0.5 : std::round(centre);
}

IconLayout layoutIcon(int size, Gaze gaze) {
    const double s = size;
    IconLayout l{};
    l.rim = std::max(1.0, std::round(s * 0.055 * 2.0) / 2.0);
    const double eyeWidth = std::round(s * 0.47);
    const double eyeHeight = std::round(s * 0.86);
    // Large icons keep room below for the shadow; small ones are centred.
    const double top = size < 24 ? std::floor((s - eyeHeight) / 2.0) : std::floor((s - eyeHeight) / 2.0 - s * 0.02);
    for (int i = 0; i < 2; ++i) {
        const double left = i == 0 ? s / 2.0 - eyeWidth : s / 2.0;
        l.outer[i] = {left + eyeWidth / 2.0, top + eyeHeight / 2.0, eyeWidth / 2.0, eyeHeight / 2.0};
        l.white[i] = l.outer[i].grown(-l.rim);
        const Ellipse& w = l.white[i];
        const double radius = std::max(1.5, w.rx * 0.58);
        // The pupil goes as far as the gaze says, short of a sliver of white.
        const double gap = w.rx * 0.07;
        const double travelX = std::max(0.0, w.rx - radius - gap);
        const double travelY = std::max(0.0, w.ry - radius - gap);
        double px = w.cx + gaze.x * travelX;
        double py = w.cy + gaze.y * travelY;
        if (size <= 24) {
            px = snapCentre(px, 2 * radius);
            py = snapCentre(py, 2 * radius);
        }
        l.pupil[i] = {px, py, radius, radius};
    }
    l.shadowDrop = std::max(1.0, s * 0.03);
    return l;
}

Colour iconEye(const IconLayout& l, Finish finish, double x, double y, bool catchLights) {
    // The right eye is drawn over the left one where they meet.
    for (int i = 1; i >= 0; --i) {
        if (!l.outer[i].contains(x, y)) continue;
        if (!l.white[i].contains(x, y)) {
            if (finish == Finish::Flat) return solid(24, 24, 24);  // neutral: greys map to greys in 16 colours
            const double down = clamp01((y - (l.outer[i].cy - l.outer[i].ry)) / (2 * l.outer[i].ry));
            return lerp(solid(70, 72, 80), solid(10, 10, 12), down);
        }
        const Ellipse& p = l.pupil[i];
        if (p.contains(x, y)) {
            if (catchLights) {
                const Ellipse light{p.cx - p.rx * 0.35, p.cy - p.ry * 0.38, p.rx * 0.3, p.ry * 0.3};
                if (light.contains(x, y)) return white;
            }
            if (finish == Finish::Flat) return solid(20, 20, 20);
            const double t = clamp01(length(x - (p.cx - p.rx * 0.4), y - (p.cy - p.ry * 0.45)) / (p.rx * 1.6));
            return lerp(solid(84, 86, 94), solid(6, 6, 8), t);
        }
        if (finish == Finish::Flat) return white;
        return glossyWhite(l.white[i], x, y);
    }
    return {};
}

// Round blue "i" badge in the lower right corner.
struct InfoBadge {
    Ellipse ring, disc, dot;
    double stemLeft, stemRight, stemTop, stemBottom;
};

InfoBadge layoutBadge(int size) {
    const double s = size;
    const double stem = std::max(1.0, std::round(s * 0.5 * 0.18));
    double diameter = std::round(s * 0.5);
    if (std::lround(diameter - stem) % 2) diameter += 1;
    const double c = s - diameter / 2.0;
    const double border = std::max(1.0, std::round(s / 24.0));
    InfoBadge b{};
    b.ring = {c, c, diameter / 2.0, diameter / 2.0};
    b.disc = b.ring.grown(-border);
    const double inner = b.disc.rx * 2.0;
    b.stemLeft = c - stem / 2.0;
    b.stemRight = c + stem / 2.0;
    b.stemTop = std::round(c - inner * 0.12);
    b.stemBottom = std::round(c + inner * 0.34);
    const double dotBottom = b.stemTop - std::max(1.0, std::round(inner * 0.1));
    b.dot = {c, dotBottom - stem / 2.0, stem / 2.0 + (size > 24 ? 0.25 : 0.0), stem / 2.0 + (size > 24 ? 0.25 : 0.0)};
    return b;
}

bool inSquareDot(const InfoBadge& b, double x, double y) {
    // At small sizes a round dot of one or two pixels would blur: square it.
    return std::abs(x - b.dot.cx) <= b.dot.rx && std::abs(y - b.dot.cy) <= b.dot.ry;
}

Colour infoBadge(const InfoBadge& b, int size, Finish finish, double x, double y, bool& hit) {
    hit = b.ring.contains(x, y);
    if (!hit) return {};
    if (!b.disc.contains(x, y)) return white;
    const bool dot = size > 24 ? b.dot.contains(x, y) : inSquareDot(b, x, y);
    if (dot || (x >= b.stemLeft && x < b.stemRight && y >= b.stemTop && y < b.stemBottom)) return white;
    if (finish == Finish::Flat) return solid(16, 72, 224);  // stays blue in 16 colours
    const double t = clamp01((y - (b.disc.cy - b.disc.ry)) / (2 * b.disc.ry));
    return lerp(solid(84, 160, 240), solid(20, 84, 196), t);
}

}  // namespace

Pixmap drawEyesIcon(int size, Gaze gaze, Finish finish, bool withBadge) {
    const IconLayout l = layoutIcon(size, gaze);
    const InfoBadge badge = layoutBadge(size);
    const bool catchLights = size >= 32;
    const Image front = supersample(size, size, samplesPerAxis, [&](double x, double y) -> Colour {
        if (withBadge) {
            bool hit = false;
            const Colour c = infoBadge(badge, size, finish, x, y, hit);
            if (hit) return c;
        }
        return iconEye(l, finish, x, y, catchLights);
    });
    if (finish == Finish::Flat || size < 24) return straighten(front);

    const int passes = std::max(2, size / 12);
    const Image shadow = dropShadow(size, size, 0.0, l.shadowDrop, 0.45, passes, [&](double x, double y) {
        return l.outer[0].contains(x, y) || l.outer[1].contains(x, y);
    });
    return straighten(compose(front, shadow));
}

}  // namespace art
