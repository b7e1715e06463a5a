#include "cstring.h"
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "resmodule.h"

CString::CString(const char* psz) : CString() { if (psz) Assign(psz, (int)strlen(psz)); }
CString::CString(const char* pch, int nLength) : CString() { if (pch && nLength > 0) Assign(pch, nLength); }
CString::CString(const CString& other) : CString() { Assign(other.GetString(), other.m_nLength); }
CString::~CString() { free(m_pData); }

CString& CString::operator=(const CString& other)
{
    if (this != &other) Assign(other.GetString(), other.m_nLength);
    return *this;
}

CString& CString::operator=(const char* psz)
{
    if (!psz) { Empty(); return *this; }
    // The source may lie inside our own buffer: copy it out first.
    CString copy(psz, (int)strlen(psz));
    Assign(copy.GetString(), copy.m_nLength);
    return *this;
}

CString& CString::operator+=(const char* psz)
{
    if (psz) Append(psz, (int)strlen(psz));
    return *this;
}

void CString::Empty()
{
    m_nLength = 0;
    if (m_pData) m_pData[0] = 0;
}

void CString::Reserve(int nLength)
{
    if (nLength < m_nAlloc) return;
    int nAlloc = nLength + 1 < 16 ? 16 : nLength + 1 + (nLength >> 1);
    char* p = (char*)realloc(m_pData, nAlloc);
    if (!p) return;
    if (!m_pData) p[0] = 0;
    m_pData = p;
    m_nAlloc = nAlloc;
}

void CString::Assign(const char* pch, int nCount)
{
    if (nCount <= 0) { Empty(); return; }
    if (pch >= m_pData && pch < m_pData + m_nAlloc) {
        memmove(m_pData, pch, nCount);
    } else {
        Reserve(nCount);
        if (nCount >= m_nAlloc) return;
        memcpy(m_pData, pch, nCount);
    }
    m_pData[nCount] = 0;
    m_nLength = nCount;
}

void CString::Append(const char* pch, int nCount)
{
    if (nCount <= 0) return;
    if (m_pData && pch >= m_pData && pch < m_pData + m_nAlloc) {
        CString copy(pch, nCount);
        Append(copy.GetString(), nCount);
        return;
    }
    Reserve(m_nLength + nCount);
    if (m_nLength + nCount >= m_nAlloc) return;
    memcpy(m_pData + m_nLength, pch, nCount);
    m_nLength += nCount;
    m_pData[m_nLength] = 0;
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= m_nLength) return -1;
    const char* p = (const char*)memchr(m_pData + nStart, ch, m_nLength - nStart);
    return p ? (int)(p - m_pData) : -1;
}

int CString::Find(const char* pszSub, int nStart) const
{
    if (nStart < 0 || nStart > m_nLength) return -1;
    const char* p = strstr(GetString() + nStart, pszSub);
    return p ? (int)(p - GetString()) : -1;
}

int CString::ReverseFind(char ch) const
{
    for (int i = m_nLength - 1; i >= 0; --i)
        if (m_pData[i] == ch) return i;
    return -1;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0) nCount = 0;
    if (nCount > m_nLength) nCount = m_nLength;
    return CString(GetString(), nCount);
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0) nFirst = 0;
    if (nFirst > m_nLength) nFirst = m_nLength;
    if (nCount < 0) nCount = 0;
    if (nCount > m_nLength - nFirst) nCount = m_nLength - nFirst;
    return CString(GetString() + nFirst, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0) nCount = 0;
    if (nCount > m_nLength) nCount = m_nLength;
    return CString(GetString() + m_nLength - nCount, nCount);
}

void CString::MakeLower() { if (m_pData) CharLowerBuffA(m_pData, m_nLength); }
void CString::MakeUpper() { if (m_pData) CharUpperBuffA(m_pData, m_nLength); }

static bool IsTrimmed(char ch, const char* pszChars)
{
    if (pszChars) return ch != 0 && strchr(pszChars, ch) != nullptr;
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

void CString::TrimLeft(const char* pszChars)
{
    int n = 0;
    while (n < m_nLength && IsTrimmed(m_pData[n], pszChars)) ++n;
    if (n == 0) return;
    memmove(m_pData, m_pData + n, m_nLength - n + 1);
    m_nLength -= n;
}

void CString::TrimRight(const char* pszChars)
{
    while (m_nLength > 0 && IsTrimmed(m_pData[m_nLength - 1], pszChars)) --m_nLength;
    if (m_pData) m_pData[m_nLength] = 0;
}

int CString::Replace(char chOld, char chNew)
{
    int n = 0;
    for (int i = 0; i < m_nLength; ++i)
        if (m_pData[i] == chOld) { m_pData[i] = chNew; ++n; }
    return n;
}

int CString::Replace(const char* pszOld, const char* pszNew)
{
    int nOld = (int)strlen(pszOld);
    if (nOld == 0 || m_nLength == 0) return 0;
    CString result;
    int n = 0, pos = 0, hit;
    while ((hit = Find(pszOld, pos)) >= 0) {
        result.Append(GetString() + pos, hit - pos);
        result += pszNew;
        pos = hit + nOld;
        ++n;
    }
    if (n == 0) return 0;
    result.Append(GetString() + pos, m_nLength - pos);
    *this = result;
    return n;
}

void CString::FormatV(const char* pszFormat, va_list args)
{
    char buffer[4096];
    int n = _vsnprintf(buffer, sizeof(buffer) - 1, pszFormat, args);
    if (n < 0 || n > (int)sizeof(buffer) - 1) n = sizeof(buffer) - 1;
    buffer[n] = 0;
    Assign(buffer, n);
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    char buffer[1024];
    int n = ::LoadStringA(GetResourceModule(), nID, buffer, sizeof(buffer));
    Assign(buffer, n > 0 ? n : 0);
    return n > 0;
}

char* CString::GetBuffer(int nMinLength)
{
    Reserve(nMinLength > m_nLength ? nMinLength : m_nLength);
    return m_pData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (!m_pData) { m_nLength = 0; return; }
    if (nNewLength < 0) {
        // The text up to its NUL, within the buffer (memchr is msvcrt's; strnlen is not).
        const char* end = (const char*)memchr(m_pData, 0, m_nAlloc - 1);
        nNewLength = end ? (int)(end - m_pData) : m_nAlloc - 1;
    }
    if (nNewLength > m_nAlloc - 1) nNewLength = m_nAlloc - 1;
    m_nLength = nNewLength;
    m_pData[m_nLength] = 0;
}

CString operator+(const CString& left, const CString& right) { CString s(left); s += right; return s; }
CString operator+(const CString& left, const char* right) { CString s(left); s += right; return s; }
CString operator+(const char* left, const CString& right) { CString s(left); s += right; return s; }
