// Vector and angle math: angle/vector/matrix/quaternion conversions in the engine's conventions.
#include "mathlib/mathlib.h"

#include <cmath>

namespace {

void SinCos(float radians, float &s, float &c)
{
    s = std::sin(radians);
    c = std::cos(radians);
}

// 1/sqrt(x) estimate refined by one Newton step, as the engine's fast normalise does.
float FastRSqrt(float x)
{
    float r = 1.0f / std::sqrt(x);
    return r * (3.0f - r * r * x) * 0.5f;
}

}  // namespace

void AngleVectors(const QAngle &angles, Vector *forward, Vector *right, Vector *up)
{
    float sp, cp, sy, cy, sr, cr;
    SinCos(angles.x * M_DEG2RAD_F, sp, cp);
    SinCos(angles.y * M_DEG2RAD_F, sy, cy);
    SinCos(angles.z * M_DEG2RAD_F, sr, cr);

    if (forward)
        *forward = Vector(cp * cy, cp * sy, -sp);
    if (right)
        *right = Vector(-sr * sp * cy + cr * sy, -sr * sp * sy - cr * cy, -sr * cp);
    if (up)
        *up = Vector(cr * sp * cy + sr * sy, cr * sp * sy - sr * cy, cr * cp);
}

void AngleMatrix(const QAngle &angles, matrix3x4_t &m)
{
    float sp, cp, sy, cy, sr, cr;
    SinCos(angles.x * M_DEG2RAD_F, sp, cp);
    SinCos(angles.y * M_DEG2RAD_F, sy, cy);
    SinCos(angles.z * M_DEG2RAD_F, sr, cr);

    m[0][0] = cp * cy;
    m[1][0] = cp * sy;
    m[2][0] = -sp;
    m[0][1] = sp * sr * cy - cr * sy;
    m[1][1] = sp * sr * sy + cr * cy;
    m[2][1] = sr * cp;
    m[0][2] = sp * cr * cy + sr * sy;
    m[1][2] = sp * cr * sy - sr * cy;
    m[2][2] = cr * cp;
    m[0][3] = m[1][3] = m[2][3] = 0.0f;
}

void MatrixAngles(const matrix3x4_t &m, float *angles)
{
    float d = std::sqrt(m[0][0] * m[0][0] + m[1][0] * m[1][0]);
    float pitch, yaw, roll;
    if (d > 0.001f) {
        yaw = std::atan2(m[1][0], m[0][0]);
        pitch = std::atan2(-m[2][0], d);
        roll = std::atan2(m[2][1], m[2][2]);
    } else {  // forward nearly vertical: the yaw absorbs the roll
        yaw = std::atan2(-m[0][1], m[1][1]);
        pitch = std::atan2(-m[2][0], d);
        roll = 0.0f;
    }
    angles[0] = pitch * M_RAD2DEG_F;
    angles[1] = yaw * M_RAD2DEG_F;
    angles[2] = roll * M_RAD2DEG_F;
}

void MatrixAngles(const matrix3x4_t &m, QAngle &angles)
{
    MatrixAngles(m, angles.Base());
}

void VectorAngles(const Vector &forward, QAngle &angles)
{
    double yaw, pitch;
    const double pi = 3.141592653589793;
    if (forward.x == 0.0f && forward.y == 0.0f) {
        yaw = 0.0;
        pitch = forward.z > 0.0f ? 270.0 : 90.0;
    } else {
        double x = forward.x, y = forward.y, z = forward.z;
        yaw = std::atan2(y, x) * 180.0 / pi;
        if (yaw < 0.0)
            yaw += 360.0;
        pitch = std::atan2(-z, std::sqrt(x * x + y * y)) * 180.0 / pi;
        if (pitch < 0.0)
            pitch += 360.0;
    }
    angles.x = static_cast<float>(pitch);
    angles.y = static_cast<float>(yaw);
    angles.z = 0.0f;
}

void VectorAngles(const Vector &forward, const Vector &pseudoup, QAngle &angles)
{
    // left = pseudoup x forward, normalised
    Vector left(pseudoup.y * forward.z - pseudoup.z * forward.y,
                pseudoup.z * forward.x - pseudoup.x * forward.z,
                pseudoup.x * forward.y - pseudoup.y * forward.x);
    float r = FastRSqrt(left.x * left.x + left.y * left.y + left.z * left.z + 1e-10f);
    left.x *= r;
    left.y *= r;
    left.z *= r;

    float d = std::sqrt(forward.x * forward.x + forward.y * forward.y);
    float pitch, yaw, roll;
    if (d > 0.001f) {
        yaw = std::atan2(forward.y, forward.x);
        pitch = std::atan2(-forward.z, d);
        roll = std::atan2(left.z, left.y * forward.x - left.x * forward.y);
    } else {
        yaw = std::atan2(-left.x, left.y);
        pitch = std::atan2(-forward.z, d);
        roll = 0.0f;
    }
    angles.x = pitch * M_RAD2DEG_F;
    angles.y = yaw * M_RAD2DEG_F;
    angles.z = roll * M_RAD2DEG_F;
}

void VectorRotate(const Vector &v, const matrix3x4_t &m, Vector &out)
{
    Vector in = v;  // out may alias v
    for (int i = 0; i < 3; ++i)
        out[i] = in.x * m[i][0] + in.y * m[i][1] + in.z * m[i][2];
}

void VectorIRotate(const Vector &v, const matrix3x4_t &m, Vector &out)
{
    Vector in = v;
    for (int i = 0; i < 3; ++i)
        out[i] = in.x * m[0][i] + in.y * m[1][i] + in.z * m[2][i];
}

void ConcatTransforms(const matrix3x4_t &a, const matrix3x4_t &b, matrix3x4_t &out)
{
    matrix3x4_t r;  // every input is read before out is written
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j)
            r[i][j] = a[i][0] * b[0][j] + a[i][1] * b[1][j] + a[i][2] * b[2][j];
        r[i][3] += a[i][3];
    }
    out = r;
}

void AngleQuaternion(const QAngle &angles, Quaternion &q)
{
    float sp, cp, sy, cy, sr, cr;
    SinCos(angles.x * M_HALFDEG2RAD_F, sp, cp);
    SinCos(angles.y * M_HALFDEG2RAD_F, sy, cy);
    SinCos(angles.z * M_HALFDEG2RAD_F, sr, cr);

    q.x = sr * cp * cy - cr * sp * sy;
    q.y = cr * sp * cy + sr * cp * sy;
    q.z = cr * cp * sy - sr * sp * cy;
    q.w = cr * cp * cy + sr * sp * sy;
}

void AxisAngleQuaternion(const Vector &axis, float angle, Quaternion &q)
{
    float s, c;
    SinCos(angle * M_HALFDEG2RAD_F, s, c);
    q = Quaternion(axis.x * s, axis.y * s, axis.z * s, c);
}

void QuaternionMatrix(const Quaternion &q, matrix3x4_t &m)
{
    m[0][0] = 1.0f - 2.0f * q.y * q.y - 2.0f * q.z * q.z;
    m[1][0] = 2.0f * q.x * q.y + 2.0f * q.w * q.z;
    m[2][0] = 2.0f * q.x * q.z - 2.0f * q.w * q.y;

    m[0][1] = 2.0f * q.x * q.y - 2.0f * q.w * q.z;
    m[1][1] = 1.0f - 2.0f * q.x * q.x - 2.0f * q.z * q.z;
    m[2][1] = 2.0f * q.y * q.z + 2.0f * q.w * q.x;

    m[0][2] = 2.0f * q.x * q.z + 2.0f * q.w * q.y;
    m[1][2] = 2.0f * q.y * q.z - 2.0f * q.w * q.x;
    m[2][2] = 1.0f - 2.0f * q.x * q.x - 2.0f * q.y * q.y;

    m[0][3] = m[1][3] = m[2][3] = 0.0f;
}

void QuaternionMatrix(const Quaternion &q, const Vector &pos, matrix3x4_t &m)
{
    QuaternionMatrix(q, m);
    m[0][3] = pos.x;
    m[1][3] = pos.y;
    m[2][3] = pos.z;
}

void QuaternionAngles(const Quaternion &q, QAngle &angles)
{
    matrix3x4_t m;
    QuaternionMatrix(q, m);
    MatrixAngles(m, angles);
}

void QuaternionAlign(const Quaternion &p, const Quaternion &q, Quaternion &out)
{
    float a = 0.0f, b = 0.0f;
    for (int i = 0; i < 4; ++i) {
        a += (p[i] - q[i]) * (p[i] - q[i]);
        b += (p[i] + q[i]) * (p[i] + q[i]);
    }
    if (a > b) {
        for (int i = 0; i < 4; ++i)
            out[i] = -q[i];
    } else if (&out != &q) {
        out = q;
    }
}

void QuaternionBlend(const Quaternion &p, const Quaternion &q, float t, Quaternion &out)
{
    Quaternion aligned;
    QuaternionAlign(p, q, aligned);
    Quaternion r;
    float sclp = 1.0f - t;
    for (int i = 0; i < 4; ++i)
        r[i] = sclp * p[i] + t * aligned[i];
    float len2 = r.x * r.x + r.y * r.y + r.z * r.z + r.w * r.w;
    if (len2 != 0.0f) {
        float inv = 1.0f / std::sqrt(len2);
        for (int i = 0; i < 4; ++i)
            r[i] *= inv;
    }
    out = r;
}

float AngleNormalize(float angle)
{
    float a = std::fmod(angle, 360.0f);
    if (a > 180.0f)
        a -= 360.0f;
    if (a < -180.0f)
        a += 360.0f;
    return a;
}
