// The engine's localisation tables ("VGUI_Localize005"): tokens mapped to wide text.
#pragma once

#include <cstddef>

class KeyValues;

#define VGUI_LOCALIZE_INTERFACE_VERSION "VGUI_Localize005"

namespace vgui
{
typedef unsigned long StringIndex_t;
const StringIndex_t INVALID_LOCALIZE_STRING_INDEX = static_cast<StringIndex_t>(-1);

class ILocalize
{
public:
	// Loads a localisation file of "lang" { "Tokens" { token text ... } } key-value text.
	virtual bool AddFile(const char *fileName, const char *pathID = nullptr) = 0;
	// The text of a token ("#" before it is ignored), or null.
	virtual wchar_t *Find(const char *tokenName) = 0;
	virtual StringIndex_t FindIndex(const char *tokenName) = 0;
	// Adds a token; an existing token keeps its text.
	virtual void AddString(const char *tokenName, wchar_t *unicodeString, const char *fileName) = 0;
	virtual const char *GetNameByIndex(StringIndex_t index) = 0;
	virtual wchar_t *GetValueByIndex(StringIndex_t index) = 0;
	// Narrow and wide text conversions (UTF-8); answer the bytes or characters written.
	virtual int ConvertANSIToUnicode(const char *ansi, wchar_t *unicode, int unicodeBufferSizeInBytes) = 0;
	virtual int ConvertUnicodeToANSI(const wchar_t *unicode, char *ansi, int ansiBufferSize) = 0;
	// The text of a token with each "%name%" replaced by the variable of that name (a
	// variable the record lacks stays as written); cut to fit and always terminated.
	virtual void ConstructString(wchar_t *unicodeOutput, int unicodeBufferSizeInBytes,
	                             StringIndex_t unlocalizedTextSymbol, KeyValues *localizationVariables) = 0;

protected:
	virtual ~ILocalize() = default;
};
}
