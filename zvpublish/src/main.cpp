// zvpublish: the workshop publisher's entry point. One command per run: "create", "list" or
// "update"; anything else prints the usage text.
#include "commandline.h"
#include "common.h"
#include "steamtools.h"

#include "Kestrum/Console/Output.h"
#include "Kestrum/Debug/Debug.h"
#include "Kestrum/Utility/String.h"

#include <cstdlib>

namespace
{
	const char Usage[] =
		"\n Usage:\n\t\t\n  Create a new addon:\n\n   zvpublish create -addon \"c:\\my\\addon.zva\" -icon \"c:\\my\\addon.jpg\"\n\t\n\n"
		"  List of published addons:\n\n   zvpublish list\n\t\t\n\n"
		"  Update an addon file:\n\n   zvpublish update -addon \"c:\\my\\myaddon.zva\" -id \"1234567\" -changes \"Fixed error when dying\"\n\t\t\n\t\t";

	// Prints the user's cloud quota; ends the process with status 1 when it cannot be read.
	void OutputQuota()
	{
		int32_t iTotal = 0, iAvailable = 0;
		if (!SteamTools::Steam()->m_pSteamRemoteStorage->GetQuota(&iTotal, &iAvailable))
		{
			Kestrum::Output::Warning("Couldn't retrieve steam quota!\n");
			std::exit(1);
		}
		Kestrum::Output::Msg("Storage Quota: %s total, %s free\n", Kestrum::String::Format::Memory(iTotal).c_str(),
		                     Kestrum::String::Format::Memory(iAvailable).c_str());
	}
}

int main(int argc, char** argv)
{
	Kestrum::Debug::SuppressPopups(true);
	Kestrum::CommandLine::Set(argc, argv);

	Kestrum::Console::FGColorPush(Kestrum::Console::Green);
	Kestrum::Output::Msg("Quelm's Workshop Publisher 1.0\n");
	Kestrum::Console::FGColorPop();
	Kestrum::Output::Msg("[Compiled %s - %s]\n", __DATE__, __TIME__);

	Kestrum::BString strCommand = Kestrum::CommandLine::GetArg(0, "");
	Kestrum::String::Lower(strCommand);

	int iStatus = 0;
	if (strCommand == "create")
	{
		SteamTools::Init(ZVPUBLISH_APP_ID);
		OutputQuota();
		Kestrum::BString strAddon = Kestrum::CommandLine::GetSwitch("-addon", "");
		Kestrum::BString strIcon = Kestrum::CommandLine::GetSwitch("-icon", "");
		iStatus = Publish_New_Addon(strAddon, strIcon);
	}
	else if (strCommand == "list")
	{
		SteamTools::Init(ZVPUBLISH_APP_ID);
		iStatus = List_Addons();
	}
	else if (strCommand == "update")
	{
		SteamTools::Init(ZVPUBLISH_APP_ID);
		Kestrum::BString strAddon = Kestrum::CommandLine::GetSwitch("-addon", "");
		Kestrum::BString strId = Kestrum::CommandLine::GetSwitch("-id", "");
		Kestrum::BString strChanges = Kestrum::CommandLine::GetSwitch("-changes", "None Provided");
		iStatus = Update_Addon(strAddon, strId, strChanges);
	}
	else
	{
		Kestrum::Output::Msg("%s", Usage);
	}
	return iStatus;
}
