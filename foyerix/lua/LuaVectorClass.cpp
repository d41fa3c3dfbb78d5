// The Lua class Vector: three single-precision components with arithmetic metamethods.
#include <cmath>
#include <cstdio>
#include <new>
#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "lua/LuaClass.h"
#include "lua/LuaVector.h"
#include "mathlib/mathlib.h"
#include "tier0/dbg.h"

CLuaClass LC_Vector("Vector", 10, nullptr, nullptr);

void Push_Vector(const Vector &value)
{
	Vector *record = new (std::nothrow) Vector(value);
	if (!record)
		Error("Not enough memory to create Vector!");
	LC_Vector.Push(record);
}

Vector *Get_Vector(int index)
{
	return static_cast<Vector *>(LC_Vector.Get(index));
}

namespace
{
// A live Vector argument: a released one is an invalid object.
Vector &Arg(int index)
{
	Vector *v = Get_Vector(index);
	if (!v)
		LuaInvalidObject("Vector");
	return *v;
}

// The processor's reciprocal square-root estimate refined by one Newton step.
float FastRecipSqrt(float s)
{
#if defined(__SSE__) || defined(__x86_64__)
	float r = _mm_cvtss_f32(_mm_rsqrt_ss(_mm_set_ss(s)));
#else
	float r = 1.0f / std::sqrt(s);
#endif
	return (3.0f - r * r * s) * 0.5f * r;
}

Vector Normalized(const Vector &v)
{
	float r = FastRecipSqrt(v.x * v.x + v.y * v.y + v.z * v.z + 1e-10f);
	return Vector(v.x * r, v.y * r, v.z * r);
}

// The component named by the key's first character, or null.
float *Component(Vector &v, const char *key)
{
	switch (key[0])
	{
	case 'x': case 'X': case '1': case 'r': return &v.x;
	case 'y': case 'Y': case '2': case 'g': return &v.y;
	case 'z': case 'Z': case '3': case 'b': return &v.z;
	default: return nullptr;
	}
}

Vector Scaled(const Vector &v, float f) { return Vector(v.x * f, v.y * f, v.z * f); }
}

LUA_CLASS_METHOD(Vector, __gc, LC_Vector)
{
	delete static_cast<Vector *>(LC_Vector.Release(1));
	return 0;
}

LUA_CLASS_METHOD(Vector, __index, LC_Vector)
{
	const char *key = pLua->CheckString(2);
	if (pLua->GetMetaTableMember(1, 2))
		return 1;
	Vector &self = Arg(1);
	float *c = Component(self, key);
	if (!c)
		return 0;
	pLua->PushNumber(*c);
	return 1;
}

LUA_CLASS_METHOD(Vector, __newindex, LC_Vector)
{
	Vector &self = Arg(1);
	const char *key = pLua->CheckString(2);
	if (float *c = Component(self, key))
		*c = static_cast<float>(pLua->GetNumber(3));
	return 0;
}

LUA_CLASS_METHOD(Vector, __tostring, LC_Vector)
{
	Vector &self = Arg(1);
	char text[128];
	snprintf(text, sizeof(text), "%f %f %f", self.x, self.y, self.z);
	pLua->PushString(text, 0);
	return 1;
}

LUA_CLASS_METHOD(Vector, Length, LC_Vector)
{
	Vector &v = Arg(1);
	pLua->PushNumber(std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
	return 1;
}

LUA_CLASS_METHOD(Vector, __eq, LC_Vector)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	pLua->PushBool(a.x == b.x && a.y == b.y && a.z == b.z);
	return 1;
}

LUA_CLASS_METHOD(Vector, __add, LC_Vector)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	Push_Vector(Vector(a.x + b.x, a.y + b.y, a.z + b.z));
	return 1;
}

LUA_CLASS_METHOD(Vector, Add, LC_Vector)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	a.x += b.x;
	a.y += b.y;
	a.z += b.z;
	return 0;
}

LUA_CLASS_METHOD(Vector, Sub, LC_Vector)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	a.x -= b.x;
	a.y -= b.y;
	a.z -= b.z;
	return 0;
}

LUA_CLASS_METHOD(Vector, Mul, LC_Vector)
{
	Vector &a = Arg(1);
	a = Scaled(a, static_cast<float>(pLua->GetNumber(2)));
	return 0;
}

LUA_CLASS_METHOD(Vector, __sub, LC_Vector)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	Push_Vector(Vector(a.x - b.x, a.y - b.y, a.z - b.z));
	return 1;
}

LUA_CLASS_METHOD(Vector, __mul, LC_Vector)
{
	if (pLua->IsType(1, 10) && pLua->IsType(2, 10))
	{
		Vector &a = Arg(1);
		Vector &b = Arg(2);
		Push_Vector(Vector(a.x * b.x, a.y * b.y, a.z * b.z));
	}
	else if (!pLua->IsType(1, LUA_TYPE_NUMBER))
		Push_Vector(Scaled(Arg(1), static_cast<float>(pLua->GetNumber(2))));
	else
		Push_Vector(Scaled(Arg(2), static_cast<float>(pLua->GetNumber(1))));
	return 1;
}

LUA_CLASS_METHOD(Vector, __div, LC_Vector)
{
	bool firstNumber = pLua->IsType(1, LUA_TYPE_NUMBER);
	bool secondNumber = pLua->IsType(2, LUA_TYPE_NUMBER);
	if (!firstNumber && !secondNumber)
		return 0;
	if (!firstNumber)
		Push_Vector(Scaled(Arg(1), 1.0f / static_cast<float>(pLua->GetNumber(2))));
	else
		Push_Vector(Scaled(Arg(2), 1.0f / static_cast<float>(pLua->GetNumber(1))));
	return 1;
}

LUA_CLASS_METHOD(Vector, Normalize, LC_Vector)
{
	Vector &v = Arg(1);
	v = Normalized(v);
	return 0;
}

static int Vector__GetNormal__Shared(ILuaInterface *)
{
	Push_Vector(Normalized(Arg(1)));
	return 1;
}

LUA_CLASS_METHOD(Vector, GetNormal, LC_Vector) { return Vector__GetNormal__Shared(pLua); }
LUA_CLASS_METHOD(Vector, GetNormalized, LC_Vector) { return Vector__GetNormal__Shared(pLua); }

static int Vector__Dot__Shared(ILuaInterface *pLua)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	pLua->PushNumber(a.x * b.x + a.y * b.y + a.z * b.z);
	return 1;
}

LUA_CLASS_METHOD(Vector, Dot, LC_Vector) { return Vector__Dot__Shared(pLua); }
LUA_CLASS_METHOD(Vector, DotProduct, LC_Vector) { return Vector__Dot__Shared(pLua); }

LUA_CLASS_METHOD(Vector, Cross, LC_Vector)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	Push_Vector(Vector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x));
	return 1;
}

static float DistSqr(const Vector &a, const Vector &b)
{
	float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
	return dx * dx + dy * dy + dz * dz;
}

LUA_CLASS_METHOD(Vector, Distance, LC_Vector)
{
	pLua->PushNumber(std::sqrt(DistSqr(Arg(1), Arg(2))));
	return 1;
}

LUA_CLASS_METHOD(Vector, Angle, LC_Vector)
{
	QAngle angles;
	VectorAngles(Normalized(Arg(1)), angles);
	Push_Angle(angles);
	return 1;
}

LUA_CLASS_METHOD(Vector, AngleEx, LC_Vector)
{
	Vector forward = Normalized(Arg(1));
	Vector up = Normalized(Arg(2));
	QAngle angles;
	VectorAngles(forward, up, angles);
	Push_Angle(angles);
	return 1;
}

LUA_CLASS_METHOD(Vector, Rotate, LC_Vector)
{
	Vector &self = Arg(1);
	QAngle *angle = Get_Angle(2);
	if (!angle)
		LuaInvalidObject("Angle");
	matrix3x4_t m;
	AngleMatrix(*angle, m);
	Vector out;
	VectorRotate(self, m, out);
	self = out;
	return 0;
}

LUA_CLASS_METHOD(Vector, Length2D, LC_Vector)
{
	Vector &v = Arg(1);
	pLua->PushNumber(std::sqrt(v.x * v.x + v.y * v.y));
	return 1;
}

LUA_CLASS_METHOD(Vector, LengthSqr, LC_Vector)
{
	Vector &v = Arg(1);
	pLua->PushNumber(v.x * v.x + v.y * v.y + v.z * v.z);
	return 1;
}

LUA_CLASS_METHOD(Vector, Length2DSqr, LC_Vector)
{
	Vector &v = Arg(1);
	pLua->PushNumber(v.x * v.x + v.y * v.y);
	return 1;
}

LUA_CLASS_METHOD(Vector, DistToSqr, LC_Vector)
{
	pLua->PushNumber(DistSqr(Arg(1), Arg(2)));
	return 1;
}

LUA_CLASS_METHOD(Vector, WithinAABox, LC_Vector)
{
	Vector &v = Arg(1);
	Vector &lo = Arg(2);
	Vector &hi = Arg(3);
	bool inside = true;
	for (int i = 0; i < 3; ++i)
		inside = inside && lo[i] <= v[i] && v[i] <= hi[i];
	pLua->PushBool(inside);
	return 1;
}

LUA_CLASS_METHOD(Vector, IsZero, LC_Vector)
{
	Vector &v = Arg(1);
	bool zero = true;
	for (int i = 0; i < 3; ++i)
		zero = zero && v[i] > -0.01f && v[i] < 0.01f;
	pLua->PushBool(zero);
	return 1;
}

LUA_CLASS_METHOD(Vector, IsEqualTol, LC_Vector)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	float tolerance = static_cast<float>(pLua->CheckNumber(3));
	bool equal = true;
	for (int i = 0; i < 3; ++i)
		equal = equal && std::fabs(a[i] - b[i]) <= tolerance;
	pLua->PushBool(equal);
	return 1;
}

LUA_CLASS_METHOD(Vector, Zero, LC_Vector)
{
	Arg(1) = Vector(0, 0, 0);
	return 0;
}

LUA_CLASS_METHOD(Vector, Set, LC_Vector)
{
	Vector &a = Arg(1);
	a = Arg(2);
	return 0;
}

LUA_GLOBAL_FUNCTION(Vector)
{
	Vector v;
	float x = 0, y = 0, z = 0;
	if (pLua->IsType(1, LUA_TYPE_STRING) && sscanf(pLua->GetString(1, nullptr), "%f %f %f", &x, &y, &z) == 3)
		v = Vector(x, y, z);
	else if (pLua->IsType(1, LUA_TYPE_NUMBER) || pLua->IsType(1, LUA_TYPE_STRING))
		v = Vector(static_cast<float>(pLua->GetNumber(1)), static_cast<float>(pLua->GetNumber(2)),
		           static_cast<float>(pLua->GetNumber(3)));
	Push_Vector(v);
	return 1;
}

LUA_GLOBAL_FUNCTION(OrderVectors)
{
	Vector &a = Arg(1);
	Vector &b = Arg(2);
	for (int i = 0; i < 3; ++i)
	{
		float lo = a[i] < b[i] ? a[i] : b[i];
		float hi = a[i] < b[i] ? b[i] : a[i];
		a[i] = lo;
		b[i] = hi;
	}
	return 0;
}

LUA_GLOBAL_FUNCTION(LerpVector)
{
	float fraction = static_cast<float>(pLua->CheckNumber(1));
	Vector &from = Arg(2);
	Vector &to = Arg(3);
	Push_Vector(Vector(from.x + (to.x - from.x) * fraction, from.y + (to.y - from.y) * fraction,
	                   from.z + (to.z - from.z) * fraction));
	return 1;
}
