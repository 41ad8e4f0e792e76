// Executions 0 to 5: package steps. 1 when a step was carried out, 0 when it was refused.
#include "plugin/interface/Architecture.h"
#include "plugin/interface/ConsoleWriter.h"
#include "plugin/interface/FileSteps.h"
#include "plugin/interface/FindFile.h"
#include "plugin/interface/Guard.h"
#include "plugin/interface/PluginEntry.h"
#include <windows.h>
#include <string>

namespace {

bool Present(const char* text)
{
    return text && *text;
}

std::string CurrentDirectory()
{
    char folder[MAX_PATH] = "";
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder) : std::string(".");
}

// Executions 2 and 3: copy the first entry of folder that matches pattern to the target.
struct Extraction {
    const char* pattern;      // appended to the folder, after a backslash
    const char* placeholder;  // the engine's unreplaced target placeholder
    const char* defaultName;  // the target's name in the current directory
};

int Extract(const Extraction& step, const char* folderArgument, const char* targetArgument)
{
    if (!Present(folderArgument))
        return 0;
    std::string folder = mirel::CleanedPath(folderArgument);
    std::string target = mirel::ExtractionTarget(targetArgument, step.placeholder, CurrentDirectory(), step.defaultName);
    std::string pattern = folder + "\\" + step.pattern;
    if (folder.empty() || target.empty() || pattern.size() >= mirel::kPathBufferSize)
        return 0;
    char name[MAX_PATH] = "";
    if (!DLL_FindFirstFile(&pattern[0], name))
        return 0;
    CopyFileA((folder + "\\" + name).c_str(), target.c_str(), FALSE);
    return 1;
}

const char* const kUsageOptions[] = {
    "\n\nPossible options:",
    "\n\n/silent\tThe Setup program will run without intervention of the user.",
    "\n/hide\tThe Setup program will run completely in the background, presenting no dialog during the process.",
    "\n/InstallDir=\"Destination Directory\"\tDefine the default Destination directory for the setup.",
    "\n/[Extract]=yes/no\t\tExtract data into destination directory.",
    "\n/[NoSystemCheck]=yes/no\tNo system check will be executed.",
    "\n/[Update]=yes/no\t\tUpdate.",
    "\n/[Force]=yes/no\t\tForce installation (default).",
};

} // namespace

int SetExecution_0(int, int, const char* a, const char* b)
{
    return mirel::Guarded(0, [&] {
        if (!Present(a) || !Present(b))
            return 0;
        return mirel::CopyTextFile(a, b) ? 1 : 0;
    });
}

int SetExecution_1(int, int, const char* a, const char*)
{
    return mirel::Guarded(0, [&] {
        if (!Present(a))
            return 0;
        SetCurrentDirectoryA(a);
        CopyFileA(mirel::is64BitWindows() ? "X64_gf.arg" : "X86_gf.arg", "gf.arg", FALSE);
        return 1;
    });
}

int SetExecution_2(int, int, const char* a, const char* b)
{
    return mirel::Guarded(0, [&] { return Extract({"*#gf.par", "<TargetParFilePath>", "gf.par"}, a, b); });
}

int SetExecution_3(int, int, const char* a, const char* b)
{
    return mirel::Guarded(0, [&] {
        return Extract({"rel_note.txt", "<TargetReleaseNotesPath>", "rel_note.txt"}, a, b);
    });
}

int SetExecution_4(int, int, const char* a, const char*)
{
    return mirel::Guarded(0, [&] {
        if (!Present(a))
            return 0;
        mirel::ConsoleWriter console;
        console.open(true, "Rellum Usage");
        console.write(a);
        console.release();
        return 1;
    });
}

int SetExecution_5(int, int, const char* a, const char* b)
{
    return mirel::Guarded(0, [&] {
        if (!Present(a) || !Present(b))
            return 0;
        std::string header = mirel::UsageHeader(a, b);
        if (header.empty())
            return 0;  // a name or version too long for the usage line
        mirel::ConsoleWriter console;
        console.open(false, "");
        console.writeFormatted("\n\n%s", header.c_str());
        for (const char* option : kUsageOptions)
            console.write(option);
        console.writeFormatted("\n\nExample:\t%s\t/silent\t/hide\t/[Update]=yes", a);
        console.write("\n\n");
        console.write("\n");
        console.release();
        return 1;
    });
}
