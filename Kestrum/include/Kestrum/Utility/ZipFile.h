// In-memory zip archive: lists and extracts an existing archive (from a file or memory) and,
// independently, builds a new archive in memory from files on disk.
#pragma once

#include <Kestrum/Types/Buffer.h>
#include <Kestrum/Types/String.h>
#include <Kestrum/Utility/ZipReader.h>
#include <Kestrum/Utility/ZipWriter.h>

#include <cstdint>
#include <map>

namespace Kestrum
{
	namespace Compression
	{
		namespace Zip
		{
			class File
			{
			public:
				struct Entry
				{
					BString strName;	// as the reader reports it, after its name clean-up
					uint32_t iSize;		// uncompressed
				};

				// The archive being built must stay strictly below this size.
				static const uint32_t WriterCapacity = 1u << 30;

				File();
				File(const BString& strFileName, const BString& strPassword);
				// The block must stay valid while the object reads it.
				File(const void* pData, uint32_t iLength, const BString& strPassword);
				~File();

				File(const File&) = delete;
				File& operator=(const File&) = delete;

				// Forgets both handles without closing them.
				void Init();

				int RefreshFiles();
				int GetNumItems() const;
				bool IsOpen() const;
				BString GetFileName(int iIndex) const;
				// The reader's result of extracting the entry to the path (0 on success).
				XZip::ZRESULT ExtractFile(int iIndex, const BString& strTarget);
				// Extracts every entry below the folder; entries that would leave it are skipped.
				void ExtractToFolder(const BString& strFolder);

				void EnsureWriter();
				bool AddFile(const BString& strName, const BString& strFileName);
				// Finish the archive and append it to the buffer or write it to the file; the writer
				// is then closed. When either step fails the answer is false and the writer stays.
				bool WriteAndClose(Buffer& buffer);
				bool WriteAndClose(const BString& strFileName);
				// Closes the writer, discarding what was added.
				void Close();

			private:
				XZip::HZIP m_Reader;
				XZip::HZIP m_Writer;
				std::map<int, Entry> m_Entries;
			};
		}
	}
}
