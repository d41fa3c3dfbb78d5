// Reading and validating ".zva" add-on archives. The reader survives any bytes: reads past the
// end come back short or empty, and the file table ends where the file does.
#include "addon.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/Data/Json.h"
#include "Kestrum/File/File.h"

#include <cstring>
#include <limits>

namespace Addon
{
	const char Ident[4] = {'Z', 'V', 'A', 'D'};

	namespace Tags
	{
		const char* const Type[TypesCount] = {"gamemode", "map", "weapon", "vehicle", "npc", "tool", "effects", "model"};
		const char* const Misc[MiscCount] = {"fun", "roleplay", "scenic", "movie", "realism", "cartoon", "water", "comic", "build"};
	}

	namespace
	{
		// Smallest table entry after its number: an empty name, the size and the CRC.
		const uint32_t MinEntryRest = 1 + 8 + 4;

		int64_t AddSaturating(int64_t a, int64_t b)
		{
			int64_t sum;
			if (__builtin_add_overflow(a, b, &sum))
				return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
			return sum;
		}
	}

	Reader::Reader() : m_buffer(32), m_fmtversion(0), m_fileblock(0)
	{
	}

	bool Reader::ReadFromFile(const Kestrum::BString& strName)
	{
		m_buffer.Clear();
		return Kestrum::File::Read(strName, m_buffer);
	}

	bool Reader::Parse()
	{
		// Parse a view of exactly the bytes read: the block behind them may be larger.
		Kestrum::Buffer in(m_buffer.GetBase(), m_buffer.GetWritten());
		in.SetPos(0);
		m_type.clear();
		m_tags.clear();

		for (int i = 0; i < 4; i++)
		{
			char c = 0;
			if (in.Read(&c, 1) != 1 || c != Ident[i])
				return false;
		}

		m_fmtversion = in.ReadType<int8_t>();
		if (m_fmtversion > Version)
			return false;

		in.ReadType<uint64_t>();
		in.ReadType<uint64_t>();

		if (m_fmtversion > 1)
		{
			while (!in.ReadString().empty())
			{
			}
		}

		m_name = in.ReadString();
		m_desc = in.ReadString();
		m_author = in.ReadString();
		in.ReadType<int32_t>();

		m_index.clear();
		uint32_t iFileNumber = 0;
		int64_t iOffset = 0;
		bool bTerminated = false;
		bool bSizesValid = true;
		for (;;)
		{
			// A truncated or garbage table ends at the end of the file.
			uint64_t iLeft = static_cast<uint64_t>(in.GetSize()) - in.GetPos();
			if (iLeft < 4)
			{
				in.SetPos(in.GetSize());
				break;
			}
			uint32_t iEntry = in.ReadType<uint32_t>();
			if (iEntry == 0)
			{
				bTerminated = true;
				break;
			}
			if (static_cast<uint64_t>(in.GetSize()) - in.GetPos() < MinEntryRest)
			{
				in.SetPos(in.GetSize());
				break;
			}

			FileEntry entry;
			entry.strName = in.ReadString();
			entry.iSize = in.ReadType<int64_t>();
			entry.iCRC = in.ReadType<uint32_t>();
			entry.iFileNumber = ++iFileNumber;
			entry.iOffset = iOffset;
			if (entry.iSize < 0)
				bSizesValid = false;
			iOffset = AddSaturating(iOffset, entry.iSize);
			m_index.push_back(entry);
		}

		m_fileblock = in.GetPos();

		// An archive cut short (a table without its end, or contents past the end of the
		// file) is not published.
		uint64_t iContents = static_cast<uint64_t>(in.GetSize()) - m_fileblock;
		if (!bTerminated || !bSizesValid || static_cast<uint64_t>(iOffset) > iContents)
			return false;

		Kestrum::Data::Tree tree;
		if (Kestrum::Data::Json::Import(tree, m_desc))
		{
			m_desc = tree.ChildValue("description", "");
			m_type = tree.ChildValue("type", "");
			for (const Kestrum::Data::Tree& tag : tree.GetChild("tags").Children())
				m_tags.push_back(tag.Value());
		}

		return true;
	}
}

namespace
{
	bool InTable(const Kestrum::BString& str, const char* const* table, int iCount)
	{
		for (int i = 0; i < iCount; i++)
		{
			if (str == table[i])
				return true;
		}
		return false;
	}
}

bool CheckAddon(const Addon::Reader& addon)
{
	if (addon.GetFormatVersion() != Addon::Version)
	{
		Kestrum::Output::Warning("Addon version isn't %i - rebuild it with the latest zvad!\n", Addon::Version);
		return false;
	}
	if (addon.Title().empty())
	{
		Kestrum::Output::Warning("This addon doesn't have a title!\n");
		return false;
	}
	if (addon.Type().empty())
	{
		Kestrum::Output::Warning("Addon doesn't have a type!\n");
		return false;
	}
	if (!InTable(addon.Type(), Addon::Tags::Type, Addon::Tags::TypesCount))
	{
		Kestrum::Output::Warning("Addon has invalid type!\n");
		return false;
	}
	if (addon.Tags().size() > 2)
	{
		Kestrum::Output::Warning("Addon has too many tags!\n");
		return false;
	}
	for (const Kestrum::BString& tag : addon.Tags())
	{
		if (!InTable(tag, Addon::Tags::Misc, Addon::Tags::MiscCount))
		{
			Kestrum::Output::Warning("Addon has invalid tags!\n");
			return false;
		}
	}
	return true;
}
