// CUtlHandleTable: serial-checked 32-bit handles to objects of one type. A handle holds an
// entry index in its low HandleBits and the low bits of the entry's serial above them, so a
// handle to a removed object no longer resolves once its index is reused.
#pragma once

#include <cstdint>

#include "tier1/utlvector.h"

typedef unsigned int UtlHandle_t;
const UtlHandle_t UTLHANDLE_INVALID = ~0u;

template <class T, int HandleBits>
class CUtlHandleTable {
public:
    CUtlHandleTable() : m_nValidHandles(0) {}
    // Objects are not owned: only the table's own memory is freed.
    ~CUtlHandleTable() {
        m_unused.Purge();
        m_list.Purge();
    }

    CUtlHandleTable(const CUtlHandleTable &) = delete;
    CUtlHandleTable &operator=(const CUtlHandleTable &) = delete;

    // A fresh valid handle with no object; indices of removed handles are reused first,
    // oldest first.
    UtlHandle_t AddHandle() {
        int nIndex;
        if (m_unused.Count() > 0) {
            nIndex = m_unused[0];
            m_unused.Remove(0);
        } else {
            EntryType_t entry;
            entry.m_nSerialAndFlag = 0;
            entry.m_pData = nullptr;
            nIndex = m_list.AddToTail(entry);
        }
        EntryType_t &entry = m_list[nIndex];
        entry.m_nSerialAndFlag &= SERIAL_MASK;  // valid again; the serial stays
        entry.m_pData = nullptr;
        ++m_nValidHandles;
        return CreateHandle(Serial(entry), nIndex);
    }

    // Invalidates the handle and queues its index for reuse. A handle that no longer
    // resolves (stale, already removed, or out of range) changes nothing.
    void RemoveHandle(UtlHandle_t handle) {
        unsigned int nIndex = GetListIndex(handle);
        if (nIndex >= static_cast<unsigned int>(m_list.Count())) return;
        EntryType_t &entry = m_list[nIndex];
        if (Serial(entry) != GetSerialNumber(handle) || IsInvalid(entry)) return;

        unsigned int nSerial = (Serial(entry) + 1) & SERIAL_MASK;
        entry.m_nSerialAndFlag = nSerial | INVALID_FLAG;
        --m_nValidHandles;
        entry.m_pData = nullptr;
        if (nSerial < MAX_REUSED_SERIAL) m_unused.AddToTail(static_cast<int>(nIndex));
    }

    // Stores the object of a resolving handle (making its entry valid again if needed).
    void SetHandle(UtlHandle_t handle, T *pData) {
        EntryType_t *entry = GetEntry(handle);
        if (!entry) return;
        if (IsInvalid(*entry)) {
            entry->m_nSerialAndFlag &= SERIAL_MASK;
            ++m_nValidHandles;
        }
        entry->m_pData = pData;
    }

    // The object of a resolving, valid handle, or null.
    T *GetHandle(UtlHandle_t handle) const {
        const EntryType_t *entry = GetEntry(handle);
        return entry && !IsInvalid(*entry) ? entry->m_pData : nullptr;
    }

    bool IsHandleValid(UtlHandle_t handle) const {
        const EntryType_t *entry = GetEntry(handle);
        return entry && !IsInvalid(*entry);
    }

    // Entries ever created, and handles currently valid.
    unsigned int GetHandleCount() const { return static_cast<unsigned int>(m_list.Count()); }
    unsigned int GetValidHandleCount() const { return m_nValidHandles; }

    // The current handle of an entry index (UTLHANDLE_INVALID when out of range).
    UtlHandle_t GetHandleFromIndex(int i) const {
        if (!m_list.IsValidIndex(i)) return UTLHANDLE_INVALID;
        return CreateHandle(Serial(m_list[i]), static_cast<unsigned int>(i));
    }
    int GetIndexFromHandle(UtlHandle_t handle) const { return static_cast<int>(GetListIndex(handle)); }

private:
    static_assert(HandleBits > 0 && HandleBits < 31, "a handle needs index and serial bits");

    enum : unsigned int {
        INDEX_MASK = (1u << HandleBits) - 1,
        HANDLE_SERIAL_MASK = (1u << (31 - HandleBits)) - 1,
        MAX_REUSED_SERIAL = HANDLE_SERIAL_MASK,  // serials at or past it retire the index
        SERIAL_MASK = 0x7FFFFFFFu,
        INVALID_FLAG = 0x80000000u,
    };

    struct EntryType_t {
        uint32_t m_nSerialAndFlag;  // serial in bits 0..30, invalid flag in bit 31
        T *m_pData;
    };

    static unsigned int Serial(const EntryType_t &e) { return e.m_nSerialAndFlag & SERIAL_MASK; }
    static bool IsInvalid(const EntryType_t &e) { return (e.m_nSerialAndFlag & INVALID_FLAG) != 0; }

    static UtlHandle_t CreateHandle(unsigned int nSerial, unsigned int nIndex) {
        return (nIndex | (nSerial << HandleBits)) & 0x7FFFFFFFu;
    }
    static unsigned int GetListIndex(UtlHandle_t handle) { return handle & INDEX_MASK; }
    static unsigned int GetSerialNumber(UtlHandle_t handle) { return (handle >> HandleBits) & HANDLE_SERIAL_MASK; }

    // The entry a handle names, when its index is in range and its serial bits equal the
    // entry's whole serial.
    const EntryType_t *GetEntry(UtlHandle_t handle) const {
        unsigned int nIndex = GetListIndex(handle);
        if (nIndex >= static_cast<unsigned int>(m_list.Count())) return nullptr;
        const EntryType_t &entry = m_list[nIndex];
        return Serial(entry) == GetSerialNumber(handle) ? &entry : nullptr;
    }
    EntryType_t *GetEntry(UtlHandle_t handle) {
        return const_cast<EntryType_t *>(static_cast<const CUtlHandleTable *>(this)->GetEntry(handle));
    }

    unsigned int m_nValidHandles;
    CUtlVector<EntryType_t> m_list;
    // First-in-first-out queue of reusable indices: taken from the front, added at the back.
    CUtlVector<int> m_unused;
};
