// Utils: searching, replacing, trimming and quoting texts; folder-path and switch cores.
#include "stub/services/Utils.h"

#include <algorithm>

namespace stub {

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool SameAscii(char a, char b) { return LowerAscii(a) == LowerAscii(b); }

// Zero-based index of sub in s at or after from; npos when absent or sub is empty.
std::size_t Find(const std::string& s, const std::string& sub, std::size_t from, bool ignoreCase)
{
    if (sub.empty() || from >= s.size() || sub.size() > s.size() - from)
        return std::string::npos;
    if (!ignoreCase)
        return s.find(sub, from);
    auto it = std::search(s.begin() + static_cast<std::ptrdiff_t>(from), s.end(), sub.begin(), sub.end(), SameAscii);
    return it == s.end() ? std::string::npos : static_cast<std::size_t>(it - s.begin());
}

std::size_t FindLast(const std::string& s, const std::string& sub, bool ignoreCase)
{
    if (sub.empty() || sub.size() > s.size())
        return std::string::npos;
    if (!ignoreCase)
        return s.rfind(sub);
    auto it = std::find_end(s.begin(), s.end(), sub.begin(), sub.end(), SameAscii);
    return it == s.end() ? std::string::npos : static_cast<std::size_t>(it - s.begin());
}

std::size_t ToPos(std::size_t index) { return index == std::string::npos ? 0 : index + 1; }

bool EqualAt(const std::string& s, std::size_t at, const std::string& sub, bool ignoreCase)
{
    if (at > s.size() || sub.size() > s.size() - at)
        return false;
    return ignoreCase ? std::equal(sub.begin(), sub.end(), s.begin() + static_cast<std::ptrdiff_t>(at), SameAscii)
                      : s.compare(at, sub.size(), sub) == 0;
}

std::string ReplaceAllImpl(const std::string& s, const std::string& pattern, const std::string& replacement,
                           bool ignoreCase)
{
    std::size_t at = Find(s, pattern, 0, ignoreCase);
    if (at == std::string::npos)
        return s;
    std::string out;
    out.reserve(s.size());
    std::size_t done = 0;
    while (at != std::string::npos) {
        out.append(s, done, at - done).append(replacement);
        done = at + pattern.size();
        at = Find(s, pattern, done, ignoreCase);
    }
    return out.append(s, done, std::string::npos);
}

// Whether the byte at index is a character of its own, not the second byte of a double-byte
// character: found by walking the text from its start.
bool IsSingleByteAt(const std::string& s, std::size_t index, LeadByteTest isLead)
{
    std::size_t i = 0;
    while (i < index)
        i += isLead(static_cast<unsigned char>(s[i])) ? 2 : 1;
    return i == index;
}

bool EndsWithOwnBackslash(const std::string& path, LeadByteTest isLead)
{
    return !path.empty() && path.back() == '\\' && IsSingleByteAt(path, path.size() - 1, isLead);
}

} // namespace

// ---- Trimming and case -------------------------------------------------------------------------

std::string TrimLeft(const std::string& s)
{
    auto it = std::find_if_not(s.begin(), s.end(), IsBlankOrControl);
    return std::string(it, s.end());
}

std::string TrimRight(const std::string& s)
{
    auto it = std::find_if_not(s.rbegin(), s.rend(), IsBlankOrControl);
    return std::string(s.begin(), it.base());
}

std::string Trim(const std::string& s)
{
    auto first = std::find_if_not(s.begin(), s.end(), IsBlankOrControl);
    auto last = std::find_if_not(s.rbegin(), std::string::const_reverse_iterator(first), IsBlankOrControl);
    return std::string(first, last.base());
}

std::string UpperText(const std::string& s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), UpperAscii);
    return out;
}

std::string LowerText(const std::string& s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
    return out;
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameAscii);
}

// ---- Strings -----------------------------------------------------------------------------------

std::size_t PosText(const std::string& sub, const std::string& s) { return ToPos(Find(s, sub, 0, true)); }

std::size_t PosFrom(const std::string& sub, const std::string& s, std::size_t start)
{
    return ToPos(Find(s, sub, start == 0 ? 0 : start - 1, false));
}

std::size_t PosTextFrom(const std::string& sub, const std::string& s, std::size_t start)
{
    return ToPos(Find(s, sub, start == 0 ? 0 : start - 1, true));
}

std::size_t LastPos(const std::string& sub, const std::string& s) { return ToPos(FindLast(s, sub, false)); }

std::size_t EndPosText(const std::string& sub, const std::string& s)
{
    std::size_t at = FindLast(s, sub, true);
    return at == std::string::npos ? 0 : s.size() - (at + sub.size()) + 1;
}

bool StartsWith(const std::string& prefix, const std::string& s, bool ignoreCase)
{
    return !prefix.empty() && EqualAt(s, 0, prefix, ignoreCase);
}

bool EndsWith(const std::string& suffix, const std::string& s, bool ignoreCase)
{
    return suffix.size() <= s.size() && EqualAt(s, s.size() - suffix.size(), suffix, ignoreCase);
}

bool SameTrimmedText(const std::string& a, const std::string& b) { return SameText(Trim(a), Trim(b)); }

std::string ReplaceAll(const std::string& s, const std::string& pattern, const std::string& replacement)
{
    return ReplaceAllImpl(s, pattern, replacement, false);
}

std::string ReplaceAllText(const std::string& s, const std::string& pattern, const std::string& replacement)
{
    return ReplaceAllImpl(s, pattern, replacement, true);
}

std::string ReplaceChar(const std::string& s, char from, char to)
{
    std::string out(s);
    std::replace(out.begin(), out.end(), from, to);
    return out;
}

std::string TextBefore(const std::string& s, const std::string& sub, const std::string& def)
{
    std::size_t at = Find(s, sub, 0, false);
    return at == std::string::npos ? def : s.substr(0, at);
}

std::string TextAfter(const std::string& s, const std::string& sub)
{
    std::size_t at = Find(s, sub, 0, false);
    return at == std::string::npos ? s : s.substr(at + sub.size());
}

std::string PadLeft(const std::string& s, std::size_t width, char fill)
{
    return s.size() >= width ? s : std::string(width - s.size(), fill) + s;
}

std::string ZeroPad(std::int64_t n, std::size_t width)
{
    if (n >= 0)
        return PadLeft(std::to_string(n), width, '0');
    // The magnitude of the most negative value does not fit; take the text and drop its sign.
    std::string digits = std::to_string(n).substr(1);
    return "-" + PadLeft(digits, width > 0 ? width - 1 : 0, '0');
}

std::string Unquote(const std::string& s, char quote, bool force, bool once)
{
    if (s.size() == 1)
        return s[0] == quote ? std::string() : s;
    if (s.size() < 2 || !(force || (s.front() == quote && s.back() == quote)))
        return s;
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && s[first] == quote && !(once && first == 1))
        ++first;
    std::size_t strippedAtEnd = 0;
    while (last > first && s[last - 1] == quote && !(once && strippedAtEnd == 1)) {
        --last;
        ++strippedAtEnd;
    }
    return s.substr(first, last - first);
}

std::string TrimUnquote(const std::string& s, bool force) { return Unquote(Trim(s), '"', force, false); }

std::string ReverseText(const std::string& s) { return std::string(s.rbegin(), s.rend()); }

std::string BoolText(bool b) { return b ? "TRUE" : "FALSE"; }

std::string MarkupToPlain(const std::string& s)
{
    std::string out = ReplaceAll(s, "\\\\n", "\r\n");
    out = ReplaceAll(out, "\\\\t", "\t");
    out = ReplaceAllText(out, "<P>", "\r\n");
    return ReplaceAllText(out, "<T>", "\t");
}

// ---- Folder paths ------------------------------------------------------------------------------

bool NoLeadBytes(unsigned char) { return false; }

std::string WithBackslash(const std::string& path, bool add, LeadByteTest isLead)
{
    std::string out(path);
    if (out.size() > 2 && EndsWithOwnBackslash(out, isLead))
        out.pop_back();
    if (add && !EndsWithOwnBackslash(out, isLead))
        out.push_back('\\');
    return out;
}

std::string StripBackslash(const std::string& path, LeadByteTest isLead)
{
    if (path == "\\")
        return std::string();
    if (path.size() > 1 && EndsWithOwnBackslash(path, isLead))
        return path.substr(0, path.size() - 1);
    return path;
}

std::string CollapseBackslashes(const std::string& text, bool strip, LeadByteTest isLead)
{
    std::string out;
    if (text.size() <= 2) {
        out = text;
    } else {
        // The first character encloses the text (a quote, a list delimiter) when it is also the
        // last one; a backslash pair right after it is kept. A backslash never encloses.
        const char first = text.front();
        const bool enclosed = first == text.back() && first != '\\';
        out.reserve(text.size());
        out.push_back(first);
        // Pair (i, i+1) loses its first backslash unless the byte before it is a lead byte or the
        // enclosing character; the pair ending at the last character is left alone. Removing
        // one backslash of a pair never changes what later pairs see, so one pass suffices and
        // a run of backslashes shrinks to one.
        for (std::size_t i = 1; i < text.size(); ++i) {
            const bool pair = i + 2 < text.size() && text[i] == '\\' && text[i + 1] == '\\';
            const char before = text[i - 1];
            if (pair && !isLead(static_cast<unsigned char>(before)) && !(enclosed && before == first))
                continue;
            out.push_back(text[i]);
        }
    }
    return strip ? StripBackslash(out, isLead) : out;
}

std::string FolderOf(const std::string& path, LeadByteTest isLead)
{
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < path.size(); i += isLead(static_cast<unsigned char>(path[i])) ? 2 : 1)
        if (path[i] == '\\')
            last = i;
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

// ---- Command-line switches ---------------------------------------------------------------------

std::string CommandTailOf(const std::string& cmdLine, const std::string& exePath)
{
    std::string tail = cmdLine;
    if (!exePath.empty()) {
        std::string quoted = "\"" + exePath + "\"";
        std::size_t at = Find(tail, quoted, 0, true);
        std::size_t len = quoted.size();
        if (at == std::string::npos) {
            at = Find(tail, exePath, 0, true);
            len = exePath.size();
        }
        if (at != std::string::npos)
            tail.erase(at, len);
    }
    return Trim(tail);
}

std::string SwitchValueIn(const std::string& tail, const std::string& sw)
{
    std::size_t at = Find(tail, sw, 0, true);
    if (at == std::string::npos)
        return std::string();
    std::string rest = tail.substr(at + sw.size());
    if (rest.empty())
        return "TRUE";
    std::string value;
    if (rest[0] == '"') {
        std::size_t end = rest.find('"', 1);
        value = rest.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    } else {
        value = rest.substr(0, rest.find(' '));
        value = value.substr(0, value.find('/'));
    }
    return Trim(value);
}

bool HasSwitchIn(const std::string& tail, const std::string& sw) { return Find(tail, sw, 0, true) != std::string::npos; }

std::int64_t SwitchIntIn(const std::string& tail, const std::string& sw, std::int64_t def)
{
    return ParseInt64(SwitchValueIn(tail, sw), def);
}

} // namespace stub
