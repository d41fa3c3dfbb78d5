// JSON import and export of data trees. Import runs RapidJSON's iterative SAX reader straight
// into a scratch tree (bounded depth, no recursion over the input); export walks the tree into
// RapidJSON's compact or pretty writer.
#include "Kestrum/Data/Json.h"

#include <cfloat>
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
				// Text up to its first NUL byte.
				BString UpToNul(const char* str, size_t len)
				{
					const void* nul = memchr(str, 0, len);
					return BString(str, nul ? static_cast<const char*>(nul) - str : len);
				}

				// Builds the children of a scratch root from the reader's events.
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
					bool Bool(bool b) { return Add(b); }
					bool Int(int i) { return Add(i); }
					bool Uint(unsigned u) { return u <= INT_MAX ? Add(static_cast<int>(u)) : Number(u); }
					bool Int64(int64_t i) { return Number(static_cast<double>(i)); }
					bool Uint64(uint64_t u) { return Number(static_cast<double>(u)); }
					bool Double(double d) { return Number(d); }

					bool String(const char* str, rapidjson::SizeType len, bool)
					{
						if (!InContainer())
							return false;
						Top().SetChild(TakeKey(), UpToNul(str, len));
						return true;
					}

					bool Key(const char* str, rapidjson::SizeType len, bool)
					{
						m_Key = UpToNul(str, len);
						return true;
					}

					bool StartObject() { return Open(); }
					bool StartArray() { return Open(); }
					bool EndObject(rapidjson::SizeType) { return Close(); }
					bool EndArray(rapidjson::SizeType) { return Close(); }

				private:
					Tree& Top() { return *m_Stack.back(); }

					// Scalars only belong inside an object or array: a scalar root is refused.
					bool InContainer() const { return !m_Stack.empty(); }

					// The pending member name; array elements have none.
					BString TakeKey()
					{
						BString key;
						key.swap(m_Key);
						return key;
					}

					template <typename T> bool Add(T value)
					{
						if (!InContainer())
							return false;
						Top().SetChildVar(TakeKey(), value);
						return true;
					}

					// Numbers beyond a 32-bit int become floats; out-of-range values become
					// infinities explicitly rather than through an undefined conversion.
					bool Number(double d)
					{
						float f;
						if (d > FLT_MAX)
							f = INFINITY;
						else if (d < -FLT_MAX)
							f = -INFINITY;
						else
							f = static_cast<float>(d);
						return Add(f);
					}

					bool Open()
					{
						if (m_Stack.size() >= kMaxDepth)
							return false;
						m_Stack.push_back(m_Stack.empty() ? &m_Root : &Top().AddChild(TakeKey()));
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
					char buf[100];
					int len = snprintf(buf, sizeof(buf), "%g", d);
					writer.RawValue(buf, static_cast<size_t>(len), rapidjson::kNumberType);
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
						writer.String(text.c_str(), static_cast<rapidjson::SizeType>(strlen(text.c_str())));
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
								const char* name = child.Name().c_str();
								writer.Key(name, static_cast<rapidjson::SizeType>(strlen(name)));
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
				// A raw NUL byte can never stand in valid JSON; the reader would take it as the end.
				if (memchr(strJson.data(), 0, strJson.size()))
					return false;

				Tree scratch;
				TreeBuilder builder(scratch);
				rapidjson::Reader reader;
				rapidjson::StringStream stream(strJson.c_str());
				const unsigned flags = rapidjson::kParseIterativeFlag | rapidjson::kParseValidateEncodingFlag;
				if (reader.Parse<flags>(stream, builder).IsError())
					return false;

				tree.Children().splice(tree.Children().end(), scratch.Children());
				return true;
			}
		}
	}
}
