// JSON text to and from named data trees (through RapidJSON).
#pragma once

#include "Kestrum/Data/Tree.h"

namespace Kestrum
{
	namespace Data
	{
		namespace Json
		{
			// Writes tree as a JSON object (or an array when no child has a name) into strOut;
			// bPretty indents with one tab per level. Always true.
			bool Export(const Tree& tree, BString& strOut, bool bPretty);

			// Appends the content of a JSON object or array to tree's children. False, with the
			// tree untouched, on malformed text, a scalar root or nesting deeper than 512.
			bool Import(Tree& tree, const BString& strJson);

			// Deepest nesting of objects and arrays that Import accepts.
			const unsigned int kMaxDepth = 512;
		}
	}
}
