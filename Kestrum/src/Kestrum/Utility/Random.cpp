// The random-number facade over the C library's generator, seeded once at load from the clock.
#include "Kestrum/Utility/Random.h"

#include <cstdlib>
#include <ctime>

namespace Kestrum
{
	namespace Math
	{
		namespace Random
		{
			void Seed(unsigned int Seed)
			{
				srand(Seed);
			}

			int Int(int iMin, int iMax)
			{
				if (iMax <= iMin)
					return iMin;
				long long range = static_cast<long long>(iMax) - iMin;
				return static_cast<int>(iMin + rand() % range);
			}

			bool Bool()
			{
				return (rand() & 1) != 0;
			}
		}

		namespace
		{
			struct Seeder
			{
				Seeder() { Random::Seed(static_cast<unsigned int>(time(nullptr))); }
			} seeder;
		}
	}
}
