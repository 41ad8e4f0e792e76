#include "plugin/interface/DebugLog.h"
#include "plugin/interface/Guard.h"
#include "plugin/interface/LogDate.h"
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <ctime>

int DebugLevel = 6;
int VerboseLevel = 6;
bool ExternalDebugControl = false;
bool PrintDebugOnScreen = false;

namespace {

constexpr int kPathSize = 260;
constexpr int kLineSize = 4096;

struct LogState {
    FILE* file = nullptr;
};

LogState& State()
{
    static LogState state;
    return state;
}

const std::string& AsteriskLine()
{
    static const std::string line = "/" + std::string(80, '*') + "/";
    return line;
}

void WriteLine(const std::string& text, FILE* file)
{
    PrintDebug(mirel::kLogError, const_cast<char*>(text.c_str()), file);
}

void WriteOpeningBanner(FILE* file)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (const std::tm* t = std::localtime(&now))
        local = *t;
    WriteLine(AsteriskLine() + "\n", file);
    WriteLine("\t\t\t\tOpening time: " + mirel::EnglishDateText(local) + "\n", file);
    WriteLine(AsteriskLine() + "\n\n", file);
}

void WriteClosingBanner(FILE* file)
{
    WriteLine("\n\n" + AsteriskLine() + "\n", file);
    WriteLine("/" + std::string(31, '*') + "  Ende   " + std::string(40, '*') + "/\n", file);
    WriteLine(AsteriskLine() + "\n\n", file);
}

FILE* OpenLog()
{
    if (DebugLevel == 0 || PrintDebugOnScreen)
        return nullptr;
    LogState& state = State();
    if (state.file)
        return state.file;
    std::string path = mirel::LogFilePath(std::getenv("TEMP"), std::getenv("TMP"));
    if (path.empty())
        return nullptr;
    FILE* file = std::fopen(path.c_str(), "a");
    if (!file)
        return nullptr;
    state.file = file;
    WriteOpeningBanner(file);
    return file;
}

int CloseLog(int mode)
{
    if (mode == 1 && ExternalDebugControl)
        return 2;
    if (mode == 0)
        return 1;
    LogState& state = State();
    if (!state.file)
        return 0;
    WriteClosingBanner(state.file);
    std::fclose(state.file);
    state.file = nullptr;
    return 0;
}

} // namespace

namespace mirel {

std::string LogFilePath(const char* temp, const char* tmp)
{
    const char* folder = temp ? temp : tmp;
    std::string path = folder ? std::string(folder) + "\\Mirel_DLL.log" : std::string("Mirel_DLL.log");
    // The path is held in 260 bytes: a longer one is not opened somewhere unexpected.
    return path.size() < kPathSize ? path : std::string();
}

bool PrintDebugFormat(int level, FILE* file, const char* format, ...)
{
    char line[kLineSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return PrintDebug(level, line, file);
}

} // namespace mirel

FILE* OpenDebugFile()
{
    return mirel::Guarded<FILE*>(nullptr, [] { return OpenLog(); });
}

bool PrintDebug(int level, char* text, FILE* file)
{
    if (DebugLevel == 0 && !PrintDebugOnScreen)
        return false;
    if (!file && !PrintDebugOnScreen)
        return false;
    if (level > DebugLevel && !PrintDebugOnScreen)
        return false;
    if (level > VerboseLevel && PrintDebugOnScreen)
        return false;
    if (!text)
        return false;
    // A message is at most 4095 characters; longer ones are cut, never read past.
    std::size_t length = strnlen(text, kLineSize - 1);
    std::fwrite(text, 1, length, PrintDebugOnScreen ? stderr : file);
    return true;
}

int CloseDebugFile(int mode)
{
    return mirel::Guarded(0, [mode] { return CloseLog(mode); });
}
