// The Lua classes Vector and Angle: native entry points used by other bindings.
#pragma once

#include "mathlib/vector.h"

class CLuaClass;
extern CLuaClass LC_Vector;
extern CLuaClass LC_Angle;

// Pushes a new Vector userdata holding a copy of the value.
void Push_Vector(const Vector &value);
// The Vector at the stack index (the argument type error for another type); null when the
// userdata was already released.
Vector *Get_Vector(int index);

// Pushes a new Angle userdata holding a copy of the value (nothing when out of memory).
void Push_Angle(const QAngle &value);
QAngle *Get_Angle(int index);
