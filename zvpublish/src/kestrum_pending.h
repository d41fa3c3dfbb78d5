// Kestrum file, LZMA-stream and JPEG operations used by zvpublish, declared as the library
// offers them; the definitions in kestrum_pending.cpp stand in until the library's own land.
#pragma once

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"

#include <cstdint>

namespace Kestrum
{
	namespace File
	{
		bool Read(const BString& strFileName, Buffer& buffer);
	}

	namespace Compression
	{
		namespace LZMA
		{
			bool Compress(const void* pData, uint32_t iLength, Buffer& target, int iLevel, int iDictSize);
		}
	}

	namespace Image
	{
		struct Format
		{
			uint32_t width = 0;
			uint32_t height = 0;
			AutoBuffer data;
			bool alpha = false;
		};

		namespace JPEG
		{
			bool Load(const Buffer& buffer, Format& format);
		}
	}
}
