// Unix time stamps from the system clock.
#include "Kestrum/Utility/Time.h"

#include <cstdio>
#include <ctime>

namespace Kestrum
{
	namespace Time
	{
		uint64_t UnixTimestamp()
		{
			return (uint64_t)time( nullptr );
		}

		BString UnixTimestampAsString()
		{
			char text[32];
			snprintf( text, sizeof( text ), "%llu", (unsigned long long)UnixTimestamp() );
			return text;
		}
	}
}
