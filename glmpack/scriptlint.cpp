#include "scriptlint.h"
#include "codepage.h"
#include "engine/logreader.h"
#include "engine/names.h"
#include "engine/pathtext.h"
#include <string.h>

namespace {

struct RecordKind {
    const char* prefix;
    const char* ignoredAction;   // what the setup leaves undone when it reads the line as a comment
};

const RecordKind RecordKinds[] = {
    { REC_FILE_COPY, "installs nothing" },
    { REC_FILE_OVERWRITE, "deletes nothing at uninstall" },
    { REC_FILE_DEL, "deletes nothing" },
    { REC_MAKE_DIR, "makes no folder" },
    { REC_MADE_DIR, "removes no folder" },
    { REC_SHELL_LINK, "deletes no shortcut" },
};

const char Utf8ByteOrderMark[] = "\xEF\xBB\xBF";

class ScriptLinter {
public:
    ScriptLinter(const std::string& bytes, const Script& script, Diagnostics& diagnostics)
        : m_bytes(bytes), m_script(script), m_out(diagnostics)
    {
    }

    void Run()
    {
        if (IsUtf16()) {
            Report(1, Severity::Error, "the script is UTF-16: the setup reads it byte by byte in code page 1250 and finds no record");
            return;
        }
        for (const ScriptPiece& piece : m_script.pieces) LintPiece(piece);
        ReportEndOfText();
    }

private:
    const std::string& m_bytes;
    const Script& m_script;
    Diagnostics& m_out;

    void Report(int line, Severity severity, const std::string& text) { m_out.push_back({ LOG_NAME, line, severity, text }); }

    bool IsUtf16() const
    {
        return m_bytes.size() >= 2 && ((m_bytes[0] == '\xFF' && m_bytes[1] == '\xFE') || (m_bytes[0] == '\xFE' && m_bytes[1] == '\xFF'));
    }

    static const RecordKind* RecordOf(const std::string& text)
    {
        for (const RecordKind& kind : RecordKinds)
            if (strncmp(text.c_str(), kind.prefix, strlen(kind.prefix)) == 0) return &kind;
        return nullptr;
    }

    bool LineHasRecord(int line) const
    {
        for (const ScriptPiece& piece : m_script.pieces)
            if (piece.line == line && RecordOf(piece.text)) return true;
        return false;
    }

    void LintPiece(const ScriptPiece& piece)
    {
        if (piece.hasNul && piece.part == 0)
            Report(piece.line, Severity::Error, "a NUL byte: the setup reads the line only up to it");
        if (piece.part == 1) {
            bool record = LineHasRecord(piece.line);
            Report(piece.line, record ? Severity::Error : Severity::Warning,
                   std::string("the line is longer than the ") + std::to_string(LOG_LINE_SIZE - 1) +
                       " bytes the setup reads at a time: it reads the rest as a line of its own" +
                       (record ? ", and the record is cut" : ""));
        }
        const RecordKind* kind = RecordOf(piece.text);
        if (!kind) {
            if (piece.part == 0) LintNearRecord(piece);
            return;
        }
        std::string text = piece.text.substr(strlen(kind->prefix));
        LintEncoding(piece.line, text);
        if (kind->prefix == std::string(REC_MADE_DIR) || kind->prefix == std::string(REC_SHELL_LINK)) {
            Report(piece.line, Severity::Error,
                   std::string("\"") + kind->prefix + "\" is a record the setup writes into the installation log; in a script it makes the uninstaller remove " +
                       QuoteName(text));
        } else if (kind->prefix == std::string(REC_FILE_DEL) || kind->prefix == std::string(REC_FILE_OVERWRITE)) {
            LintDeletedName(piece.line, text);
        }
    }

    // The uninstaller (and a re-install, for "File Del: ") deletes by the name up to a remark, of
    // the rename form its target.
    void LintDeletedName(int line, std::string text)
    {
        std::vector<char> buffer(text.begin(), text.end());
        buffer.push_back('\0');
        CutRemark(buffer.data());
        char* target = SplitRenameForm(buffer.data());
        const char* name = target ? target : buffer.data();
        if (!IsSafeRelativeName(name))
            Report(line, Severity::Error, DescribeRefusedName(name));
    }

    // A record's text saved as UTF-8 names other files in 1250; a byte 1250 leaves undefined
    // names none the package author meant.
    void LintEncoding(int line, const std::string& text)
    {
        if (IsMultiByteUtf8(text)) {
            Report(line, Severity::Error, "the line is UTF-8: the setup reads " + QuoteName(text) + " in code page 1250, not \"" + text + "\"");
            return;
        }
        for (unsigned char byte : text) {
            if (IsUndefinedIn1250(byte)) {
                char hex[8];
                snprintf(hex, sizeof hex, "0x%02X", byte);
                Report(line, Severity::Error, std::string("byte ") + hex + " is no character of code page 1250, in which the setup reads the script");
                return;
            }
        }
    }

    // A line that is a comment to the setup but for its letter case, a blank before it, a
    // byte-order mark, a missing blank after the colon or a missing name.
    void LintNearRecord(const ScriptPiece& piece)
    {
        std::string text = piece.text;
        bool mark = piece.line == 1 && text.compare(0, 3, Utf8ByteOrderMark) == 0;
        if (mark) text.erase(0, 3);
        size_t start = text.find_first_not_of(" \t");
        if (start == std::string::npos) return;
        for (const RecordKind& kind : RecordKinds) {
            std::string head(kind.prefix, strlen(kind.prefix) - 1);   // without the trailing blank
            if (text.size() - start < head.size() || !EqualNoCaseAscii(text.substr(start, head.size()).c_str(), head.c_str()))
                continue;
            std::string written = text.substr(start, head.size());
            std::string rest = text.substr(start + head.size());
            std::string why;
            if (mark) why = "it begins with a UTF-8 byte-order mark";
            else if (start > 0) why = "a blank comes before \"" + head + "\"";
            else if (written != head) why = "\"" + written + "\" is not \"" + head + "\" (letter case)";
            else if (rest.empty()) why = "no name follows \"" + head + "\"";
            else if (rest[0] != ' ') why = "no blank follows \"" + head + "\"";
            else continue;
            Report(piece.line, Severity::Error, "not a record: " + why + "; the setup reads the line as a comment and " + kind.ignoredAction);
            return;
        }
    }

    // A Ctrl-Z ends the setup's text-mode read; records after it are never seen.
    void ReportEndOfText()
    {
        if (!m_script.endOfTextLine) return;
        size_t end = m_bytes.find('\x1A');
        bool recordsAfter = false;
        for (const RecordKind& kind : RecordKinds)
            recordsAfter = recordsAfter || m_bytes.find(kind.prefix, end) != std::string::npos;
        Report(m_script.endOfTextLine, recordsAfter ? Severity::Error : Severity::Warning,
               std::string("a Ctrl-Z byte ends the script for the setup's text-mode read") +
                   (recordsAfter ? ": the records after it are never read" : ""));
    }

};

}  // namespace

void LintScript(const std::string& bytes, const Script& script, Diagnostics& diagnostics)
{
    ScriptLinter(bytes, script, diagnostics).Run();
}
