// Utils: the small text routines the whole stub stands on. Texts are 8-bit strings in the
// system code page; positions count from 1 and 0 means "not found"; "ignoring case" means the
// ASCII letters only. Every function here is pure (apart from the random generator) and never
// throws: bad input gives the documented default.
//
// Delimited list: a text whose first character is the delimiter, items between successive
// delimiters, numbered from 0: "|&OK|&Cancel|" has the items "&OK" and "&Cancel".
//
// The Windows-only parts (folders of the system, the process's command line, INI files and the
// registry) are in UtilsWin.h; they wrap the portable cores declared here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace stub {

// ---- Trimming and case -------------------------------------------------------------------------

// Removes leading and/or trailing blanks and control characters (bytes up to 0x20).
std::string Trim(const std::string& s);
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
// ASCII-only case mapping and comparison; every other byte stays as it is.
std::string UpperText(const std::string& s);
std::string LowerText(const std::string& s);
bool SameText(const std::string& a, const std::string& b);

// ---- Strings -----------------------------------------------------------------------------------

// Position of the first occurrence of sub in s ignoring case; 0 when absent or sub is empty.
std::size_t PosText(const std::string& sub, const std::string& s);
// First occurrence at or after start (start < 1 counts as 1); 0 when start exceeds s's length.
std::size_t PosFrom(const std::string& sub, const std::string& s, std::size_t start);
std::size_t PosTextFrom(const std::string& sub, const std::string& s, std::size_t start);
// Position of the last occurrence (matching case).
std::size_t LastPos(const std::string& sub, const std::string& s);
// Ignoring case: distance from the end of s to the end of the last occurrence of sub, 1 when s
// ends with sub; 0 when absent.
std::size_t EndPosText(const std::string& sub, const std::string& s);
// An empty prefix gives false; an empty suffix gives true.
bool StartsWith(const std::string& prefix, const std::string& s, bool ignoreCase);
bool EndsWith(const std::string& suffix, const std::string& s, bool ignoreCase);
// Equal after Trim, ignoring case.
bool SameTrimmedText(const std::string& a, const std::string& b);

// Every occurrence replaced, found left to right without overlap; a replacement never takes part
// in a later match. An empty or absent pattern leaves s unchanged.
std::string ReplaceAll(const std::string& s, const std::string& pattern, const std::string& replacement);
// The same, finding the pattern ignoring case.
std::string ReplaceAllText(const std::string& s, const std::string& pattern, const std::string& replacement);
std::string ReplaceChar(const std::string& s, char from, char to);

// Text before the first occurrence of sub; def when absent.
std::string TextBefore(const std::string& s, const std::string& sub, const std::string& def);
// Text after the first occurrence of sub; s itself when absent.
std::string TextAfter(const std::string& s, const std::string& sub);
// s preceded by fill characters up to width; never cut.
std::string PadLeft(const std::string& s, std::size_t width, char fill);
// Decimal n with leading zeros up to width (a minus sign stays in front of the zeros).
std::string ZeroPad(std::int64_t n, std::size_t width);

// s without its enclosing quote characters. One character that is the quote becomes empty; a
// longer text is stripped when force is set or when it starts and ends with the quote: leading
// quotes, then trailing ones, at most one each with once, else all. With force a text quoted at
// one end only loses that quote.
std::string Unquote(const std::string& s, char quote = '"', bool force = false, bool once = true);
// Unquote of Trim(s) with the double quote, removing all leading and trailing quotes.
std::string TrimUnquote(const std::string& s, bool force = false);
std::string ReverseText(const std::string& s);
// "TRUE" or "FALSE".
std::string BoolText(bool b);
// The line and tab markup turned into control characters: "\\n" -> CR LF and "\\t" -> TAB
// (two backslashes, matching case), then "<P>" -> CR LF and "<T>" -> TAB ignoring case.
std::string MarkupToPlain(const std::string& s);

// ---- Delimited lists ---------------------------------------------------------------------------

// 0 when the list is empty or its last character differs from its first; otherwise the number
// of delimiters after the first character.
int ListCount(const std::string& list);
// Item index (from 0); def when the list is empty, the item does not exist or is empty. An item
// exists when a delimiter follows it, so "|a|b|c" has item 1 "b" but no item 2.
std::string ListItem(const std::string& list, int index, const std::string& def = std::string());
// The list rebuilt with value at index: max(ListCount, index + 1) items, new ones empty. The
// delimiter is the first of | ^ ! ~ @ # $ & * 0xFF found in no item, else the zero byte. A
// negative index, or one beyond kMaxListItems, leaves the list unchanged.
inline constexpr int kMaxListItems = 1 << 20;
std::string ListSetItem(const std::string& list, int index, const std::string& value);
// Value of the item KEY=value (key ignoring case, "=" optional in key). defaultMissing when the
// list is malformed or has no such key; defaultEmpty when the value is empty. One blank after a
// delimiter and one blank before "=" are ignored; the value keeps its case and inner blanks.
std::string ListValue(const std::string& list, const std::string& key, const std::string& defaultMissing,
                      const std::string& defaultEmpty);

// ---- Folder paths ------------------------------------------------------------------------------

// Answers whether a byte is the first byte of a double-byte character in the system code page.
// Portable code cannot ask the system; the Windows side passes SystemLeadByte (UtilsWin.h).
using LeadByteTest = bool (*)(unsigned char);
bool NoLeadBytes(unsigned char);

// One trailing backslash removed (when the path is longer than 2 characters and the backslash
// is a character of its own), then, with add, a backslash appended unless one ends the path.
// "C:\" -> "C:" without add; "C:" -> "C:\" with add.
std::string WithBackslash(const std::string& path, bool add, LeadByteTest isLead = NoLeadBytes);
// "\" gives the empty text; otherwise a trailing backslash is removed when the path is longer
// than 1 character and the backslash is a character of its own.
std::string StripBackslash(const std::string& path, LeadByteTest isLead = NoLeadBytes);
// Doubled backslashes collapsed to one (runs shrink to one), except: the first character never
// takes part, so a leading "\\" of a network path survives; a pair right after a lead byte or
// right after the enclosing character q (the first character when it is also the last, e.g. a
// quote or a list delimiter) survives; a pair ending at the last character is not examined.
// With strip, StripBackslash follows.
std::string CollapseBackslashes(const std::string& text, bool strip, LeadByteTest isLead = NoLeadBytes);

// The folder part of a file path: the text before its last backslash (a character of its own);
// empty when there is none. "C:\Dir\Stub.exe" -> "C:\Dir".
std::string FolderOf(const std::string& path, LeadByteTest isLead = NoLeadBytes);

// ---- Command-line switches (portable cores) -----------------------------------------------------

// The command line without the program: the first occurrence (ignoring case) of the quoted
// executable path is removed, else of the bare path, then blanks are trimmed.
std::string CommandTailOf(const std::string& cmdLine, const std::string& exePath);
// Value of a switch such as "/OriginExe=" in tail: empty when absent, "TRUE" when nothing
// follows; a value starting with a double quote runs to the next quote, else to the first blank
// and then the first "/"; trimmed (a valueless switch followed by another gives the empty text).
std::string SwitchValueIn(const std::string& tail, const std::string& sw);
// The switch text occurs anywhere in tail, ignoring case.
bool HasSwitchIn(const std::string& tail, const std::string& sw);
// SwitchValueIn read as a 64-bit decimal integer; def when absent, valueless or not a number.
std::int64_t SwitchIntIn(const std::string& tail, const std::string& sw, std::int64_t def);

// ---- Numbers -----------------------------------------------------------------------------------

// Decimal 64-bit integer with an optional sign, surrounding blanks allowed; false on anything
// else, including values outside the 64-bit range.
bool TryParseInt64(const std::string& s, std::int64_t& out);
std::int64_t ParseInt64(const std::string& s, std::int64_t def);

// Value of s in base 2..16 (digits 0-9, A-F, ignoring case; s trimmed); the empty text gives 0.
// Text that is not a number in that base - a character outside the digit set, a digit not below
// the base, a sign, or a base outside 2..16 - gives 0 as a whole (no partial value). Values
// beyond 64 bits wrap (so "FFFFFFFFFFFFFFFF" in base 16 is -1).
std::int64_t ParseNumber(const std::string& s, int base);
// The same with a verdict: false for text that is not a number (out is then 0).
bool TryParseNumber(const std::string& s, int base, std::int64_t& out);
// ParseNumber in base 16 after removing a leading "0x" (ignoring case).
std::int64_t ParseHex(const std::string& s);

// A random integer from low to high inclusive (bounds in either order) and its decimal text.
std::int64_t RandomNumber(std::int64_t low, std::int64_t high);
std::string RandomNumberText(std::int64_t low, std::int64_t high);
std::int64_t Min64(std::int64_t a, std::int64_t b);
std::int64_t Max64(std::int64_t a, std::int64_t b);
// The larger of lower and v, but at most upper.
std::int64_t Clamp64(std::int64_t upper, std::int64_t lower, std::int64_t v);

// ---- Scrambled values --------------------------------------------------------------------------

// "Scrambled=01", one key character, then one byte per plain byte.
inline constexpr const char* kScrambleMarker = "Scrambled=01";
// With encode false: the plain text of a scrambled value, any other text unchanged; the marker
// alone (no key) gives the empty text. With encode true: a scrambled value of s under a random
// key from 33 to 122, an already scrambled value unchanged.
std::string ScrambleText(const std::string& s, bool encode);
// Encoding under a chosen key (the packaging tool and tests want a repeatable result).
std::string ScrambleWithKey(const std::string& plain, unsigned char key);

// ---- Registry paths ----------------------------------------------------------------------------

enum class RootKey { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };
// "HKEY_LOCAL_MACHINE" or "HKLM" and so on, ignoring case; any other name gives CurrentUser.
RootKey RootKeyIdFromName(const std::string& name);
struct RegistryPath {
    RootKey root = RootKey::CurrentUser;
    std::string rootName;  // as written in the path; empty when the path names no root
    std::string subKey;
};
// The path trimmed; when it starts with "HK" (ignoring case) the text before the first backslash
// names the root (the whole text when there is none) and the rest is the subkey; any other path
// is a subkey of the current-user root.
RegistryPath SplitRegistryPath(const std::string& path);

// Value types as the registry numbers them.
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiString = 7;
// The text of a value read from the registry: a 4-byte DWORD (little-endian) as its unsigned
// decimal form; a multi-string longer than 2 bytes without its trailing zero bytes and with each
// remaining zero byte written "<0>"; anything else up to its first zero byte.
std::string RegistryValueText(std::uint32_t type, const char* data, std::size_t size);

} // namespace stub
