// The Kestrum LZMA stream over the LZMA SDK: one-shot compression and extraction in memory, and
// streaming extraction into a file through a 2 MiB output block.
#include "Kestrum/Utility/CompressionLZMA.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "Kestrum/File/File.h"

#include <LzmaOneShot.h>
#include <lzma/LzmaDec.h>

namespace Kestrum
{
	namespace Compression
	{
		namespace LZMA
		{
			namespace
			{
				const size_t FileStepSize = 0x200000;

				void* AllocForLzma(void*, size_t iSize) { return iSize ? malloc(iSize) : nullptr; }
				void FreeForLzma(void*, void* pAddress) { free(pAddress); }
				ISzAlloc g_Alloc = {AllocForLzma, FreeForLzma};

				uint32_t Read32(const unsigned char* p)
				{
					return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
				}

				void Write32(unsigned char* p, uint32_t v)
				{
					for (int i = 0; i < 4; ++i)
						p[i] = static_cast<unsigned char>(v >> (8 * i));
				}

				// The header checks shared by both extractions; yields the announced size.
				bool ReadHeader(const void* pData, uint32_t iLength, uint32_t& iSize)
				{
					if (pData == nullptr || iLength < HeaderSize + 1)
						return false;
					const unsigned char* p = static_cast<const unsigned char*>(pData);
					if (!PropsAreValid(p))
						return false;
					iSize = Read32(p + 5);
					return iSize <= MaxExtractSize;
				}

				// Streams the decoder's output into the open file; true once iSize bytes are written.
				bool DecodeToFile(CLzmaDec& dec, const unsigned char* pIn, size_t iInLeft, uint32_t iSize, FILE* pFile)
				{
					unsigned char* pBlock = static_cast<unsigned char*>(malloc(FileStepSize));
					if (pBlock == nullptr)
						return false;
					bool bOk = false;
					uint64_t iTotal = 0;
					for (;;)
					{
						if (iTotal >= iSize)
						{
							bOk = true;
							break;
						}
						// Never ask for more than remains, so the decoder stops at the announced size.
						SizeT iOut = static_cast<SizeT>(iSize - iTotal < FileStepSize ? iSize - iTotal : FileStepSize);
						SizeT iIn = iInLeft;
						ELzmaStatus status;
						SRes res = LzmaDec_DecodeToBuf(&dec, pBlock, &iOut, pIn, &iIn, LZMA_FINISH_ANY, &status);
						if (iOut != 0 && fwrite(pBlock, 1, iOut, pFile) != iOut)
							break;
						iTotal += iOut;
						pIn += iIn;
						iInLeft -= iIn;
						if (res != SZ_OK)
							break;
						// A step that neither produced nor consumed anything: the stream ended early.
						if (iOut == 0 && iIn == 0)
							break;
					}
					free(pBlock);
					return bOk;
				}
			}

			bool PropsAreValid(const unsigned char* pProps)
			{
				return pProps[0] <= 224 && Read32(pProps + 1) >= 4096;
			}

			bool Compress(const void* pData, uint32_t iLength, Buffer& target, int iLevel, int iDictSize)
			{
				if (pData == nullptr && iLength != 0)
					return false;
				const uint32_t iPos = target.GetPos();
				const uint64_t iBudget = uint64_t(iLength) + iLength / 3 + 128;
				const uint64_t iEnd = iPos + HeaderSize + iBudget;
				if (iEnd > UINT32_MAX || !target.EnsureCapacity(static_cast<uint32_t>(iEnd)))
					return false;

				static const unsigned char empty = 0;
				unsigned char* pOut = target.GetBase(iPos);
				size_t iOutLen = static_cast<size_t>(iBudget);
				size_t iPropsLen = LZMA_PROPS_SIZE;
				int res = LzmaCompress(pOut + HeaderSize, &iOutLen, iLength ? static_cast<const unsigned char*>(pData) : &empty,
				                       iLength, pOut, &iPropsLen, iLevel, static_cast<unsigned>(iDictSize), 3, 0, 2, 32, 2);
				if (res != SZ_OK || iPropsLen != LZMA_PROPS_SIZE)
					return false;
				Write32(pOut + 5, iLength);
				Write32(pOut + 9, 0);
				const uint32_t iStreamEnd = iPos + HeaderSize + static_cast<uint32_t>(iOutLen);
				target.SetWritten(iStreamEnd);
				target.SetPos(iStreamEnd);
				return true;
			}

			bool Extract(const void* pData, uint32_t iLength, Buffer& target)
			{
				uint32_t iSize = 0;
				if (!ReadHeader(pData, iLength, iSize))
					return false;
				const uint32_t iPos = target.GetPos();
				const uint64_t iEnd = uint64_t(iPos) + iSize;
				if (iEnd > UINT32_MAX || !target.EnsureCapacity(static_cast<uint32_t>(iEnd)))
					return false;

				const unsigned char* p = static_cast<const unsigned char*>(pData);
				unsigned char spare = 0;
				size_t iOutLen = iSize;
				size_t iInLen = iLength - HeaderSize;
				int res = LzmaUncompress(iSize ? target.GetBase(iPos) : &spare, &iOutLen, p + HeaderSize, &iInLen, p,
				                         LZMA_PROPS_SIZE);
				if (res != SZ_OK || iOutLen != iSize)
					return false;
				target.SetWritten(static_cast<uint32_t>(iEnd));
				target.SetPos(static_cast<uint32_t>(iEnd));
				return true;
			}

			bool ExtractToFile(const void* pData, uint32_t iLength, const BString& strFileName)
			{
				uint32_t iSize = 0;
				if (!ReadHeader(pData, iLength, iSize))
					return false;
				const unsigned char* p = static_cast<const unsigned char*>(pData);

				// The window never needs to exceed the output: a hostile dictionary size in the
				// header cannot make us allocate more than the (capped) announced size.
				CLzmaDec dec;
				LzmaDec_Construct(&dec);
				if (LzmaDec_AllocateProbs(&dec, p, LZMA_PROPS_SIZE, &g_Alloc) != SZ_OK)
					return false;
				uint32_t iDictSize = Read32(p + 1);
				SizeT iWindow = iDictSize < iSize ? iDictSize : (iSize ? iSize : 1);
				dec.dic = static_cast<Byte*>(malloc(iWindow));
				dec.dicBufSize = iWindow;
				if (dec.dic == nullptr)
				{
					LzmaDec_Free(&dec, &g_Alloc);
					return false;
				}
				LzmaDec_Init(&dec);

				FILE* pFile = fopen(strFileName.c_str(), "wb");
				if (pFile == nullptr)
				{
					LzmaDec_Free(&dec, &g_Alloc);
					return false;
				}
				bool bOk = DecodeToFile(dec, p + HeaderSize, iLength - HeaderSize, iSize, pFile);
				LzmaDec_Free(&dec, &g_Alloc);
				if (fclose(pFile) != 0)
					bOk = false;
				if (!bOk)
					File::RemoveFile(strFileName);
				return bOk;
			}
		}
	}
}
