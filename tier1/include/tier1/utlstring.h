// CUtlString: an owned, growable text value stored in a byte array with its terminator.
#pragma once

#include "tier1/utlmemory.h"

class CUtlString
{
public:
	CUtlString();
	CUtlString(const char *pString);  // null gives the empty string
	CUtlString(const CUtlString &string);

	// Null empties the string (keeping its storage); text in the string's own storage is safe.
	CUtlString &operator=(const char *pString);
	CUtlString &operator=(const CUtlString &string);

	// The text; the empty text when empty.
	const char *Get() const;
	// Writable text; an empty string first gets a stored empty text.
	char *Get();
	// Characters without the terminator.
	int Length() const;

private:
	void SetText(const char *pString, int nLengthWithTerminator);

	CUtlMemory<char> m_Storage;
	int m_nActualLength;  // bytes in use including the terminator; 0 when nothing is stored
};
