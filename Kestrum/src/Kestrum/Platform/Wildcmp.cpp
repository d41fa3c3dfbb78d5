// Wildcard matching in one pass with a single backtracking point.
#include "Kestrum/Platform/Platform.h"

bool wildcmp( const char* wild, const char* string )
{
	if ( !wild )
		wild = "";
	if ( !string )
		string = "";

	// Up to the first star every character must match in place.
	while ( *string && *wild != '*' )
	{
		if ( *wild != *string && *wild != '?' )
			return false;
		wild++;
		string++;
	}

	const char* pRestart = nullptr;
	const char* pRetry = nullptr;

	while ( *string )
	{
		if ( *wild == '*' )
		{
			if ( !*++wild )
				return true;
			pRestart = wild;
			pRetry = string + 1;
		}
		else if ( *wild == *string || *wild == '?' )
		{
			wild++;
			string++;
		}
		else
		{
			// A star has always been seen here: the first loop stops only at one.
			wild = pRestart;
			string = pRetry++;
		}
	}

	while ( *wild == '*' )
		wild++;

	return !*wild;
}
