// In-memory zip archive over the zip reader and writer.
#include <Kestrum/Utility/ZipFile.h>

#include <Kestrum/File/File.h>
#include <Kestrum/Utility/String.h>

namespace Kestrum
{
	namespace Compression
	{
		namespace Zip
		{
			File::File() : m_Reader(nullptr), m_Writer(nullptr) {}

			File::File(const BString& strFileName, const BString& strPassword) : m_Reader(nullptr), m_Writer(nullptr)
			{
				m_Reader = XZip::OpenZip(strFileName.c_str(), strPassword.c_str());
				RefreshFiles();
			}

			File::File(const void* pData, uint32_t iLength, const BString& strPassword) : m_Reader(nullptr), m_Writer(nullptr)
			{
				m_Reader = XZip::OpenZip(pData, iLength, strPassword.c_str());
				RefreshFiles();
			}

			File::~File()
			{
				Close();
				if (m_Reader)
					XZip::CloseZipU(m_Reader);
			}

			void File::Init()
			{
				m_Reader = nullptr;
				m_Writer = nullptr;
			}

			int File::RefreshFiles()
			{
				m_Entries.clear();
				XZip::ZIPENTRY ze;
				int iCount = 0;
				if (m_Reader && XZip::GetZipItem(m_Reader, -1, &ze) == XZip::ResultOk)
					iCount = ze.index;
				for (int i = 0; i < iCount; ++i)
				{
					// An entry the reader cannot describe is listed without a name, so indices stay aligned.
					Entry entry{ BString(), 0 };
					if (XZip::GetZipItem(m_Reader, i, &ze) == XZip::ResultOk)
					{
						entry.strName = ze.name;
						entry.iSize = ze.unc_size;
					}
					m_Entries[i] = entry;
				}
				return iCount;
			}

			int File::GetNumItems() const { return int(m_Entries.size()); }

			bool File::IsOpen() const { return m_Reader || m_Writer; }

			BString File::GetFileName(int iIndex) const
			{
				auto it = m_Entries.find(iIndex);
				return it == m_Entries.end() ? BString() : it->second.strName;
			}

			XZip::ZRESULT File::ExtractFile(int iIndex, const BString& strTarget)
			{
				return XZip::UnzipItem(m_Reader, iIndex, strTarget.c_str());
			}

			void File::ExtractToFolder(const BString& strFolder)
			{
				int iCount = GetNumItems();
				for (int i = 0; i < iCount; ++i)
				{
					const BString& strName = m_Entries[i].strName;
					if (!XZip::IsSafeZipItemName(strName.c_str()))
						continue;
					BString strDirectory = strName;
					String::File::StripFilename(strDirectory);
					::Kestrum::File::CreateFolder(strFolder + "/" + strDirectory, false);
					XZip::UnzipItem(m_Reader, i, (strFolder + "/" + strName).c_str());
				}
			}

			void File::EnsureWriter()
			{
				if (!m_Writer)
					m_Writer = XZip::CreateZip(nullptr, WriterCapacity, nullptr);
			}

			bool File::AddFile(const BString& strName, const BString& strFileName)
			{
				EnsureWriter();
				AutoBuffer buffer(32);
				if (!::Kestrum::File::Read(strFileName, buffer))
					return false;
				return XZip::ZipAdd(m_Writer, strName.c_str(), buffer.GetBase(0), buffer.GetWritten()) == XZip::ResultOk;
			}

			bool File::WriteAndClose(Buffer& buffer)
			{
				EnsureWriter();
				void* pBase = nullptr;
				uint32_t iLength = 0;
				if (XZip::ZipGetMemory(m_Writer, &pBase, &iLength) != XZip::ResultOk)
					return false;
				// A buffer that cannot take the archive leaves the writer, so nothing is lost.
				uint32_t iPos = buffer.GetPos();
				buffer.Write(pBase, iLength);
				if (buffer.GetPos() != iPos + iLength)
					return false;
				Close();
				return true;
			}

			bool File::WriteAndClose(const BString& strFileName)
			{
				EnsureWriter();
				void* pBase = nullptr;
				uint32_t iLength = 0;
				if (XZip::ZipGetMemory(m_Writer, &pBase, &iLength) != XZip::ResultOk)
					return false;
				// A file that was not written whole is reported, and the writer stays for a retry.
				if (!::Kestrum::File::Write(strFileName, Buffer(pBase, iLength)))
					return false;
				Close();
				return true;
			}

			void File::Close()
			{
				if (!m_Writer)
					return;
				if (XZip::IsZipHandleU(m_Writer))
					XZip::CloseZipU(m_Writer);
				else
					XZip::CloseZipZ(m_Writer);
				m_Writer = nullptr;
			}
		}
	}
}
