#include "collections.h"
#include <stdlib.h>
#include <string.h>

CDWordArray::~CDWordArray() { free(m_pData); }

BOOL CDWordArray::SetSize(int nNewSize)
{
    if (nNewSize < 0) return FALSE;
    if (nNewSize > m_nAlloc) {
        DWORD* p = (DWORD*)realloc(m_pData, nNewSize * sizeof(DWORD));
        if (!p) return FALSE;
        m_pData = p;
        m_nAlloc = nNewSize;
    }
    if (nNewSize > m_nSize) memset(m_pData + m_nSize, 0, (nNewSize - m_nSize) * sizeof(DWORD));
    m_nSize = nNewSize;
    return TRUE;
}

int CDWordArray::Add(DWORD value)
{
    int nIndex = m_nSize;
    if (m_nSize == m_nAlloc) {
        int nAlloc = m_nAlloc ? m_nAlloc * 2 : 16;
        DWORD* p = (DWORD*)realloc(m_pData, nAlloc * sizeof(DWORD));
        if (!p) return -1;
        m_pData = p;
        m_nAlloc = nAlloc;
    }
    m_pData[m_nSize++] = value;
    return nIndex;
}
