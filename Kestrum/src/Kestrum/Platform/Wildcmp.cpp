// The platform layer's wildcard matcher: the same one-pass match as Kestrum::globber.
#include "Kestrum/Platform/Platform.h"
#include "Kestrum/Utility/String.h"

// A null pattern or text counts as the empty text.
bool wildcmp( const char* wild, const char* string )
{
	return Kestrum::globber( wild ? wild : "", string ? string : "" );
}
