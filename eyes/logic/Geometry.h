#pragma once
// The eyes' own pixel geometry at a display scale. The design is in pixels at 100 % (96 dpi): the eye
// areas, the rest points, the near radius, the pupils' boxes. At another scale every length is the
// 100 % length times DPI / 96, so the pupil formulas draw the same picture, only finer; the pupils'
// boxes are whole pixels, rounded as the pictures are.

#include "eyes/logic/PupilTracking.h"

namespace eyes {

using Box = forms::Bounds;  // a rectangle in the main window's pixels

struct EyesGeometry {
    double Scale;               // 1.0 at 96 dpi, 1.5 at 144
    EyeArea LeftEye, RightEye;  // CerLeft and CerRight
    RestPoint LeftRest, RightRest;
    double NearRadius;
    float PupilBox;                                 // the side of each pupil's square box
    float LeftPupilLeft, RightPupilLeft, PupilTop;  // the pupils' places before the first tick
    Box SkinHolder;                                 // base_image, outside the window
};

EyesGeometry GeometryAt(int dpi);

}  // namespace eyes
