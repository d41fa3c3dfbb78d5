// Decoding speed of the TGA reader: a 512 x 512 icon plain (32-bit), run-length encoded
// (32-bit, mixed runs and raw packets) and colour-mapped.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "vgui_controls/TGALoader.h"

namespace
{
typedef std::vector<unsigned char> Bytes;

Bytes Header(uint8_t type, uint16_t mapLength, uint8_t mapBits, int size, uint8_t pixelBits)
{
	return { 0, uint8_t(mapLength ? 1 : 0), type, 0, 0, uint8_t(mapLength), uint8_t(mapLength >> 8), mapBits, 0, 0, 0, 0,
		     uint8_t(size), uint8_t(size >> 8), uint8_t(size), uint8_t(size >> 8), pixelBits, 0x20 };
}

Bytes Plain(int size)
{
	Bytes f = Header(2, 0, 0, size, 32);
	for (int i = 0; i < size * size; ++i)
		f.insert(f.end(), { uint8_t(i), uint8_t(i >> 8), uint8_t(i >> 16), 255 });
	return f;
}

Bytes RunLength(int size)
{
	Bytes f = Header(10, 0, 0, size, 32);
	for (int left = size * size, k = 0; left > 0; ++k)
	{
		const int n = left < 16 ? left : 16;
		if (k % 2)
		{
			f.push_back(uint8_t(0x80 | (n - 1)));
			f.insert(f.end(), { uint8_t(k), 2, 3, 255 });
		}
		else
		{
			f.push_back(uint8_t(n - 1));
			for (int i = 0; i < n; ++i)
				f.insert(f.end(), { uint8_t(i), uint8_t(k), 7, 255 });
		}
		left -= n;
	}
	return f;
}

Bytes Mapped(int size)
{
	Bytes f = Header(1, 256, 24, size, 8);
	for (int i = 0; i < 256; ++i)
		f.insert(f.end(), { uint8_t(i), uint8_t(255 - i), 9 });
	for (int i = 0; i < size * size; ++i)
		f.push_back(uint8_t(i * 7));
	return f;
}

void Decode(benchmark::State &state, const Bytes &file)
{
	CUtlMemory<unsigned char, int> pixels;
	for (auto _ : state)
	{
		CUtlBuffer buf(file.data(), int(file.size()), CUtlBuffer::READ_ONLY);
		int w = 0, h = 0;
		benchmark::DoNotOptimize(TGALoader::LoadRGBA8888(buf, pixels, w, h));
	}
	state.SetBytesProcessed(int64_t(state.iterations()) * 512 * 512 * 4);
}

void BM_PlainRGBA(benchmark::State &state) { Decode(state, Plain(512)); }
void BM_RunLengthRGBA(benchmark::State &state) { Decode(state, RunLength(512)); }
void BM_ColourMapped(benchmark::State &state) { Decode(state, Mapped(512)); }
}

BENCHMARK(BM_PlainRGBA);
BENCHMARK(BM_RunLengthRGBA);
BENCHMARK(BM_ColourMapped);
BENCHMARK_MAIN();
