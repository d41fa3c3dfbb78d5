// The Lua class Angle: pitch, yaw and roll in degrees with arithmetic and rotation.
#include <cstdio>
#include <new>

#include "lua/LuaClass.h"
#include "lua/LuaVector.h"
#include "mathlib/mathlib.h"
#include "tier0/dbg.h"

CLuaClass LC_Angle("Angle", 11, nullptr, nullptr);

void Push_Angle(const QAngle &value)
{
	QAngle *record = new (std::nothrow) QAngle(value);
	if (!record)
	{
		Msg("ERROR: Not enough memory to create QAngle for Lua!\n");
		return;
	}
	LC_Angle.Push(record);
}

QAngle *Get_Angle(int index)
{
	return static_cast<QAngle *>(LC_Angle.Get(index));
}

namespace
{
QAngle &Arg(int index)
{
	QAngle *a = Get_Angle(index);
	if (!a)
		LuaInvalidObject("Angle");
	return *a;
}

QAngle Scaled(const QAngle &a, float f) { return QAngle(a.x * f, a.y * f, a.z * f); }
}

LUA_CLASS_METHOD(Angle, __gc, LC_Angle)
{
	delete static_cast<QAngle *>(LC_Angle.Release(1));
	return 0;
}

LUA_CLASS_METHOD(Angle, __newindex, LC_Angle)
{
	QAngle &self = Arg(1);
	const char *key = pLua->CheckString(2);
	float value = static_cast<float>(pLua->GetNumber(3));
	switch (key[0])
	{
	case 'p': case 'P': case 'x': case 'X': case '1': self.x = value; break;
	case 'y': case 'Y': case '2': self.y = value; break;
	case 'r': case 'R': case 'z': case 'Z': case '3': self.z = value; break;
	default: break;
	}
	return 0;
}

LUA_CLASS_METHOD(Angle, __index, LC_Angle)
{
	const char *key = pLua->CheckString(2);
	if (pLua->GetMetaTableMember(1, 2))
		return 1;
	QAngle &self = Arg(1);
	switch (key[0])
	{
	case 'p': case 'P': pLua->PushNumber(self.x); return 1;
	case 'y': case 'Y': pLua->PushNumber(self.y); return 1;
	case 'r': case 'R': pLua->PushNumber(self.z); return 1;
	default: return 0;
	}
}

LUA_CLASS_METHOD(Angle, __tostring, LC_Angle)
{
	QAngle &self = Arg(1);
	char text[64];
	snprintf(text, sizeof(text), "%.3f %.3f %.3f", self.x, self.y, self.z);
	pLua->PushString(text, 0);
	return 1;
}

LUA_CLASS_METHOD(Angle, __add, LC_Angle)
{
	QAngle &a = Arg(1);
	QAngle &b = Arg(2);
	Push_Angle(QAngle(a.x + b.x, a.y + b.y, a.z + b.z));
	return 1;
}

LUA_CLASS_METHOD(Angle, __sub, LC_Angle)
{
	QAngle &a = Arg(1);
	QAngle &b = Arg(2);
	Push_Angle(QAngle(a.x - b.x, a.y - b.y, a.z - b.z));
	return 1;
}

LUA_CLASS_METHOD(Angle, __mul, LC_Angle)
{
	if (!pLua->IsType(1, LUA_TYPE_NUMBER))
	{
		QAngle &a = Arg(1);
		Push_Angle(Scaled(a, static_cast<float>(pLua->CheckNumber(2))));
	}
	else
	{
		QAngle &a = Arg(2);
		Push_Angle(Scaled(a, static_cast<float>(pLua->CheckNumber(1))));
	}
	return 1;
}

LUA_CLASS_METHOD(Angle, Forward, LC_Angle)
{
	Vector forward;
	AngleVectors(Arg(1), &forward);
	Push_Vector(forward);
	return 1;
}

LUA_CLASS_METHOD(Angle, Right, LC_Angle)
{
	Vector right;
	AngleVectors(Arg(1), nullptr, &right, nullptr);
	Push_Vector(right);
	return 1;
}

LUA_CLASS_METHOD(Angle, Up, LC_Angle)
{
	Vector up;
	AngleVectors(Arg(1), nullptr, nullptr, &up);
	Push_Vector(up);
	return 1;
}

LUA_CLASS_METHOD(Angle, RotateAroundAxis, LC_Angle)
{
	QAngle &self = Arg(1);
	Vector *axis = Get_Vector(2);
	if (!axis)
		LuaInvalidObject("Vector");
	float degrees = static_cast<float>(pLua->CheckNumber(3));
	matrix3x4_t m;
	AngleMatrix(self, m);
	Vector local;
	VectorIRotate(*axis, m, local);
	Quaternion q;
	AxisAngleQuaternion(local, degrees, q);
	matrix3x4_t r;
	QuaternionMatrix(q, Vector(0, 0, 0), r);
	matrix3x4_t out;
	ConcatTransforms(m, r, out);
	MatrixAngles(out, self);
	return 0;
}

LUA_CLASS_METHOD(Angle, __eq, LC_Angle)
{
	QAngle *a = static_cast<QAngle *>(LC_Angle.GetIfValid(1));
	QAngle *b = static_cast<QAngle *>(LC_Angle.GetIfValid(2));
	pLua->PushBool(a && b && a->x == b->x && a->y == b->y && a->z == b->z);
	return 1;
}

LUA_CLASS_METHOD(Angle, Normalize, LC_Angle)
{
	QAngle &self = Arg(1);
	self.x = AngleNormalize(self.x);
	self.y = AngleNormalize(self.y);
	self.z = AngleNormalize(self.z);
	return 0;
}

LUA_GLOBAL_FUNCTION(Angle)
{
	QAngle a;
	float p = 0, y = 0, r = 0;
	if (pLua->IsType(1, LUA_TYPE_STRING) && sscanf(pLua->GetString(1, nullptr), "%f %f %f", &p, &y, &r) == 3)
		a = QAngle(p, y, r);
	else if (pLua->IsType(1, LUA_TYPE_NUMBER))
		a = QAngle(static_cast<float>(pLua->CheckNumber(1)), static_cast<float>(pLua->CheckNumber(2)),
		           static_cast<float>(pLua->CheckNumber(3)));
	Push_Angle(a);
	return 1;
}

LUA_GLOBAL_FUNCTION(LerpAngle)
{
	float fraction = static_cast<float>(pLua->CheckNumber(1));
	QAngle &from = Arg(2);
	QAngle &to = Arg(3);
	if (from.x == to.x && from.y == to.y && from.z == to.z)
	{
		Push_Angle(from);
		return 1;
	}
	Quaternion qFrom, qTo, blended;
	AngleQuaternion(from, qFrom);
	AngleQuaternion(to, qTo);
	QuaternionBlend(qFrom, qTo, fraction, blended);
	QAngle out;
	QuaternionAngles(blended, out);
	Push_Angle(out);
	return 1;
}

LUA_CLASS_METHOD(Angle, Set, LC_Angle)
{
	QAngle &a = Arg(1);
	a = Arg(2);
	return 0;
}

LUA_CLASS_METHOD(Angle, Zero, LC_Angle)
{
	Arg(1) = QAngle(0, 0, 0);
	return 0;
}

LUA_CLASS_METHOD(Angle, IsZero, LC_Angle)
{
	QAngle &a = Arg(1);
	pLua->PushBool(a.x == 0 && a.y == 0 && a.z == 0);
	return 1;
}
