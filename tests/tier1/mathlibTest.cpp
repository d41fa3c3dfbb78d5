// Tests of the vector and angle math against hand-worked values and round trips.
#include "mathlib/mathlib.h"

#include <gtest/gtest.h>

namespace {

constexpr float kEps = 1e-4f;

void ExpectVec(const Vector &v, float x, float y, float z, float eps = kEps)
{
    EXPECT_NEAR(v.x, x, eps);
    EXPECT_NEAR(v.y, y, eps);
    EXPECT_NEAR(v.z, z, eps);
}

void ExpectAng(const QAngle &a, float p, float y, float r, float eps = 1e-3f)
{
    EXPECT_NEAR(a.x, p, eps);
    EXPECT_NEAR(a.y, y, eps);
    EXPECT_NEAR(a.z, r, eps);
}

TEST(Mathlib, AngleVectorsAxes)
{
    Vector f, r, u;
    AngleVectors(QAngle(0, 0, 0), &f, &r, &u);
    ExpectVec(f, 1, 0, 0);
    ExpectVec(r, 0, -1, 0);
    ExpectVec(u, 0, 0, 1);

    AngleVectors(QAngle(0, 90, 0), &f, nullptr, nullptr);
    ExpectVec(f, 0, 1, 0);

    // positive pitch looks down
    AngleVectors(QAngle(90, 0, 0), &f);
    ExpectVec(f, 0, 0, -1);
}

TEST(Mathlib, AngleVectorsMatchMatrixColumns)
{
    QAngle a(20, -70, 35);
    Vector f, r, u;
    AngleVectors(a, &f, &r, &u);
    matrix3x4_t m;
    AngleMatrix(a, m);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(m[i][0], f[i], kEps);
        EXPECT_NEAR(m[i][1], -r[i], kEps);  // column 1 is left, the negated right
        EXPECT_NEAR(m[i][2], u[i], kEps);
        EXPECT_EQ(m[i][3], 0.0f);
    }
}

TEST(Mathlib, VectorAnglesSingle)
{
    struct Case { Vector in; float pitch, yaw; } cases[] = {
        {Vector(0, 0, 1), 270, 0},
        {Vector(0, 0, -1), 90, 0},
        {Vector(0, 0, 0), 90, 0},
        {Vector(1, -1, 0), 0, 315},
        {Vector(1, 0, 1), 315, 0},
        {Vector(-1, 0, 0), 0, 180},
    };
    for (const auto &c : cases) {
        QAngle a(5, 5, 5);
        VectorAngles(c.in, a);
        ExpectAng(a, c.pitch, c.yaw, 0);
    }
}

TEST(Mathlib, VectorAnglesWithUp)
{
    QAngle in(30, 45, 60);
    Vector f, r, u;
    AngleVectors(in, &f, &r, &u);
    QAngle out;
    VectorAngles(f, u, out);
    ExpectAng(out, 30, 45, 60, 1e-2f);

    // straight up: roll is 0 and the yaw comes from the left axis
    VectorAngles(Vector(0, 0, 1), Vector(-1, 0, 0), out);
    ExpectAng(out, -90, 0, 0, 1e-2f);
}

TEST(Mathlib, MatrixAnglesRoundTrip)
{
    matrix3x4_t m;
    QAngle out;
    AngleMatrix(QAngle(30, 45, 60), m);
    MatrixAngles(m, out);
    ExpectAng(out, 30, 45, 60);

    // gimbal lock: roll comes back 0 and the yaw absorbs it
    AngleMatrix(QAngle(90, 10, 30), m);
    MatrixAngles(m, out);
    EXPECT_NEAR(out.x, 90, 1e-2f);
    EXPECT_EQ(out.z, 0.0f);
    Vector f1, f2;
    AngleVectors(QAngle(90, 10, 30), nullptr, nullptr, &f1);
    AngleVectors(out, nullptr, nullptr, &f2);
    ExpectVec(f1, f2.x, f2.y, f2.z, 1e-3f);
}

TEST(Mathlib, RotateAndInverse)
{
    matrix3x4_t m;
    AngleMatrix(QAngle(10, 20, 30), m);
    Vector v(1, 2, 3), rotated, back;
    VectorRotate(v, m, rotated);
    VectorIRotate(rotated, m, back);
    ExpectVec(back, 1, 2, 3);

    AngleMatrix(QAngle(0, 90, 0), m);
    VectorRotate(Vector(1, 0, 0), m, rotated);
    ExpectVec(rotated, 0, 1, 0);
}

TEST(Mathlib, ConcatTransformsAliasing)
{
    matrix3x4_t a, b, sep;
    AngleMatrix(QAngle(10, 20, 30), a);
    AngleMatrix(QAngle(-40, 5, 70), b);
    a[0][3] = 1;
    a[1][3] = 2;
    a[2][3] = 3;
    b[0][3] = -4;
    b[1][3] = 5;
    b[2][3] = 6;
    ConcatTransforms(a, b, sep);

    matrix3x4_t inA = a, inB = b;
    ConcatTransforms(inA, b, inA);
    ConcatTransforms(a, inB, inB);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j) {
            EXPECT_FLOAT_EQ(inA[i][j], sep[i][j]);
            EXPECT_FLOAT_EQ(inB[i][j], sep[i][j]);
        }
    // translation: a applied to b's translation plus a's
    Vector t;
    VectorRotate(Vector(-4, 5, 6), a, t);
    ExpectVec(Vector(sep[0][3], sep[1][3], sep[2][3]), t.x + 1, t.y + 2, t.z + 3);
}

TEST(Mathlib, QuaternionAgreesWithMatrix)
{
    QAngle a(25, -110, 40);
    Quaternion q;
    AngleQuaternion(a, q);
    matrix3x4_t fromQ, fromA;
    QuaternionMatrix(q, Vector(7, 8, 9), fromQ);
    AngleMatrix(a, fromA);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(fromQ[i][j], fromA[i][j], kEps);
    EXPECT_EQ(fromQ[0][3], 7);
    EXPECT_EQ(fromQ[2][3], 9);

    QAngle back;
    QuaternionAngles(q, back);
    ExpectAng(back, 25, -110, 40);
}

TEST(Mathlib, AxisAngleQuaternion)
{
    Quaternion q;
    AxisAngleQuaternion(Vector(0, 0, 1), 90, q);
    QAngle a;
    QuaternionAngles(q, a);
    ExpectAng(a, 0, 90, 0);
    // the axis is used as given, not normalised
    AxisAngleQuaternion(Vector(0, 0, 2), 180, q);
    EXPECT_NEAR(q.z, 2.0f, kEps);
    EXPECT_NEAR(q.w, 0.0f, kEps);
}

TEST(Mathlib, QuaternionAlignAndBlend)
{
    Quaternion p(0, 0, 0.6f, 0.8f), negP(0, 0, -0.6f, -0.8f), out;
    QuaternionAlign(p, negP, out);
    EXPECT_FLOAT_EQ(out.z, 0.6f);
    EXPECT_FLOAT_EQ(out.w, 0.8f);

    Quaternion unnormal(0, 0, 1.2f, 1.6f);
    QuaternionBlend(unnormal, Quaternion(1, 0, 0, 0), 0.0f, out);
    EXPECT_NEAR(out.z, 0.6f, kEps);
    EXPECT_NEAR(out.w, 0.8f, kEps);

    // q = -p at t = 1: the alignment flips q, giving p
    QuaternionBlend(p, negP, 1.0f, out);
    EXPECT_NEAR(out.z, 0.6f, kEps);
    EXPECT_NEAR(out.w, 0.8f, kEps);

    // a zero blend stays zero
    QuaternionBlend(Quaternion(0, 0, 0, 0), Quaternion(0, 0, 0, 0), 0.5f, out);
    EXPECT_EQ(out.w, 0.0f);

    // aliasing the output with q
    Quaternion q = negP;
    QuaternionAlign(p, q, q);
    EXPECT_FLOAT_EQ(q.w, 0.8f);
}

TEST(Mathlib, AngleNormalize)
{
    struct Case { float in, out; } cases[] = {
        {190, -170}, {-190, 170}, {540, 180}, {-540, -180}, {180, 180}, {-180, -180}, {0, 0}, {725, 5},
    };
    for (const auto &c : cases)
        EXPECT_FLOAT_EQ(AngleNormalize(c.in), c.out) << c.in;
}

}  // namespace
