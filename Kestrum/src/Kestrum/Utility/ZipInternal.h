// Pieces shared by the zip reader and writer: the handle record, little-endian fields,
// PKWARE traditional encryption and the result texts.
#pragma once

#include <Kestrum/Utility/ZipTypes.h>

#include <zlib.h>

#include <cstdint>
#include <cstring>

namespace XZip
{
	struct HZIP__
	{
		uint32_t flag;	// HandleReader or HandleWriter
		void* state;	// TUnzip or TZip
	};

	namespace Internal
	{
		enum : uint32_t { HandleReader = 1, HandleWriter = 2 };

		constexpr uint32_t ChunkSize = 16384;	// extraction, copy and compressor buffers
		constexpr uint32_t LocalSize = 30;		// local header without name and extra field

		inline uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
		inline uint32_t Get32(const uint8_t* p)
		{
			return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
		}
		inline uint8_t* Put16(uint8_t* p, uint16_t v)
		{
			p[0] = uint8_t(v);
			p[1] = uint8_t(v >> 8);
			return p + 2;
		}
		inline uint8_t* Put32(uint8_t* p, uint32_t v)
		{
			p[0] = uint8_t(v);
			p[1] = uint8_t(v >> 8);
			p[2] = uint8_t(v >> 16);
			p[3] = uint8_t(v >> 24);
			return p + 4;
		}

		// The three keys of PKWARE traditional encryption.
		struct CryptKeys
		{
			uint32_t k0 = 0, k1 = 0, k2 = 0;

			static uint32_t CrcByte(uint32_t crc, uint8_t b)
			{
				return uint32_t(get_crc_table()[(crc ^ b) & 0xff]) ^ (crc >> 8);
			}
			void Update(uint8_t c)
			{
				k0 = CrcByte(k0, c);
				k1 = (k1 + (k0 & 0xff)) * 134775813u + 1;
				k2 = CrcByte(k2, uint8_t(k1 >> 24));
			}
			void Init(const char* szPassword)
			{
				k0 = 0x12345678u;
				k1 = 0x23456789u;
				k2 = 0x34567890u;
				for (const char* p = szPassword; *p; ++p)
					Update(uint8_t(*p));
			}
			uint8_t StreamByte() const
			{
				uint32_t t = (k2 & 0xffff) | 2;
				return uint8_t((t * (t ^ 1)) >> 8);
			}
			uint8_t Decrypt(uint8_t c)
			{
				uint8_t p = uint8_t(c ^ StreamByte());
				Update(p);
				return p;
			}
			uint8_t Encrypt(uint8_t p)
			{
				uint8_t c = uint8_t(p ^ StreamByte());
				Update(p);
				return c;
			}
		};

		// Text of a result code; the writer spells two of them differently.
		inline const char* ResultText(ZRESULT iCode, bool bWriter)
		{
			switch (iCode)
			{
			case ResultOk: return "Success";
			case ResultNoDuplicate: return bWriter ? "Culdn't duplicate handle" : "Couldn't duplicate handle";
			case ResultNoFile: return "Couldn't create/open file";
			case ResultNoMemory: return "Failed to allocate memory";
			case ResultWrite: return "Error writing to file";
			case ResultNotFound: return "File not found in the zipfile";
			case ResultMore: return "Still more data to unzip";
			case ResultCorrupt: return "Zipfile is corrupt or not a zipfile";
			case ResultRead: return "Error reading file";
			case ResultPassword: return bWriter ? "unknown zip result code" : "Correct password required";
			case ResultArgs: return "Caller: faulty arguments";
			case ResultNotMemoryZip: return "Caller: can only get memory of a memory zipfile";
			case ResultMemSize: return "Caller: not enough space allocated for memory zipfile";
			case ResultFailed: return "Caller: there was a previous error";
			case ResultEnded: return "Caller: additions to the zip have already been ended";
			case ResultMisSize: return "Zip-bug: the anticipated size turned out wrong";
			case ResultPartialUnzip: return "Caller: the file had already been partially unzipped";
			case ResultMixedModes: return "Caller: mixing creation and opening of zip";
			case ResultNotInited: return "Zip-bug: internal initialisation not completed";
			case ResultSeek: return "Zip-bug: trying to seek the unseekable";
			case ResultNoChange: return "Zip-bug: tried to change mind, but not allowed";
			case ResultFlate: return "Zip-bug: an internal error during flation";
			default: return "unknown zip result code";
			}
		}

		inline uint32_t FormatMessage(const char* szText, char* pBuffer, uint32_t iSize)
		{
			uint32_t iLength = uint32_t(strlen(szText));
			if (pBuffer && iSize > 0)
			{
				uint32_t n = iLength < iSize - 1 ? iLength : iSize - 1;
				memcpy(pBuffer, szText, n);
				pBuffer[n] = 0;
			}
			return iLength;
		}

		// The most recent result of one side (reader or writer keep their own), per thread.
		template <uint32_t Side> struct RecentResult
		{
			static ZRESULT& Last()
			{
				static thread_local ZRESULT s_Last = ResultOk;
				return s_Last;
			}

			static ZRESULT Set(ZRESULT iResult)
			{
				Last() = iResult;
				return iResult;
			}

			// The message of a code; code 1 stands for this side's most recent result.
			static uint32_t Format(ZRESULT iCode, char* pBuffer, uint32_t iSize)
			{
				if (iCode == ResultRecent)
					iCode = Last();
				return FormatMessage(ResultText(iCode, Side == HandleWriter), pBuffer, iSize);
			}
		};
	}
}
