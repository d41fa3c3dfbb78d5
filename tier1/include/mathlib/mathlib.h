// Conversions between Euler angles, direction vectors, rotation matrices and quaternions,
// following the engine's conventions so values agree with those the engine hands out.
#pragma once

#include "mathlib/vector.h"

// Single-precision conversion constants.
constexpr float M_DEG2RAD_F = 0.017453292f;     // degrees to radians
constexpr float M_HALFDEG2RAD_F = 0.008726646f;  // degrees to half the angle in radians
constexpr float M_RAD2DEG_F = 57.295776f;       // radians to degrees

// Direction vectors of the angles; each output is written only when it is not null.
void AngleVectors(const QAngle &angles, Vector *forward, Vector *right = nullptr, Vector *up = nullptr);
void AngleMatrix(const QAngle &angles, matrix3x4_t &matrix);
void MatrixAngles(const matrix3x4_t &matrix, float *angles);  // pitch, yaw, roll
void MatrixAngles(const matrix3x4_t &matrix, QAngle &angles);

// Pitch and yaw of a direction in 0..360, roll 0.
void VectorAngles(const Vector &forward, QAngle &angles);
// Pitch, yaw and roll from a direction and an up hint.
void VectorAngles(const Vector &forward, const Vector &pseudoup, QAngle &angles);

void VectorRotate(const Vector &in, const matrix3x4_t &matrix, Vector &out);
void VectorIRotate(const Vector &in, const matrix3x4_t &matrix, Vector &out);
// out = a x b as affine transforms; out may be a or b.
void ConcatTransforms(const matrix3x4_t &a, const matrix3x4_t &b, matrix3x4_t &out);

void AngleQuaternion(const QAngle &angles, Quaternion &q);
void AxisAngleQuaternion(const Vector &axis, float angle, Quaternion &q);
void QuaternionMatrix(const Quaternion &q, matrix3x4_t &matrix);
void QuaternionMatrix(const Quaternion &q, const Vector &pos, matrix3x4_t &matrix);
void QuaternionAngles(const Quaternion &q, QAngle &angles);
// q or -q, whichever is closer to p.
void QuaternionAlign(const Quaternion &p, const Quaternion &q, Quaternion &out);
// Normalised linear blend from p (t = 0) to q (t = 1).
void QuaternionBlend(const Quaternion &p, const Quaternion &q, float t, Quaternion &out);

// The angle in degrees wrapped into -180..180.
float AngleNormalize(float angle);
