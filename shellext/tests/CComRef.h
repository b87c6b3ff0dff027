#pragma once

// Owns one reference of a COM object for the length of a scope.
template <typename T>
class CComRef
{
public:
    CComRef() = default;
    explicit CComRef(T *p) : m_p(p) {}
    ~CComRef() { reset(); }
    CComRef(const CComRef &) = delete;
    CComRef &operator=(const CComRef &) = delete;

    T *get() const { return m_p; }
    T *operator->() const { return m_p; }
    T **put() { reset(); return &m_p; }
    void **putVoid() { return reinterpret_cast<void **>(put()); }
    T *detach() { T *p = m_p; m_p = nullptr; return p; }
    void reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }

private:
    T *m_p = nullptr;
};
