// The upload payload and the cloud file names shared by the create and update commands.
#include "common.h"

#include "steamtools.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/Utility/CompressionLZMA.h"
#include "Kestrum/Utility/Hasher.h"
#include "Kestrum/Utility/String.h"
#include "Kestrum/Utility/Time.h"

namespace
{
	const int CompressionLevel = 9;
	const int DictionarySize = 0x2000000;

	void WriteLittleEndian32(Kestrum::Buffer& buffer, uint32_t iValue)
	{
		unsigned char bytes[4] = {static_cast<unsigned char>(iValue), static_cast<unsigned char>(iValue >> 8),
		                          static_cast<unsigned char>(iValue >> 16), static_cast<unsigned char>(iValue >> 24)};
		buffer.Write(bytes, 4);
	}
}

bool LoadAddon(Addon::Reader& addon, const Kestrum::BString& strPath)
{
	if (!addon.ReadFromFile(strPath))
	{
		Kestrum::Output::Warning("Error opening addon (does the file exist?)\n");
		return false;
	}
	if (!addon.Parse())
	{
		Kestrum::Output::Warning("Error parsing addon\n");
		return false;
	}
	return CheckAddon(addon);
}

bool BuildPayload(const Addon::Reader& addon, Kestrum::AutoBuffer& payload)
{
	const Kestrum::AutoBuffer& archive = addon.GetBuffer();
	uint32_t iSize = archive.GetWritten();
	Kestrum::Output::Msg("Compressing.. [%s] => ", Kestrum::String::Format::Memory(static_cast<int>(iSize)).c_str());
	if (!Kestrum::Compression::LZMA::Compress(archive.GetBase(), iSize, payload, CompressionLevel, DictionarySize))
	{
		Kestrum::Output::Warning("Failed!\n");
		return false;
	}
	Kestrum::Output::Msg(" [%s]\n", Kestrum::String::Format::Memory(static_cast<int>(payload.GetWritten())).c_str());

	uint32_t iStreamEnd = payload.GetWritten();
	payload.SetPos(iStreamEnd);
	WriteLittleEndian32(payload, iSize);
	WriteLittleEndian32(payload, Addon::CompressionSignature);
	if (payload.GetWritten() != iStreamEnd + 8)
	{
		Kestrum::Output::Warning("Failed!\n");
		return false;
	}
	return true;
}

Kestrum::BString CloudStem(const Kestrum::Buffer& payload)
{
	uint32_t iCRC = Kestrum::Hasher::CRC32::Easy(payload.GetBase(), payload.GetWritten(), 0);
	return "addon_uploads/" + Kestrum::Time::UnixTimestampAsString() + "_" + Kestrum::ToStr<unsigned int>(iCRC);
}

void DeleteCloudFile(const Kestrum::BString& strName)
{
	SteamTools::Steam()->m_pSteamRemoteStorage->FileDelete(strName.c_str());
}
