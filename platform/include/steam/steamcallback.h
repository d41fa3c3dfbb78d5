// Callback and call-result bindings: how an object asks Steam to call it back, on the thread
// that runs SteamAPI_RunCallbacks, when a callback record is posted or an asynchronous call ends.
#pragma once

#include "steamtypes.h"

// What Steam calls; CCallback and CCallResult below derive from it.
class CCallbackBase {
public:
    CCallbackBase() = default;
    CCallbackBase(const CCallbackBase&) = delete;
    CCallbackBase& operator=(const CCallbackBase&) = delete;
    virtual ~CCallbackBase() = default;

    // A posted callback record.
    virtual void Run(void* pvParam) = 0;
    // The result record of the asynchronous call hSteamAPICall.
    virtual void Run(void* pvParam, bool bIOFailure, SteamAPICall_t hSteamAPICall) = 0;
    // Size of the record this binding expects.
    virtual int GetCallbackSizeBytes() = 0;

    int GetICallback() const { return m_iCallback; }

protected:
    int m_iCallback = 0;
};

S_API void SteamAPI_RegisterCallback(CCallbackBase* pCallback, int iCallback);
S_API void SteamAPI_UnregisterCallback(CCallbackBase* pCallback);
S_API void SteamAPI_RegisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall);
S_API void SteamAPI_UnregisterCallResult(CCallbackBase* pCallback, SteamAPICall_t hAPICall);

// Calls obj->func(record, bIOFailure) once when the call set with Set completes.
template <class T, class P>
class CCallResult : public CCallbackBase {
public:
    typedef void (T::*func_t)(P*, bool);

    CCallResult() { m_iCallback = P::k_iCallback; }
    ~CCallResult() override { Cancel(); }

    void Set(SteamAPICall_t hAPICall, T* pObj, func_t func)
    {
        Cancel();
        m_pObj = pObj;
        m_Func = func;
        m_hAPICall = hAPICall;
        if (hAPICall != k_uAPICallInvalid)
            SteamAPI_RegisterCallResult(this, hAPICall);
    }

    bool IsActive() const { return m_hAPICall != k_uAPICallInvalid; }

    void Cancel()
    {
        if (m_hAPICall != k_uAPICallInvalid) {
            SteamAPI_UnregisterCallResult(this, m_hAPICall);
            m_hAPICall = k_uAPICallInvalid;
        }
    }

private:
    void Run(void* pvParam) override { Run(pvParam, false, m_hAPICall); }

    void Run(void* pvParam, bool bIOFailure, SteamAPICall_t hSteamAPICall) override
    {
        if (hSteamAPICall != m_hAPICall || m_hAPICall == k_uAPICallInvalid)
            return;
        m_hAPICall = k_uAPICallInvalid; // Steam drops the binding once it has delivered
        (m_pObj->*m_Func)(static_cast<P*>(pvParam), bIOFailure);
    }

    int GetCallbackSizeBytes() override { return sizeof(P); }

    SteamAPICall_t m_hAPICall = k_uAPICallInvalid;
    T* m_pObj = nullptr;
    func_t m_Func = nullptr;
};

// Calls obj->func(record) for every posted record of type P while registered. Registration is
// manual (Register / Unregister) unless the two-argument constructor is used.
template <class T, class P>
class CCallback : public CCallbackBase {
public:
    typedef void (T::*func_t)(P*);

    CCallback() { m_iCallback = P::k_iCallback; }
    CCallback(T* pObj, func_t func) : CCallback() { Register(pObj, func); }
    ~CCallback() override { Unregister(); }

    void Register(T* pObj, func_t func)
    {
        Unregister();
        m_pObj = pObj;
        m_Func = func;
        SteamAPI_RegisterCallback(this, P::k_iCallback);
        m_bRegistered = true;
    }

    void Unregister()
    {
        if (m_bRegistered) {
            SteamAPI_UnregisterCallback(this);
            m_bRegistered = false;
        }
    }

    bool IsRegistered() const { return m_bRegistered; }

private:
    void Run(void* pvParam) override { (m_pObj->*m_Func)(static_cast<P*>(pvParam)); }
    void Run(void* pvParam, bool, SteamAPICall_t) override { Run(pvParam); }
    int GetCallbackSizeBytes() override { return sizeof(P); }

    T* m_pObj = nullptr;
    func_t m_Func = nullptr;
    bool m_bRegistered = false;
};
