#include "libs/view3d/gimbal_model.h"

#include <array>

namespace {

constexpr SurfaceColour kAluminium{174, 182, 192};
constexpr SurfaceColour kMotor{52, 57, 64};
constexpr SurfaceColour kMotorCap{128, 136, 146};
constexpr SurfaceColour kBaseTop{96, 103, 112};
constexpr SurfaceColour kBase{72, 78, 86};
constexpr SurfaceColour kCameraBody{70, 88, 110};
constexpr SurfaceColour kCameraTop{92, 112, 136};
constexpr SurfaceColour kScreen{22, 30, 40};
constexpr SurfaceColour kLensBarrel{34, 37, 42};
constexpr SurfaceColour kLensRing{232, 121, 43};
constexpr SurfaceColour kGlass{46, 98, 178};

struct BoxPart {
    Link link;
    Vec3 low;
    Vec3 high;
    SurfaceColour colour;
};

struct CylinderPart {
    Link link;
    Vec3 from;
    Vec3 to;
    double radius;
    SurfaceColour side;
    SurfaceColour ends;
};

// The mechanism, from the floor up: a round foot and a post carrying the yaw
// motor under the camera; the yaw arm runs back from it and up to the roll
// motor behind the camera; the roll arm is a yoke around the camera with
// the pitch motor on the right and a bearing on the left.
constexpr std::array kMechanismBoxes{
    BoxPart{Link::YawArm, {-0.86, -0.07, 0.7}, {0.12, 0.07, 0.82}, kAluminium},
    BoxPart{Link::YawArm, {-0.86, -0.07, 0.08}, {-0.74, 0.07, 0.7}, kAluminium},
    BoxPart{Link::RollArm, {-0.62, -0.8, -0.06}, {-0.52, 0.8, 0.06}, kAluminium},
    BoxPart{Link::RollArm, {-0.62, 0.7, -0.06}, {0.08, 0.8, 0.06}, kAluminium},
    BoxPart{Link::RollArm, {-0.62, -0.8, -0.06}, {0.08, -0.7, 0.06}, kAluminium},
};

constexpr std::array kMechanismCylinders{
    CylinderPart{Link::Base, {0, 0, 1.3}, {0, 0, 1.2}, 0.5, kBase, kBaseTop},
    CylinderPart{Link::Base, {0, 0, 1.2}, {0, 0, 1.04}, 0.1, kAluminium, kAluminium},
    CylinderPart{Link::Base, {0, 0, 1.04}, {0, 0, 0.82}, 0.22, kMotor, kMotorCap},
    CylinderPart{Link::YawArm, {-0.86, 0, 0}, {-0.62, 0, 0}, 0.19, kMotor, kMotorCap},
    CylinderPart{Link::RollArm, {0, 0.7, 0}, {0, 0.56, 0}, 0.18, kMotor, kMotorCap},
    CylinderPart{Link::RollArm, {0, -0.7, 0}, {0, -0.6, 0}, 0.1, kMotorCap, kMotorCap},
};

constexpr std::array kCameraBoxes{
    BoxPart{Link::Camera, {-0.3, -0.5, -0.33}, {0.3, 0.5, 0.33}, kCameraBody},
    BoxPart{Link::Camera, {-0.24, -0.17, -0.46}, {0.06, 0.17, -0.33}, kCameraTop},
};

constexpr std::array kCameraCylinders{
    CylinderPart{Link::Camera, {0.3, 0, 0}, {0.62, 0, 0}, 0.24, kLensBarrel, kLensBarrel},
    CylinderPart{Link::Camera, {0.62, 0, 0}, {0.69, 0, 0}, 0.26, kLensRing, kLensRing},
};

void AddParts(Mesh& mesh, const auto& boxes, const auto& cylinders)
{
    for (const BoxPart& box : boxes) {
        mesh.AddBox(box.link, box.low, box.high, box.colour);
    }
    for (const CylinderPart& cylinder : cylinders) {
        mesh.AddCylinder(cylinder.link, cylinder.from, cylinder.to, cylinder.radius, cylinder.side,
                         cylinder.ends);
    }
}

// Thin details laid just outside the faces they sit on, so that they sort in
// front of those faces.
void AddCameraDetails(Mesh& mesh)
{
    mesh.AddDisc(Link::Camera, GimbalDimensions::kLensFront, {1, 0, 0}, 0.19, kGlass);
    mesh.AddPanel(Link::Camera, {-0.31, 0, 0}, {-1, 0, 0}, {0, 1, 0}, 0.36, 0.24, kScreen);
}

} // namespace

ModelVariant ModelVariantFromInt(int variant)
{
    return variant == static_cast<int>(ModelVariant::CameraOnly) ? ModelVariant::CameraOnly
                                                                 : ModelVariant::Gimbal;
}

Mesh BuildGimbalModel(ModelVariant variant)
{
    Mesh mesh;
    if (variant == ModelVariant::Gimbal) {
        AddParts(mesh, kMechanismBoxes, kMechanismCylinders);
    }
    AddParts(mesh, kCameraBoxes, kCameraCylinders);
    AddCameraDetails(mesh);
    return mesh;
}
