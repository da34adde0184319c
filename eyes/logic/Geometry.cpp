#include "eyes/logic/Geometry.h"

#include "art/src/Raster.h"

namespace eyes {

namespace {
constexpr float PupilBoxAt100 = 14;
constexpr EyeArea LeftEyeAt100{12, 18, 45, 59};
constexpr EyeArea RightEyeAt100{72, 18, 45, 59};
constexpr float LeftPupilAt100 = 32, RightPupilAt100 = 93, PupilTopAt100 = 43;
constexpr Box SkinHolderAt100{144, 112, 124, 81};

EyeArea Scaled(const EyeArea& area, float scale) {
    return {area.Left * scale, area.Top * scale, area.Width * scale, area.Height * scale};
}
}  // namespace

EyesGeometry GeometryAt(int dpi) {
    const double scale = art::ScaleOfDpi(dpi);
    const auto s = static_cast<float>(scale);
    EyesGeometry geometry{};
    geometry.Scale = scale;
    geometry.LeftEye = Scaled(LeftEyeAt100, s);
    geometry.RightEye = Scaled(RightEyeAt100, s);
    geometry.LeftRest = {LeftRest.Left * scale, LeftRest.Top * scale};
    geometry.RightRest = {RightRest.Left * scale, RightRest.Top * scale};
    geometry.NearRadius = NearRadius * scale;
    // The same rounding as the pupil's picture, which always fits in its box.
    geometry.PupilBox = static_cast<float>(art::ScaledSize(static_cast<int>(PupilBoxAt100), scale));
    geometry.LeftPupilLeft = LeftPupilAt100 * s;
    geometry.RightPupilLeft = RightPupilAt100 * s;
    geometry.PupilTop = PupilTopAt100 * s;
    geometry.SkinHolder = {SkinHolderAt100.Left * s, SkinHolderAt100.Top * s, SkinHolderAt100.Width * s,
                           SkinHolderAt100.Height * s};
    return geometry;
}

}  // namespace eyes
