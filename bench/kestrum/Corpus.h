// A deterministic mixed corpus for the compression benchmarks: text lines, binary records and noise.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

inline std::vector<unsigned char> MakeMixedCorpus(size_t iSize)
{
	static const char* const words[] = {"zorvan", "menu", "panel", "the", "addon", "workshop", "label", "frame",
	                                    "button", "server", "lua", "hook", "think", "paint", "layout", "of",
	                                    "and", "a", "material", "texture", "vector", "angle", "cloud", "upload"};
	std::vector<unsigned char> out;
	out.reserve(iSize + 4096);
	uint32_t x = 2463534242u;
	auto next = [&x] {
		x ^= x << 13;
		x ^= x >> 17;
		x ^= x << 5;
		return x;
	};
	while (out.size() < iSize)
	{
		uint32_t iKind = next() % 8;
		if (iKind < 5)
		{
			// A few lines of text.
			for (int line = 0; line < 8; ++line)
			{
				int iWords = 4 + next() % 10;
				for (int w = 0; w < iWords; ++w)
				{
					const char* pWord = words[next() % (sizeof(words) / sizeof(words[0]))];
					out.insert(out.end(), pWord, pWord + strlen(pWord));
					out.push_back(w + 1 < iWords ? ' ' : '\n');
				}
			}
		}
		else if (iKind < 7)
		{
			// Binary records: small counters, ids and floats.
			for (int r = 0; r < 32; ++r)
			{
				uint32_t rec[4] = {static_cast<uint32_t>(out.size() / 16), next() % 1000, 0x3F800000u + (next() % 4096),
				                   static_cast<uint32_t>(r)};
				const unsigned char* p = reinterpret_cast<const unsigned char*>(rec);
				out.insert(out.end(), p, p + sizeof(rec));
			}
		}
		else
		{
			// Noise.
			for (int i = 0; i < 256; ++i)
				out.push_back(static_cast<unsigned char>(next() >> 24));
		}
	}
	out.resize(iSize);
	return out;
}
