// The "list" command: prints the user's published add-ons (items tagged "addon").
#include "common.h"
#include "steamtools.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/Utility/String.h"

int List_Addons()
{
	Kestrum::Output::Msg("Getting published files..\n\n");

	ForEachPublishedAddon([](const RemoteStorageGetPublishedFileDetailsResult_t& details) {
		Kestrum::Output::Msg("\t%llu\t%s\t\"%s\"\n", static_cast<unsigned long long>(details.m_nPublishedFileId),
		                     Kestrum::String::Format::Memory(details.m_nFileSize).c_str(),
		                     FieldText(details.m_rgchTitle, sizeof(details.m_rgchTitle)).c_str());
		return true;
	});

	Kestrum::Output::Msg("\nDone.\n");
	return 0;
}
