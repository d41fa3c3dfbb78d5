// Stand-in definitions of the Kestrum file, LZMA-stream and JPEG operations (see the header).
#include "kestrum_pending.h"

#include <LzmaOneShot.h>
#include <stb_image.h>

#include <cstdio>

namespace Kestrum
{
	namespace File
	{
		bool Read(const BString& strFileName, Buffer& buffer)
		{
			FILE* f = std::fopen(strFileName.c_str(), "rb");
			if (!f)
				return false;
			bool ok = std::fseek(f, 0, SEEK_END) == 0;
			long n = ok ? std::ftell(f) : -1;
			uint64_t end = static_cast<uint64_t>(buffer.GetPos()) + static_cast<uint64_t>(n < 0 ? 0 : n);
			ok = ok && n >= 0 && end <= 0xFFFFFFFFull && buffer.EnsureCapacity(static_cast<uint32_t>(end)) &&
			     std::fseek(f, 0, SEEK_SET) == 0 &&
			     std::fread(buffer.GetCurrent(), 1, static_cast<size_t>(n), f) == static_cast<size_t>(n);
			std::fclose(f);
			if (!ok)
				return false;
			buffer.SetWritten(static_cast<uint32_t>(end));
			buffer.SetPos(static_cast<uint32_t>(end));
			return true;
		}
	}

	namespace Compression
	{
		namespace LZMA
		{
			bool Compress(const void* pData, uint32_t iLength, Buffer& target, int iLevel, int iDictSize)
			{
				uint64_t p = target.GetPos();
				uint64_t budget = iLength + iLength / 3 + 128ull;
				if (p + 13 + budget > 0xFFFFFFFFull || !target.EnsureCapacity(static_cast<uint32_t>(p + 13 + budget)))
					return false;
				size_t outLen = static_cast<size_t>(budget);
				size_t propsLen = 5;
				int rc = LzmaCompress(target.GetBase(static_cast<uint32_t>(p + 13)), &outLen, static_cast<const unsigned char*>(pData),
				                      iLength, target.GetBase(static_cast<uint32_t>(p)), &propsLen, iLevel,
				                      static_cast<unsigned>(iDictSize), 3, 0, 2, 32, 2);
				if (rc != 0 || propsLen != 5)
					return false;
				unsigned char* header = target.GetBase(static_cast<uint32_t>(p + 5));
				for (int i = 0; i < 4; i++)
					header[i] = static_cast<unsigned char>(iLength >> (8 * i));
				for (int i = 4; i < 8; i++)
					header[i] = 0;
				uint32_t end = static_cast<uint32_t>(p + 13 + outLen);
				target.SetWritten(end);
				target.SetPos(end);
				return true;
			}
		}
	}

	namespace Image
	{
		namespace JPEG
		{
			bool Load(const Buffer& buffer, Format& format)
			{
				const stbi_uc* bytes = buffer.GetBase();
				int len = static_cast<int>(buffer.GetWritten() > 0x7FFFFFFF ? 0x7FFFFFFF : buffer.GetWritten());
				if (!bytes || !stbi_info_from_memory(bytes, len, nullptr, nullptr, nullptr))
					return false;
				int w = 0, h = 0, comp = 0;
				stbi_uc* pixels = stbi_load_from_memory(bytes, len, &w, &h, &comp, 3);
				if (!pixels)
					return false;
				format.width = static_cast<uint32_t>(w);
				format.height = static_cast<uint32_t>(h);
				format.alpha = false;
				format.data.Write(pixels, static_cast<uint32_t>(w) * static_cast<uint32_t>(h) * 3);
				stbi_image_free(pixels);
				return true;
			}
		}
	}
}
