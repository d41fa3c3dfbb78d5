// Byte buffers: Buffer views a block of memory with a read/write position and a written length;
// AutoBuffer owns a malloc'd block that grows to exactly the size asked for (at most 512 MiB).
#pragma once

#include <cstdint>
#include <type_traits>

#include "Kestrum/Types/String.h"

namespace Kestrum
{
	class Buffer
	{
	public:
		Buffer();
		// Views an external block whose whole content counts as written.
		Buffer(void* pData, uint32_t iSize);
		virtual ~Buffer();

		Buffer(const Buffer&) = default;
		Buffer& operator=(const Buffer&) = default;

		// Forgets the content: position and written length go back to 0, the block stays.
		virtual void Clear();
		// True when the block holds at least iSize bytes; a plain buffer never grows.
		virtual bool EnsureCapacity(uint32_t iSize);

		void SetExternalBuffer(void* pData, uint32_t iSize);

		unsigned char* GetBase(uint32_t iOffset = 0) const { return m_pData + iOffset; }
		unsigned char* GetCurrent() const { return m_pData + m_iPos; }
		uint32_t GetSize() const { return m_iSize; }
		uint32_t GetPos() const { return m_iPos; }
		uint32_t GetWritten() const { return m_iWritten; }

		bool SetPos(uint32_t iPos)
		{
			m_iPos = iPos;
			return true;
		}
		void SetWritten(uint32_t iWritten) { m_iWritten = iWritten; }

		// Copies iSize bytes at the position; nothing is written when the block cannot hold them.
		void Write(const void* pData, uint32_t iSize);
		void WriteBuffer(const Buffer& other);
		// Copies iSize bytes from the position; returns iSize, or 0 (nothing read) when fewer remain.
		int32_t Read(void* pTarget, uint32_t iSize);

		// Writes the text and a terminating zero byte, as much of it as fits.
		void WriteString(const BString& strText);
		// Reads up to and including a zero byte, or to the end of the block.
		BString ReadString();

		template <typename T>
		void WriteType(const T& value)
		{
			static_assert(std::is_trivially_copyable<T>::value, "WriteType needs a plain value");
			Write(&value, sizeof(T));
		}

		// A read that runs past the end reads nothing and yields a zero value.
		template <typename T>
		T ReadType()
		{
			static_assert(std::is_trivially_copyable<T>::value, "ReadType needs a plain value");
			T value{};
			Read(&value, sizeof(T));
			return value;
		}

	protected:
		unsigned char* m_pData;
		uint32_t m_iSize;
		uint32_t m_iPos;
		uint32_t m_iWritten;
	};

	class AutoBuffer : public Buffer
	{
	public:
		static const uint32_t MaxSize = 0x20000000;

		// Allocates iInitial bytes when 1 <= iInitial <= MaxSize; a failed allocation leaves it empty.
		explicit AutoBuffer(uint32_t iInitial = 0);
		~AutoBuffer() override;

		AutoBuffer(const AutoBuffer&) = delete;
		AutoBuffer& operator=(const AutoBuffer&) = delete;

		// Frees the block: size, position and written length become 0.
		void Clear() override;
		// Grows the block to exactly iSize bytes (never beyond MaxSize); false leaves it as it was.
		bool EnsureCapacity(uint32_t iSize) override;
	};
}
