#include "standins/quorix/MachineWin.h"
#include "stub/services/ComHandles.h"
#include <wbemidl.h>
#include <string>

namespace quorix {

using stub::Bstr;
using stub::ComRef;
using stub::Variant;

namespace {

constexpr long kNextTimeoutMs = 10000;

std::wstring Widen(const char* ascii)
{
    return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii));
}

// A BSTR in the system code page.
std::string Narrow(BSTR s)
{
    const int len = static_cast<int>(SysStringLen(s));
    if (len == 0)
        return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, s, len, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, s, len, &out[0], n, nullptr, nullptr);
    return out;
}

ComRef<IWbemServices> ConnectCimv2()
{
    ComRef<IWbemLocator> locator;
    ComRef<IWbemServices> services;
    if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(locator.put()))))
        return services;
    Bstr ns(L"ROOT\\CIMV2");
    if (FAILED(locator->ConnectServer(ns.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.put())))
        return services;
    // The caller's process security is not ours to set; the blanket on this proxy is enough for
    // reading (and a no-op where the services object is not a proxy).
    CoSetProxyBlanket(services.get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                      RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
    return services;
}

// The property of the first instance of the class; a null value reads as an empty text.
Reading QueryProperty(IWbemServices* services, const WmiProperty& p)
{
    Bstr language(L"WQL");
    Bstr query((L"SELECT " + Widen(p.property) + L" FROM " + Widen(p.wmiClass)).c_str());
    ComRef<IEnumWbemClassObject> rows;
    if (FAILED(services->ExecQuery(language.get(), query.get(), WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                                   nullptr, rows.put())))
        return {};
    ComRef<IWbemClassObject> row;
    ULONG count = 0;
    if (rows->Next(kNextTimeoutMs, 1, row.put(), &count) != WBEM_S_NO_ERROR || count != 1)
        return {};
    const std::wstring name = Widen(p.property);
    Variant value;
    if (FAILED(row->Get(name.c_str(), 0, value.get(), nullptr, nullptr)))
        return {};
    if (value.value().vt == VT_BSTR)
        return Reading{true, Narrow(value.value().bstrVal)};
    if (value.value().vt == VT_NULL || value.value().vt == VT_EMPTY)
        return Reading{true, {}};
    return {};
}

} // namespace

Reading ReadWmi(int index)
{
    const WmiProperty* p = WmiPropertiesFor(index);
    if (p->wmiClass == nullptr)
        return {};
    stub::ComScope com;
    if (!com.usable())
        return {};
    ComRef<IWbemServices> services = ConnectCimv2();
    if (!services)
        return {};
    Reading first;
    for (; p->wmiClass != nullptr; ++p) {
        Reading r = QueryProperty(services.get(), *p);
        if (r.ok && !r.text.empty())
            return r;
        if (r.ok && !first.ok)
            first = std::move(r);
    }
    return first;
}

} // namespace quorix
