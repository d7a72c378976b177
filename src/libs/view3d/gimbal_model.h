#pragma once

#include "libs/view3d/mesh.h"

// What the view draws, chosen by the integer given to the view's Init.
enum class ModelVariant {
    Gimbal = 0,     // base, yaw motor and arm, roll motor and arm, pitch motor, camera
    CameraOnly = 1, // the camera body and lens alone
};

// Any integer the host passes; unknown values draw the full gimbal.
ModelVariant ModelVariantFromInt(int variant);

// Model units: the camera body is one unit wide. All three motor axes meet
// at the origin, the camera's centre, as on a balanced gimbal.
struct GimbalDimensions {
    static constexpr double kGroundLevel = 1.3;   // z of the floor the base stands on
    static constexpr double kGroundRadius = 1.45; // the compass disc around the base
    static constexpr Vec3 kLensFront{0.7, 0.0, 0.0};
    static constexpr Vec3 kModelCentre{0.0, 0.0, 0.5}; // what the view is aimed at
};

// The model in its rest pose: level, lens forward (+x). Colours say what a
// part is: light aluminium arms, graphite motors, a slate camera with a dark
// screen on its back, a viewfinder hump on its top and an orange-ringed blue
// lens at its front, so front from back and up from down read at a glance.
Mesh BuildGimbalModel(ModelVariant variant);
