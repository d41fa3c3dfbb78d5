// The host utility service stand-in: image materials and texels from the material system
// stand-in, and video writers that record what they are asked into a log (no encoder here).
#include <cstdio>
#include <string>
#include <vector>

#include "IHostUtil.h"
#include "MaterialSystem.h"
#include "engine/standin.h"
#include "tier1/interface.h"

namespace
{
std::vector<std::string> s_VideoLog;
std::string s_NextStartError;

class VideoWriter final : public IVideoWriter
{
public:
	const char *Start(const char *container, const char *videoCodec, const char *audioCodec, int width, int height,
	                  int fps, const char *name, int bitrate, float quality, bool raw) override
	{
		char line[1024];
		snprintf(line, sizeof(line), "start %s %s %s %dx%d %d %s %d %g %d", container ? container : "",
		         videoCodec ? videoCodec : "", audioCodec ? audioCodec : "", width, height, fps, name ? name : "",
		         bitrate, static_cast<double>(quality), raw ? 1 : 0);
		s_VideoLog.push_back(line);
		m_error.swap(s_NextStartError);
		s_NextStartError.clear();
		if (m_error.empty() && (width <= 0 || height <= 0 || fps <= 0))
			m_error = "Invalid video size or frame rate";
		if (!m_error.empty())
			return m_error.c_str();
		m_nWidth = width;
		m_nHeight = height;
		m_open = true;
		return "";
	}
	void AddFrame(int x, int y, float frameTime) override
	{
		if (!m_open)
			return;
		if (m_bRecordSound != m_loggedSound)
		{
			s_VideoLog.push_back(m_bRecordSound ? "sound 1" : "sound 0");
			m_loggedSound = m_bRecordSound;
		}
		char line[128];
		snprintf(line, sizeof(line), "frame %d %d %g", x, y, static_cast<double>(frameTime));
		s_VideoLog.push_back(line);
	}
	void Finish() override
	{
		if (!m_open)
			return;
		m_open = false;
		s_VideoLog.push_back("finish");
	}
	void Destroy() override
	{
		Finish();
		s_VideoLog.push_back("destroy");
		delete this;
	}

private:
	~VideoWriter() override = default;

	bool m_open = false;
	bool m_loggedSound = false;
	std::string m_error;
};

class HostUtil final : public IHostUtil, public IHostUtilStandIn
{
public:
	IMaterial *FindOrCreateMaterial(const char *name, const char *parameters, int, int) override
	{
		return enginestandin::MaterialFromImage(name, parameters);
	}
	uint32_t ReadTexel(ITexture *texture, int x, int y) override
	{
		auto *t = dynamic_cast<enginestandin::Texture *>(texture);
		return t ? t->Texel(x, y) : 0;
	}
	IVideoWriter *CreateVideoWriter() override { return new VideoWriter(); }

	void AddImage(const char *name, int width, int height, const uint8_t *rgba) override
	{
		enginestandin::AddImage(name, width, height, rgba);
	}
	int MaterialRecomputes(IMaterial *material) override { return enginestandin::MaterialRecomputes(material); }
	int MaterialPrecaches(IMaterial *material) override { return enginestandin::MaterialPrecaches(material); }
	int TextureDownloads(ITexture *texture) override
	{
		auto *t = dynamic_cast<enginestandin::Texture *>(texture);
		return t ? t->Downloads() : -1;
	}
	const std::vector<std::string> &VideoLog() const override { return s_VideoLog; }
	void ClearVideoLog() override { s_VideoLog.clear(); }
	void FailNextVideoStart(const char *error) override { s_NextStartError = error ? error : ""; }
};

HostUtil s_HostUtil;

void *CreateHostUtil() { return static_cast<IHostUtil *>(&s_HostUtil); }
void *CreateHostUtilStandIn() { return static_cast<IHostUtilStandIn *>(&s_HostUtil); }

InterfaceReg s_HostUtilReg(&CreateHostUtil, HOST_UTIL_INTERFACE_VERSION);
InterfaceReg s_HostUtilStandInReg(&CreateHostUtilStandIn, HOST_UTIL_STANDIN_INTERFACE_VERSION);
}
