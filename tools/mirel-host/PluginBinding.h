// The plug-in's entry points, bound by name from a loaded Mirel_DLL.dll as a setup engine does.
#pragma once
#include <windows.h>
#include <string>

namespace mirelhost {

using VersionFn = int(__cdecl*)();
using AliasFn = char*(__cdecl*)(int, char*);
using ConditionFn = int(__cdecl*)(int, int, const char*);
using ExecutionFn = int(__cdecl*)(int, int, const char*, const char*);

constexpr int kConditions = 5;
constexpr int kExecutions = 6;

struct PluginBinding {
    VersionFn version = nullptr;
    AliasFn conditionAlias = nullptr;
    AliasFn executionAlias = nullptr;
    ConditionFn conditions[kConditions] = {};
    ExecutionFn executions[kExecutions] = {};
};

// Loads the module (kept loaded for the life of the process) and binds every entry point.
// On failure, error names what could not be loaded or found.
bool BindPlugin(const std::string& path, PluginBinding& binding, std::string& error);

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();

} // namespace mirelhost
