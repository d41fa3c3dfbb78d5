// The Lua classes IMaterial and ITexture: native entry points used by other bindings.
#pragma once

class CLuaClass;
class IMaterial;
class ITexture;

extern CLuaClass LC_IMaterial;
extern CLuaClass LC_ITexture;

// Pushes an IMaterial userdata. The caller has already added the reference that the
// userdata's __gc gives back.
void Push_IMaterial(IMaterial *material);
// The material of the IMaterial at the stack index (the argument type error for another type).
IMaterial *Get_IMaterial(int index);
