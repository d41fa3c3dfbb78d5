// JSON import and export of data trees. Import runs RapidJSON's iterative SAX reader straight
// into a scratch tree (bounded depth, no recursion over the input); export walks the tree into
// RapidJSON's compact or pretty writer.
#include "Kestrum/Data/Json.h"

#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include <rapidjson/prettywriter.h>
#include <rapidjson/reader.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace Kestrum
{
	namespace Data
	{
		namespace Json
		{
			namespace
			{
				// True when text is well-formed UTF-8 (no overlong forms, surrogates or code points
				// past U+10FFFF) without NUL bytes: a raw NUL never stands in valid JSON, and the
				// reader would take it for the end. Checking the whole text at once lets the reader
				// copy strings on its fast path; bytes outside strings must be ASCII anyway.
				bool IsCleanUtf8(const BString& text)
				{
					const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
					const unsigned char* end = p + text.size();
					while (p < end)
					{
						// Eight ASCII bytes at a time, none of them NUL.
						if (end - p >= 8)
						{
							uint64_t v;
							memcpy(&v, p, 8);
							const uint64_t highBits = 0x8080808080808080ull;
							const uint64_t lowBits = 0x0101010101010101ull;
							if (!(v & highBits) && !((v - lowBits) & ~v & highBits))
							{
								p += 8;
								continue;
							}
						}
						unsigned char c = *p;
						if (c == 0)
							return false;
						if (c < 0x80)
						{
							++p;
							continue;
						}
						size_t need;
						unsigned char lo = 0x80, hi = 0xBF;
						if (c >= 0xC2 && c <= 0xDF)
							need = 1;
						else if (c >= 0xE0 && c <= 0xEF)
						{
							need = 2;
							if (c == 0xE0)
								lo = 0xA0;
							else if (c == 0xED)
								hi = 0x9F;
						}
						else if (c >= 0xF0 && c <= 0xF4)
						{
							need = 3;
							if (c == 0xF0)
								lo = 0x90;
							else if (c == 0xF4)
								hi = 0x8F;
						}
						else
							return false;
						if (static_cast<size_t>(end - p) <= need || p[1] < lo || p[1] > hi)
							return false;
						for (size_t k = 2; k <= need; ++k)
						{
							if (p[k] < 0x80 || p[k] > 0xBF)
								return false;
						}
						p += need + 1;
					}
					return true;
				}

				// Length of the text up to its first NUL byte (names and values are short: a plain
				// loop beats a call to memchr).
				size_t UpToNul(const char* str, size_t len)
				{
					size_t n = 0;
					while (n < len && str[n])
						++n;
					return n;
				}

				// Builds the children of a scratch root from the reader's events, writing each
				// node's name and text in place to spare copies of short strings.
				class TreeBuilder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TreeBuilder>
				{
				public:
					explicit TreeBuilder(Tree& root) : m_Root(root) {}

					// A null member is dropped, name and all.
					bool Null()
					{
						m_Key.clear();
						return InContainer();
					}

					bool Bool(bool b)
					{
						if (!InContainer())
							return false;
						NewChild().Var(b);
						return true;
					}

					bool Int(int i)
					{
						if (!InContainer())
							return false;
						Tree& child = NewChild();
						char buf[16];
						child.m_Info = Tree::TypeInt;
						child.m_Value.assign(buf, std::to_chars(buf, buf + sizeof(buf), i).ptr);
						return true;
					}

					bool Uint(unsigned u) { return u <= INT_MAX ? Int(static_cast<int>(u)) : Number(u); }
					bool Int64(int64_t i) { return Number(static_cast<double>(i)); }
					bool Uint64(uint64_t u) { return Number(static_cast<double>(u)); }
					bool Double(double d) { return Number(d); }

					bool String(const char* str, rapidjson::SizeType len, bool)
					{
						if (!InContainer())
							return false;
						Tree& child = NewChild();
						child.m_Info = Tree::TypeString;
						child.m_Value.assign(str, UpToNul(str, len));
						return true;
					}

					bool Key(const char* str, rapidjson::SizeType len, bool)
					{
						m_Key.assign(str, UpToNul(str, len));
						return true;
					}

					bool StartObject() { return Open(); }
					bool StartArray() { return Open(); }
					bool EndObject(rapidjson::SizeType) { return Close(); }
					bool EndArray(rapidjson::SizeType) { return Close(); }

				private:
					// Scalars only belong inside an object or array: a scalar root is refused.
					bool InContainer() const { return !m_Stack.empty(); }

					// A child of the open container, named by the pending member name (array
					// elements have none).
					Tree& NewChild()
					{
						Tree& child = m_Stack.back()->AddChild();
						if (!m_Key.empty())
						{
							child.m_Name.assign(m_Key);
							m_Key.clear();
						}
						return child;
					}

					// Numbers beyond a 32-bit int become floats; out-of-range values become
					// infinities explicitly rather than through an undefined conversion.
					bool Number(double d)
					{
						if (!InContainer())
							return false;
						float f;
						if (d > FLT_MAX)
							f = INFINITY;
						else if (d < -FLT_MAX)
							f = -INFINITY;
						else
							f = static_cast<float>(d);
						NewChild().Var(f);
						return true;
					}

					bool Open()
					{
						if (m_Stack.size() >= kMaxDepth)
							return false;
						m_Stack.push_back(m_Stack.empty() ? &m_Root : &NewChild());
						return true;
					}

					bool Close()
					{
						m_Stack.pop_back();
						return true;
					}

					Tree& m_Root;
					std::vector<Tree*> m_Stack;
					BString m_Key;
				};

				template <typename Writer> void WriteNumber(Writer& writer, double d)
				{
					if (!std::isfinite(d))
					{
						writer.Null();
						return;
					}
					// "%g": six significant digits (to_chars prints exactly as printf does).
					char buf[100];
					char* end = std::to_chars(buf, buf + sizeof(buf), d, std::chars_format::general, 6).ptr;
					writer.RawValue(buf, static_cast<size_t>(end - buf), rapidjson::kNumberType);
				}

				template <typename Writer> void WriteValue(Writer& writer, const Tree& node)
				{
					const BString& text = node.Value();
					switch (node.Info())
					{
					case Tree::TypeFloat:
						WriteNumber(writer, String::To::Float(text));
						break;
					case Tree::TypeDouble:
						WriteNumber(writer, String::To::Double(text));
						break;
					case Tree::TypeInt:
						writer.Int(String::To::Int(text));
						break;
					case Tree::TypeBool:
						writer.Bool(String::To::Bool(text));
						break;
					default:
						writer.String(text.data(), static_cast<rapidjson::SizeType>(UpToNul(text.data(), text.size())));
						break;
					}
				}

				template <typename Writer> void DoJsonExport(Writer& writer, const Tree& node)
				{
					bool bObject = false;
					for (const Tree& child : node.Children())
					{
						if (!child.Name().empty())
						{
							bObject = true;
							break;
						}
					}

					if (bObject)
						writer.StartObject();
					else
						writer.StartArray();

					int iUnnamed = 0;
					for (const Tree& child : node.Children())
					{
						if (bObject)
						{
							if (child.Name().empty())
							{
								char key[32];
								int len = snprintf(key, sizeof(key), "_%i_", ++iUnnamed);
								writer.Key(key, static_cast<rapidjson::SizeType>(len));
							}
							else
							{
								const BString& name = child.m_Name;
								writer.Key(name.data(), static_cast<rapidjson::SizeType>(UpToNul(name.data(), name.size())));
							}
						}

						if (child.IsBranch())
							DoJsonExport(writer, child);
						else
							WriteValue(writer, child);
					}

					if (bObject)
						writer.EndObject();
					else
						writer.EndArray();
				}
			}

			bool Export(const Tree& tree, BString& strOut, bool bPretty)
			{
				rapidjson::StringBuffer buffer;
				if (bPretty)
				{
					rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(buffer);
					writer.SetIndent('\t', 1);
					DoJsonExport(writer, tree);
				}
				else
				{
					rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
					DoJsonExport(writer, tree);
				}
				strOut.assign(buffer.GetString(), buffer.GetSize());
				return true;
			}

			bool Import(Tree& tree, const BString& strJson)
			{
				if (!IsCleanUtf8(strJson))
					return false;

				Tree scratch;
				TreeBuilder builder(scratch);
				rapidjson::Reader reader;
				rapidjson::StringStream stream(strJson.c_str());
				if (reader.Parse<rapidjson::kParseIterativeFlag>(stream, builder).IsError())
					return false;

				tree.Children().splice(tree.Children().end(), scratch.Children());
				return true;
			}
		}
	}
}
