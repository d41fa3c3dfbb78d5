// Vector, QAngle, Quaternion and matrix3x4_t: the plain float records of the 3-D math.
// Axes: x forward, y left, z up; angles in degrees as pitch, yaw, roll.
#pragma once

struct Vector
{
    float x, y, z;

    Vector() : x(0.0f), y(0.0f), z(0.0f) {}
    Vector(float fx, float fy, float fz) : x(fx), y(fy), z(fz) {}

    float &operator[](int i) { return (&x)[i]; }
    float operator[](int i) const { return (&x)[i]; }
    float *Base() { return &x; }
    const float *Base() const { return &x; }
};

struct QAngle
{
    float x, y, z;  // pitch, yaw, roll

    QAngle() : x(0.0f), y(0.0f), z(0.0f) {}
    QAngle(float pitch, float yaw, float roll) : x(pitch), y(yaw), z(roll) {}

    float &operator[](int i) { return (&x)[i]; }
    float operator[](int i) const { return (&x)[i]; }
    float *Base() { return &x; }
    const float *Base() const { return &x; }
};

struct Quaternion
{
    float x, y, z, w;  // w is the real part

    Quaternion() : x(0.0f), y(0.0f), z(0.0f), w(0.0f) {}
    Quaternion(float fx, float fy, float fz, float fw) : x(fx), y(fy), z(fz), w(fw) {}

    float &operator[](int i) { return (&x)[i]; }
    float operator[](int i) const { return (&x)[i]; }
    float *Base() { return &x; }
    const float *Base() const { return &x; }
};

// Three rows of four floats; columns 0..2 are the forward, left and up axes, column 3 the translation.
struct matrix3x4_t
{
    float m_flMatVal[3][4];

    float *operator[](int i) { return m_flMatVal[i]; }
    const float *operator[](int i) const { return m_flMatVal[i]; }
    float *Base() { return &m_flMatVal[0][0]; }
    const float *Base() const { return &m_flMatVal[0][0]; }
};
