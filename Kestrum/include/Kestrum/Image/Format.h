// A decoded picture: its size and its pixels, three bytes (red, green, blue) each, rows top down.
#pragma once

#include <cstdint>

#include "Kestrum/Types/Buffer.h"

namespace Kestrum
{
	namespace Image
	{
		struct Format
		{
			uint32_t width = 0;
			uint32_t height = 0;
			AutoBuffer data;     // width × height × 3 bytes
			bool alpha = false;  // the JPEG loader always sets it false
		};
	}
}
