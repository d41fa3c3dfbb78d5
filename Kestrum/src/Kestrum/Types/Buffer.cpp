// Byte buffers: bounds are checked as "pos <= size and count <= size - pos" so no 32-bit sum wraps.
#include "Kestrum/Types/Buffer.h"

#include <cstdlib>
#include <cstring>

namespace Kestrum
{
	Buffer::Buffer() : m_pData(nullptr), m_iSize(0), m_iPos(0), m_iWritten(0) {}

	Buffer::Buffer(void* pData, uint32_t iSize)
		: m_pData(static_cast<unsigned char*>(pData)), m_iSize(iSize), m_iPos(0), m_iWritten(iSize)
	{
	}

	Buffer::~Buffer() {}

	void Buffer::Clear()
	{
		m_iPos = 0;
		m_iWritten = 0;
	}

	bool Buffer::EnsureCapacity(uint32_t iSize) { return m_iSize >= iSize; }

	void Buffer::SetExternalBuffer(void* pData, uint32_t iSize)
	{
		Clear();
		m_pData = static_cast<unsigned char*>(pData);
		m_iSize = iSize;
		m_iPos = 0;
		m_iWritten = iSize;
	}

	void Buffer::Write(const void* pData, uint32_t iSize)
	{
		if (iSize == 0)
			return;
		if (iSize > UINT32_MAX - m_iPos)
			return;
		// Bytes from our own block move when it grows: remember where they lie in it.
		const uintptr_t iSource = reinterpret_cast<uintptr_t>(pData);
		const uintptr_t iBlock = reinterpret_cast<uintptr_t>(m_pData);
		const bool bOwn = m_pData != nullptr && iSource >= iBlock && iSource < iBlock + m_iSize;
		const uintptr_t iOffset = iSource - iBlock;
		if (!EnsureCapacity(m_iPos + iSize))
			return;
		if (bOwn)
			memmove(m_pData + m_iPos, m_pData + iOffset, iSize);
		else
			memcpy(m_pData + m_iPos, pData, iSize);
		m_iPos += iSize;
		if (m_iPos > m_iWritten)
			m_iWritten = m_iPos;
	}

	void Buffer::WriteBuffer(const Buffer& other)
	{
		if (other.m_iWritten == 0 || other.m_pData == nullptr)
			return;
		Write(other.m_pData, other.m_iWritten);
	}

	int32_t Buffer::Read(void* pTarget, uint32_t iSize)
	{
		if (iSize == 0 || m_iPos > m_iSize || iSize > m_iSize - m_iPos)
			return 0;
		memcpy(pTarget, m_pData + m_iPos, iSize);
		m_iPos += iSize;
		return static_cast<int32_t>(iSize);
	}

	void Buffer::WriteString(const BString& strText)
	{
		uint32_t iLength = strText.size() < UINT32_MAX ? static_cast<uint32_t>(strText.size()) : UINT32_MAX - 1;
		// Fast path: the whole text and its zero fit (one growth for an AutoBuffer).
		if (iLength + 1 <= UINT32_MAX - m_iPos && EnsureCapacity(m_iPos + iLength + 1))
		{
			memcpy(m_pData + m_iPos, strText.data(), iLength);
			m_pData[m_iPos + iLength] = 0;
			m_iPos += iLength + 1;
			if (m_iPos > m_iWritten)
				m_iWritten = m_iPos;
			return;
		}
		// Otherwise byte by byte, keeping what fits.
		for (uint32_t i = 0; i <= iLength; ++i)
		{
			if (m_iPos == UINT32_MAX || !EnsureCapacity(m_iPos + 1))
				continue;
			m_pData[m_iPos++] = i < iLength ? static_cast<unsigned char>(strText[i]) : 0;
			if (m_iPos > m_iWritten)
				m_iWritten = m_iPos;
		}
	}

	BString Buffer::ReadString()
	{
		if (m_iPos >= m_iSize)
			return BString();
		const unsigned char* pStart = m_pData + m_iPos;
		uint32_t iRemaining = m_iSize - m_iPos;
		const void* pZero = memchr(pStart, 0, iRemaining);
		if (pZero == nullptr)
		{
			m_iPos = m_iSize;
			return BString(reinterpret_cast<const char*>(pStart), iRemaining);
		}
		uint32_t iLength = static_cast<uint32_t>(static_cast<const unsigned char*>(pZero) - pStart);
		m_iPos += iLength + 1;
		return BString(reinterpret_cast<const char*>(pStart), iLength);
	}

	AutoBuffer::AutoBuffer(uint32_t iInitial)
	{
		if (iInitial >= 1 && iInitial <= MaxSize)
		{
			m_pData = static_cast<unsigned char*>(malloc(iInitial));
			if (m_pData != nullptr)
				m_iSize = iInitial;
		}
	}

	AutoBuffer::~AutoBuffer() { free(m_pData); }

	void AutoBuffer::Clear()
	{
		free(m_pData);
		m_pData = nullptr;
		m_iSize = m_iPos = m_iWritten = 0;
	}

	bool AutoBuffer::EnsureCapacity(uint32_t iSize)
	{
		if (m_iSize >= iSize)
			return true;
		if (iSize > MaxSize)
			return false;
		void* pGrown = realloc(m_pData, iSize);
		if (pGrown == nullptr)
		{
			// Reallocation in place failed: try a fresh block and move the content over.
			pGrown = malloc(iSize);
			if (pGrown == nullptr)
				return false;
			if (m_pData != nullptr)
				memcpy(pGrown, m_pData, m_iSize);
			free(m_pData);
		}
		m_pData = static_cast<unsigned char*>(pGrown);
		m_iSize = iSize;
		return true;
	}
}
