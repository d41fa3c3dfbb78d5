// The ".zva" add-on archive as zvpublish reads it: format constants, tag tables, the header
// reader and the validation run before anything is uploaded.
#pragma once

#include "Kestrum/Types/Buffer.h"
#include "Kestrum/Types/String.h"

#include <cstdint>
#include <list>
#include <vector>

namespace Addon
{
	// "ZVAD": the first four bytes of every archive.
	extern const char Ident[4];
	// The only format version the publisher accepts.
	const int Version = 3;
	// Closes an upload payload, after the uncompressed size.
	const uint32_t CompressionSignature = 0xBEEFCACE;

	namespace Tags
	{
		const int TypesCount = 8;
		extern const char* const Type[TypesCount];
		const int MiscCount = 9;
		extern const char* const Misc[MiscCount];
	}

	struct FileEntry
	{
		Kestrum::BString strName;
		int64_t iSize = 0;          // as stored
		uint32_t iCRC = 0;          // as stored
		uint32_t iFileNumber = 0;   // position in the table, from 1
		int64_t iOffset = 0;        // from m_fileblock: the sizes of all earlier entries
	};

	class Reader
	{
	public:
		Reader();

		// Reads the whole archive file; false when it cannot be read.
		bool ReadFromFile(const Kestrum::BString& strName);
		// Decodes the header and file table; false for a wrong identifier or a too-new version.
		bool Parse();

		int8_t GetFormatVersion() const { return m_fmtversion; }
		const Kestrum::BString& Title() const { return m_name; }
		const Kestrum::BString& Author() const { return m_author; }
		const Kestrum::BString& Description() const { return m_desc; }
		const Kestrum::BString& Type() const { return m_type; }
		const std::vector<Kestrum::BString>& Tags() const { return m_tags; }
		const std::list<FileEntry>& GetList() const { return m_index; }
		uint32_t GetFileBlock() const { return m_fileblock; }
		// The whole archive as read.
		const Kestrum::AutoBuffer& GetBuffer() const { return m_buffer; }

	private:
		Kestrum::AutoBuffer m_buffer;
		int8_t m_fmtversion;
		Kestrum::BString m_name;
		Kestrum::BString m_author;
		Kestrum::BString m_desc;
		Kestrum::BString m_type;
		std::list<FileEntry> m_index;
		uint32_t m_fileblock;
		std::vector<Kestrum::BString> m_tags;
	};
}

// Prints the first problem that keeps the add-on from being published; false then.
bool CheckAddon(const Addon::Reader& addon);
