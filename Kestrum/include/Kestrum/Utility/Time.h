// Unix time stamps from the system clock.
#pragma once

#include <cstdint>

#include "Kestrum/Types/String.h"

namespace Kestrum
{
	namespace Time
	{
		// Seconds since 1970-01-01 UTC.
		uint64_t UnixTimestamp();

		// The same number in decimal digits.
		BString UnixTimestampAsString();
	}
}
