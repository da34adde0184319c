#include "eyes/logic/Geometry.h"

#include "art/src/Artwork.h"

namespace eyes {

namespace {
// Where the layout puts the pupils before the first tick, and base_image, at 100 %.
constexpr float LeftPupilAt100 = 32, RightPupilAt100 = 93, PupilTopAt100 = 43;
constexpr Box SkinHolderAt100{144, 112, 124, 81};
}  // namespace

EyesGeometry GeometryAt(int dpi) {
    const double scale = art::ScaleOfDpi(dpi);
    const auto s = static_cast<float>(scale);
    EyesGeometry geometry{};
    geometry.Scale = scale;
    geometry.LeftEye = art::LeftEye.Area.Scaled(s);
    geometry.RightEye = art::RightEye.Area.Scaled(s);
    geometry.LeftRest = {art::LeftEye.RestLeft * scale, art::LeftEye.RestTop * scale};
    geometry.RightRest = {art::RightEye.RestLeft * scale, art::RightEye.RestTop * scale};
    geometry.NearRadius = art::NearRadius * scale;
    // The same rounding as the pupil's picture, which always fits in its box.
    geometry.PupilBox = static_cast<float>(art::ScaledSize(art::PupilBoxSide, scale));
    geometry.LeftPupilLeft = LeftPupilAt100 * s;
    geometry.RightPupilLeft = RightPupilAt100 * s;
    geometry.PupilTop = PupilTopAt100 * s;
    geometry.SkinHolder = SkinHolderAt100.Scaled(s);
    return geometry;
}

}  // namespace eyes
