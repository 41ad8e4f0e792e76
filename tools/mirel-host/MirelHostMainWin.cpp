// mirel-host: a minimal setup engine. Loads Mirel_DLL.dll, binds its entry points by name and
// evaluates one condition or execution from the command line.
//
//   mirel-host [--dll PATH] version | list | cond N [TEXT] | exec N [A [B]]
//
// Exit code: 0 when the condition holds or the step was carried out (version, list: 0),
// 1 when it did not, 2 for a usage or loading error.
#include "tools/mirel-host/PluginBinding.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using mirelhost::PluginBinding;

// What an engine passes ahead of the texts; the module must ignore them.
constexpr int kEngineFirst = 0x4D495245;
constexpr int kEngineSecond = 0x4C000001;

const char* const kPublishedVariables[] = {"CHASSISMODEL", "CHASSISID", "SACHNUMMER", "SYSTEMMODEL", "ZARN_VERSION"};

int Usage()
{
    std::fputs("usage: mirel-host [--dll PATH] version | list | cond N [TEXT] | exec N [A [B]]\n", stderr);
    return 2;
}

void PrintPublished()
{
    for (const char* name : kPublishedVariables) {
        char value[512];
        DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
        if (length > 0 && length < sizeof value)
            std::printf("%s=%s\n", name, value);
    }
}

void List(const PluginBinding& plugin)
{
    char alias[64];
    for (int i = 0; i < mirelhost::kConditions; ++i)
        if (plugin.conditionAlias(i, alias))
            std::printf("condition %d: %s\n", i, alias);
    for (int i = 0; i < mirelhost::kExecutions; ++i)
        if (plugin.executionAlias(i, alias))
            std::printf("execution %d: %s\n", i, alias);
}

bool ParseIndex(const char* text, int count, int& index)
{
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < 0 || value >= count)
        return false;
    index = static_cast<int>(value);
    return true;
}

const char* ArgOrNull(int argc, char** argv, int i)
{
    return i < argc ? argv[i] : nullptr;
}

int Run(const PluginBinding& plugin, int argc, char** argv, int at)
{
    const char* command = argv[at];
    if (!std::strcmp(command, "version")) {
        std::printf("%d\n", plugin.version());
        return 0;
    }
    if (!std::strcmp(command, "list")) {
        List(plugin);
        return 0;
    }
    bool isCondition = !std::strcmp(command, "cond");
    int index = 0;
    if ((!isCondition && std::strcmp(command, "exec")) || at + 1 >= argc ||
        !ParseIndex(argv[at + 1], isCondition ? mirelhost::kConditions : mirelhost::kExecutions, index))
        return Usage();
    int answer = 0;
    if (isCondition) {
        answer = plugin.conditions[index](kEngineFirst, kEngineSecond, ArgOrNull(argc, argv, at + 2));
        std::printf("condition %d: %d\n", index, answer);
        PrintPublished();
    } else {
        answer = plugin.executions[index](kEngineFirst, kEngineSecond, ArgOrNull(argc, argv, at + 2),
                                          ArgOrNull(argc, argv, at + 3));
        std::printf("execution %d: %d\n", index, answer);
    }
    std::fflush(stdout);
    return answer == 1 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    int at = 1;
    std::string dll = mirelhost::ProgramFolder() + "Mirel_DLL.dll";
    if (argc > 2 && !std::strcmp(argv[1], "--dll")) {
        dll = argv[2];
        at = 3;
    }
    if (at >= argc)
        return Usage();
    PluginBinding plugin;
    std::string error;
    if (!mirelhost::BindPlugin(dll, plugin, error)) {
        std::fprintf(stderr, "mirel-host: %s\n", error.c_str());
        return 2;
    }
    return Run(plugin, argc, argv, at);
}
