// Loads libzvhtml.so and the engine stand-in as the game does, with a fresh game folder mounted
// under "GAME" and "MOD", and hands out the plug-in's "IZVHTML001" objects.
#pragma once

#include <dlfcn.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "IZVHTML.h"
#include "filesystem/IFileSystem.h"
#include "fixtures/ScratchFolder.h"

inline void *OpenLibrary(const char *pPath)
{
	return dlopen(pPath, RTLD_NOW | RTLD_LOCAL);
}

inline CreateInterfaceFn EngineFactory()
{
	static void *s_hEngine = OpenLibrary(ZV_ENGINE_LIBRARY);
	return s_hEngine ? reinterpret_cast<CreateInterfaceFn>(dlsym(s_hEngine, "CreateInterface")) : nullptr;
}

inline CreateInterfaceFn PluginFactory()
{
	static void *s_hPlugin = OpenLibrary(ZV_ZVHTML_LIBRARY);
	return s_hPlugin ? reinterpret_cast<CreateInterfaceFn>(dlsym(s_hPlugin, "CreateInterface")) : nullptr;
}

class ZvhtmlPlugin : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(m_Folder.Ok());
		ASSERT_NE(EngineFactory(), nullptr) << dlerror();
		ASSERT_NE(PluginFactory(), nullptr) << dlerror();
		m_pFileSystem = static_cast<IFileSystem *>(EngineFactory()(FILESYSTEM_INTERFACE_VERSION, nullptr));
		ASSERT_NE(m_pFileSystem, nullptr);
		m_strGame = m_Folder / "zorvan";
		ASSERT_EQ(mkdir(m_strGame.c_str(), 0755), 0);
		m_pFileSystem->AddSearchPath(m_strGame.c_str(), "GAME");
		m_pFileSystem->AddSearchPath(m_strGame.c_str(), "MOD");
	}

	void TearDown() override
	{
		for (IZVHTML *pHTML : m_Started)
		{
			pHTML->Shutdown();
			delete pHTML;
		}
		if (m_pFileSystem)
			m_pFileSystem->RemoveAllSearchPaths();
	}

	IZVHTML *NewPlugin()
	{
		int nCode = -1;
		auto *pHTML = static_cast<IZVHTML *>(PluginFactory()(ZVHTML_INTERFACE_VERSION, &nCode));
		EXPECT_EQ(nCode, IFACE_OK);
		return pHTML;
	}

	// A started plug-in, shut down after the test.
	IZVHTML *Started()
	{
		m_pHTML = NewPlugin();
		if (m_pHTML)
		{
			m_Started.push_back(m_pHTML);
			EXPECT_TRUE(m_pHTML->Init(EngineFactory()));
		}
		return m_pHTML;
	}

	// Writes a file under the game folder, making its folders.
	void WriteGameFile(const std::string &strName, const std::string &strBytes)
	{
		std::string strPath = m_strGame + "/" + strName;
		for (size_t pos = strPath.find('/', m_strGame.size() + 1); pos != std::string::npos;
		     pos = strPath.find('/', pos + 1))
			mkdir(strPath.substr(0, pos).c_str(), 0755);
		std::ofstream(strPath, std::ios::binary) << strBytes;
	}

	ScratchFolder m_Folder;
	std::string m_strGame;
	IFileSystem *m_pFileSystem = nullptr;
	IZVHTML *m_pHTML = nullptr;
	std::vector<IZVHTML *> m_Started;  // shut down and deleted after the test
};
