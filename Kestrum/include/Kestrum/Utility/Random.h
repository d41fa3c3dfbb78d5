// Kestrum's random-number facade over the C library's generator, seeded from the clock at load.
#pragma once

namespace Kestrum
{
	namespace Math
	{
		namespace Random
		{
			void Seed(unsigned int Seed);
			// A value from iMin up to iMax - 1; iMin itself when iMax is not above iMin.
			int Int(int iMin, int iMax);
			bool Bool();
		}
	}
}
