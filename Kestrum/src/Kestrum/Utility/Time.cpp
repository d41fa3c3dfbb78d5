// Unix time stamps from the system clock.
#include "Kestrum/Utility/Time.h"
#include "Kestrum/Utility/String.h"

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
			return String::Format::Print( "%llu", (unsigned long long)UnixTimestamp() );
		}
	}
}
