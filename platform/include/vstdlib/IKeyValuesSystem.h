// The key-values service of vstdlib: node memory and the table of key names behind KeyValues.
#pragma once

#include "vstdlib/vstdlib.h"

// A key name: an index into the service's name table, -1 for none.
typedef int HKeySymbol;
#define INVALID_KEY_SYMBOL (-1)

class IKeyValuesSystem
{
public:
    // Memory for one node.
    virtual void *AllocKeyValuesMemory(int nSize) = 0;
    virtual void FreeKeyValuesMemory(void *pMem) = 0;

    // The symbol of a name; -1 when the name is unknown and bCreate is false. Names compare
    // without regard to letter case; the first spelling seen is the one kept.
    virtual HKeySymbol GetSymbolForString(const char *name, bool bCreate = true) = 0;
    // The text of a symbol; the empty text for an unknown one.
    virtual const char *GetStringForSymbol(HKeySymbol symbol) = 0;

protected:
    ~IKeyValuesSystem() = default;
};

// The process-wide service.
VSTDLIB_INTERFACE IKeyValuesSystem *KeyValuesSystem();
