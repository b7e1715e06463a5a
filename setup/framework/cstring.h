// CString: the framework's ANSI string. Empty strings hold no heap block, so a static CString
// is usable before any constructor has run.
#pragma once
#include <windows.h>
#include <string.h>

class CString {
public:
    constexpr CString() : m_pData(nullptr), m_nLength(0), m_nAlloc(0) {}
    CString(const char* psz);
    CString(const char* pch, int nLength);
    CString(const CString& other);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* psz);
    CString& operator+=(const CString& other) { Append(other.GetString(), other.m_nLength); return *this; }
    CString& operator+=(const char* psz);
    CString& operator+=(char ch) { Append(&ch, 1); return *this; }

    int GetLength() const { return m_nLength; }
    // Bytes the buffer holds, its closing NUL included; 0 before any.
    int GetAllocLength() const { return m_nAlloc; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();
    const char* GetString() const { return m_pData ? m_pData : ""; }
    operator const char*() const { return GetString(); }
    char GetAt(int nIndex) const { return GetString()[nIndex]; }
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch) { m_pData[nIndex] = ch; }

    // Byte for byte, as strcmp: no collation rules (which would, for one, pass over a soft hyphen).
    int Compare(const char* psz) const { return strcmp(GetString(), psz); }

    // Searches return the index of the match, or -1.
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const { return Mid(nFirst, m_nLength - nFirst); }
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;

    void MakeLower();
    void MakeUpper();
    // Without an argument white space (blank, tab, CR, LF, VT, FF) is removed.
    void TrimLeft(const char* pszChars = nullptr);
    void TrimRight(const char* pszChars = nullptr);
    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);

    // printf-style formatting; the result is cut at 4095 characters.
    void Format(const char* pszFormat, ...);
    void FormatV(const char* pszFormat, va_list args);

    // Loads a string-table entry of the program's resources; FALSE (and empty) when absent.
    BOOL LoadString(UINT nID);

    // Direct access for Win32 calls that fill a buffer; ReleaseBuffer(-1) takes the length up to the NUL.
    char* GetBuffer(int nMinLength);
    void ReleaseBuffer(int nNewLength = -1);

private:
    void Append(const char* pch, int nCount);
    void Assign(const char* pch, int nCount);
    void Reserve(int nLength);

    char* m_pData;
    int m_nLength;
    int m_nAlloc;
};

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const char* right);
CString operator+(const char* left, const CString& right);
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator!=(const CString& a, const char* b) { return !(a == b); }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
