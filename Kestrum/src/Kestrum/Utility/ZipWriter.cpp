// Zip archive writer: local headers, data descriptors, central directory and end record;
// raw deflate (level 8) through zlib and PKWARE traditional encryption.
#define _FILE_OFFSET_BITS 64

#include <Kestrum/Utility/ZipWriter.h>

#include "ZipInternal.h"

#include <strings.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstdlib>
#include <ctime>
#include <new>
#include <random>
#include <string>
#include <vector>

namespace XZip
{
	using namespace Internal;

	namespace
	{
		ZRESULT Recent(ZRESULT iResult) { return RecentResult<HandleWriter>::Set(iResult); }

		constexpr uint32_t FirstPieceSize = 65536;	// the first input piece decides the text flag
		constexpr uint16_t LocalExtraSize = 17;
		constexpr uint16_t CentralExtraSize = 9;
		constexpr int DeflateLevel = 8;
		constexpr uint32_t FolderAttributes = 0x41C00010u;
		constexpr uint32_t StreamAttributes = 0x80000000u;
		constexpr uint64_t MaxOffset = 0xFFFFFFFFu;

		enum class Source { Folder, Stream, Memory };

		struct CentralRecord
		{
			std::string name;
			uint16_t flags, method, internalAttr;
			uint32_t dosDateTime, crc, compSize, uncSize, externalAttr, offset, mtime;
		};

		// DOS date (high 16 bits) and time of a Unix time, as UTC; clamped to the DOS range.
		uint32_t TimeToDos(time_t t)
		{
			struct tm tmv;
			if (!gmtime_r(&t, &tmv) || tmv.tm_year < 80)
				return (1u << 5 | 1u) << 16;	// 1980-01-01 00:00:00
			if (tmv.tm_year > 80 + 127)
				return ((127u << 9 | 12u << 5 | 31u) << 16) | (23u << 11 | 59u << 5 | 29u);
			uint32_t iDate = uint32_t(tmv.tm_year - 80) << 9 | uint32_t(tmv.tm_mon + 1) << 5 | uint32_t(tmv.tm_mday);
			uint32_t iTime = uint32_t(tmv.tm_hour) << 11 | uint32_t(tmv.tm_min) << 5 | uint32_t(tmv.tm_sec / 2);
			return iDate << 16 | iTime;
		}

		bool IsStoredExtension(const std::string& strName)
		{
			static const char* const Stored[] = { ".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz" };
			size_t iDot = strName.rfind('.');
			if (iDot == std::string::npos)
				return false;
			const char* szExt = strName.c_str() + iDot;
			for (const char* s : Stored)
				if (strcasecmp(szExt, s) == 0)
					return true;
			return false;
		}
	}

	// Writer state behind a handle.
	struct TZip
	{
		bool hasPassword = false;
		std::string password;
		FILE* file = nullptr;
		bool mustClose = false;
		uint8_t* memory = nullptr;
		uint32_t capacity = 0;
		bool ownsMemory = false;
		uint32_t allocated = 0;		// bytes of an owned block allocated so far (it grows on demand)
		bool isMemory = false;
		bool canSeek = false;
		uint64_t initialOffset = 0;
		uint64_t written = 0;
		ZRESULT sticky = ResultOk;
		bool ended = false;
		ZRESULT endResult = ResultOk;
		std::vector<CentralRecord> entries;
		z_stream zs;
		bool deflateReady = false;
		std::vector<uint8_t> io;
		std::vector<uint8_t> scratch;
		std::mt19937 rng;

		// The entry being added.
		bool encrypting = false;
		CryptKeys keys;
		FILE* inFile = nullptr;
		bool inClose = false;
		const uint8_t* inMemory = nullptr;
		uint64_t inLeft = 0;		// bytes the input may still give (declared size when known)
		uint64_t inRead = 0;
		uint32_t inCrc = 0;
		bool inFailed = false;

		~TZip()
		{
			CloseInput();
			if (deflateReady)
				deflateEnd(&zs);
			if (file && mustClose)
				fclose(file);
			if (ownsMemory)
				free(memory);
		}

		bool RawWrite(const uint8_t* p, uint32_t n);
		bool Write(const void* p, uint32_t n);
		uint32_t ReadInput(uint8_t* p, uint32_t n);
		void CloseInput();
		ZRESULT Add(const char* szName, Source kind, FILE* pFile, bool bClose, const void* pData, int64_t iLength);
		ZRESULT Rewrite(uint64_t iOffset, const uint8_t* pHeader);
		ZRESULT Deflate(uint16_t* pInternalAttr, bool* pFlateFailed);
		ZRESULT Finish();
	};

	// Appends bytes to the output; a memory archive takes a write only when it ends strictly
	// below the capacity.
	bool TZip::RawWrite(const uint8_t* p, uint32_t n)
	{
		if (n == 0)
			return true;
		if (initialOffset + written + n > MaxOffset)
		{
			if (sticky == ResultOk)
				sticky = ResultWrite;
			return false;
		}
		if (isMemory)
		{
			if (written + n >= capacity)
			{
				if (sticky == ResultOk)
					sticky = ResultMemSize;
				return false;
			}
			if (ownsMemory && written + n > allocated)
			{
				uint64_t iWant = uint64_t(allocated) * 2;
				if (iWant < written + n)
					iWant = written + n;
				if (iWant < 65536)
					iWant = 65536;
				if (iWant > capacity)
					iWant = capacity;
				uint8_t* pNew = static_cast<uint8_t*>(realloc(memory, size_t(iWant)));
				if (!pNew)
				{
					if (sticky == ResultOk)
						sticky = ResultNoMemory;
					return false;
				}
				memory = pNew;
				allocated = uint32_t(iWant);
			}
			memcpy(memory + written, p, n);
			written += n;
			return true;
		}
		if (fwrite(p, 1, n, file) != n)
		{
			if (sticky == ResultOk)
				sticky = ResultWrite;
			return false;
		}
		written += n;
		return true;
	}

	// Writes bytes, encrypted when the current entry is.
	bool TZip::Write(const void* p, uint32_t n)
	{
		const uint8_t* src = static_cast<const uint8_t*>(p);
		if (!encrypting)
			return RawWrite(src, n);
		if (scratch.size() < n)
			scratch.assign(n, 0);
		for (uint32_t i = 0; i < n; ++i)
			scratch[i] = keys.Encrypt(src[i]);
		return RawWrite(scratch.data(), n);
	}

	// Reads input for the current entry, keeping its CRC-32 and count.
	uint32_t TZip::ReadInput(uint8_t* p, uint32_t n)
	{
		if (n > inLeft)
			n = uint32_t(inLeft);
		uint32_t iGot = 0;
		if (inMemory)
		{
			memcpy(p, inMemory, n);
			inMemory += n;
			iGot = n;
		}
		else if (inFile && n > 0)
		{
			iGot = uint32_t(fread(p, 1, n, inFile));
			if (iGot < n && ferror(inFile))
				inFailed = true;
		}
		inLeft -= iGot;
		inRead += iGot;
		// Entries are limited to 32-bit sizes.
		if (inRead > 0xFFFFFFFEu)
		{
			inFailed = true;
			inLeft = 0;
			return 0;
		}
		inCrc = uint32_t(crc32(inCrc, p, iGot));
		return iGot;
	}

	void TZip::CloseInput()
	{
		if (inFile && inClose)
			fclose(inFile);
		inFile = nullptr;
		inMemory = nullptr;
	}

	// Compresses the whole input as raw deflate at level 8.
	ZRESULT TZip::Deflate(uint16_t* pInternalAttr, bool* pFlateFailed)
	{
		if (!deflateReady)
		{
			memset(&zs, 0, sizeof(zs));
			if (deflateInit2(&zs, DeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
			{
				*pFlateFailed = true;
				return ResultFlate;
			}
			deflateReady = true;
		}
		else if (deflateReset(&zs) != Z_OK)
		{
			*pFlateFailed = true;
			return ResultFlate;
		}
		std::vector<uint8_t> in(FirstPieceSize);
		bool bFirst = true;
		for (;;)
		{
			uint32_t iWant = bFirst ? FirstPieceSize : ChunkSize;
			uint32_t iGot = ReadInput(in.data(), iWant);
			if (inFailed)
				return ResultWrite;
			if (bFirst)
			{
				// Text when bytes 0..6 and 128..255 are at most a quarter as many as 7..127.
				uint32_t iBinary = 0, iText = 0;
				for (uint32_t i = 0; i < iGot; ++i)
				{
					uint8_t c = in[i];
					if (c <= 6 || c >= 128)
						++iBinary;
					else
						++iText;
				}
				*pInternalAttr = iBinary <= iText / 4 ? 1 : 0;
				bFirst = false;
			}
			int iFlush = (iGot < iWant || inLeft == 0) ? Z_FINISH : Z_NO_FLUSH;
			zs.next_in = in.data();
			zs.avail_in = iGot;
			int ret;
			do
			{
				zs.next_out = io.data();
				zs.avail_out = ChunkSize;
				ret = deflate(&zs, iFlush);
				if (ret == Z_STREAM_ERROR)
				{
					*pFlateFailed = true;
					return ResultFlate;
				}
				uint32_t iHave = ChunkSize - zs.avail_out;
				if (!Write(io.data(), iHave))
					return ResultMisSize;
			} while (zs.avail_out == 0);
			if (iFlush == Z_FINISH)
			{
				if (ret != Z_STREAM_END)
				{
					*pFlateFailed = true;
					return ResultFlate;
				}
				return ResultOk;
			}
		}
	}

	// Rewrites a local header in place and returns to the end of the output.
	ZRESULT TZip::Rewrite(uint64_t iOffset, const uint8_t* pHeader)
	{
		if (isMemory)
		{
			if (written >= capacity)
			{
				if (sticky == ResultOk)
					sticky = ResultMemSize;
				return ResultSeek;
			}
			memcpy(memory + iOffset, pHeader, LocalSize);
			return ResultOk;
		}
		if (!file)
		{
			if (sticky == ResultOk)
				sticky = ResultNotInited;
			return ResultSeek;
		}
		if (fseeko(file, off_t(initialOffset + iOffset), SEEK_SET) != 0)
			return ResultSeek;
		bool bOk = fwrite(pHeader, 1, LocalSize, file) == LocalSize;
		if (fseeko(file, off_t(initialOffset + written), SEEK_SET) != 0)
			return ResultSeek;
		if (!bOk)
		{
			if (sticky == ResultOk)
				sticky = ResultWrite;
			return ResultWrite;
		}
		return ResultOk;
	}

	ZRESULT TZip::Add(const char* szName, Source kind, FILE* pFile, bool bClose, const void* pData, int64_t iLength)
	{
		inFile = pFile;
		inClose = bClose;
		struct InputGuard
		{
			TZip* z;
			~InputGuard() { z->CloseInput(); }
		} guard{ this };

		if (sticky != ResultOk)
			return ResultFailed;
		if (ended)
			return ResultEnded;
		if (!szName)
			return ResultArgs;
		std::string strName(szName, strnlen(szName, 1023));
		for (char& c : strName)
			if (c == '\\')
				c = '/';
		if (strName.empty())
			return ResultArgs;
		if (kind == Source::Folder && strName.back() != '/')
			strName += '/';
		if (entries.size() >= 0xFFFF)
			return ResultArgs;	// the end record counts at most 65535 entries

		uint16_t iMethod = (kind == Source::Folder || IsStoredExtension(strName)) ? 0 : 8;

		// Size, attributes and times of the input.
		time_t tNow = time(nullptr);
		time_t tModified = tNow, tAccessed = tNow, tCreated = tNow;
		uint32_t iExternal = StreamAttributes;
		int64_t iDeclared = -1;
		inMemory = nullptr;
		struct stat st;
		if (kind == Source::Folder)
		{
			iExternal = FolderAttributes;
			iDeclared = 0;
		}
		else if (kind == Source::Memory)
		{
			if (!pData || iLength <= 0)
				return ResultArgs;
			inMemory = static_cast<const uint8_t*>(pData);
			iDeclared = iLength;
		}
		else if (fstat(fileno(pFile), &st) == 0 && S_ISREG(st.st_mode))
		{
			if (uint64_t(st.st_size) > 0xFFFFFFFEu)
				return ResultArgs;
			iDeclared = int64_t(st.st_size);
			iExternal = uint32_t(st.st_mode) << 16;
			if (S_ISDIR(st.st_mode))
				iExternal |= 0x10;
			if (!(st.st_mode & S_IWUSR))
				iExternal |= 0x01;
			tModified = st.st_mtime;
			tAccessed = st.st_atime;
			tCreated = st.st_ctime;
			if (fseeko(pFile, 0, SEEK_SET) != 0)
				return ResultRead;
		}
		else
		{
			iDeclared = iLength >= 0 && iLength <= int64_t(0xFFFFFFFEu) ? iLength : -1;
		}
		inLeft = iDeclared >= 0 ? uint64_t(iDeclared) : uint64_t(0xFFFFFFFFu);
		inRead = 0;
		inCrc = uint32_t(crc32(0, nullptr, 0));
		inFailed = false;
		uint32_t iDos = TimeToDos(tModified);

		bool bEncrypt = hasPassword && kind != Source::Folder;
		uint16_t iFlags = uint16_t(8 | (bEncrypt ? 1 : 0) | (iMethod == 8 ? 2 : 0));
		uint32_t iFirstComp = (iMethod == 0 && iDeclared >= 0) ? uint32_t(iDeclared) + (bEncrypt ? 12 : 0) : 0;
		uint32_t iFirstUnc = iDeclared >= 0 ? uint32_t(iDeclared) : 0xFFFFFFFFu;

		uint64_t iOffset = written;
		uint8_t header[LocalSize];
		auto FillHeader = [&](uint16_t flags, uint32_t crc, uint32_t comp, uint32_t unc) {
			uint8_t* p = Put32(header, 0x04034b50u);
			p = Put16(p, 20);
			p = Put16(p, flags);
			p = Put16(p, iMethod);
			p = Put32(p, iDos);
			p = Put32(p, crc);
			p = Put32(p, comp);
			p = Put32(p, unc);
			p = Put16(p, uint16_t(strName.size()));
			Put16(p, LocalExtraSize);
		};
		FillHeader(iFlags, 0, iFirstComp, iFirstUnc);
		uint8_t extra[LocalExtraSize];
		uint8_t* e = extra;
		*e++ = 'U';
		*e++ = 'T';
		e = Put16(e, 13);
		*e++ = 7;
		e = Put32(e, uint32_t(tModified));
		e = Put32(e, uint32_t(tAccessed));
		Put32(e, uint32_t(tCreated));
		encrypting = false;
		if (!RawWrite(header, LocalSize) || !RawWrite(reinterpret_cast<const uint8_t*>(strName.data()), uint32_t(strName.size())) ||
			!RawWrite(extra, LocalExtraSize))
			return sticky == ResultMemSize ? ResultMemSize : ResultWrite;

		if (bEncrypt)
		{
			keys.Init(password.c_str());
			uint8_t crypt[12];
			for (int i = 0; i < 11; ++i)
				crypt[i] = uint8_t(rng() >> 7);
			crypt[11] = uint8_t(iDos >> 8);
			encrypting = true;
			if (!Write(crypt, 12))
			{
				encrypting = false;
				return sticky == ResultMemSize ? ResultMemSize : ResultWrite;
			}
		}
		uint64_t iDataStart = written;

		// The data.
		ZRESULT rData = ResultOk;
		bool bFlateFailed = false;
		uint16_t iInternal = 0;
		if (kind != Source::Folder)
		{
			if (io.size() < ChunkSize)
				io.resize(ChunkSize);
			if (iMethod == 8)
				rData = Deflate(&iInternal, &bFlateFailed);
			else
			{
				for (;;)
				{
					uint32_t iGot = ReadInput(io.data(), ChunkSize);
					if (inFailed)
					{
						rData = ResultWrite;
						break;
					}
					if (iGot == 0)
						break;
					if (!Write(io.data(), iGot))
					{
						rData = ResultMisSize;
						break;
					}
				}
			}
		}
		encrypting = false;
		CloseInput();
		if (sticky != ResultOk)
			return sticky;
		if (rData != ResultOk)
			return bFlateFailed ? ResultFlate : ResultWrite;

		uint32_t iCrc = inCrc;
		uint32_t iComp = uint32_t(written - iDataStart) + (bEncrypt ? 12 : 0);
		uint32_t iUnc = uint32_t(inRead);

		if (canSeek && !bEncrypt)
		{
			iFlags = uint16_t(iFlags & ~8);
			FillHeader(iFlags, iCrc, iComp, iUnc);
			ZRESULT r = Rewrite(iOffset, header);
			if (r != ResultOk)
				return r;
		}
		else
		{
			if (iMethod == 0 && iFirstComp != iComp)
				return ResultNoChange;
			uint8_t descriptor[16];
			uint8_t* p = Put32(descriptor, 0x08074b50u);
			p = Put32(p, iCrc);
			p = Put32(p, iComp);
			Put32(p, iUnc);
			if (!RawWrite(descriptor, sizeof(descriptor)))
				return sticky == ResultMemSize ? ResultMemSize : ResultWrite;
		}

		CentralRecord c;
		c.name = strName;
		c.flags = iFlags;
		c.method = iMethod;
		c.internalAttr = iInternal;
		c.dosDateTime = iDos;
		c.crc = iCrc;
		c.compSize = iComp;
		c.uncSize = iUnc;
		c.externalAttr = iExternal;
		c.offset = uint32_t(initialOffset + iOffset);
		c.mtime = uint32_t(tModified);
		entries.push_back(std::move(c));
		return ResultOk;
	}

	// Writes the central directory and the end record, once.
	ZRESULT TZip::Finish()
	{
		if (ended)
			return endResult;
		ended = true;
		encrypting = false;
		uint64_t iStart = written;
		bool bOk = true;
		for (const CentralRecord& c : entries)
		{
			if (!bOk)
				break;
			uint8_t h[46 + CentralExtraSize];
			uint8_t* p = Put32(h, 0x02014b50u);
			p = Put16(p, 0x0B17);
			p = Put16(p, 20);
			p = Put16(p, c.flags);
			p = Put16(p, c.method);
			p = Put32(p, c.dosDateTime);
			p = Put32(p, c.crc);
			p = Put32(p, c.compSize);
			p = Put32(p, c.uncSize);
			p = Put16(p, uint16_t(c.name.size()));
			p = Put16(p, CentralExtraSize);
			p = Put16(p, 0);
			p = Put16(p, 0);
			p = Put16(p, c.internalAttr);
			p = Put32(p, c.externalAttr);
			p = Put32(p, c.offset);
			bOk = RawWrite(h, 46) && RawWrite(reinterpret_cast<const uint8_t*>(c.name.data()), uint32_t(c.name.size()));
			p = h;
			*p++ = 'U';
			*p++ = 'T';
			p = Put16(p, 5);
			*p++ = 7;
			Put32(p, c.mtime);
			bOk = bOk && RawWrite(h, CentralExtraSize);
		}
		uint16_t iCount = uint16_t(entries.size() > 0xFFFF ? 0xFFFF : entries.size());
		entries.clear();
		if (bOk)
		{
			uint8_t h[22];
			uint8_t* p = Put32(h, 0x06054b50u);
			p = Put16(p, 0);
			p = Put16(p, 0);
			p = Put16(p, iCount);
			p = Put16(p, iCount);
			p = Put32(p, uint32_t(written - iStart));
			p = Put32(p, uint32_t(initialOffset + iStart));
			Put16(p, 0);
			bOk = RawWrite(h, sizeof(h));
		}
		if (bOk && file)
			bOk = fflush(file) == 0;
		endResult = bOk ? ResultOk : ResultWrite;
		return endResult;
	}

	namespace
	{
		ZRESULT GetWriter(HZIP hZip, TZip** ppZip)
		{
			if (!hZip)
				return ResultArgs;
			if (hZip->flag != HandleWriter)
				return ResultMixedModes;
			*ppZip = static_cast<TZip*>(hZip->state);
			return ResultOk;
		}

		TZip* NewWriter(const char* szPassword)
		{
			TZip* z = new (std::nothrow) TZip;
			if (!z)
				return nullptr;
			if (szPassword && *szPassword)
			{
				z->hasPassword = true;
				z->password = szPassword;
			}
			std::random_device device;
			z->rng.seed(device() ^ uint32_t(time(nullptr)));
			return z;
		}

		HZIP MakeHandle(TZip* z)
		{
			HZIP__* h = new (std::nothrow) HZIP__;
			if (!h)
			{
				delete z;
				Recent(ResultNoMemory);
				return nullptr;
			}
			h->flag = HandleWriter;
			h->state = z;
			Recent(ResultOk);
			return h;
		}
	}

	HZIP CreateZip(const char* szPath, const char* szPassword)
	{
		if (!szPath)
		{
			Recent(ResultArgs);
			return nullptr;
		}
		FILE* f = fopen(szPath, "wb");
		if (!f)
		{
			Recent(ResultNoFile);
			return nullptr;
		}
		TZip* z = NewWriter(szPassword);
		if (!z)
		{
			fclose(f);
			Recent(ResultNoMemory);
			return nullptr;
		}
		z->file = f;
		z->mustClose = true;
		z->canSeek = true;
		return MakeHandle(z);
	}

	HZIP CreateZip(void* pMemory, uint32_t iCapacity, const char* szPassword)
	{
		if (iCapacity == 0)
		{
			Recent(ResultMemSize);
			return nullptr;
		}
		TZip* z = NewWriter(szPassword);
		if (!z)
		{
			Recent(ResultNoMemory);
			return nullptr;
		}
		z->isMemory = true;
		z->canSeek = true;
		z->capacity = iCapacity;
		if (pMemory)
		{
			z->memory = static_cast<uint8_t*>(pMemory);
			z->allocated = iCapacity;
		}
		else
			z->ownsMemory = true;
		return MakeHandle(z);
	}

	HZIP CreateZipHandle(FILE* pFile, const char* szPassword)
	{
		if (!pFile)
		{
			Recent(ResultArgs);
			return nullptr;
		}
		TZip* z = NewWriter(szPassword);
		if (!z)
		{
			Recent(ResultNoMemory);
			return nullptr;
		}
		z->file = pFile;
		struct stat st;
		off_t iPos = -1;
		if (fstat(fileno(pFile), &st) == 0 && S_ISREG(st.st_mode) && (iPos = ftello(pFile)) >= 0)
		{
			z->canSeek = true;
			z->initialOffset = uint64_t(iPos);
		}
		return MakeHandle(z);
	}

	ZRESULT ZipAdd(HZIP hZip, const char* szName, const char* szSourcePath)
	{
		TZip* z = nullptr;
		ZRESULT r = GetWriter(hZip, &z);
		if (r != ResultOk)
			return Recent(r);
		if (z->sticky != ResultOk)
			return Recent(ResultFailed);
		if (z->ended)
			return Recent(ResultEnded);
		// The name is checked before the source is opened.
		if (!szName || !*szName || !szSourcePath)
			return Recent(ResultArgs);
		FILE* f = fopen(szSourcePath, "rb");
		if (!f)
			return Recent(ResultNoFile);
		return Recent(z->Add(szName, Source::Stream, f, true, nullptr, -1));
	}

	ZRESULT ZipAdd(HZIP hZip, const char* szName, const void* pData, uint32_t iLength)
	{
		TZip* z = nullptr;
		ZRESULT r = GetWriter(hZip, &z);
		if (r != ResultOk)
			return Recent(r);
		return Recent(z->Add(szName, Source::Memory, nullptr, false, pData, int64_t(iLength)));
	}

	ZRESULT ZipAddHandle(HZIP hZip, const char* szName, FILE* pFile, int64_t iLength)
	{
		TZip* z = nullptr;
		ZRESULT r = GetWriter(hZip, &z);
		if (r != ResultOk)
			return Recent(r);
		if (!pFile)
			return Recent(z->sticky != ResultOk ? ResultFailed : z->ended ? ResultEnded : ResultArgs);
		return Recent(z->Add(szName, Source::Stream, pFile, false, nullptr, iLength));
	}

	ZRESULT ZipAddFolder(HZIP hZip, const char* szName)
	{
		TZip* z = nullptr;
		ZRESULT r = GetWriter(hZip, &z);
		if (r != ResultOk)
			return Recent(r);
		return Recent(z->Add(szName, Source::Folder, nullptr, false, nullptr, 0));
	}

	ZRESULT ZipGetMemory(HZIP hZip, void** ppBase, uint32_t* pLength)
	{
		TZip* z = nullptr;
		ZRESULT r = GetWriter(hZip, &z);
		if (r != ResultOk)
			return Recent(r);
		if (!ppBase || !pLength)
			return Recent(ResultArgs);
		*ppBase = nullptr;
		*pLength = 0;
		// Finishing comes first, also for an archive that is not in memory.
		r = z->Finish();
		if (!z->isMemory)
			return Recent(ResultNotMemoryZip);
		if (r != ResultOk)
			return Recent(r);
		*ppBase = z->memory;
		*pLength = uint32_t(z->written);
		return Recent(ResultOk);
	}

	ZRESULT CloseZipZ(HZIP hZip)
	{
		TZip* z = nullptr;
		ZRESULT r = GetWriter(hZip, &z);
		if (r != ResultOk)
			return Recent(r);
		r = z->Finish();
		delete z;
		delete hZip;
		return Recent(r);
	}

	bool IsZipHandleZ(HZIP hZip) { return hZip && hZip->flag == HandleWriter; }

	uint32_t FormatZipMessageZ(ZRESULT iCode, char* pBuffer, uint32_t iSize)
	{
		return RecentResult<HandleWriter>::Format(iCode, pBuffer, iSize);
	}
}
