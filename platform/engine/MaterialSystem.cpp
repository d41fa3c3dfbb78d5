// The material system stand-in ("VMaterialSystem080"): materials made from trees, from ".vmt"
// files or from images, their variables, and textures decoded from image files or given by
// the host. Everything lives until the process ends, as materials of a running game do.
#include "MaterialSystem.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "filesystem/IFileSystem.h"
#include "tier0/dbg.h"
#include "tier1/KeyValues.h"
#include "tier1/interface.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wold-style-cast"
#pragma GCC diagnostic ignored "-Wcast-qual"
#pragma GCC diagnostic ignored "-Wuseless-cast"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace enginestandin
{
uint32_t Texture::Texel(int x, int y) const
{
	if (x < 0 || y < 0 || x >= m_width || y >= m_height)
		return 0;
	size_t at = (static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)) * 4;
	return uint32_t(m_rgba[at]) | uint32_t(m_rgba[at + 1]) << 8 | uint32_t(m_rgba[at + 2]) << 16 |
	       uint32_t(m_rgba[at + 3]) << 24;
}

namespace
{
struct CaselessLess
{
	bool operator()(const std::string &a, const std::string &b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

// Largest image side accepted from a file; larger images are refused before decoding.
const int kMaxImageSide = 8192;

class MaterialVar final : public IMaterialVar
{
public:
	enum class Kind { Undefined, Int, Float, String, Vector, Texture };

	explicit MaterialVar(std::string name) : m_name(std::move(name)) {}
	~MaterialVar() override = default;

	const char *GetName() const override { return m_name.c_str(); }
	int GetIntValue() const override
	{
		if (m_kind == Kind::String)
			return atoi(m_text.c_str());
		return static_cast<int>(m_vec[0]);
	}
	void SetIntValue(int val) override { SetNumber(Kind::Int, static_cast<float>(val)); }
	float GetFloatValue() const override
	{
		if (m_kind == Kind::String)
			return static_cast<float>(atof(m_text.c_str()));
		return m_vec[0];
	}
	void SetFloatValue(float val) override { SetNumber(Kind::Float, val); }
	const char *GetStringValue() const override
	{
		char text[96];
		switch (m_kind)
		{
		case Kind::Undefined: return "<undefined>";
		case Kind::String: return m_text.c_str();
		case Kind::Texture: return m_texture ? m_texture->GetName() : "<no texture>";
		case Kind::Int: snprintf(text, sizeof(text), "%d", static_cast<int>(m_vec[0])); break;
		case Kind::Float: snprintf(text, sizeof(text), "%f", static_cast<double>(m_vec[0])); break;
		case Kind::Vector:
			snprintf(text, sizeof(text), "[%f %f %f]", static_cast<double>(m_vec[0]), static_cast<double>(m_vec[1]),
			         static_cast<double>(m_vec[2]));
			break;
		}
		m_formatted = text;
		return m_formatted.c_str();
	}
	void SetStringValue(const char *val) override
	{
		m_kind = Kind::String;
		m_text = val ? val : "";
		m_texture = nullptr;
		float v[3] = { 0, 0, 0 };
		if (sscanf(m_text.c_str(), "[%f %f %f]", &v[0], &v[1], &v[2]) == 3)
		{
			m_kind = Kind::Vector;
			memcpy(m_vec, v, sizeof(v));
		}
		else
		{
			m_vec[0] = m_vec[1] = m_vec[2] = static_cast<float>(atof(m_text.c_str()));
		}
	}
	void SetVecValue(float x, float y, float z) override
	{
		m_kind = Kind::Vector;
		m_vec[0] = x;
		m_vec[1] = y;
		m_vec[2] = z;
		m_texture = nullptr;
	}
	void GetVecValue(float *val, int numComps) const override
	{
		for (int i = 0; i < numComps; ++i)
			val[i] = i < 3 ? m_vec[i] : 0.0f;
	}
	ITexture *GetTextureValue() override { return m_kind == Kind::Texture ? m_texture : nullptr; }
	void SetTextureValue(ITexture *texture) override
	{
		m_kind = Kind::Texture;
		m_texture = texture;
	}
	bool IsDefined() const override { return m_kind != Kind::Undefined; }
	void SetUndefined() override
	{
		m_kind = Kind::Undefined;
		m_texture = nullptr;
	}

	Kind GetKind() const { return m_kind; }
	// Forgets everything (the placeholder handed out for a missing variable).
	void Reset(const char *name)
	{
		m_name = name ? name : "";
		SetUndefined();
		m_text.clear();
		m_vec[0] = m_vec[1] = m_vec[2] = 0.0f;
	}

private:
	void SetNumber(Kind kind, float val)
	{
		m_kind = kind;
		m_vec[0] = m_vec[1] = m_vec[2] = val;
		m_texture = nullptr;
	}

	std::string m_name;
	Kind m_kind = Kind::Undefined;
	std::string m_text;
	float m_vec[3] = { 0, 0, 0 };
	ITexture *m_texture = nullptr;
	mutable std::string m_formatted;
};

class Material final : public IMaterial
{
public:
	Material(std::string name, std::string shader, bool error)
		: m_name(std::move(name)), m_shader(std::move(shader)), m_error(error), m_placeholder("")
	{
	}
	~Material() override = default;

	const char *GetName() const override { return m_name.c_str(); }
	const char *GetShaderName() const override { return m_shader.c_str(); }
	bool IsErrorMaterial() const override { return m_error; }
	IMaterialVar *FindVar(const char *varName, bool *found, bool complain) override
	{
		auto it = varName ? m_vars.find(varName) : m_vars.end();
		if (it != m_vars.end())
		{
			if (found)
				*found = true;
			return it->second.get();
		}
		if (complain)
			Warning("Material \"%s\": no such variable \"%s\"\n", m_name.c_str(), varName ? varName : "");
		if (found)
			*found = false;
		m_placeholder.Reset(varName);
		return &m_placeholder;
	}
	void IncrementReferenceCount() override { ++m_references; }
	void DecrementReferenceCount() override
	{
		if (m_references <= 0)
		{
			Warning("Material \"%s\": reference count would go below zero\n", m_name.c_str());
			return;
		}
		--m_references;
	}
	int GetReferenceCount() const override { return m_references; }
	void RecomputeStateSnapshots() override { ++m_recomputes; }
	void Precache() override;

	MaterialVar &Var(const char *name)
	{
		std::unique_ptr<MaterialVar> &var = m_vars[name];
		if (!var)
			var.reset(new MaterialVar(name));
		return *var;
	}
	int Recomputes() const { return m_recomputes; }
	int Precaches() const { return m_precaches; }

private:
	std::string m_name;
	std::string m_shader;
	bool m_error;
	int m_references = 0;
	int m_recomputes = 0;
	int m_precaches = 0;
	std::map<std::string, std::unique_ptr<MaterialVar>, CaselessLess> m_vars;
	MaterialVar m_placeholder;
};
}

class MaterialSystem final : public IMaterialSystem
{
public:
	IMaterial *FindMaterial(const char *materialName, const char *, bool complain, const char *) override
	{
		if (!materialName || !*materialName)
			return ErrorMaterial();
		std::string name = StripExtension(materialName, ".vmt");
		auto it = m_materials.find(name);
		if (it != m_materials.end())
			return it->second.get();
		if (Material *loaded = LoadVmt(name))
			return loaded;
		if (complain)
			Warning("Material \"%s\" not found\n", materialName);
		return ErrorMaterial();
	}

	ITexture *FindTexture(const char *textureName, const char *, bool complain) override
	{
		if (!textureName || !*textureName)
			return ErrorTexture();
		auto it = m_textures.find(textureName);
		if (it != m_textures.end())
			return it->second.get();
		if (Texture *loaded = LoadImage(textureName))
			return loaded;
		if (complain)
			Warning("Texture \"%s\" not found\n", textureName);
		return ErrorTexture();
	}

	IMaterial *CreateMaterial(const char *materialName, KeyValues *tree) override
	{
		if (!tree)
			return nullptr;
		if (!materialName || !*materialName || m_materials.count(StripExtension(materialName, ".vmt")))
		{
			tree->deleteThis();
			return nullptr;
		}
		Material *material = FromTree(StripExtension(materialName, ".vmt"), tree);
		tree->deleteThis();
		return material;
	}

	// The material of an image, once per image and parameter text.
	IMaterial *MaterialFromImage(const char *imageName, const char *parameters)
	{
		if (!imageName || !*imageName)
			return nullptr;
		std::string key = std::string(imageName) + "\n" + (parameters ? parameters : "");
		auto it = m_imageMaterials.find(key);
		if (it != m_imageMaterials.end())
			return it->second;
		ITexture *texture = FindTexture(imageName, "", false);
		if (texture->IsError())
			return nullptr;
		auto material = std::make_unique<Material>(imageName, "UnlitGeneric", false);
		material->Var("$basetexture").SetTextureValue(texture);
		std::string words = parameters ? parameters : "";
		for (const char *flag : { "nocull", "alphatest", "additive", "vertexcolor", "vertexalpha" })
			material->Var((std::string("$") + flag).c_str()).SetIntValue(words.find(flag) != std::string::npos);
		IMaterial *made = material.get();
		m_anonymous.push_back(std::move(material));
		m_imageMaterials[key] = made;
		return made;
	}

	void AddImage(const char *name, int width, int height, const uint8_t *rgba)
	{
		if (!name || width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide || !rgba)
			return;
		std::vector<uint8_t> pixels(rgba, rgba + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
		m_textures[name].reset(new Texture(name, width, height, std::move(pixels), false));
	}

private:
	static std::string StripExtension(const char *name, const char *ext)
	{
		std::string s = name;
		size_t n = strlen(ext);
		if (s.size() > n && strcasecmp(s.c_str() + s.size() - n, ext) == 0)
			s.resize(s.size() - n);
		return s;
	}

	Material *FromTree(const std::string &name, KeyValues *tree)
	{
		auto material = std::make_unique<Material>(name, tree->GetName(), false);
		for (KeyValues *key = tree->GetFirstSubKey(); key; key = key->GetNextKey())
		{
			// A block of its own (proxies and the like) is not a variable.
			if (key->GetDataType() == KeyValues::TYPE_NONE)
				continue;
			MaterialVar &var = material->Var(key->GetName());
			if (key->GetDataType() == KeyValues::TYPE_INT)
				var.SetIntValue(key->GetInt());
			else if (key->GetDataType() == KeyValues::TYPE_FLOAT)
				var.SetFloatValue(key->GetFloat());
			else
				var.SetStringValue(key->GetString());
		}
		Material *made = material.get();
		m_materials[name] = std::move(material);
		return made;
	}

	// "materials/<name>.vmt" through the engine file system.
	Material *LoadVmt(const std::string &name)
	{
		std::string text;
		if (!ReadGameFile("materials/" + name + ".vmt", text, 1 << 20))
			return nullptr;
		KeyValues *tree = new KeyValues("vmt");
		bool ok = tree->LoadFromBuffer(name.c_str(), text.c_str());
		Material *material = ok ? FromTree(name, tree) : nullptr;
		tree->deleteThis();
		if (material)
			material->Precache();
		return material;
	}

	// "materials/<name>" as PNG, JPEG or TGA (the name as given, then with each extension).
	Texture *LoadImage(const char *name)
	{
		std::string base = std::string("materials/") + name;
		for (const char *ext : { "", ".png", ".jpg", ".tga" })
		{
			std::string bytes;
			if (!ReadGameFile(base + ext, bytes, 64 << 20))
				continue;
			int w = 0, h = 0, comps = 0;
			const auto *data = reinterpret_cast<const stbi_uc *>(bytes.data());
			int len = static_cast<int>(bytes.size());
			if (!stbi_info_from_memory(data, len, &w, &h, &comps) || w <= 0 || h <= 0 || w > kMaxImageSide ||
			    h > kMaxImageSide)
				continue;
			stbi_uc *pixels = stbi_load_from_memory(data, len, &w, &h, &comps, 4);
			if (!pixels)
				continue;
			std::vector<uint8_t> rgba(pixels, pixels + static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
			stbi_image_free(pixels);
			std::unique_ptr<Texture> &slot = m_textures[name];
			slot.reset(new Texture(name, w, h, std::move(rgba), false));
			return slot.get();
		}
		return nullptr;
	}

	static bool ReadGameFile(const std::string &name, std::string &out, unsigned int maxBytes)
	{
		auto *fs = static_cast<IFileSystem *>(CreateInterface(FILESYSTEM_INTERFACE_VERSION, nullptr));
		if (!fs)
			return false;
		FileHandle_t file = fs->Open(name.c_str(), "rb", "GAME");
		if (!file)
			return false;
		unsigned int size = fs->Size(file);
		bool ok = size <= maxBytes;
		if (ok)
		{
			out.resize(size);
			ok = size == 0 || fs->Read(&out[0], static_cast<int>(size), file) == static_cast<int>(size);
		}
		fs->Close(file);
		return ok;
	}

	Material *ErrorMaterial()
	{
		if (!m_error)
		{
			m_error.reset(new Material("__error", "UnlitGeneric", true));
			m_error->Var("$basetexture").SetTextureValue(ErrorTexture());
		}
		return m_error.get();
	}

	Texture *ErrorTexture()
	{
		if (!m_errorTexture)
		{
			// A 4x4 checker of magenta and black.
			std::vector<uint8_t> rgba(4 * 4 * 4);
			for (int i = 0; i < 16; ++i)
			{
				bool magenta = ((i % 4) + (i / 4)) % 2 == 0;
				rgba[i * 4 + 0] = magenta ? 255 : 0;
				rgba[i * 4 + 1] = 0;
				rgba[i * 4 + 2] = magenta ? 255 : 0;
				rgba[i * 4 + 3] = 255;
			}
			m_errorTexture.reset(new Texture("error", 4, 4, std::move(rgba), true));
		}
		return m_errorTexture.get();
	}

	std::map<std::string, std::unique_ptr<Material>, CaselessLess> m_materials;
	std::map<std::string, std::unique_ptr<Texture>, CaselessLess> m_textures;
	std::map<std::string, IMaterial *> m_imageMaterials;
	std::vector<std::unique_ptr<Material>> m_anonymous;
	std::unique_ptr<Material> m_error;
	std::unique_ptr<Texture> m_errorTexture;
};

MaterialSystem &Materials()
{
	static MaterialSystem *s_materials = new MaterialSystem();
	return *s_materials;
}

// Variables that name a texture become that texture on first use.
void Material::Precache()
{
	++m_precaches;
	for (auto &entry : m_vars)
	{
		MaterialVar &var = *entry.second;
		const char *name = var.GetName();
		size_t len = strlen(name);
		bool namesTexture = len >= 7 && (strcasecmp(name + len - 7, "texture") == 0 || strcasecmp(name, "$bumpmap") == 0);
		if (namesTexture && var.GetKind() == MaterialVar::Kind::String && var.GetStringValue()[0] != 0)
			var.SetTextureValue(Materials().FindTexture(var.GetStringValue(), "", true));
	}
}

IMaterial *MaterialFromImage(const char *imageName, const char *parameters)
{
	return Materials().MaterialFromImage(imageName, parameters);
}

void AddImage(const char *name, int width, int height, const uint8_t *rgba)
{
	Materials().AddImage(name, width, height, rgba);
}

int MaterialRecomputes(IMaterial *material)
{
	auto *m = dynamic_cast<Material *>(material);
	return m ? m->Recomputes() : -1;
}

int MaterialPrecaches(IMaterial *material)
{
	auto *m = dynamic_cast<Material *>(material);
	return m ? m->Precaches() : -1;
}

namespace
{
void *CreateMaterialSystem() { return static_cast<IMaterialSystem *>(&Materials()); }
InterfaceReg s_MaterialSystemReg(&CreateMaterialSystem, MATERIAL_SYSTEM_INTERFACE_VERSION);
}
}
