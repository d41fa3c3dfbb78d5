// Bounded string, number-parsing and path functions used throughout the engine utility layer.
// Every copying function takes the destination's size, does nothing when it is 0 or less, and
// otherwise always leaves a terminated result; truncation is silent.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <cwchar>

#define CORRECT_PATH_SEPARATOR '/'
#define INCORRECT_PATH_SEPARATOR '\\'

// Copy limit of V_strncat meaning "the whole source".
#define COPY_ALL_CHARACTERS -1

char *V_strupr(char *s);
char *V_strlower(char *s);

int V_stricmp(const char *a, const char *b);
int V_strnicmp(const char *a, const char *b, int n);
int V_strncmp(const char *a, const char *b, int n);

int64_t V_atoi64(const char *s);
int V_atoi(const char *s);
float V_atof(const char *s);

char *V_stristr(char *haystack, const char *needle);
const char *V_stristr(const char *haystack, const char *needle);

char *V_strncpy(char *dst, const char *src, int size);
wchar_t *V_wcsncpy(wchar_t *dst, const wchar_t *src, int sizeInBytes);
int V_snprintf(char *dst, int size, const char *format, ...) __attribute__((format(printf, 3, 4)));
int V_vsnwprintf(wchar_t *dst, int sizeInChars, const wchar_t *format, va_list args);
char *V_strncat(char *dst, const char *src, int dstSize, int maxCopy = COPY_ALL_CHARACTERS);

// UTF-8 <-> wide (4-byte wchar_t) conversions; see strtools.cpp for the counts they return.
int V_UTF8ToUnicode(const char *src, wchar_t *dst, int sizeInBytes);
int V_UnicodeToUTF8(const wchar_t *src, char *dst, int size);
int V_wcstostr(const wchar_t *src, int srcLength, char *dst, int size);

void V_FileBase(const char *path, char *dst, int size);
void V_StripExtension(const char *path, char *dst, int size);
void V_DefaultExtension(char *path, const char *ext, int size);
void V_SetExtension(char *path, const char *ext, int size);
void V_FixSlashes(char *path, char separator = CORRECT_PATH_SEPARATOR);
const char *V_GetFileExtension(const char *path);
bool V_IsAbsolutePath(const char *path);
