// CDWordArray: a growable array of DWORD values.
#pragma once
#include <windows.h>
#include "cobject.h"

class CDWordArray : public CObject {
public:
    CDWordArray() : m_pData(nullptr), m_nSize(0), m_nAlloc(0) {}
    ~CDWordArray() override;

    int GetSize() const { return m_nSize; }
    // FALSE when the memory could not be had; the array is then unchanged.
    BOOL SetSize(int nNewSize);
    void RemoveAll() { m_nSize = 0; }
    DWORD GetAt(int nIndex) const { return m_pData[nIndex]; }
    void SetAt(int nIndex, DWORD value) { m_pData[nIndex] = value; }
    DWORD operator[](int nIndex) const { return m_pData[nIndex]; }
    DWORD& operator[](int nIndex) { return m_pData[nIndex]; }
    int Add(DWORD value);

private:
    DWORD* m_pData;
    int m_nSize;
    int m_nAlloc;
};
