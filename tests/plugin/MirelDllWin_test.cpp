// The module as an engine sees it: loaded with LoadLibrary, every name bound with GetProcAddress.
#include "PluginProcess.h"
#include "TestFiles.h"
#include <doctest/doctest.h>
#include <windows.h>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

using ConditionFn = int(__cdecl*)(int, int, const char*);
using ExecutionFn = int(__cdecl*)(int, int, const char*, const char*);

HMODULE Plugin()
{
    static HMODULE module = LoadLibraryA(plugintest::Sibling("Mirel_DLL.dll").c_str());
    return module;
}

template <typename Fn>
Fn Entry(const char* name)
{
    return reinterpret_cast<Fn>(GetProcAddress(Plugin(), name));
}

ConditionFn Condition(int n)
{
    return Entry<ConditionFn>(("GetCondition_" + std::to_string(n)).c_str());
}

ExecutionFn Execution(int n)
{
    return Entry<ExecutionFn>(("SetExecution_" + std::to_string(n)).c_str());
}

// A fresh folder under the temporary folder; the current directory is put back afterwards
// (execution 1 changes it).
struct Workspace {
    fs::path root;
    fs::path savedCwd = fs::current_path();
    Workspace()
    {
        root = fs::temp_directory_path() / ("mirel_dll_test_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root);
        fs::create_directories(root / "cwd");
        fs::current_path(root / "cwd");
    }
    ~Workspace()
    {
        fs::current_path(savedCwd);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    std::string At(const std::string& name) const { return (root / name).string(); }
};

} // namespace

TEST_CASE("the module loads and every exported name resolves")
{
    REQUIRE(Plugin() != nullptr);
    const char* const names[] = {
        "GetDllVersion", "GetConditionAlias", "GetExecutionAlias", "GetCondition_0", "GetCondition_1",
        "GetCondition_2", "GetCondition_3", "GetCondition_4", "SetExecution_0", "SetExecution_1",
        "SetExecution_2", "SetExecution_3", "SetExecution_4", "SetExecution_5",
        // further functions and variables, under their C++ names
        "_Z13OpenDebugFilev", "_Z10PrintDebugiPcP6_iobuf", "_Z14CloseDebugFilei", "_Z10string2intPci",
        "_Z17DLL_FindFirstFilePcS_", "_Z11fnMirel_DLLv", "_ZN10CMirel_DLLC1Ev", "_ZN10CMirel_DLLaSERKS_",
        "DebugLevel", "VerboseLevel", "ExternalDebugControl", "PrintDebugOnScreen", "nMirel_DLL"};
    for (const char* name : names) {
        CAPTURE(name);
        CHECK(reinterpret_cast<void*>(GetProcAddress(Plugin(), name)) != nullptr);
    }
}

TEST_CASE("version, sample exports and log controls through the module")
{
    CHECK(Entry<int(__cdecl*)()>("GetDllVersion")() == 10602);
    CHECK(Entry<int (*)()>("_Z11fnMirel_DLLv")() == 42);
    CHECK(*Entry<int*>("nMirel_DLL") == 0);
    CHECK(*Entry<int*>("DebugLevel") == 6);
    CHECK(*Entry<int*>("VerboseLevel") == 6);
    CHECK_FALSE(*Entry<bool*>("ExternalDebugControl"));
    CHECK_FALSE(*Entry<bool*>("PrintDebugOnScreen"));
    auto number = Entry<int (*)(char*, int)>("_Z10string2intPci");
    char text[] = "10DE";
    CHECK(number(text, 16) == 4318);
}

TEST_CASE("alias getters through the module")
{
    auto alias = Entry<char*(__cdecl*)(int, char*)>("GetExecutionAlias");
    char buffer[32] = "untouched";
    CHECK(alias(6, buffer) == nullptr);
    CHECK(std::string(buffer) == "untouched");
    CHECK(std::string(alias(5, buffer)) == "Show Help");
}

TEST_CASE("conditions 0 and 1 answer 0 for texts without quoted values or keywords")
{
    for (int n : {0, 1}) {
        for (const char* text : {(const char*)nullptr, "", "board D5870", "chassis CH100", "\"D5870\"",
                                 "board D58 chassis CH100"}) {
            CAPTURE(n);
            CAPTURE(text ? text : "(null)");
            CHECK(Condition(n)(1, 2, text) == 0);
        }
    }
}

TEST_CASE("execution 0 copies a text file line by line with CR LF")
{
    Workspace w;
    plugintest::WriteBytes(w.At("source.txt"), "line one\nline two\n");
    CHECK(Execution(0)(0, 0, w.At("source.txt").c_str(), w.At("target.txt").c_str()) == 1);
    CHECK(plugintest::ReadBytes(w.At("target.txt")) == "line one\r\nline two\r\n");
    CHECK(Execution(0)(0, 0, w.At("missing.txt").c_str(), w.At("other.txt").c_str()) == 0);
    CHECK_FALSE(fs::exists(w.At("other.txt")));
    CHECK(Execution(0)(0, 0, "", w.At("other.txt").c_str()) == 0);
    CHECK(Execution(0)(0, 0, w.At("source.txt").c_str(), nullptr) == 0);
}

TEST_CASE("execution 1 enters the folder and installs the argument file of this architecture")
{
    Workspace w;
    fs::create_directories(w.root / "args");
    plugintest::WriteBytes(w.root / "args" / "X64_gf.arg", "x64 arguments");
    plugintest::WriteBytes(w.root / "args" / "X86_gf.arg", "x86 arguments");
    plugintest::WriteBytes(w.root / "args" / "gf.arg", "stale");
    CHECK(Execution(1)(0, 0, w.At("args").c_str(), nullptr) == 1);
    CHECK(fs::equivalent(fs::current_path(), w.root / "args"));
    // This test build is an x64 process: the system reports x64 directly.
    CHECK(plugintest::ReadBytes(w.root / "args" / "gf.arg") == "x64 arguments");
    CHECK(Execution(1)(0, 0, "", nullptr) == 0);
    // A folder without argument files: carried out all the same.
    fs::create_directories(w.root / "empty");
    CHECK(Execution(1)(0, 0, w.At("empty").c_str(), nullptr) == 1);
}

TEST_CASE("execution 2 finds the first *#gf.par file and copies it")
{
    Workspace w;
    fs::create_directories(w.root / "pkg");
    plugintest::WriteBytes(w.root / "pkg" / "D5870#gf.par", "parameters");
    std::string quotedFolder = "\t\"" + w.At("pkg") + "\"\n";
    CHECK(Execution(2)(0, 0, quotedFolder.c_str(), w.At("chosen.par").c_str()) == 1);
    CHECK(plugintest::ReadBytes(w.At("chosen.par")) == "parameters");

    CHECK(Execution(2)(0, 0, w.At("pkg").c_str(), "<TargetParFilePath>") == 1);
    CHECK(plugintest::ReadBytes(w.root / "cwd" / "gf.par") == "parameters");
    fs::remove(w.root / "cwd" / "gf.par");
    CHECK(Execution(2)(0, 0, w.At("pkg").c_str(), nullptr) == 1);
    CHECK(plugintest::ReadBytes(w.root / "cwd" / "gf.par") == "parameters");

    fs::create_directories(w.root / "nopar");
    plugintest::WriteBytes(w.root / "nopar" / "gf.par", "no hash in the name");
    CHECK(Execution(2)(0, 0, w.At("nopar").c_str(), w.At("x.par").c_str()) == 0);
    CHECK_FALSE(fs::exists(w.At("x.par")));
    CHECK(Execution(2)(0, 0, "", w.At("x.par").c_str()) == 0);
    CHECK(Execution(2)(0, 0, nullptr, nullptr) == 0);
}

TEST_CASE("execution 3 copies rel_note.txt")
{
    Workspace w;
    fs::create_directories(w.root / "pkg");
    plugintest::WriteBytes(w.root / "pkg" / "Rel_Note.txt", "what is new");
    CHECK(Execution(3)(0, 0, w.At("pkg").c_str(), "<TargetReleaseNotesPath>") == 1);
    CHECK(plugintest::ReadBytes(w.root / "cwd" / "rel_note.txt") == "what is new");
    CHECK(Execution(3)(0, 0, w.At("pkg").c_str(), w.At("notes.txt").c_str()) == 1);
    CHECK(plugintest::ReadBytes(w.At("notes.txt")) == "what is new");
    fs::create_directories(w.root / "empty");
    CHECK(Execution(3)(0, 0, w.At("empty").c_str(), nullptr) == 0);
}

TEST_CASE("executions 4 and 5 refuse missing texts")
{
    CHECK(Execution(4)(0, 0, nullptr, nullptr) == 0);
    CHECK(Execution(4)(0, 0, "", "ignored") == 0);
    CHECK(Execution(5)(0, 0, "Setup.exe", "") == 0);
    CHECK(Execution(5)(0, 0, nullptr, "1.0") == 0);
}

TEST_CASE("DLL_FindFirstFile names the first match without its folder")
{
    Workspace w;
    plugintest::WriteBytes(w.At("only.one"), "x");
    auto find = Entry<bool (*)(char*, char*)>("_Z17DLL_FindFirstFilePcS_");
    std::string pattern = w.At("*.one");
    char name[MAX_PATH] = "";
    CHECK(find(&pattern[0], name));
    CHECK(std::string(name) == "only.one");
    pattern = w.At("*.none");
    CHECK_FALSE(find(&pattern[0], name));
}
