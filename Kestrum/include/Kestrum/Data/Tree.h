// Named data trees: each node holds a name, a value kept as text with a type id telling which
// typed value the text stands for, and an ordered list of children it owns outright.
#pragma once

#include <cstdint>
#include <list>
#include <utility>

#include "Kestrum/Utility/String.h"

namespace Kestrum
{
	namespace Data
	{
		template <typename StringT> class TreeT
		{
		public:
			typedef std::list<TreeT> ChildList;

			// Type ids of the value text.
			enum : uint8_t
			{
				TypeNone = 0,
				TypeString = 1,
				TypeFloat = 2,
				TypeInt = 3,
				TypeBool = 4,
				TypeDouble = 5,
			};

			TreeT() = default;
			TreeT(const TreeT&) = default;
			TreeT(TreeT&&) noexcept = default;
			TreeT& operator=(const TreeT&) = default;
			TreeT& operator=(TreeT&&) noexcept = default;

			const StringT& Name() const { return m_Name; }
			void Name(const StringT& strName) { m_Name = strName; }

			const StringT& Value() const { return m_Value; }
			// Stores the text and marks the node as a string.
			void Value(const StringT& strValue)
			{
				m_Info = TypeString;
				m_Value = strValue;
			}

			uint8_t Info() const { return m_Info; }

			ChildList& Children() { return m_Children; }
			const ChildList& Children() const { return m_Children; }
			bool HasChildren() const { return !m_Children.empty(); }

			// A container when it has children or holds no typed value.
			bool IsBranch() const { return HasChildren() || m_Info == TypeNone; }

			TreeT& AddChild()
			{
				m_Children.emplace_back();
				return m_Children.back();
			}

			TreeT& AddChild(StringT strName)
			{
				TreeT& child = AddChild();
				child.m_Name = std::move(strName);
				return child;
			}

			// Always appends, even when a child of that name exists.
			TreeT& SetChild(StringT strName, StringT strValue)
			{
				TreeT& child = AddChild(std::move(strName));
				child.m_Info = TypeString;
				child.m_Value = std::move(strValue);
				return child;
			}

			template <typename T> TreeT& SetChildVar(StringT strName, T value)
			{
				TreeT& child = AddChild(std::move(strName));
				child.Var(value);
				return child;
			}

			template <typename T> void Var(T value)
			{
				m_Info = VarID<T>();
				m_Value = VarToString(value);
			}

			// The first child of that exact name, appended empty when there is none.
			TreeT& GetChild(const StringT& strName)
			{
				if (TreeT* child = FindChild(strName))
					return *child;
				return AddChild(strName);
			}

			bool HasChild(const StringT& strName) const { return FindChild(strName) != nullptr; }

			// The child at iIndex in list order, or null.
			TreeT* GetChildNum(size_t iIndex)
			{
				for (TreeT& child : m_Children)
				{
					if (iIndex-- == 0)
						return &child;
				}
				return nullptr;
			}

			// The value text of the first child of that exact name, else strDefault.
			StringT ChildValue(const StringT& strName, const StringT& strDefault) const
			{
				const TreeT* child = FindChild(strName);
				return child ? child->m_Value : strDefault;
			}

			// Per-type ids and conversions between typed values and their text.
			template <typename T> static uint8_t VarID();
			static StringT VarToString(const StringT& v) { return v; }
			static StringT VarToString(float v) { return String::Format::NiceFloat(v); }
			static StringT VarToString(int v) { return String::Format::Int(v); }
			static StringT VarToString(bool v) { return v ? "true" : "false"; }
			static StringT VarToString(double v) { return String::Format::NiceDouble(v); }
			template <typename T> static T StringToVar(const StringT& str);

			// The node's data, open to readers and builders that fill nodes directly (the JSON
			// importer); the operations above keep m_Info in step with m_Value.
			StringT m_Name;
			StringT m_Value;
			uint8_t m_Info = TypeNone;
			ChildList m_Children;

		private:
			TreeT* FindChild(const StringT& strName)
			{
				for (TreeT& child : m_Children)
				{
					if (child.m_Name == strName)
						return &child;
				}
				return nullptr;
			}

			const TreeT* FindChild(const StringT& strName) const
			{
				return const_cast<TreeT*>(this)->FindChild(strName);
			}
		};

		template <> template <> inline uint8_t TreeT<BString>::VarID<BString>() { return TypeString; }
		template <> template <> inline uint8_t TreeT<BString>::VarID<float>() { return TypeFloat; }
		template <> template <> inline uint8_t TreeT<BString>::VarID<int>() { return TypeInt; }
		template <> template <> inline uint8_t TreeT<BString>::VarID<bool>() { return TypeBool; }
		template <> template <> inline uint8_t TreeT<BString>::VarID<double>() { return TypeDouble; }

		template <> template <> inline BString TreeT<BString>::StringToVar<BString>(const BString& str) { return str; }
		template <> template <> inline float TreeT<BString>::StringToVar<float>(const BString& str) { return String::To::Float(str); }
		template <> template <> inline int TreeT<BString>::StringToVar<int>(const BString& str) { return String::To::Int(str); }
		template <> template <> inline bool TreeT<BString>::StringToVar<bool>(const BString& str) { return String::To::Bool(str); }
		template <> template <> inline double TreeT<BString>::StringToVar<double>(const BString& str) { return String::To::Double(str); }

		typedef TreeT<BString> Tree;
	}
}
