// CUtlString: text and terminator in a CUtlMemory<char> that grows by the byte rule and never
// shrinks.
#include "tier1/utlstring.h"

#include <climits>
#include <cstring>

CUtlString::CUtlString() : m_nActualLength(0)
{
}

CUtlString::CUtlString(const char *pString) : m_nActualLength(0)
{
	*this = pString;
}

CUtlString::CUtlString(const CUtlString &string) : m_nActualLength(0)
{
	// An empty source still yields a stored empty text.
	*this = string.Get();
}

CUtlString &CUtlString::operator=(const CUtlString &string)
{
	if (this != &string)
		*this = string.Get();
	return *this;
}

CUtlString &CUtlString::operator=(const char *pString)
{
	if (!pString)
	{
		m_nActualLength = 0;
		return *this;
	}
	size_t length = strlen(pString);
	if (length >= static_cast<size_t>(INT_MAX))
		return *this;  // too long to hold; the string keeps its text
	SetText(pString, static_cast<int>(length) + 1);
	return *this;
}

void CUtlString::SetText(const char *pString, int nLengthWithTerminator)
{
	if (m_Storage.NumAllocated() < nLengthWithTerminator)
	{
		// Text inside our own storage never needs growth (it fits already), so pString stays valid.
		m_Storage.Grow(nLengthWithTerminator - m_Storage.NumAllocated());
		if (m_Storage.NumAllocated() < nLengthWithTerminator)
			return;  // growth refused
	}
	memmove(m_Storage.Base(), pString, static_cast<size_t>(nLengthWithTerminator));
	m_nActualLength = nLengthWithTerminator;
}

const char *CUtlString::Get() const
{
	return m_nActualLength ? m_Storage.Base() : "";
}

char *CUtlString::Get()
{
	if (!m_nActualLength)
		SetText("", 1);
	return m_Storage.Base();
}

int CUtlString::Length() const
{
	return m_nActualLength ? m_nActualLength - 1 : 0;
}
