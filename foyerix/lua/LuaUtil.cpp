// The "util" library: tables to and from KeyValues text, data trees and JSON, LZMA compression,
// Base64 text, a cycle timer and a screen-to-world aim vector.
#include "lua/LuaUtil.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <unordered_map>
#if defined(__SSE__) || defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "Kestrum/Data/Json.h"
#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Utility/CompressionFastLZ.h"
#include "Kestrum/Utility/CompressionLZMA.h"
#include "Kestrum/Utility/String.h"
#include "lua/LuaClass.h"
#include "lua/LuaLibrary.h"
#include "lua/LuaObject.h"
#include "lua/LuaVector.h"
#include "mathlib/mathlib.h"
#include "tier0/platform.h"
#include "tier1/KeyValues.h"
#include "tier1/strtools.h"
#include "tier1/utlbuffer.h"
#include "vstdlib/IKeyValuesSystem.h"

namespace
{
uint64_t g_UtilTimer = 0;

const int LUA_TYPE_VECTOR = 10;
const int LUA_TYPE_ANGLE = 11;

struct KeyValuesDeleter
{
	void operator()(KeyValues *kv) const { kv->deleteThis(); }
};
typedef std::unique_ptr<KeyValues, KeyValuesDeleter> KeyValuesPtr;

void LowerAscii(char *s)
{
	for (; *s; ++s)
		if (*s >= 'A' && *s <= 'Z')
			*s = static_cast<char>(*s - 'A' + 'a');
}

bool IsNumberType(KeyValues::types_t type)
{
	return type == KeyValues::TYPE_INT || type == KeyValues::TYPE_FLOAT;
}

// Walks a table pair by pair without holding stack slots across the visit, so nested tables
// are converted with a constant Lua stack depth: the key lives in a reference between steps.
// The visitor finds the key at -2 and the value at -1 and must leave the stack as it was.
template <typename Visit> void ForEachPair(ILuaInterface *pLua, ILuaObject *table, Visit visit)
{
	CLuaObject key;
	for (;;)
	{
		table->Push();
		key.Push();
		if (!pLua->Next(-2))
		{
			pLua->Pop(1);
			return;
		}
		key.SetFromStack(-2);
		// The key as text, read from a copy so the walk's own key stays untouched.
		pLua->Push(-2);
		unsigned int length = 0;
		const char *text = pLua->GetString(-1, &length);
		std::string keyText = text ? std::string(text, length) : std::string();
		pLua->Pop(1);
		visit(keyText);
		pLua->Pop(3);
	}
}

// Marks the table in the seen table; answers whether it was marked already.
bool MarkTable(ILuaInterface *pLua, ILuaObject *seen, ILuaObject *table)
{
	seen->Push();
	table->Push();
	pLua->GetTable(-2);
	bool was = pLua->GetType(-1) == LUA_TYPE_BOOL;
	pLua->Pop(1);
	if (!was)
	{
		table->Push();
		pLua->PushBool(true);
		pLua->SetTable(-3);
	}
	pLua->Pop(1);
	return was;
}

[[noreturn]] void TooDeep(ILuaInterface *pLua)
{
	pLua->ErrorFormat("table nested deeper than %d levels", kMaxTableDepth);
	__builtin_unreachable();
}

// The subkeys of one KeyValues node as a table is converted into it: children are appended
// after the last one and found by name symbol, so a wide table costs linear time (finding
// and appending by walking the child list would make it quadratic).
class KeyValuesLevel
{
public:
	explicit KeyValuesLevel(KeyValues *node) : m_pNode(node)
	{
		for (KeyValues *child = node->GetFirstSubKey(); child; child = child->GetNextKey())
		{
			m_Named.emplace(child->GetNameSymbol(), child);
			m_pLast = child;
		}
	}

	// A new subkey with this name, after every other.
	KeyValues *Add(const std::string &name)
	{
		KeyValues *child = m_pNode->CreateKeyUsingKnownLastChild(name.c_str(), m_pLast);
		m_pLast = child;
		m_Named.emplace(child->GetNameSymbol(), child);
		return child;
	}

	// The first subkey of this name (names compare as KeyValues names do), made when missing.
	// An empty name or one holding "/" would address this node or a path of others with
	// KeyValues' own lookup; such names always make a subkey of their own.
	KeyValues *FindOrAdd(const std::string &name)
	{
		if (!name.empty() && name.find('/') == std::string::npos)
		{
			HKeySymbol symbol = KeyValues::s_pfGetSymbolForString(name.c_str(), false);
			if (symbol != INVALID_KEY_SYMBOL)
			{
				auto it = m_Named.find(symbol);
				if (it != m_Named.end())
					return it->second;
			}
		}
		return Add(name);
	}

private:
	KeyValues *m_pNode;
	KeyValues *m_pLast = nullptr;
	std::unordered_map<HKeySymbol, KeyValues *> m_Named;
};

void TableToKeyValuesAt(ILuaObject *table, KeyValues *target, ILuaObject *seen, int depth)
{
	ILuaInterface *pLua = g_Lua;
	if (!table || !table->isTable() || !target)
		return;
	if (depth >= kMaxTableDepth)
		TooDeep(pLua);
	// Each table is converted once, as for data trees: a table that contains itself would
	// recurse forever, and tables shared over and over would multiply without end.
	if (MarkTable(pLua, seen, table))
		return;
	KeyValuesLevel level(target);
	ForEachPair(pLua, table, [&](const std::string &name) {
		if (pLua->GetType(-1) == LUA_TYPE_TABLE)
		{
			KeyValues *sub = level.Add(name);
			CLuaObject value;
			value.SetFromStack(-1);
			TableToKeyValuesAt(&value, sub, seen, depth + 1);
			return;
		}
		const char *text = pLua->GetString(-1);
		level.FindOrAdd(name)->SetStringValue(text ? text : "");
	});
}

std::string VectorText(const Vector &v)
{
	using Kestrum::String::Format::NiceFloat;
	return "[" + NiceFloat(v.x) + " " + NiceFloat(v.y) + " " + NiceFloat(v.z) + "]";
}

std::string AngleText(const QAngle &a)
{
	using Kestrum::String::Format::NiceFloat;
	return "{" + NiceFloat(a.x) + " " + NiceFloat(a.y) + " " + NiceFloat(a.z) + "}";
}

void TableToTreeAt(ILuaObject *table, Kestrum::Data::Tree &node, ILuaObject *seen, ILuaInterface *pLua, int depth)
{
	if (!table || !table->isTable())
		return;
	if (depth >= kMaxTableDepth)
		TooDeep(pLua);
	if (MarkTable(pLua, seen, table))
		return;
	ForEachPair(pLua, table, [&](const std::string &name) {
		switch (pLua->GetType(-1))
		{
		case LUA_TYPE_TABLE:
		{
			CLuaObject value;
			value.SetFromStack(-1);
			TableToTreeAt(&value, node.AddChild(name), seen, pLua, depth + 1);
			break;
		}
		case LUA_TYPE_NUMBER:
			node.SetChildVar(name, pLua->GetNumber(-1));
			break;
		case LUA_TYPE_BOOL:
			node.SetChildVar(name, pLua->GetBool(-1));
			break;
		case LUA_TYPE_STRING:
		{
			unsigned int length = 0;
			const char *text = pLua->GetString(-1, &length);
			node.SetChild(name, std::string(text ? text : "", text ? length : 0));
			break;
		}
		case LUA_TYPE_VECTOR:
			if (Vector *v = Get_Vector(-1))
				node.SetChild(name, VectorText(*v));
			break;
		case LUA_TYPE_ANGLE:
			if (QAngle *a = Get_Angle(-1))
				node.SetChild(name, AngleText(*a));
			break;
		default:
			break;
		}
	});
}

// Pushes the value of a leaf child.
void PushTreeValue(const Kestrum::Data::Tree &child, ILuaInterface *pLua)
{
	typedef Kestrum::Data::Tree Tree;
	const std::string &text = child.Value();
	switch (child.Info())
	{
	case Tree::TypeFloat:
	case Tree::TypeInt:
	case Tree::TypeDouble:
		pLua->PushNumber(Kestrum::String::To::Double(text));
		return;
	case Tree::TypeBool:
		pLua->PushBool(Kestrum::String::To::Bool(text));
		return;
	default:
		break;
	}
	bool bMenuState = pLua == g_Lua;
	if (bMenuState && text.size() >= 2)
	{
		float f[3];
		if (text.front() == '[' && text.back() == ']' && sscanf(text.c_str(), "[%f %f %f]", &f[0], &f[1], &f[2]) == 3)
		{
			Push_Vector(Vector(f[0], f[1], f[2]));
			return;
		}
		if (text.front() == '{' && text.back() == '}' && sscanf(text.c_str(), "{%f %f %f}", &f[0], &f[1], &f[2]) == 3)
		{
			Push_Angle(QAngle(f[0], f[1], f[2]));
			return;
		}
	}
	if (text.empty())
		pLua->PushString("", 0);
	else
		pLua->PushString(text.data(), static_cast<unsigned int>(text.size()));
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
}

void LuaHelper::KeyValuesToTable(KeyValues *source, ILuaObject *target)
{
	if (!source || !target)
		return;
	for (KeyValues *sub = source->GetFirstSubKey(); sub; sub = sub->GetNextKey())
	{
		char name[512];
		V_strncpy(name, sub->GetName(), sizeof(name));
		LowerAscii(name);
		KeyValues::types_t type = sub->GetDataType();
		if (type == KeyValues::TYPE_NONE)
		{
			CLuaTable table;
			target->SetMember(name, &table);
			KeyValuesToTable(sub, &table);
		}
		else if (IsNumberType(type))
		{
			target->SetMember(name, std::floor(sub->GetFloat() * 10000.0f) / 10000.0f);
		}
		else
		{
			target->SetMember(name, sub->GetString(nullptr, ""));
		}
	}
}

void LuaHelper::KeyValuesToTablePreserveOrder(KeyValues *source, ILuaObject *target)
{
	if (!source || !target)
		return;
	int index = 1;
	int unnamed = 1;
	for (KeyValues *sub = source->GetFirstSubKey(); sub; sub = sub->GetNextKey())
	{
		char name[128];
		V_strncpy(name, sub->GetName(), sizeof(name));
		LowerAscii(name);
		if (strcmp(name, "0") == 0)
			V_snprintf(name, sizeof(name), "%i", unnamed++);
		CLuaTable entry;
		entry.SetMember("Key", name);
		target->SetMember(static_cast<float>(index++), &entry);
		KeyValues::types_t type = sub->GetDataType();
		if (type == KeyValues::TYPE_NONE)
		{
			CLuaTable value;
			entry.SetMember("Value", &value);
			KeyValuesToTablePreserveOrder(sub, &value);
		}
		else if (IsNumberType(type))
		{
			entry.SetMember("Value", sub->GetFloat());
		}
		else
		{
			entry.SetMember("Value", sub->GetString(nullptr, ""));
		}
	}
}

void LuaHelper::TableToKeyValues(ILuaObject *table, KeyValues *target)
{
	if (!table || !table->isTable())
		return;
	CLuaTable seen;
	TableToKeyValuesAt(table, target, &seen, 0);
}

void TableToTree(ILuaObject *table, Kestrum::Data::Tree &node, ILuaObject *seen, ILuaInterface *pLua)
{
	TableToTreeAt(table, node, seen, pLua, 0);
}

void TreeToTable(ILuaObject *target, const Kestrum::Data::Tree &node, ILuaInterface *pLua)
{
	if (!target)
		return;
	int arrayIndex = 1;
	for (const Kestrum::Data::Tree &child : node.Children())
	{
		const std::string &name = child.Name();
		bool bLeaf = !child.HasChildren() && child.Info() != Kestrum::Data::Tree::TypeNone;
		if (bLeaf)
			PushTreeValue(child, pLua);
		else
		{
			CLuaTable sub;
			TreeToTable(&sub, child, pLua);
			sub.Push();
		}
		float numberKey = 0;
		bool bNumberKey = name.empty();
		if (name.empty())
			numberKey = static_cast<float>(arrayIndex++);
		else if (Kestrum::String::Test::IsNumber(name))
		{
			numberKey = Kestrum::String::To::Float(name);
			bNumberKey = !std::isnan(numberKey);  // NaN is no table key: it stays text
		}
		if (bNumberKey)
			target->SetMember(numberKey);
		else
			target->SetMember(name.c_str());
	}
}

size_t Zorv::Util::Base64EncodedSize(size_t length)
{
	if (length == 0)
		return 1;
	return (length + 2) / 3 * 4 + (length - 1) / 54 + 1;
}

bool Zorv::Util::Base64Encode(const void *source, size_t length, char *target, size_t capacity)
{
	if (!target || (length && !source) || length > SIZE_MAX / 2 || Base64EncodedSize(length) > capacity)
		return false;
	const char *in = static_cast<const char *>(source);
	char *out = target;
	// Lines of 54 input bytes encode to 72 characters without padding.
	for (size_t offset = 0; offset < length; offset += 54)
	{
		if (offset)
			*out++ = '\n';
		Kestrum::BString line(in + offset, std::min<size_t>(54, length - offset));
		Kestrum::String::Encode::Base64(line);
		memcpy(out, line.data(), line.size());
		out += line.size();
	}
	*out = '\0';
	return true;
}

LUA_LIBRARY(util);

namespace
{
// The text of argument 1 with the KeyValues reader's escapes as argument 2 asks, as a tree.
KeyValuesPtr LoadKeyValuesArg(ILuaInterface *pLua)
{
	const char *text = pLua->CheckString(1);
	KeyValuesPtr kv(new KeyValues("In"));
	kv->UsesEscapeSequences(pLua->GetBool(2));
	kv->LoadFromBuffer("In", text);
	return kv;
}
}

LUA_FUNCTION(util, KeyValuesToTable)
{
	CLuaTable table;
	KeyValuesPtr kv = LoadKeyValuesArg(pLua);
	LuaHelper::KeyValuesToTable(kv.get(), &table);
	kv.reset();
	table.Push();
	return 1;
}

LUA_FUNCTION(util, KeyValuesToTablePreserveOrder)
{
	CLuaTable table;
	KeyValuesPtr kv = LoadKeyValuesArg(pLua);
	LuaHelper::KeyValuesToTablePreserveOrder(kv.get(), &table);
	kv.reset();
	table.Push();
	return 1;
}

LUA_FUNCTION(util, TableToKeyValues)
{
	CLuaObject table;
	table.SetFromStack(1);
	const char *rootName = pLua->GetType(2) == LUA_TYPE_STRING ? pLua->GetString(2) : "TableToKeyValues";
	KeyValuesPtr kv(new KeyValues(rootName));
	LuaHelper::TableToKeyValues(&table, kv.get());
	CUtlBuffer buf(0, 0, CUtlBuffer::TEXT_BUFFER);
	kv->RecursiveSaveToFile(buf, 0);
	kv.reset();
	if (buf.TellPut() > 0)
		pLua->PushString(static_cast<const char *>(buf.Base()), static_cast<unsigned int>(buf.TellPut()));
	else
		pLua->PushString("", 0);
	return 1;
}

LUA_FUNCTION(util, Compress)
{
	unsigned int length = 0;
	const char *data = pLua->GetString(1, &length);
	if (!data || length == 0)
		return 0;
	Kestrum::AutoBuffer buffer(32);
	if (!Kestrum::Compression::LZMA::Compress(data, length, buffer, 5, 65536) || buffer.GetWritten() == 0)
		return 0;
	pLua->PushString(reinterpret_cast<const char *>(buffer.GetBase()), buffer.GetWritten());
	return 1;
}

LUA_FUNCTION(util, Decompress)
{
	unsigned int length = 0;
	const char *data = pLua->GetString(1, &length);
	if (!data || length == 0)
		return 0;
	Kestrum::AutoBuffer lzma(32);
	if (Kestrum::Compression::LZMA::Extract(data, length, lzma))
	{
		if (lzma.GetWritten() == 0)
			pLua->PushString("", 0);
		else
			pLua->PushString(reinterpret_cast<const char *>(lzma.GetBase()), lzma.GetWritten());
		return 1;
	}
	Kestrum::AutoBuffer fastlz(32);
	if (Kestrum::Compression::FastLZ::Extract(data, length, fastlz))
	{
		if (fastlz.GetWritten() == 0)
			pLua->PushString("", 0);
		else
			pLua->PushString(reinterpret_cast<const char *>(fastlz.GetBase()), fastlz.GetWritten());
		return 1;
	}
	return 0;
}

LUA_FUNCTION(util, JSONToTable)
{
	pLua->CheckString(1);
	unsigned int length = 0;
	const char *text = pLua->GetString(1, &length);
	Kestrum::Data::Tree tree;
	if (!Kestrum::Data::Json::Import(tree, std::string(text, length)))
		return 0;
	CLuaTable table;
	TreeToTable(&table, tree, pLua);
	table.Push();
	return 1;
}

LUA_FUNCTION(util, TableToJSON)
{
	if (pLua->GetType(1) != LUA_TYPE_TABLE)
		return 0;
	CLuaObject table;
	table.SetFromStack(1);
	bool bPretty = pLua->GetBool(2);
	Kestrum::Data::Tree tree;
	{
		CLuaTable seen;
		TableToTree(&table, tree, &seen, pLua);
	}
	Kestrum::BString json;
	Kestrum::Data::Json::Export(tree, json, bPretty);
	if (json.empty())
		pLua->PushString("", 0);
	else
		pLua->PushString(json.data(), static_cast<unsigned int>(json.size()));
	return 1;
}

LUA_FUNCTION(util, Base64Encode)
{
	unsigned int length = 0;
	const char *data = pLua->GetString(1, &length);
	if (!data || length == 0)
		return 0;
	size_t size = Zorv::Util::Base64EncodedSize(length);
	std::unique_ptr<char[]> text(new (std::nothrow) char[size]);
	if (!text || !Zorv::Util::Base64Encode(data, length, text.get(), size))
		return 0;
	pLua->PushString(text.get(), static_cast<unsigned int>(strlen(text.get())));
	return 1;
}

LUA_FUNCTION(util, TimerCycle)
{
	uint64_t now = Plat_Rdtsc();
	pLua->PushNumber(static_cast<double>(now - g_UtilTimer) * g_ClockSpeedMillisecondsMultiplier);
	g_UtilTimer = Plat_Rdtsc();
	return 1;
}

LUA_FUNCTION(util, AimVector)
{
	QAngle *angle = Get_Angle(1);
	if (!angle)
		LuaInvalidObject("Angle");
	float fov = static_cast<float>(pLua->CheckNumber(2));
	float x = static_cast<float>(pLua->CheckNumber(3));
	float y = static_cast<float>(pLua->CheckNumber(4));
	float w = static_cast<float>(pLua->CheckNumber(5));
	float h = static_cast<float>(pLua->CheckNumber(6));
	Vector forward, right, up;
	AngleVectors(*angle, &forward, &right, &up);
	float d = (w * 0.5f) / std::tan(fov * 3.1415927f / 360.0f);
	float dx = x - w * 0.5f;
	float dy = h * 0.5f - y;
	Vector v(forward.x * d + right.x * dx + up.x * dy, forward.y * d + right.y * dx + up.y * dy,
	         forward.z * d + right.z * dx + up.z * dy);
	float r = FastRecipSqrt(v.x * v.x + v.y * v.y + v.z * v.z + 1e-10f);
	Push_Vector(Vector(v.x * r, v.y * r, v.z * r));
	return 1;
}
