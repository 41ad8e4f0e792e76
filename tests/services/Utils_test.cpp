#include "stub/services/Utils.h"

#include <doctest/doctest.h>

#include <set>
#include <vector>

using namespace stub;

TEST_CASE("searching: positions from 1, 0 when absent, case only for ASCII letters")
{
    CHECK(PosText("abc", "xxABCxabc") == 3);
    CHECK(PosText("", "abc") == 0);
    CHECK(PosText("\xE4", "\xC4") == 0);  // non-ASCII bytes compare exactly
    CHECK(PosFrom("ab", "abxab", 1) == 1);
    CHECK(PosFrom("ab", "abxab", 2) == 4);
    CHECK(PosFrom("ab", "abxab", 6) == 0);  // start beyond the length
    CHECK(PosFrom("ab", "abxab", 0) == 1);
    CHECK(PosTextFrom("AB", "abxab", 2) == 4);
    CHECK(LastPos("ab", "abxab") == 4);
    CHECK(LastPos("AB", "abxab") == 0);
    CHECK(EndPosText("\\SETUP", "c:\\setup") == 1);
    CHECK(EndPosText("setup", "c:\\setup\\x") == 3);
    CHECK(EndPosText("zz", "c:\\setup") == 0);
}

TEST_CASE("prefixes and suffixes: the empty prefix fails, the empty suffix matches")
{
    CHECK(StartsWith("ab", "abc", false));
    CHECK_FALSE(StartsWith("AB", "abc", false));
    CHECK(StartsWith("AB", "abc", true));
    CHECK_FALSE(StartsWith("", "abc", true));
    CHECK_FALSE(StartsWith("abcd", "abc", true));
    CHECK(EndsWith("", "abc", false));
    CHECK(EndsWith("BC", "abc", true));
    CHECK_FALSE(EndsWith("BC", "abc", false));
    CHECK_FALSE(EndsWith("xabc", "abc", true));
    CHECK(SameTrimmedText(" \tHello\r\n", "hello"));
    CHECK_FALSE(SameTrimmedText("hello!", "hello"));
}

TEST_CASE("ReplaceAll: left to right, no overlap, a replacement is never matched again")
{
    struct Case {
        const char* s;
        const char* pattern;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"a  =b", " =", "=", "a =b"},     // the first blank only meets "=" after the replacement
        {"aaaa", "aa", "a", "aa"},        // non-overlapping
        {"aaa", "aa", "b", "ba"},
        {"abc", "b", "bb", "abbc"},       // a replacement containing the pattern
        {"abc", "", "x", "abc"},          // empty pattern
        {"abc", "z", "x", "abc"},         // absent pattern
        {"", "a", "b", ""},
        {"xyx", "x", "", "y"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.s);
        CAPTURE(c.pattern);
        CHECK(ReplaceAll(c.s, c.pattern, c.replacement) == c.expected);
    }
    CHECK(ReplaceAll("a<P>b<p>", "<P>", "|") == "a|b<p>");
    CHECK(ReplaceAllText("a<P>b<p>", "<P>", "|") == "a|b|");
    CHECK(ReplaceChar("a.b.c", '.', '/') == "a/b/c");
}

TEST_CASE("text before and after, padding, reversing, booleans")
{
    CHECK(TextBefore("key=value", "=", "none") == "key");
    CHECK(TextBefore("key", "=", "none") == "none");
    CHECK(TextAfter("key=value=2", "=") == "value=2");
    CHECK(TextAfter("key", "=") == "key");
    CHECK(PadLeft("7", 3, ' ') == "  7");
    CHECK(PadLeft("1234", 3, ' ') == "1234");
    CHECK(ZeroPad(42, 5) == "00042");
    CHECK(ZeroPad(123456, 3) == "123456");
    CHECK(ZeroPad(-5, 4) == "-005");
    CHECK(ZeroPad(INT64_MIN, 2) == "-9223372036854775808");
    CHECK(ReverseText("abc") == "cba");
    CHECK(BoolText(true) == "TRUE");
    CHECK(BoolText(false) == "FALSE");
}

TEST_CASE("trimming removes blanks and control characters only")
{
    CHECK(Trim("  \t a b \r\n") == "a b");
    CHECK(Trim(" \t ") == "");
    CHECK(TrimLeft("  a ") == "a ");
    CHECK(TrimRight("  a ") == "  a");
    CHECK(Trim("\xA0x\xA0") == "\xA0x\xA0");  // bytes above 0x7F are characters
    CHECK(UpperText("abc\xE4") == "ABC\xE4");
    CHECK(SameText("FontSize", "fONTsIZE"));
}

TEST_CASE("Unquote and TrimUnquote")
{
    struct Case {
        const char* s;
        bool force;
        bool once;
        const char* expected;
    };
    const Case cases[] = {
        {"\"", false, true, ""},
        {"x", false, true, "x"},
        {"\"abc\"", false, true, "abc"},
        {"\"\"abc\"\"", false, true, "\"abc\""},
        {"\"\"abc\"\"", false, false, "abc"},
        {"\"abc", false, true, "\"abc"},   // quoted at one end only, not forced
        {"\"abc", true, true, "abc"},      // forced: that one quote goes
        {"abc\"\"", true, false, "abc"},
        {"abc", true, true, "abc"},
        {"\"\"", false, true, ""},
        {"\"\"\"", false, false, ""},
        {"", true, false, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.s);
        CHECK(Unquote(c.s, '"', c.force, c.once) == c.expected);
    }
    CHECK(Unquote("'a'", '\'', false, true) == "a");
    CHECK(TrimUnquote("  \"\"C:\\Program Files\\x\"\"  ") == "C:\\Program Files\\x");
    CHECK(TrimUnquote(" \"abc ") == "\"abc");
    CHECK(TrimUnquote(" \"abc ", true) == "abc");
}

TEST_CASE("MarkupToPlain: the escapes match case, the tags do not")
{
    CHECK(MarkupToPlain("a\\\\nb\\\\tc") == "a\r\nb\tc");
    CHECK(MarkupToPlain("a\\\\Nb") == "a\\\\Nb");
    CHECK(MarkupToPlain("a<p>b<T>c<P>") == "a\r\nb\tc\r\n");
    CHECK(MarkupToPlain("a\\nb") == "a\\nb");  // one backslash is no escape
}

TEST_CASE("ListCount counts delimiters of a well-formed list")
{
    CHECK(ListCount("|a|b|c|") == 3);
    CHECK(ListCount("|a|b|c") == 0);
    CHECK(ListCount("") == 0);
    CHECK(ListCount("|") == 0);
    CHECK(ListCount("||") == 1);
    CHECK(ListCount("|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|") == 7);
    CHECK(ListCount("\x02" "a\x02" "b\x02") == 2);
}

TEST_CASE("ListItem: the default for a missing list, item or an empty item")
{
    CHECK(ListItem("|a|b|c|", 0, "d") == "a");
    CHECK(ListItem("|a|b|c|", 2, "d") == "c");
    CHECK(ListItem("|a|b|c|", 3, "d") == "d");
    CHECK(ListItem("|a|b|c|", -1, "d") == "d");
    CHECK(ListItem("|a|b|c", 1, "d") == "b");   // malformed, yet item 1 exists
    CHECK(ListItem("|a|b|c", 2, "d") == "d");   // text after the last delimiter is no item
    CHECK(ListItem("|a||c|", 1, "d") == "d");   // an empty item is the default
    CHECK(ListItem("", 0, "d") == "d");
    CHECK(ListItem("|", 0, "d") == "d");
    CHECK(ListItem(",x,y,", 1) == "y");
}

TEST_CASE("ListSetItem: rebuilt with the first delimiter no item contains")
{
    CHECK(ListSetItem("|a|b|", 4, "e") == "|a|b|||e|");
    CHECK(ListCount(ListSetItem("|a|b|", 4, "e")) == 5);
    CHECK(ListSetItem("|a|b|", 0, "z") == "|z|b|");
    CHECK(ListSetItem("", 0, "x") == "|x|");
    CHECK(ListSetItem("", 2, "x") == "|||x|");
    CHECK(ListSetItem(",a,b,", 1, "c") == "|a|c|");  // the old delimiter is not preferred
    CHECK(ListSetItem(",a|,b,", 1, "c") == "^a|^c^");
    CHECK(ListSetItem("|a|b|", 1, "x|y") == "^a^x|y^");
    CHECK(ListSetItem("|a|b|c", 0, "x") == "|x|");  // a malformed list has no items
    CHECK(ListSetItem("|a|b|", -1, "x") == "|a|b|");

    // Each candidate in turn taken by an item moves the choice to the next one.
    const std::string candidates = std::string("|^!~@#$&*") + '\xFF';
    for (std::size_t used = 0; used < candidates.size(); ++used) {
        CAPTURE(used);
        const std::string list = ListSetItem("|a|", 1, candidates.substr(0, used + 1));
        const char expected = used + 1 < candidates.size() ? candidates[used + 1] : '\0';
        REQUIRE(!list.empty());
        CHECK(list[0] == expected);
        CHECK(list.back() == expected);
        CHECK(ListItem(list, 1, "") == candidates.substr(0, used + 1));
        CHECK(ListItem(list, 0, "") == "a");
    }
}

TEST_CASE("ListSetItem and ListItem agree on every item")
{
    std::string list;
    const std::vector<std::string> values = {"one", "", "three|pipe", "^", "five"};
    for (std::size_t i = 0; i < values.size(); ++i)
        list = ListSetItem(list, static_cast<int>(i), values[i]);
    CHECK(ListCount(list) == 5);
    for (std::size_t i = 0; i < values.size(); ++i)
        CHECK(ListItem(list, static_cast<int>(i), "") == values[i]);
}

TEST_CASE("ListValue: keys ignoring case, one blank dropped, two defaults")
{
    const std::string list = "|FontName=Arial| fontsize =8|Empty=|Spaced= a B |";
    CHECK(ListValue(list, "FontSize", "m", "e") == "8");
    CHECK(ListValue(list, "FontSize=", "m", "e") == "8");
    CHECK(ListValue(list, "fontname", "m", "e") == "Arial");
    CHECK(ListValue(list, "Empty", "m", "e") == "e");
    CHECK(ListValue(list, "Missing", "m", "e") == "m");
    CHECK(ListValue(list, "Spaced", "m", "e") == " a B ");  // blanks after "=" stay
    CHECK(ListValue(list, "Font", "m", "e") == "m");        // a key is not a prefix match
    // Only one blank is dropped next to the delimiter and before "=".
    CHECK(ListValue("|  Key=v|", "Key", "m", "e") == "m");
    CHECK(ListValue("|Key  =v|", "Key", "m", "e") == "m");
    CHECK(ListValue("|Key  =v|", "Key ", "m", "e") == "v");
    // Malformed or too short lists give the first default.
    CHECK(ListValue("|Key=v", "Key", "m", "e") == "m");
    CHECK(ListValue("||", "Key", "m", "e") == "m");
    CHECK(ListValue("", "Key", "m", "e") == "m");
}

TEST_CASE("WithBackslash and StripBackslash")
{
    CHECK(WithBackslash("C:\\", false) == "C:");
    CHECK(WithBackslash("C:", true) == "C:\\");
    CHECK(WithBackslash("C:\\", true) == "C:\\");
    CHECK(WithBackslash("a\\", false) == "a\\");  // two characters keep their backslash
    CHECK(WithBackslash("a\\", true) == "a\\");   // and do not get a second one
    CHECK(WithBackslash("C:\\Temp\\", false) == "C:\\Temp");
    CHECK(WithBackslash("C:\\Temp", true) == "C:\\Temp\\");
    CHECK(WithBackslash("", true) == "\\");
    CHECK(WithBackslash("", false) == "");
    CHECK(StripBackslash("\\") == "");
    CHECK(StripBackslash("a\\") == "a");
    CHECK(StripBackslash("C:\\Temp") == "C:\\Temp");
    CHECK(StripBackslash("\\\\") == "\\");
    CHECK(StripBackslash("") == "");
}

namespace {
bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
}

TEST_CASE("a backslash that is the second byte of a double-byte character stays")
{
    const std::string kanji = "\x95\x5C";  // a double-byte character whose second byte is 0x5C
    const std::string path = "C:\\" + kanji;
    CHECK(StripBackslash(path, ShiftJisLead) == path);
    CHECK(WithBackslash(path, false, ShiftJisLead) == path);
    CHECK(WithBackslash(path, true, ShiftJisLead) == path + "\\");
    CHECK(StripBackslash(path) == "C:\\\x95");  // without the code page's answer it is removed
    // A lead-byte value that is itself a second byte does not hide the backslash after it.
    CHECK(StripBackslash("C:\\\x95\x95\\", ShiftJisLead) == "C:\\\x95\x95");
    // A pair after a lead byte is not collapsed.
    CHECK(CollapseBackslashes("x" + kanji + "\\y", false, ShiftJisLead) == "x" + kanji + "\\y");
    CHECK(CollapseBackslashes("x" + kanji + "\\y", false) == "x\x95\\y");
}

TEST_CASE("CollapseBackslashes")
{
    struct Case {
        const char* text;
        bool strip;
        const char* expected;
    };
    const Case cases[] = {
        {"\\\\server\\share", false, "\\\\server\\share"},       // network path survives
        {"\\\\server\\\\share", false, "\\\\server\\share"},
        {"\\\\server\\share\\\\x", false, "\\\\server\\share\\x"},  // an empty placeholder between
        {"C:\\\\a\\\\\\\\b", false, "C:\\a\\b"},                 // a run shrinks to one
        {"C:\\a\\\\\\\\\\\\\\b\\c", false, "C:\\a\\b\\c"},
        {"a\\\\b", false, "a\\b"},                               // a pair at the second character
        {"C:\\a\\\\", false, "C:\\a\\\\"},                       // a pair at the end stays
        {"C:\\a\\\\", true, "C:\\a\\"},
        {"C:\\a\\", true, "C:\\a"},
        {"\\\\", false, "\\\\"},                                 // two characters: unchanged
        {"\\\\", true, "\\"},
        {"\"\\\\server\\\\share\"", false, "\"\\\\server\\share\""},  // quoted network path
        {"|\\\\a\\\\b|\\\\c\\\\d|", false, "|\\\\a\\b|\\\\c\\d|"},  // after a delimiter, kept
        {"x\\\\|\\\\y", false, "x\\|\\y"},                       // not enclosed: collapsed
        {"\\a\\\\\\b\\", false, "\\a\\b\\"},                     // a backslash never encloses
        {"", false, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        CAPTURE(c.strip);
        CHECK(CollapseBackslashes(c.text, c.strip) == c.expected);
    }
    // A long run costs one pass and ends as one backslash.
    const std::string run = "C:" + std::string(100000, '\\') + "x";
    CHECK(CollapseBackslashes(run, false) == "C:\\x");
}

TEST_CASE("CommandTailOf removes the program, quoted or bare")
{
    const std::string exe = "C:\\Program Files\\Stub.exe";
    CHECK(CommandTailOf("\"C:\\Program Files\\Stub.exe\"  /hide /WAIT=30 ", exe) == "/hide /WAIT=30");
    CHECK(CommandTailOf("\"c:\\program files\\stub.EXE\" /a", exe) == "/a");
    CHECK(CommandTailOf("C:\\Program Files\\Stub.exe /a", exe) == "/a");
    CHECK(CommandTailOf("Stub.exe /a", exe) == "Stub.exe /a");  // another form: left in place
    CHECK(CommandTailOf("\"C:\\Program Files\\Stub.exe\"", exe) == "");
    CHECK(CommandTailOf(" /a ", "") == "/a");
}

TEST_CASE("SwitchValueIn, HasSwitchIn and SwitchIntIn")
{
    struct Case {
        const char* tail;
        const char* sw;
        const char* expected;
    };
    const Case cases[] = {
        {"/WAIT=30 /hide", "/WAIT=", "30"},
        {"/WAIT=30 /hide", "/hide", "TRUE"},
        {"/hide /WAIT=30", "/hide", ""},       // valueless switch before another switch
        {"/hide /WAIT=30", "/wait=", "30"},    // ignoring case
        {"/WAIT=30/hide", "/WAIT=", "30"},     // cut at the first "/"
        {"/OriginExe=\"C:\\Program Files\\a/b.exe\" /x", "/OriginExe=", "C:\\Program Files\\a/b.exe"},
        {"/OriginExe=\"C:\\Program Files\\open", "/OriginExe=", "C:\\Program Files\\open"},  // no closing quote
        {"/OriginExe=\"\" /x", "/OriginExe=", ""},
        {"/OriginExe=\" padded \" /x", "/OriginExe=", "padded"},
        {"/x", "/WAIT=", ""},
        {"", "/WAIT=", ""},
        {"/TH_ID=abc", "/TH_ID=", "abc"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.tail);
        CAPTURE(c.sw);
        CHECK(SwitchValueIn(c.tail, c.sw) == c.expected);
    }
    CHECK(HasSwitchIn("/hide /WAIT=30", "/HIDE"));
    CHECK_FALSE(HasSwitchIn("/hide /WAIT=30", "/show"));
    CHECK(SwitchIntIn("/DELAY=abc", "/DELAY=", 7) == 7);
    CHECK(SwitchIntIn("/DELAY=12", "/DELAY=", 7) == 12);
    CHECK(SwitchIntIn("/DELAY=-12", "/DELAY=", 7) == -12);
    CHECK(SwitchIntIn("/DELAY", "/DELAY", 7) == 7);   // "TRUE" is no number
    CHECK(SwitchIntIn("/x", "/DELAY=", 7) == 7);
    CHECK(SwitchIntIn("/DELAY=99999999999999999999", "/DELAY=", 7) == 7);
}

TEST_CASE("decimal 64-bit integers")
{
    std::int64_t v = 1;
    CHECK(TryParseInt64(" 9223372036854775807 ", v));
    CHECK(v == INT64_MAX);
    CHECK(TryParseInt64("-9223372036854775808", v));
    CHECK(v == INT64_MIN);
    CHECK_FALSE(TryParseInt64("9223372036854775808", v));
    CHECK_FALSE(TryParseInt64("-9223372036854775809", v));
    CHECK_FALSE(TryParseInt64("", v));
    CHECK_FALSE(TryParseInt64("-", v));
    CHECK_FALSE(TryParseInt64("12a", v));
    CHECK_FALSE(TryParseInt64("1 2", v));
    CHECK(ParseInt64("+5", 0) == 5);
    CHECK(ParseInt64("x", 9) == 9);
}

TEST_CASE("ParseNumber and ParseHex")
{
    struct Case {
        const char* s;
        int base;
        std::int64_t expected;
    };
    const Case cases[] = {
        {"ff", 16, 255},
        {" 1A ", 16, 26},
        {"777", 8, 511},
        {"101", 2, 5},
        {"", 10, 0},
        {"   ", 10, 0},
        {"FFFFFFFFFFFFFFFF", 16, -1},        // 64 bits wrap
        {"10000000000000000", 16, 0},
        {"12G", 16, 0},                      // outside the digit set: not a number
        {"8", 8, 0},                         // a digit not below the base
        {"-5", 10, 0},                       // no sign
        {"1\xFF", 16, 0},
        {"10", 1, 0},                        // base outside 2..16
        {"10", 17, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.s);
        CAPTURE(c.base);
        CHECK(ParseNumber(c.s, c.base) == c.expected);
    }
    std::int64_t v = 5;
    CHECK_FALSE(TryParseNumber("12G", 16, v));
    CHECK(v == 0);
    CHECK(TryParseNumber("", 16, v));
    CHECK(ParseHex("0x1F") == 31);
    CHECK(ParseHex(" 0X1f ") == 31);
    CHECK(ParseHex("1F") == 31);
    CHECK(ParseHex("0x") == 0);
    CHECK(ParseHex("0xx1") == 0);
}

TEST_CASE("random numbers stay in range and vary")
{
    std::set<std::int64_t> seen;
    for (int i = 0; i < 200; ++i) {
        const std::int64_t n = RandomNumber(33, 122);
        CHECK(n >= 33);
        CHECK(n <= 122);
        seen.insert(n);
    }
    CHECK(seen.size() > 20);
    CHECK(RandomNumber(5, 5) == 5);
    const std::int64_t swapped = RandomNumber(10, 1);
    CHECK((swapped >= 1 && swapped <= 10));
    std::int64_t fromText = 0;
    CHECK(TryParseInt64(RandomNumberText(-3, 3), fromText));
    CHECK((fromText >= -3 && fromText <= 3));
    CHECK(Min64(-1, 2) == -1);
    CHECK(Max64(-1, 2) == 2);
    CHECK(Clamp64(10, 0, 11) == 10);
    CHECK(Clamp64(10, 0, -1) == 0);
    CHECK(Clamp64(10, 0, 5) == 5);
}

TEST_CASE("ScrambleText")
{
    SUBCASE("encoding then decoding gives the plain text back, for every byte value")
    {
        std::string plain;
        for (int c = 0; c < 256; ++c)
            plain.push_back(static_cast<char>(c));
        plain += plain;
        const std::string scrambled = ScrambleText(plain, true);
        CHECK(scrambled.size() == plain.size() + 13);
        CHECK(scrambled.compare(0, 12, "Scrambled=01") == 0);
        const unsigned char key = static_cast<unsigned char>(scrambled[12]);
        CHECK((key >= 33 && key <= 122));
        CHECK(scrambled.substr(13) != plain);
        CHECK(ScrambleText(scrambled, false) == plain);
    }
    SUBCASE("the body: byte i XOR (i + key) at odd positions, (i - key) at even ones")
    {
        // key 'A' (65): position 1 XOR 66, position 2 XOR (2 - 65) & 0xFF = 193.
        const std::string s = ScrambleWithKey(std::string("\x00\x00", 2), 'A');
        CHECK(s == std::string("Scrambled=01A") + static_cast<char>(66) + static_cast<char>(193));
        CHECK(ScrambleText(s, false) == std::string("\x00\x00", 2));
        CHECK(ScrambleText("Scrambled=01A" "\x23", false) == std::string(1, static_cast<char>(0x23 ^ 66)));
    }
    SUBCASE("the empty text: marker and key, and back")
    {
        const std::string s = ScrambleText("", true);
        CHECK(s.size() == 13);
        CHECK(ScrambleText(s, false) == "");
    }
    SUBCASE("texts already in the wanted form are unchanged")
    {
        CHECK(ScrambleText("plain text", false) == "plain text");
        CHECK(ScrambleText("scrambled=01Xabc", false) == "scrambled=01Xabc");  // marker matches case
        const std::string s = ScrambleWithKey("abc", 'x');
        CHECK(ScrambleText(s, true) == s);
    }
    SUBCASE("the marker alone carries no value")
    {
        CHECK(ScrambleText("Scrambled=01", false) == "");
        CHECK(ScrambleText("Scrambled=01k", false) == "");
    }
}

TEST_CASE("registry paths")
{
    struct Case {
        const char* path;
        RootKey root;
        const char* subKey;
    };
    const Case cases[] = {
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft", RootKey::LocalMachine, "SOFTWARE\\Microsoft"},
        {"hklm\\SOFTWARE", RootKey::LocalMachine, "SOFTWARE"},
        {" HKCR\\.txt ", RootKey::ClassesRoot, ".txt"},
        {"HKU\\.DEFAULT", RootKey::Users, ".DEFAULT"},
        {"HKCC\\System", RootKey::CurrentConfig, "System"},
        {"HKEY_DYN_DATA\\x", RootKey::DynData, "x"},
        {"HKEY_CURRENT_USER", RootKey::CurrentUser, ""},
        {"HKEY_USERS", RootKey::Users, ""},
        {"HKEY_NONSENSE\\x", RootKey::CurrentUser, "x"},
        {"Software\\Vorlund\\Drovel", RootKey::CurrentUser, "Software\\Vorlund\\Drovel"},
        {"", RootKey::CurrentUser, ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.path);
        const RegistryPath p = SplitRegistryPath(c.path);
        CHECK(p.root == c.root);
        CHECK(p.subKey == c.subKey);
    }
    CHECK(SplitRegistryPath("hkcu\\a").rootName == "hkcu");
    CHECK(RootKeyIdFromName("hkey_classes_root") == RootKey::ClassesRoot);
    CHECK(RootKeyIdFromName("HKLMX") == RootKey::CurrentUser);
}

TEST_CASE("registry value texts")
{
    struct Case {
        std::uint32_t type;
        std::string data;
        const char* expected;
    };
    const Case cases[] = {
        {kRegDword, std::string("\xFF\xFF\xFF\xFF", 4), "4294967295"},
        {kRegDword, std::string("\x01\x02\x00\x00", 4), "513"},          // little-endian
        {kRegDword, std::string("\x31\x00\x32", 3), "1"},                // not 4 bytes: a text
        {kRegMultiString, std::string("a\0b\0\0", 5), "a<0>b"},
        {kRegMultiString, std::string("a\0\0b\0\0\0", 7), "a<0><0>b"},  // an empty string inside
        {kRegMultiString, std::string("\0\0", 2), ""},
        {kRegMultiString, std::string("\0\0\0", 3), ""},                  // zero bytes only
        {kRegMultiString, std::string("ab", 2), "ab"},
        {kRegMultiString, std::string("abc", 3), "abc"},                  // no terminator
        {1, std::string("text\0rest", 9), "text"},
        {1, std::string("unterminated"), "unterminated"},
        {3, std::string("\0ab", 3), ""},
        {1, std::string(), ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.type);
        CAPTURE(c.data);
        // An exact-size copy, so a read past the end shows under the address sanitizer.
        std::vector<char> bytes(c.data.begin(), c.data.end());
        CHECK(RegistryValueText(c.type, bytes.data(), bytes.size()) == c.expected);
    }
    CHECK(RegistryValueText(kRegDword, nullptr, 0) == "");
}

TEST_CASE("FolderOf takes the text before the last backslash")
{
    CHECK(FolderOf("C:\\Dir\\Stub.exe") == "C:\\Dir");
    CHECK(FolderOf("C:\\Stub.exe") == "C:");
    CHECK(FolderOf("Stub.exe") == "");
    CHECK(FolderOf("\\\\server\\share\\x.exe") == "\\\\server\\share");
    CHECK(FolderOf("C:\\\x95\\x.exe", ShiftJisLead) == "C:");        // 0x95 0x5C is one character
    CHECK(FolderOf("C:\\a\x95", ShiftJisLead) == "C:");              // a lead byte at the end
}
