// Conversions between Lua tables and the two tree formats (KeyValues, Kestrum data trees),
// shared by the "util" library and other bindings, and the line-wrapped Base64 encoder.
#pragma once

#include <cstddef>

#include "Kestrum/Data/Tree.h"

class ILuaInterface;
class ILuaObject;
class KeyValues;

namespace LuaHelper
{
	// Sets the subkeys of source into the table: names lower-cased, numbers cut to four decimals.
	void KeyValuesToTable(KeyValues *source, ILuaObject *target);
	// Appends {Key = name, Value = value} records for the subkeys of source, in order.
	void KeyValuesToTablePreserveOrder(KeyValues *source, ILuaObject *target);
	// Adds the pairs of the table to target; nothing for a null object or a non-table. Each
	// table is converted once: where it is met again (inside itself, or under a second key)
	// its subkey stays empty. More than kMaxTableDepth levels raise a Lua error.
	void TableToKeyValues(ILuaObject *table, KeyValues *target);
}

// Most levels of nested Lua tables (the outermost counted) the conversions accept: the
// nesting JSON import accepts, so whatever TableToJSON writes reads back.
const int kMaxTableDepth = 512;

// Adds the pairs of the table as children of node; a table already in seen adds nothing.
// More than kMaxTableDepth levels raise a Lua error.
void TableToTree(ILuaObject *table, Kestrum::Data::Tree &node, ILuaObject *seen, ILuaInterface *pLua);
// Sets the children of node into the table.
void TreeToTable(ILuaObject *target, const Kestrum::Data::Tree &node, ILuaInterface *pLua);

namespace Zorv
{
	namespace Util
	{
		// Base64 text of the bytes, a line feed before every 54 input bytes but the first, then a
		// terminating zero; false (nothing written) when capacity is too small.
		bool Base64Encode(const void *source, size_t length, char *target, size_t capacity);
		// The capacity Base64Encode needs for length bytes (terminator included).
		size_t Base64EncodedSize(size_t length);
	}
}
