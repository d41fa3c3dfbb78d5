// Compiled against tier1's own utlbuffer.h (not the HTML plug-in's copy): the size of tier1's
// CUtlBuffer, which the engine fills through ReadFile, for the copy's layout test.
#include <cstddef>

#include "tier1/utlbuffer.h"

size_t Tier1BufferSize()
{
	return sizeof(CUtlBuffer);
}
