// The Lua classes IMaterial and ITexture over the engine's materials and textures, and the
// global functions Material, AddonMaterial and CreateMaterial that obtain materials.
#include "lua/LuaMaterial.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include "IGet.h"
#include "IHostUtil.h"
#include "lua/LuaClass.h"
#include "lua/LuaUtil.h"
#include "lua/LuaVector.h"
#include "materialsystem/imaterialsystem.h"
#include "tier0/platform.h"
#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "tier1/tier2.h"
#include "tier1/utllinkedlist.h"

CLuaClass LC_IMaterial("IMaterial", 21, nullptr, nullptr);
CLuaClass LC_ITexture("ITexture", 25, nullptr, nullptr);

void Push_IMaterial(IMaterial *material) { LC_IMaterial.Push(material); }

IMaterial *Get_IMaterial(int index) { return static_cast<IMaterial *>(LC_IMaterial.Get(index)); }

namespace
{
// One material made by CreateMaterial, holding the list's reference.
struct createdmaterial_t
{
	char name[260];
	IMaterial *material;
};

CUtlLinkedList<createdmaterial_t, unsigned short> g_CreatedMaterials;

// A Lua number truncated toward zero; out-of-range values are clamped, NaN reads 0.
int ToInt(double value)
{
	if (std::isnan(value))
		return 0;
	if (value >= 2147483647.0)
		return 2147483647;
	if (value <= -2147483648.0)
		return -2147483647 - 1;
	return static_cast<int>(value);
}

IHostUtil *HostUtil() { return get ? get->Util() : nullptr; }

IMaterial &SelfMaterial()
{
	IMaterial *material = Get_IMaterial(1);
	if (!material)
		LuaInvalidObject("IMaterial");
	return *material;
}

ITexture &SelfTexture()
{
	ITexture *texture = static_cast<ITexture *>(LC_ITexture.Get(1));
	if (!texture)
		LuaInvalidObject("ITexture");
	return *texture;
}

// The variable named by argument 2 when the material has it (complaints off), else null.
IMaterialVar *FoundVar(IMaterial &material, const char *name)
{
	bool found = false;
	IMaterialVar *var = material.FindVar(name, &found, false);
	return var && found ? var : nullptr;
}

// The texture of the material's "$basetexture", or null.
ITexture *BaseTexture(IMaterial &material)
{
	bool found = false;
	IMaterialVar *var = material.FindVar("$basetexture", &found, true);
	if (!var || !found)
		return nullptr;
	return var->GetTextureValue();
}

// Pushes {r, g, b, a} of the texel at the (truncated) coordinates in arguments 2 and 3.
int PushTexel(ILuaInterface *pLua, ITexture *texture, double x, double y)
{
	uint32_t colour = 0;
	if (IHostUtil *util = HostUtil())
		colour = util->ReadTexel(texture, ToInt(x), ToInt(y));
	CLuaTable table;
	table.SetMember("r", static_cast<float>(colour & 0xFF));
	table.SetMember("g", static_cast<float>((colour >> 8) & 0xFF));
	table.SetMember("b", static_cast<float>((colour >> 16) & 0xFF));
	table.SetMember("a", static_cast<float>(colour >> 24));
	table.Push();
	return 1;
}

// Frees a parameter tree that never reached the material system (a Lua error unwinds
// through the conversion).
struct KeyValuesDeleter
{
	void operator()(KeyValues *kv) const { kv->deleteThis(); }
};
}

LUA_CLASS_METHOD(IMaterial, GetName, LC_IMaterial)
{
	pLua->PushString(SelfMaterial().GetName(), 0);
	return 1;
}

LUA_CLASS_METHOD(IMaterial, IsError, LC_IMaterial)
{
	pLua->PushBool(SelfMaterial().IsErrorMaterial());
	return 1;
}

LUA_CLASS_METHOD(IMaterial, GetInt, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	IMaterialVar *var = FoundVar(self, pLua->CheckString(2));
	if (!var)
		return 0;
	pLua->PushNumber(var->GetIntValue());
	return 1;
}

LUA_CLASS_METHOD(IMaterial, SetInt, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	const char *name = pLua->CheckString(2);
	int value = ToInt(pLua->CheckNumber(3));
	IMaterialVar *var = FoundVar(self, name);
	if (!var || var->GetIntValue() == value)
		return 0;
	var->SetIntValue(value);
	self.RecomputeStateSnapshots();
	return 0;
}

LUA_CLASS_METHOD(IMaterial, GetFloat, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	IMaterialVar *var = FoundVar(self, pLua->CheckString(2));
	if (!var)
		return 0;
	pLua->PushNumber(var->GetFloatValue());
	return 1;
}

LUA_CLASS_METHOD(IMaterial, SetFloat, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	const char *name = pLua->CheckString(2);
	float value = static_cast<float>(pLua->CheckNumber(3));
	if (IMaterialVar *var = FoundVar(self, name))
		var->SetFloatValue(value);
	return 0;
}

LUA_CLASS_METHOD(IMaterial, SetUndefined, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	if (IMaterialVar *var = FoundVar(self, pLua->CheckString(2)))
		var->SetUndefined();
	return 0;
}

LUA_CLASS_METHOD(IMaterial, SetVector, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	const char *name = pLua->CheckString(2);
	Vector *v = Get_Vector(3);
	if (!v)
		LuaInvalidObject("Vector");
	if (IMaterialVar *var = FoundVar(self, name))
		var->SetVecValue(v->x, v->y, v->z);
	return 0;
}

LUA_CLASS_METHOD(IMaterial, GetVector, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	IMaterialVar *var = FoundVar(self, pLua->CheckString(2));
	if (!var)
		return 0;
	float v[3] = { 0, 0, 0 };
	var->GetVecValue(v, 3);
	Push_Vector(Vector(v[0], v[1], v[2]));
	return 1;
}

LUA_CLASS_METHOD(IMaterial, GetTexture, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	IMaterialVar *var = FoundVar(self, pLua->CheckString(2));
	ITexture *texture = var ? var->GetTextureValue() : nullptr;
	if (!texture || texture->IsError())
		return 0;
	LC_ITexture.Push(texture);
	return 1;
}

LUA_CLASS_METHOD(IMaterial, GetString, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	IMaterialVar *var = FoundVar(self, pLua->CheckString(2));
	const char *text = var ? var->GetStringValue() : nullptr;
	if (!text || text[0] == '<')
		return 0;
	pLua->PushString(text, 0);
	return 1;
}

LUA_CLASS_METHOD(IMaterial, SetString, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	const char *name = pLua->CheckString(2);
	const char *text = pLua->CheckString(3);
	bool found = false;
	if (IMaterialVar *var = self.FindVar(name, &found, false))
		var->SetStringValue(text);
	return 0;
}

LUA_CLASS_METHOD(IMaterial, SetTexture, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	const char *name = pLua->CheckString(2);
	bool found = false;
	IMaterialVar *var = self.FindVar(name, &found, false);
	if (!var)
		return 0;
	ITexture *texture = nullptr;
	if (pLua->GetType(3) != LUA_TYPE_STRING)
	{
		texture = static_cast<ITexture *>(LC_ITexture.Get(3));
		if (!texture || texture == var->GetTextureValue())
			return 0;
	}
	else
	{
		texture = materials ? materials->FindTexture(pLua->GetString(3), "", true) : nullptr;
		if (!texture)
			return 0;
	}
	var->SetTextureValue(texture);
	self.RecomputeStateSnapshots();
	return 0;
}

LUA_CLASS_METHOD(IMaterial, SetShader, LC_IMaterial)
{
	return 0;
}

LUA_CLASS_METHOD(IMaterial, GetShader, LC_IMaterial)
{
	IMaterial *self = Get_IMaterial(1);
	pLua->PushString(self ? self->GetShaderName() : "No Shader", 0);
	return 1;
}

LUA_CLASS_METHOD(IMaterial, GetColor, LC_IMaterial)
{
	IMaterial &self = SelfMaterial();
	double x = pLua->CheckNumber(2);
	double y = pLua->CheckNumber(3);
	ITexture *texture = BaseTexture(self);
	if (!texture)
		return 0;
	return PushTexel(pLua, texture, x, y);
}

LUA_CLASS_METHOD(IMaterial, Width, LC_IMaterial)
{
	ITexture *texture = BaseTexture(SelfMaterial());
	if (!texture)
		return 0;
	pLua->PushNumber(texture->GetActualWidth());
	return 1;
}

LUA_CLASS_METHOD(IMaterial, Height, LC_IMaterial)
{
	ITexture *texture = BaseTexture(SelfMaterial());
	if (!texture)
		return 0;
	pLua->PushNumber(texture->GetActualHeight());
	return 1;
}

LUA_CLASS_METHOD(IMaterial, __gc, LC_IMaterial)
{
	// Cleared on release, so a second call (by hand) gives nothing back twice.
	if (IMaterial *material = static_cast<IMaterial *>(LC_IMaterial.Release(1)))
		material->DecrementReferenceCount();
	return 0;
}

LUA_CLASS_METHOD(IMaterial, __tostring, LC_IMaterial)
{
	IMaterial *self = Get_IMaterial(1);
	pLua->PushString(self ? self->GetName() : "Material", 0);
	return 1;
}

LUA_CLASS_METHOD(ITexture, GetName, LC_ITexture)
{
	pLua->PushString(SelfTexture().GetName(), 0);
	return 1;
}

LUA_CLASS_METHOD(ITexture, Width, LC_ITexture)
{
	pLua->PushNumber(SelfTexture().GetActualWidth());
	return 1;
}

LUA_CLASS_METHOD(ITexture, Height, LC_ITexture)
{
	pLua->PushNumber(SelfTexture().GetActualHeight());
	return 1;
}

LUA_CLASS_METHOD(ITexture, GetMappingWidth, LC_ITexture)
{
	pLua->PushNumber(SelfTexture().GetMappingWidth());
	return 1;
}

LUA_CLASS_METHOD(ITexture, GetMappingHeight, LC_ITexture)
{
	pLua->PushNumber(SelfTexture().GetMappingHeight());
	return 1;
}

LUA_CLASS_METHOD(ITexture, IsError, LC_ITexture)
{
	pLua->PushBool(SelfTexture().IsError());
	return 1;
}

LUA_CLASS_METHOD(ITexture, Download, LC_ITexture)
{
	SelfTexture().Download(nullptr);
	return 0;
}

LUA_CLASS_METHOD(ITexture, GetColor, LC_ITexture)
{
	ITexture *self = static_cast<ITexture *>(LC_ITexture.Get(1));
	double x = pLua->CheckNumber(2);
	double y = pLua->CheckNumber(3);
	if (!self)
		return 0;
	return PushTexel(pLua, self, x, y);
}

LUA_CLASS_METHOD(IMaterial, Recompute, LC_IMaterial)
{
	SelfMaterial().RecomputeStateSnapshots();
	return 0;
}

LUA_GLOBAL_FUNCTION(Material)
{
	const char *name = pLua->CheckString(1);
	const char *parameters = pLua->GetType(2) == LUA_TYPE_STRING ? pLua->GetString(2) : "";
	if (!name[0])
		return 0;
	uint64_t start = Plat_Rdtsc();
	IMaterial *material = nullptr;
	if (IHostUtil *util = HostUtil())
		material = util->FindOrCreateMaterial(name, parameters ? parameters : "", 1, 0);
	if (!material && materials)
		material = materials->FindMaterial(name, "Lua Materials", false);
	if (!material)
		return 0;
	material->IncrementReferenceCount();
	Push_IMaterial(material);
	pLua->PushNumber(static_cast<double>(Plat_Rdtsc() - start) * g_ClockSpeedSecondsMultiplier);
	return 2;
}

LUA_GLOBAL_FUNCTION(AddonMaterial)
{
	const char *name = pLua->CheckString(1);
	IHostUtil *util = HostUtil();
	if (!util)
		return 0;
	std::string path = std::string("../") + name;
	IMaterial *material = util->FindOrCreateMaterial(path.c_str(), "010101", 1, 1);
	if (!material)
		return 0;
	material->Precache();
	material->IncrementReferenceCount();
	Push_IMaterial(material);
	return 1;
}

LUA_GLOBAL_FUNCTION(CreateMaterial)
{
	const char *name = pLua->CheckString(1);
	const char *shader = pLua->CheckString(2);
	// The record keeps the name and the material system gets "<name>.vmt": longer names
	// would be cut and could match another material.
	if (strlen(name) > sizeof(createdmaterial_t::name) - 1 - strlen(".vmt"))
		return 0;
	for (unsigned short i = g_CreatedMaterials.Head(); g_CreatedMaterials.IsValidIndex(i);
	     i = g_CreatedMaterials.Next(i))
	{
		createdmaterial_t &made = g_CreatedMaterials[i];
		if (V_stricmp(made.name, name) == 0)
		{
			made.material->IncrementReferenceCount();
			Push_IMaterial(made.material);
			return 1;
		}
	}
	if (!g_pMaterialSystem)
		return 0;
	std::unique_ptr<KeyValues, KeyValuesDeleter> parameters(new KeyValues(shader));
	CLuaObject table(3, -1);
	LuaHelper::TableToKeyValues(&table, parameters.get());
	char fullName[260];
	V_snprintf(fullName, sizeof(fullName), "%s.vmt", name);
	IMaterial *material = g_pMaterialSystem->CreateMaterial(fullName, parameters.release());
	if (!material)
		return 0;
	createdmaterial_t made;
	V_strncpy(made.name, name, sizeof(made.name));
	made.material = material;
	bool kept = g_CreatedMaterials.IsValidIndex(g_CreatedMaterials.AddToTail(made));
	material->Precache();
	if (kept)
		material->IncrementReferenceCount();
	material->IncrementReferenceCount();
	Push_IMaterial(material);
	return 1;
}
