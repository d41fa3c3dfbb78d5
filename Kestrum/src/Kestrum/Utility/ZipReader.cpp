// Zip archive reader: end record and central directory parsing, name clean-up, entry
// extraction through zlib's raw inflate, PKWARE traditional decryption.
#define _FILE_OFFSET_BITS 64

#include <Kestrum/Utility/ZipReader.h>

#include "ZipInternal.h"

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <utime.h>

#include <cerrno>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

namespace XZip
{
	using namespace Internal;

	namespace
	{
		ZRESULT Recent(ZRESULT iResult) { return RecentResult<HandleReader>::Set(iResult); }

		constexpr uint32_t EndRecordSize = 22;
		constexpr uint32_t CentralSize = 46;
		constexpr uint32_t EndSearchSpan = 65535;
		constexpr size_t MaxPathLength = 4095;	// longest extraction path accepted

		// The open archive's bytes: an open file (seekable, from its initial offset) or a memory block.
		struct LUFILE
		{
			FILE* file = nullptr;
			bool canSeek = false;
			bool mustClose = false;
			bool readError = false;
			int64_t initialOffset = 0;
			const uint8_t* base = nullptr;
			uint64_t memPos = 0;
			uint64_t length = 0;	// bytes from the initial offset to the end

			// Reads exactly n bytes at pos; never passes the end of the data.
			bool ReadAt(uint64_t pos, void* pOut, uint32_t n)
			{
				if (pos > length || n > length - pos)
					return false;
				if (n == 0)
					return true;
				if (base)
				{
					memcpy(pOut, base + pos, n);
					memPos = pos + n;
					return true;
				}
				if (!canSeek || fseeko(file, off_t(initialOffset + int64_t(pos)), SEEK_SET) != 0)
				{
					readError = true;
					return false;
				}
				if (fread(pOut, 1, n, file) != n)
				{
					readError = true;
					return false;
				}
				return true;
			}

			void Close()
			{
				if (file && mustClose)
					fclose(file);
				file = nullptr;
			}
		};

		// One central-directory record, fields as stored.
		struct CentralEntry
		{
			uint16_t versionMadeBy, versionNeeded, flags, method;
			uint32_t dosDateTime, crc, compSize, uncSize;
			uint16_t nameLength, extraLength, commentLength, diskStart, internalAttr;
			uint32_t externalAttr, localOffset;
			char name[1024];	// stored name, cut to fit
		};

		// Position and state of the entry being read.
		struct EntryReader
		{
			z_stream zs;
			bool inflating = false;
			bool streamEnded = false;
			uint16_t method = 0;
			bool encrypted = false;
			CryptKeys keys;
			uint64_t dataPos = 0;		// next compressed byte to fetch
			uint32_t compRemaining = 0;
			uint32_t uncRemaining = 0;
			uint32_t crc = 0;
			uint32_t storedCrc = 0;
			std::vector<uint8_t> input;
			uint32_t inputOffset = 0, inputAvail = 0;
		};

		bool IsSeparator(char c) { return c == '/' || c == '\\'; }

		bool IsAbsolute(const char* szPath)
		{
			return IsSeparator(szPath[0]) || (szPath[0] && szPath[1] == ':');
		}

		// Drops drive letters, leading separators and everything up to a "..".
		void CleanName(char* szName)
		{
			static const char* const Ups[] = { "\\..\\", "\\../", "/../", "/..\\" };
			for (bool bChanged = true; bChanged;)
			{
				bChanged = false;
				size_t n = strlen(szName);
				if (n >= 2 && szName[1] == ':')
				{
					memmove(szName, szName + 2, n - 1);
					bChanged = true;
					continue;
				}
				if (IsSeparator(szName[0]))
				{
					memmove(szName, szName + 1, n);
					bChanged = true;
					continue;
				}
				for (const char* szUp : Ups)
				{
					if (const char* p = strstr(szName, szUp))
					{
						const char* szRest = p + 4;
						memmove(szName, szRest, strlen(szRest) + 1);
						bChanged = true;
						break;
					}
				}
			}
		}

		time_t DosToTime(uint32_t iDos)
		{
			struct tm t = {};
			t.tm_year = int((iDos >> 25) & 0x7f) + 80;
			t.tm_mon = int((iDos >> 21) & 0x0f) - 1;
			t.tm_mday = int((iDos >> 16) & 0x1f);
			t.tm_hour = int((iDos >> 11) & 0x1f);
			t.tm_min = int((iDos >> 5) & 0x3f);
			t.tm_sec = int(iDos & 0x1f) * 2;
			t.tm_isdst = -1;
			return mktime(&t);
		}

		// Creates every directory named in the first n characters of the path, one level at a time.
		void MakeDirectories(const std::string& strPath, size_t n)
		{
			for (size_t i = 1; i <= n; ++i)
			{
				if (i == n || IsSeparator(strPath[i]))
				{
					std::string strDir = strPath.substr(0, i);
					if (!strDir.empty() && !IsSeparator(strDir.back()))
						mkdir(strDir.c_str(), 0755);
				}
			}
		}
	}

	// Reader state behind a handle.
	struct TUnzip
	{
		LUFILE source;
		uint32_t entryCount = 0;
		uint64_t centralStart = 0;		// position of the first central record (bytes in front added)
		uint64_t bytesBefore = 0;		// bytes in front of the archive, added to every offset
		uint64_t endRecordPos = 0;
		int currentIndex = -1;			// central record loaded in current
		uint64_t currentPos = 0;
		std::vector<uint64_t> positions;	// where the records walked so far begin
		CentralEntry current;
		int openIndex = -1;				// entry opened for reading
		EntryReader* reader = nullptr;
		ZIPENTRY cache;
		int cacheIndex = -1;
		bool hasPassword = false;
		std::string password;
		std::vector<uint8_t> buffer;	// extraction buffer, made on first use
		char baseDir[1024];

		~TUnzip()
		{
			CloseEntry();
			source.Close();
		}

		bool Open(const char* szPassword);
		bool ReadCentral(uint64_t pos);
		ZRESULT GoTo(int iIndex);
		ZRESULT CheckLocal(uint64_t* pDataPos, std::vector<uint8_t>* pExtra);
		ZRESULT Describe(int iIndex, ZIPENTRY* pEntry);
		ZRESULT OpenEntry(int iIndex);
		ZRESULT ReadEntry(uint8_t* pOut, uint32_t n, uint32_t* pGot);
		bool Fill();
		void CloseEntry();
	};

	bool TUnzip::Open(const char* szPassword)
	{
		if (szPassword)
		{
			hasPassword = true;
			password = szPassword;
		}
		baseDir[0] = 0;
		if (getcwd(baseDir, sizeof(baseDir) - 1))
			strcat(baseDir, "/");
		else
			baseDir[0] = 0;

		// The end record is the last "PK\5\6" within the final bytes that leaves room for it.
		uint64_t iLength = source.length;
		if (iLength < EndRecordSize)
			return false;
		uint32_t iSpan = uint32_t(iLength < EndSearchSpan ? iLength : EndSearchSpan);
		std::vector<uint8_t> tail(iSpan);
		uint64_t iTailPos = iLength - iSpan;
		if (!source.ReadAt(iTailPos, tail.data(), iSpan))
			return false;
		int64_t iFound = -1;
		for (int64_t i = int64_t(iSpan) - EndRecordSize; i >= 0; --i)
		{
			const uint8_t* p = &tail[size_t(i)];
			if (p[0] == 'P' && p[1] == 'K' && p[2] == 5 && p[3] == 6)
			{
				iFound = i;
				break;
			}
		}
		if (iFound < 0)
			return false;
		const uint8_t* e = &tail[size_t(iFound)];
		endRecordPos = iTailPos + uint64_t(iFound);
		uint16_t iDisk = Get16(e + 4), iCentralDisk = Get16(e + 6);
		uint16_t iEntriesHere = Get16(e + 8), iEntries = Get16(e + 10);
		uint64_t iCentralSize = Get32(e + 12), iCentralOffset = Get32(e + 16);
		if (iDisk != 0 || iCentralDisk != 0 || iEntriesHere != iEntries)
			return false;
		if (endRecordPos < iCentralOffset + iCentralSize)
			return false;
		bytesBefore = endRecordPos - (iCentralOffset + iCentralSize);
		centralStart = iCentralOffset + bytesBefore;
		entryCount = iEntries;
		if (entryCount > 0)
		{
			if (!ReadCentral(centralStart))
				return false;
			currentIndex = 0;
			currentPos = centralStart;
			positions.push_back(centralStart);
		}
		return true;
	}

	// Loads the central record at pos; the whole record must lie before the end record.
	bool TUnzip::ReadCentral(uint64_t pos)
	{
		uint8_t h[CentralSize];
		if (pos > endRecordPos || endRecordPos - pos < CentralSize || !source.ReadAt(pos, h, CentralSize))
			return false;
		if (Get32(h) != 0x02014b50u)
			return false;
		CentralEntry& c = current;
		c.versionMadeBy = Get16(h + 4);
		c.versionNeeded = Get16(h + 6);
		c.flags = Get16(h + 8);
		c.method = Get16(h + 10);
		c.dosDateTime = Get32(h + 12);
		c.crc = Get32(h + 16);
		c.compSize = Get32(h + 20);
		c.uncSize = Get32(h + 24);
		c.nameLength = Get16(h + 28);
		c.extraLength = Get16(h + 30);
		c.commentLength = Get16(h + 32);
		c.diskStart = Get16(h + 34);
		c.internalAttr = Get16(h + 36);
		c.externalAttr = Get32(h + 38);
		c.localOffset = Get32(h + 42);
		uint64_t iRecord = uint64_t(CentralSize) + c.nameLength + c.extraLength + c.commentLength;
		if (endRecordPos - pos < iRecord)
			return false;
		uint32_t iName = c.nameLength < sizeof(c.name) - 1 ? c.nameLength : uint32_t(sizeof(c.name) - 1);
		if (!source.ReadAt(pos + CentralSize, c.name, iName))
			return false;
		c.name[iName] = 0;
		return true;
	}

	// Makes the central record of iIndex the current one. Positions of records already walked are
	// kept, so any order of access costs at most one walk over the directory.
	ZRESULT TUnzip::GoTo(int iIndex)
	{
		if (iIndex < 0 || uint32_t(iIndex) >= entryCount)
			return ResultArgs;
		if (iIndex == currentIndex)
			return ResultOk;
		size_t iKnown = positions.size();
		if (size_t(iIndex) < iKnown)
		{
			currentIndex = -1;
			if (!ReadCentral(positions[size_t(iIndex)]))
				return ResultCorrupt;
			currentIndex = iIndex;
			currentPos = positions[size_t(iIndex)];
			return ResultOk;
		}
		if (currentIndex != int(iKnown) - 1)
		{
			currentIndex = -1;
			if (!ReadCentral(positions.back()))
				return ResultCorrupt;
			currentIndex = int(iKnown) - 1;
			currentPos = positions.back();
		}
		while (currentIndex < iIndex)
		{
			uint64_t iNext = currentPos + CentralSize + current.nameLength + current.extraLength + current.commentLength;
			int iNextIndex = currentIndex + 1;
			currentIndex = -1;
			if (!ReadCentral(iNext))
				return ResultCorrupt;
			positions.push_back(iNext);
			currentPos = iNext;
			currentIndex = iNextIndex;
		}
		return ResultOk;
	}

	// Checks the current entry's local header against its central record; gives where its data
	// begins and, when asked, its local extra field.
	ZRESULT TUnzip::CheckLocal(uint64_t* pDataPos, std::vector<uint8_t>* pExtra)
	{
		const CentralEntry& c = current;
		uint64_t pos = uint64_t(c.localOffset) + bytesBefore;
		uint8_t h[LocalSize];
		if (!source.ReadAt(pos, h, LocalSize))
			return ResultCorrupt;
		uint16_t iFlags = Get16(h + 6), iMethod = Get16(h + 8);
		if (Get32(h) != 0x04034b50u || iMethod != c.method || (iMethod != 0 && iMethod != 8))
			return ResultCorrupt;
		if (Get16(h + 26) != c.nameLength)
			return ResultCorrupt;
		if (!(iFlags & 8) && (Get32(h + 14) != c.crc || Get32(h + 18) != c.compSize || Get32(h + 22) != c.uncSize))
			return ResultCorrupt;
		uint16_t iExtra = Get16(h + 28);
		uint64_t iDataPos = pos + LocalSize + c.nameLength + iExtra;
		if (iDataPos > source.length || source.length - iDataPos < c.compSize)
			return ResultCorrupt;
		if (pExtra)
		{
			pExtra->resize(iExtra);
			if (!source.ReadAt(pos + LocalSize + c.nameLength, pExtra->data(), iExtra))
				return ResultRead;
		}
		*pDataPos = iDataPos;
		return ResultOk;
	}

	ZRESULT TUnzip::Describe(int iIndex, ZIPENTRY* pEntry)
	{
		if (iIndex == cacheIndex)
		{
			*pEntry = cache;
			return ResultOk;
		}
		ZRESULT r = GoTo(iIndex);
		if (r != ResultOk)
			return r;
		uint64_t iDataPos = 0;
		std::vector<uint8_t> extra;
		r = CheckLocal(&iDataPos, &extra);
		if (r != ResultOk)
			return r;

		const CentralEntry& c = current;
		ZIPENTRY ze;
		memset(&ze, 0, sizeof(ze));
		ze.index = iIndex;
		memcpy(ze.name, c.name, sizeof(ze.name));
		CleanName(ze.name);

		uint32_t iHost = c.versionMadeBy >> 8;
		bool bDirectory, bReadOnly;
		if (iHost == 0 || iHost == 7 || iHost == 11 || iHost == 14)
		{
			bDirectory = (c.externalAttr & 0x10) != 0;
			bReadOnly = (c.externalAttr & 0x01) != 0;
		}
		else
		{
			bDirectory = (c.externalAttr & 0x40000000u) != 0;
			bReadOnly = (c.externalAttr & 0x00800000u) == 0;
		}
		ze.attr = c.externalAttr >> 16;
		if (bDirectory)
			ze.attr |= 0x4000;
		if (bReadOnly)
			ze.attr &= ~0x80u;

		ze.mtime = ze.atime = ze.ctime = DosToTime(c.dosDateTime);
		// The first "UT" block of the local extra field may carry Unix times.
		size_t iLength = extra.size();
		for (size_t i = 0; i + 4 < iLength;)
		{
			uint16_t iSize = Get16(&extra[i + 2]);
			if (extra[i] == 'U' && extra[i + 1] == 'T')
			{
				size_t iData = i + 4;
				uint8_t iFlags = extra[iData];
				size_t t = iData + 1;
				time_t* const Targets[] = { &ze.mtime, &ze.atime, &ze.ctime };
				for (int b = 0; b < 3; ++b)
				{
					if (!(iFlags & (1 << b)))
						continue;
					if (t + 4 > iLength)
						break;
					*Targets[b] = time_t(int32_t(Get32(&extra[t])));
					t += 4;
				}
				break;
			}
			i += 4 + size_t(iSize);
		}
		ze.comp_size = c.compSize;
		ze.unc_size = c.uncSize;

		cache = ze;
		cacheIndex = iIndex;
		*pEntry = ze;
		return ResultOk;
	}

	// Opens an entry for reading: local header check, decryption header, inflate start.
	ZRESULT TUnzip::OpenEntry(int iIndex)
	{
		CloseEntry();
		ZRESULT r = GoTo(iIndex);
		if (r != ResultOk)
			return r;
		uint64_t iDataPos = 0;
		r = CheckLocal(&iDataPos, nullptr);
		if (r != ResultOk)
			return r;
		const CentralEntry& c = current;
		EntryReader* er = new (std::nothrow) EntryReader;
		if (!er)
			return ResultNoMemory;
		er->input.resize(ChunkSize);
		er->method = c.method;
		er->dataPos = iDataPos;
		er->compRemaining = c.compSize;
		er->uncRemaining = c.uncSize;
		er->storedCrc = c.crc;
		er->crc = uint32_t(crc32(0, nullptr, 0));
		if (c.method == 8)
		{
			memset(&er->zs, 0, sizeof(er->zs));
			if (inflateInit2(&er->zs, -MAX_WBITS) != Z_OK)
			{
				delete er;
				return ResultNoMemory;
			}
			er->inflating = true;
		}
		reader = er;
		openIndex = iIndex;

		if (c.flags & 1)
		{
			er->encrypted = true;
			if (!hasPassword)
				return ResultPassword;
			uint8_t header[12];
			if (er->compRemaining < 12 || !source.ReadAt(er->dataPos, header, 12))
				return ResultCorrupt;
			er->keys.Init(password.c_str());
			for (uint8_t& b : header)
				b = er->keys.Decrypt(b);
			uint8_t iCheck = (c.flags & 8) ? uint8_t(c.dosDateTime >> 8) : uint8_t(c.crc >> 24);
			if (header[11] != iCheck)
				return ResultPassword;
			er->dataPos += 12;
			er->compRemaining -= 12;
		}
		return ResultOk;
	}

	// Fetches the next piece of compressed input, decrypted; false when none is left.
	bool TUnzip::Fill()
	{
		EntryReader* er = reader;
		if (er->compRemaining == 0)
			return false;
		uint32_t n = er->compRemaining < ChunkSize ? er->compRemaining : ChunkSize;
		if (!source.ReadAt(er->dataPos, er->input.data(), n))
			return false;
		if (er->encrypted)
			for (uint32_t i = 0; i < n; ++i)
				er->input[i] = er->keys.Decrypt(er->input[i]);
		er->dataPos += n;
		er->compRemaining -= n;
		er->inputOffset = 0;
		er->inputAvail = n;
		return true;
	}

	// Delivers up to n bytes of the open entry, never more than remain of it.
	ZRESULT TUnzip::ReadEntry(uint8_t* pOut, uint32_t n, uint32_t* pGot)
	{
		EntryReader* er = reader;
		*pGot = 0;
		if (n > er->uncRemaining)
			n = er->uncRemaining;
		uint32_t iGot = 0;
		if (er->method == 0)
		{
			while (iGot < n)
			{
				if (er->inputAvail == 0 && !Fill())
					break;
				uint32_t k = n - iGot < er->inputAvail ? n - iGot : er->inputAvail;
				memcpy(pOut + iGot, &er->input[er->inputOffset], k);
				er->inputOffset += k;
				er->inputAvail -= k;
				iGot += k;
			}
		}
		else
		{
			z_stream& zs = er->zs;
			zs.next_out = pOut;
			zs.avail_out = n;
			while (zs.avail_out > 0 && !er->streamEnded)
			{
				if (zs.avail_in == 0)
				{
					if (!Fill())
						break;
					zs.next_in = &er->input[0];
					zs.avail_in = er->inputAvail;
					er->inputAvail = 0;
				}
				int ret = inflate(&zs, Z_SYNC_FLUSH);
				if (ret == Z_STREAM_END)
					er->streamEnded = true;
				else if (ret == Z_BUF_ERROR)
					break;	// no progress possible with what is left
				else if (ret != Z_OK)
					return ResultFlate;
			}
			iGot = n - zs.avail_out;
		}
		if (source.readError)
			return ResultRead;
		er->crc = uint32_t(crc32(er->crc, pOut, iGot));
		er->uncRemaining -= iGot;
		*pGot = iGot;
		return ResultOk;
	}

	void TUnzip::CloseEntry()
	{
		if (reader)
		{
			if (reader->inflating)
				inflateEnd(&reader->zs);
			delete reader;
			reader = nullptr;
		}
		openIndex = -1;
	}

	namespace
	{
		ZRESULT GetReader(HZIP hZip, TUnzip** ppUnzip)
		{
			if (!hZip)
				return ResultArgs;
			if (hZip->flag != HandleReader)
				return ResultMixedModes;
			*ppUnzip = static_cast<TUnzip*>(hZip->state);
			return ResultOk;
		}

		HZIP MakeHandle(TUnzip* pUnzip, const char* szPassword)
		{
			if (!pUnzip->Open(szPassword))
			{
				delete pUnzip;
				Recent(ResultNoFile);
				return nullptr;
			}
			HZIP__* h = new (std::nothrow) HZIP__;
			if (!h)
			{
				delete pUnzip;
				Recent(ResultNoMemory);
				return nullptr;
			}
			h->flag = HandleReader;
			h->state = pUnzip;
			Recent(ResultOk);
			return h;
		}

		HZIP OpenStream(FILE* pFile, bool bMustClose, const char* szPassword)
		{
			struct stat st;
			off_t iStart = -1, iEnd = -1;
			bool bOk = fstat(fileno(pFile), &st) == 0 && S_ISREG(st.st_mode) && (iStart = ftello(pFile)) >= 0 &&
				fseeko(pFile, 0, SEEK_END) == 0 && (iEnd = ftello(pFile)) >= iStart;
			if (!bOk)
			{
				if (bMustClose)
					fclose(pFile);
				Recent(ResultSeek);
				return nullptr;
			}
			TUnzip* u = new (std::nothrow) TUnzip;
			if (!u)
			{
				if (bMustClose)
					fclose(pFile);
				Recent(ResultNoMemory);
				return nullptr;
			}
			u->source.file = pFile;
			u->source.canSeek = true;
			u->source.mustClose = bMustClose;
			u->source.initialOffset = int64_t(iStart);
			u->source.length = uint64_t(iEnd - iStart);
			return MakeHandle(u, szPassword);
		}

		bool IsDirectoryEntry(const ZIPENTRY& ze) { return (ze.attr & 0xF000) == 0x4000; }

		// Builds the full extraction path: absolute as given, else below the base directory.
		bool BuildPath(const TUnzip* u, const char* szPath, std::string* pOut)
		{
			*pOut = IsAbsolute(szPath) ? std::string(szPath) : std::string(u->baseDir) + szPath;
			return pOut->size() <= MaxPathLength;
		}

		// Reads the open entry through the extraction buffer into the file until its end.
		ZRESULT CopyEntryToFile(TUnzip* u, FILE* pOut)
		{
			if (u->buffer.empty())
				u->buffer.resize(ChunkSize);
			for (;;)
			{
				if (u->reader->uncRemaining == 0)
					return u->reader->crc == u->reader->storedCrc ? ResultOk : ResultCorrupt;
				uint32_t iGot = 0;
				ZRESULT r = u->ReadEntry(u->buffer.data(), ChunkSize, &iGot);
				if (r != ResultOk)
					return r == ResultPassword ? r : ResultFlate;
				if (iGot == 0)
					return ResultFlate;
				if (fwrite(u->buffer.data(), 1, iGot, pOut) != iGot)
					return ResultWrite;
			}
		}

		ZRESULT UnzipToFile(TUnzip* u, int iIndex, const char* szPath, FILE* pHandle)
		{
			u->CloseEntry();
			if (iIndex < 0 || uint32_t(iIndex) >= u->entryCount || (!szPath && !pHandle))
				return ResultArgs;
			ZIPENTRY ze;
			ZRESULT r = u->Describe(iIndex, &ze);
			if (r != ResultOk)
				return r;
			// Never write outside the target: unsafe names are refused.
			if (szPath && !IsSafeZipItemName(ze.name))
				return ResultArgs;
			std::string strPath;
			if (szPath && !BuildPath(u, szPath, &strPath))
				return ResultArgs;

			if (IsDirectoryEntry(ze))
			{
				if (szPath)
					MakeDirectories(strPath, strPath.size());
				return ResultOk;
			}
			if (ze.unc_size > MaxUnzipFileSize)
				return ResultWrite;

			r = u->OpenEntry(iIndex);
			if (r != ResultOk)
			{
				u->CloseEntry();
				return r == ResultPassword ? r : ResultFlate;
			}
			FILE* pOut = pHandle;
			if (szPath)
			{
				size_t iSlash = strPath.find_last_of("/\\");
				if (iSlash != std::string::npos)
					MakeDirectories(strPath, iSlash);
				pOut = fopen(strPath.c_str(), "wb");
				if (!pOut)
				{
					u->CloseEntry();
					return ResultNoFile;
				}
			}
			r = CopyEntryToFile(u, pOut);
			u->CloseEntry();
			if (szPath)
			{
				fclose(pOut);
				struct utimbuf times;
				times.actime = ze.atime;
				times.modtime = ze.mtime;
				utime(strPath.c_str(), &times);
			}
			return r;
		}
	}

	bool IsSafeZipItemName(const char* szName)
	{
		if (!szName || !*szName || IsAbsolute(szName))
			return false;
		const char* szPart = szName;
		for (const char* p = szName;; ++p)
		{
			if (*p == 0 || IsSeparator(*p))
			{
				if (p - szPart == 2 && szPart[0] == '.' && szPart[1] == '.')
					return false;
				if (*p == 0)
					return true;
				szPart = p + 1;
			}
		}
	}

	HZIP OpenZip(const char* szPath, const char* szPassword)
	{
		if (!szPath)
		{
			Recent(ResultArgs);
			return nullptr;
		}
		FILE* f = fopen(szPath, "rb");
		if (!f)
		{
			Recent(ResultNoFile);
			return nullptr;
		}
		return OpenStream(f, true, szPassword);
	}

	HZIP OpenZip(const void* pData, uint32_t iLength, const char* szPassword)
	{
		if (!pData)
		{
			Recent(ResultArgs);
			return nullptr;
		}
		TUnzip* u = new (std::nothrow) TUnzip;
		if (!u)
		{
			Recent(ResultNoMemory);
			return nullptr;
		}
		u->source.base = static_cast<const uint8_t*>(pData);
		u->source.length = iLength;
		u->source.canSeek = true;
		return MakeHandle(u, szPassword);
	}

	HZIP OpenZipHandle(FILE* pFile, const char* szPassword)
	{
		if (!pFile)
		{
			Recent(ResultArgs);
			return nullptr;
		}
		return OpenStream(pFile, false, szPassword);
	}

	ZRESULT GetZipItem(HZIP hZip, int iIndex, ZIPENTRY* pEntry)
	{
		TUnzip* u = nullptr;
		ZRESULT r = GetReader(hZip, &u);
		if (r != ResultOk)
			return Recent(r);
		if (!pEntry || iIndex < -1 || (iIndex >= 0 && uint32_t(iIndex) >= u->entryCount))
			return Recent(ResultArgs);
		u->CloseEntry();
		if (iIndex == -1)
		{
			memset(pEntry, 0, sizeof(*pEntry));
			pEntry->index = int(u->entryCount);
			return Recent(ResultOk);
		}
		return Recent(u->Describe(iIndex, pEntry));
	}

	ZRESULT FindZipItem(HZIP hZip, const char* szName, bool bIgnoreCase, int* pIndex, ZIPENTRY* pEntry)
	{
		TUnzip* u = nullptr;
		ZRESULT r = GetReader(hZip, &u);
		if (r != ResultOk)
			return Recent(r);
		if (!szName)
			return Recent(ResultArgs);
		if (strlen(szName) < 256)
		{
			for (uint32_t i = 0; i < u->entryCount; ++i)
			{
				r = u->GoTo(int(i));
				if (r != ResultOk)
					return Recent(r);
				// Lookup holds stored names in 256 bytes: longer ones never match.
				if (u->current.nameLength >= 256)
					continue;
				const char* stored = u->current.name;
				bool bMatch;
				if (!bIgnoreCase)
					bMatch = strcmp(stored, szName) == 0;
				else
				{
					const char *a = stored, *b = szName;
					auto Upper = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
					while (*a && Upper(*a) == Upper(*b))
						++a, ++b;
					bMatch = *a == 0 && *b == 0;
				}
				if (!bMatch)
					continue;
				u->CloseEntry();
				if (pIndex)
					*pIndex = int(i);
				ZIPENTRY ze;
				r = u->Describe(int(i), &ze);
				if (r == ResultOk && pEntry)
					*pEntry = ze;
				return Recent(r);
			}
		}
		if (pIndex)
			*pIndex = -1;
		if (pEntry)
		{
			memset(pEntry, 0, sizeof(*pEntry));
			pEntry->index = -1;
		}
		return Recent(ResultNotFound);
	}

	ZRESULT UnzipItem(HZIP hZip, int iIndex, const char* szPath)
	{
		TUnzip* u = nullptr;
		ZRESULT r = GetReader(hZip, &u);
		if (r != ResultOk)
			return Recent(r);
		if (!szPath)
			return Recent(ResultArgs);
		return Recent(UnzipToFile(u, iIndex, szPath, nullptr));
	}

	ZRESULT UnzipItemHandle(HZIP hZip, int iIndex, FILE* pFile)
	{
		TUnzip* u = nullptr;
		ZRESULT r = GetReader(hZip, &u);
		if (r != ResultOk)
			return Recent(r);
		if (!pFile)
			return Recent(ResultArgs);
		return Recent(UnzipToFile(u, iIndex, nullptr, pFile));
	}

	ZRESULT UnzipItem(HZIP hZip, int iIndex, void* pBuffer, uint32_t iLength)
	{
		TUnzip* u = nullptr;
		ZRESULT r = GetReader(hZip, &u);
		if (r != ResultOk)
			return Recent(r);
		if (!pBuffer || iLength == 0 || iIndex < 0 || uint32_t(iIndex) >= u->entryCount)
			return Recent(ResultArgs);
		if (u->openIndex != iIndex || !u->reader)
		{
			r = u->OpenEntry(iIndex);
			if (r != ResultOk)
			{
				u->CloseEntry();
				return Recent(r == ResultPassword ? r : ResultFlate);
			}
		}
		uint32_t iGot = 0;
		r = u->ReadEntry(static_cast<uint8_t*>(pBuffer), iLength, &iGot);
		if (r != ResultOk)
		{
			u->CloseEntry();
			return Recent(ResultFlate);
		}
		if (u->reader->uncRemaining == 0)
		{
			r = u->reader->crc == u->reader->storedCrc ? ResultOk : ResultCorrupt;
			u->CloseEntry();
			return Recent(r);
		}
		if (iGot == 0)
		{
			u->CloseEntry();
			return Recent(ResultFlate);
		}
		return Recent(ResultMore);
	}

	ZRESULT SetUnzipBaseDir(HZIP hZip, const char* szDirectory)
	{
		TUnzip* u = nullptr;
		ZRESULT r = GetReader(hZip, &u);
		if (r != ResultOk)
			return Recent(r);
		if (!szDirectory)
			return Recent(ResultArgs);
		// At most 1022 characters, so the appended "/" and the NUL still fit.
		size_t n = strlen(szDirectory);
		if (n > sizeof(u->baseDir) - 2)
			n = sizeof(u->baseDir) - 2;
		memcpy(u->baseDir, szDirectory, n);
		u->baseDir[n] = 0;
		if (n == 0 || !IsSeparator(u->baseDir[n - 1]))
		{
			u->baseDir[n] = '/';
			u->baseDir[n + 1] = 0;
		}
		return Recent(ResultOk);
	}

	ZRESULT CloseZipU(HZIP hZip)
	{
		TUnzip* u = nullptr;
		ZRESULT r = GetReader(hZip, &u);
		if (r != ResultOk)
			return Recent(r);
		delete u;
		delete hZip;
		return Recent(ResultOk);
	}

	bool IsZipHandleU(HZIP hZip) { return hZip && hZip->flag == HandleReader; }

	uint32_t FormatZipMessageU(ZRESULT iCode, char* pBuffer, uint32_t iSize)
	{
		return RecentResult<HandleReader>::Format(iCode, pBuffer, iSize);
	}
}
