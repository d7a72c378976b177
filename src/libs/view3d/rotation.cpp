#include "libs/view3d/rotation.h"

#include <cmath>
#include <numbers>

Mat3 Mat3::Identity()
{
    Mat3 identity;
    for (int i = 0; i < 3; ++i) {
        identity.m[i][i] = 1.0;
    }
    return identity;
}

Vec3 Mat3::operator*(Vec3 v) const
{
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

Mat3 Mat3::operator*(const Mat3& other) const
{
    Mat3 product;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            for (int k = 0; k < 3; ++k) {
                product.m[row][column] += m[row][k] * other.m[k][column];
            }
        }
    }
    return product;
}

Mat3 RotationAboutX(double radians)
{
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {{{{1, 0, 0}, {0, c, -s}, {0, s, c}}}};
}

Mat3 RotationAboutY(double radians)
{
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {{{{c, 0, s}, {0, 1, 0}, {-s, 0, c}}}};
}

Mat3 RotationAboutZ(double radians)
{
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {{{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}}};
}

Mat3 RotationFromAttitude(const Attitude& attitude)
{
    return RotationAboutZ(Radians(attitude.yaw)) * RotationAboutY(Radians(attitude.pitch)) *
           RotationAboutX(Radians(attitude.roll));
}

double WrapDegrees(double degrees)
{
    const double wrapped = std::fmod(degrees + 180.0, 360.0);
    return (wrapped < 0.0 ? wrapped + 360.0 : wrapped) - 180.0;
}

double Radians(double degrees)
{
    return WrapDegrees(degrees) * std::numbers::pi / 180.0;
}
