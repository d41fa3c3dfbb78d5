// Path helpers for strings holding file names; "/" and "\\" both separate folders.
#include "Kestrum/Utility/String.h"

namespace Kestrum
{
	namespace String
	{
		namespace File
		{
			void CleanPath(BString& str)
			{
				Util::FindAndReplace(str, "\\", "/");
				Util::Trim(str, "/");
				Util::FindAndReplace(str, "//", "/");
			}

			void FixSlashes(BString& strIn, const BString& strFrom, const BString& strTo)
			{
				Util::FindAndReplace(strIn, strFrom, strTo);
			}

			void ToWindowsSlashes(BString& str)
			{
				Util::FindAndReplace(str, "/", "\\");
			}

			// Only a drive-letter form ("c:...") counts as absolute.
			bool IsAbsolutePath(const BString& str)
			{
				if (str.size() < 2 || str[1] != ':')
					return false;
				return str[0] != '.' && str[0] != '/' && str[0] != '\\';
			}

			void ExtractFilename(BString& str)
			{
				size_t pos = str.rfind('/');
				if (pos == BString::npos)
					pos = str.rfind('\\');
				if (pos != BString::npos)
					str.erase(0, pos + 1);
			}

			void StripFilename(BString& str)
			{
				size_t pos = str.rfind('/');
				if (pos == BString::npos)
					pos = str.rfind('\\');
				str.erase(pos == BString::npos ? 0 : pos + 1);
			}

			BString GetFileExtension(const BString& str)
			{
				size_t pos = str.rfind('.');
				if (pos == BString::npos)
					return BString();
				return str.substr(pos + 1);
			}

			void StripExtension(BString& str)
			{
				size_t pos = str.rfind('.');
				if (pos != BString::npos)
					str.erase(pos);
			}

			bool IsFileExtension(const BString& str, const BString& strExt)
			{
				BString s = str, e = strExt;
				Lower(s);
				Lower(e);
				return Test::EndsWith(s, e);
			}

			void UpOneDirectory(BString& str)
			{
				Util::TrimRight(str, "\\/");
				size_t pos = str.rfind('/');
				str.erase(pos == BString::npos ? 0 : pos);
			}

			void LastDirectory(BString& str)
			{
				StripFilename(str);
				Util::TrimRight(str, "\\/");
				size_t pos = str.rfind('/');
				if (pos == BString::npos)
					pos = str.rfind('\\');
				if (pos == BString::npos)
					str.clear();
				else
					str.erase(0, pos + 1);
			}
		}
	}
}
