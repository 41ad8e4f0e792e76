#include "tools/mirel-host/PluginBinding.h"

namespace mirelhost {

namespace {

template <typename Fn>
bool Bind(HMODULE module, const std::string& name, Fn& target, std::string& error)
{
    target = reinterpret_cast<Fn>(GetProcAddress(module, name.c_str()));
    if (!target)
        error = "entry point " + name + " not found";
    return target != nullptr;
}

} // namespace

bool BindPlugin(const std::string& path, PluginBinding& binding, std::string& error)
{
    // The engine keeps the module for its whole run; so does this host.
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    bool ok = Bind(module, "GetDllVersion", binding.version, error) &&
              Bind(module, "GetConditionAlias", binding.conditionAlias, error) &&
              Bind(module, "GetExecutionAlias", binding.executionAlias, error);
    for (int i = 0; ok && i < kConditions; ++i)
        ok = Bind(module, "GetCondition_" + std::to_string(i), binding.conditions[i], error);
    for (int i = 0; ok && i < kExecutions; ++i)
        ok = Bind(module, "SetExecution_" + std::to_string(i), binding.executions[i], error);
    return ok;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, length < MAX_PATH ? length : 0);
    return s.substr(0, s.find_last_of('\\') + 1);
}

} // namespace mirelhost
