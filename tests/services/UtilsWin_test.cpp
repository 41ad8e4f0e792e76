#include "stub/services/UtilsWin.h"

#include <doctest/doctest.h>

#include <cstdlib>
#include <stdexcept>

#include "stub/services/Handles.h"
#include "stub/services/Trace.h"

using namespace stub;

namespace {

// A scratch key under HKCU\Software\DrovelTest, created in the 32-bit view that the reads use,
// removed with everything below it at the end.
class ScratchKey {
public:
    ScratchKey()
        : subKey_("Software\\DrovelTest\\Utils" + std::to_string(GetCurrentProcessId()))
    {
        HKEY raw = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                        &raw, nullptr);
        key_.reset(raw);
    }
    ~ScratchKey()
    {
        key_.reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, subKey_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\DrovelTest");  // only when now empty
    }
    bool Valid() const { return static_cast<bool>(key_); }
    std::string Path() const { return "HKEY_CURRENT_USER\\" + subKey_; }
    const std::string& SubKey() const { return subKey_; }
    void Set(const char* name, DWORD type, const void* data, DWORD size)
    {
        REQUIRE(RegSetValueExA(key_.get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS);
    }
    void SetText(const char* name, const std::string& text) { Set(name, REG_SZ, text.c_str(), DWORD(text.size() + 1)); }
    void SetDword(const char* name, DWORD value) { Set(name, REG_DWORD, &value, sizeof value); }

private:
    std::string subKey_;
    RegKey key_;
};

// A fresh folder in the temporary folder, removed with its files at the end.
class ScratchFolder {
public:
    ScratchFolder() : path_(TempDir(true) + "DrovelUtils" + std::to_string(GetCurrentProcessId()))
    {
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        WIN32_FIND_DATAA data;
        FindHandle find(FindFirstFileA((path_ + "\\*").c_str(), &data));
        if (find) {
            do {
                DeleteFileA((path_ + "\\" + data.cFileName).c_str());
            } while (FindNextFileA(find.get(), &data));
        }
        find.reset();
        RemoveDirectoryA(path_.c_str());
    }
    std::string File(const char* name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes)
{
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    REQUIRE(file);
    DWORD written = 0;
    REQUIRE(::WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr));
    REQUIRE(written == bytes.size());
}

std::string g_traced;
void CaptureTrace(const std::string& piece) { g_traced += piece; }

DWORD WINAPI FailingIniRead(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    throw std::runtime_error("read failed");
}

std::string SystemMessage(DWORD code)
{
    char text[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof text, nullptr);
    std::string s(text, n);
    while (!s.empty() && (static_cast<unsigned char>(s.back()) <= ' ' || s.back() == '.'))
        s.pop_back();
    return s;
}

} // namespace

TEST_CASE("registry values read as text")
{
    ScratchKey key;
    REQUIRE(key.Valid());
    key.SetDword("Max", 0xFFFFFFFFu);
    key.SetDword("Five", 5);
    key.Set("Multi", REG_MULTI_SZ, "a\0b\0\0", 5);
    key.Set("MultiOne", REG_MULTI_SZ, "a\0\0", 3);
    key.Set("MultiEmpty", REG_MULTI_SZ, "\0\0", 2);
    key.SetText("Text", "hello world");
    key.Set("Expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
    key.Set("Binary", REG_BINARY, "ab\0cd", 5);
    key.Set("Quad", REG_QWORD, "\x01\0\0\0\0\0\0\0", 8);
    key.SetText("", "the default");
    key.SetText("Blank", "");

    struct Case {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"Max", "4294967295"},     // unsigned, not -1
        {"Five", "5"},
        {"Multi", "a<0>b"},
        {"MultiOne", "a"},
        {"MultiEmpty", ""},
        {"Text", "hello world"},
        {"Expand", "%TEMP%\\x"},  // not expanded
        {"Binary", "ab"},          // up to the first zero byte
        {"Quad", "\x01"},
        {"", "the default"},       // the key's default value
        {"Blank", ""},
        {"Missing", "DEF"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        CHECK(ReadRegistryValue(key.Path(), c.name, "DEF") == c.expected);
    }
    // The same key through an abbreviation, a lower-case root and no root at all.
    CHECK(ReadRegistryValue("HKCU\\" + key.SubKey(), "Five", "") == "5");
    CHECK(ReadRegistryValue("  hkey_current_user\\" + key.SubKey() + " ", "Five", "") == "5");
    CHECK(ReadRegistryValue(key.SubKey(), "Five", "") == "5");
    // Missing keys and other roots give the default.
    CHECK(ReadRegistryValue(key.Path() + "\\Nothing", "Five", "DEF") == "DEF");
    CHECK(ReadRegistryValue("HKLM\\" + key.SubKey(), "Five", "DEF") == "DEF");
    std::string out = "untouched";
    CHECK_FALSE(TryReadRegistryValue(key.Path(), "Missing", out));
    CHECK(out == "untouched");
}

TEST_CASE("registry values beyond 10,241 bytes give the default")
{
    ScratchKey key;
    REQUIRE(key.Valid());
    const std::string fits(kRegistryValueBytes - 1, 'x');  // with its zero byte: 10,241 bytes
    key.SetText("Fits", fits);
    key.SetText("TooLong", fits + "y");
    key.Set("BinaryFits", REG_BINARY, std::string(kRegistryValueBytes, 'b').data(), kRegistryValueBytes);
    key.Set("BinaryTooLong", REG_BINARY, std::string(kRegistryValueBytes + 1, 'b').data(), kRegistryValueBytes + 1);
    key.Set("Huge", REG_BINARY, std::string(100000, 'h').data(), 100000);
    CHECK(ReadRegistryValue(key.Path(), "Fits", "DEF") == fits);
    CHECK(ReadRegistryValue(key.Path(), "TooLong", "DEF") == "DEF");
    CHECK(ReadRegistryValue(key.Path(), "BinaryFits", "DEF") == std::string(kRegistryValueBytes, 'b'));
    CHECK(ReadRegistryValue(key.Path(), "BinaryTooLong", "DEF") == "DEF");
    CHECK(ReadRegistryValue(key.Path(), "Huge", "DEF") == "DEF");
}

TEST_CASE("root keys by name")
{
    CHECK(RootKeyFromName("HKEY_CLASSES_ROOT") == HKEY_CLASSES_ROOT);
    CHECK(RootKeyFromName("hklm") == HKEY_LOCAL_MACHINE);
    CHECK(RootKeyFromName("HKU") == HKEY_USERS);
    CHECK(RootKeyFromName("HKCC") == HKEY_CURRENT_CONFIG);
    CHECK(RootKeyFromName("HKEY_DYN_DATA") == HKEY_DYN_DATA);
    CHECK(RootKeyFromName("HKEY_CURRENT_USER") == HKEY_CURRENT_USER);
    CHECK(RootKeyFromName("whatever") == HKEY_CURRENT_USER);
}

TEST_CASE("Windows version key, registered owner and organisation")
{
    CHECK(WindowsVersionKey() == "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    std::string stored;
    const std::string owner = ReadRegisteredOwner();
    if (TryReadRegistryValue(WindowsVersionKey(), "RegisteredOwner", stored)) {
        CHECK(owner == Trim(stored));
    } else {
        char name[256] = {};
        DWORD size = sizeof name;
        REQUIRE(GetUserNameA(name, &size));
        CHECK(owner == Trim(name));
        CHECK_FALSE(owner.empty());
    }
    const std::string organization = ReadRegisteredOrganization();
    CHECK(organization == Trim(organization));
    CHECK(organization == Trim(ReadRegistryValue(WindowsVersionKey(), "RegisteredOrganization", "")));
}

TEST_CASE("registered owner and organisation stored in the 32-bit view are trimmed")
{
    const char* subKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    HKEY raw = nullptr;
    REQUIRE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, KEY_READ | KEY_SET_VALUE | KEY_WOW64_32KEY, &raw) ==
            ERROR_SUCCESS);
    RegKey key(raw);
    // Only values this test creates are touched, and removed again.
    const bool ownerFree = RegQueryValueExA(key.get(), "RegisteredOwner", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
    const bool orgFree =
        RegQueryValueExA(key.get(), "RegisteredOrganization", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS;
    if (!ownerFree || !orgFree) {
        MESSAGE("the prefix already holds these values; nothing to set");
        return;
    }
    RegSetValueExA(key.get(), "RegisteredOwner", 0, REG_SZ, reinterpret_cast<const BYTE*>("  Ada Owner \t"), 15);
    RegSetValueExA(key.get(), "RegisteredOrganization", 0, REG_SZ, reinterpret_cast<const BYTE*>(" Org Ltd "), 10);
    const std::string owner = ReadRegisteredOwner();
    const std::string organization = ReadRegisteredOrganization();
    RegDeleteValueA(key.get(), "RegisteredOwner");
    RegDeleteValueA(key.get(), "RegisteredOrganization");
    CHECK(owner == "Ada Owner");
    CHECK(organization == "Org Ltd");
}

TEST_CASE("INI files: defaults, the 10,240-character cap, numbers")
{
    ScratchFolder folder;
    const std::string ini = folder.File("test.ini");
    const std::string longValue(11000, 'v');
    WriteBytes(ini, "[Main]\r\nName=  Drovel  \r\nCount=42\r\nNegative=-7\r\nWord=abc\r\nEmpty=\r\nLong=" + longValue +
                        "\r\nExact=" + std::string(kIniValueChars, 'e') + "\r\n");

    CHECK(ReadIniString(ini, "Main", "Name", "d") == "Drovel");
    CHECK(ReadIniString(ini, "main", "NAME", "d") == "Drovel");  // names ignore case
    CHECK(ReadIniString(ini, "Main", "Empty", "d") == "");
    CHECK(ReadIniString(ini, "Main", "Missing", "d") == "d");
    CHECK(ReadIniString(ini, "Other", "Name", "d") == "d");
    CHECK(ReadIniString(folder.File("absent.ini"), "Main", "Name", "d") == "d");
    CHECK(ReadIniString(ini, "Main", "Long", "d") == longValue.substr(0, kIniValueChars));
    CHECK(ReadIniString(ini, "Main", "Exact", "d") == std::string(kIniValueChars, 'e'));

    CHECK(ReadIniInt(ini, "Main", "Count", 9) == 42);
    CHECK(ReadIniInt(ini, "Main", "Negative", 9) == -7);
    CHECK(ReadIniInt(ini, "Main", "Word", 9) == 9);
    CHECK(ReadIniInt(ini, "Main", "Empty", 9) == 9);
    CHECK(ReadIniInt(ini, "Main", "Missing", -123456789012LL) == -123456789012LL);
    CHECK(ReadIniInt(ini, "Main", "Long", 9) == 9);
}

TEST_CASE("INI files: written values read back")
{
    ScratchFolder folder;
    const std::string ini = folder.File("written.ini");
    CHECK(WriteIniString(ini, "Agent", "Location", "http://example.invalid/x"));
    CHECK(WriteIniInt(ini, "Agent", "Interval", 9000000000LL));
    CHECK(WriteIniString(ini, "Agent", "Token", ScrambleWithKey("secret", 'K')));
    CHECK(ReadIniString(ini, "Agent", "Location", "") == "http://example.invalid/x");
    CHECK(ReadIniInt(ini, "Agent", "Interval", 0) == 9000000000LL);
    CHECK(ScrambleText(ReadIniString(ini, "Agent", "Token", ""), false) == "secret");
    CHECK_FALSE(WriteIniString(folder.File("no\\such\\folder.ini"), "A", "B", "C"));
}

TEST_CASE("a failing INI read traces the last error and gives the empty text")
{
    g_traced.clear();
    TraceOut().SetSink(CaptureTrace);
    const std::string value = ReadIniStringWith(FailingIniRead, "x.ini", "S", "K", "default");
    TraceOut().Flush();
    TraceOut().SetSink(nullptr);
    CHECK(value == "");
    CHECK(g_traced == "EXCEPTION --- Utils.ReadIniString()  " + SystemMessage(ERROR_FILE_NOT_FOUND) + "\r\n");
    CHECK(g_traced.size() > 40);  // the message text is there
}

TEST_CASE("folders of the executable and the system")
{
    const std::string exe = ExePath();
    CHECK(EndsWith("\\services.UtilsWin.exe", exe, true));
    CHECK(GetFileAttributesA(exe.c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK(ExeDir(true) + "services.UtilsWin.exe" == exe);
    CHECK(ExeDir(false) + "\\services.UtilsWin.exe" == exe);

    struct Folder {
        const char* name;
        std::string (*read)(bool);
    };
    const Folder folders[] = {{"exe", ExeDir}, {"windows", WindowsDir}, {"system", SystemDir}, {"temp", TempDir}};
    for (const Folder& f : folders) {
        CAPTURE(f.name);
        const std::string with = f.read(true);
        const std::string without = f.read(false);
        CHECK(with.size() > 3);
        CHECK(with.back() == '\\');
        CHECK(without.back() != '\\');
        CHECK(with == without + "\\");
        CHECK((GetFileAttributesA(without.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0);
    }
}

// Runs only as the child of the next test, with a command line of its choosing.
TEST_CASE("child: switches of this process")
{
    const char* marker = std::getenv("DROVEL_UTILS_CHILD");
    if (marker == nullptr)
        return;
    WriteBytes(marker, "ran");  // tells the parent that this case ran at all
    const std::string tail = CommandTail();
    CHECK(PosText(ExePath(), tail) == 0);
    CHECK(StartsWith("--dt-test-case=", tail, false));
    CHECK(SwitchValue("/OriginExe=") == "C:\\Program Files\\My App/x.exe");
    CHECK(SwitchValue("/hide") == "");
    CHECK(HasSwitch("/HIDE"));
    CHECK(SwitchValue("/wait=") == "30");
    CHECK(SwitchInt("/WAIT=", 5) == 30);
    CHECK(SwitchInt("/DELAY=", 5) == 5);
    CHECK(SwitchValue("/last") == "TRUE");
    CHECK(SwitchValue("/absent") == "");
    CHECK_FALSE(HasSwitch("/absent"));
}

TEST_CASE("the command tail of a started program")
{
    if (std::getenv("DROVEL_UTILS_CHILD") != nullptr)
        return;
    std::string cmd = "\"" + ExePath() +
                      "\" --dt-test-case=\"child: switches of this process\" /OriginExe=\"C:\\Program Files\\My "
                      "App/x.exe\" /hide /WAIT=30 /last";
    ScratchFolder folder;
    const std::string marker = folder.File("child.ran");
    SetEnvironmentVariableA("DROVEL_UTILS_CHILD", marker.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableA("DROVEL_UTILS_CHILD", nullptr);
    REQUIRE(started);
    UniqueHandle process(pi.hProcess);
    UniqueHandle thread(pi.hThread);
    const DWORD wait = WaitForSingleObject(process.get(), 60000);
    if (wait != WAIT_OBJECT_0)
        TerminateProcess(process.get(), 99);
    DWORD code = 99;
    GetExitCodeProcess(process.get(), &code);
    CHECK(wait == WAIT_OBJECT_0);
    CHECK(code == 0);
    CHECK(GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES);
}
