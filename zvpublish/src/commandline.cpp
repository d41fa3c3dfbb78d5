// The stored command line of zvpublish.
#include "commandline.h"

namespace Kestrum
{
	namespace CommandLine
	{
		namespace
		{
			String::List g_ArgList;
			BString g_Full;
		}

		void Set(int argc, char** argv)
		{
			if (argc < 2 || !argv)
				return;
			for (int i = 1; i < argc; i++)
			{
				BString strArg = argv[i] ? argv[i] : "";
				AddArgument(strArg);
				g_Full += strArg + " ";
			}
		}

		void AddArgument(const BString& strArg)
		{
			g_ArgList.push_back(strArg);
		}

		int32_t GetArgCount()
		{
			return static_cast<int32_t>(g_ArgList.size());
		}

		BString GetArg(int32_t iIndex, const BString& strDefault)
		{
			if (iIndex < 0 || iIndex >= GetArgCount())
				return strDefault;
			return g_ArgList[static_cast<size_t>(iIndex)];
		}

		BString GetFull()
		{
			return g_Full;
		}

		BString GetSwitch(const BString& strSwitch, const BString& strDefault)
		{
			for (size_t i = 0; i < g_ArgList.size(); i++)
			{
				if (g_ArgList[i] != strSwitch)
					continue;
				if (i + 1 < g_ArgList.size())
					return g_ArgList[i + 1];
				return strDefault;
			}
			return strDefault;
		}
	}
}
