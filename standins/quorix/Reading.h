// What the stand-in answers for one request, and how an answer reaches the caller's buffer.
#pragma once
#include <string>
#include <string_view>

namespace quorix {

enum class Source { Wmi, Smbios };

// ok false: the source could not give a value (the call returns 0).
struct Reading {
    bool ok = false;
    std::string text;
};

// Copies a successful reading into buffer (at most size - 1 characters, always zero-terminated)
// and returns 1; returns 0, leaving the buffer alone, for a failed reading or an unusable buffer.
int Deliver(const Reading& reading, char* buffer, int size);

// Where each index is read on a real machine.
struct SmbiosField {
    bool used = false;
    unsigned char type = 0;
    unsigned char offset = 0;
};
struct WmiProperty {
    const char* wmiClass = nullptr;  // null: not read from WMI
    const char* property = nullptr;
};
inline constexpr int kIndexCount = 3;
SmbiosField SmbiosFieldFor(int index);
// The properties tried in order for an index; the first that yields a non-empty text wins.
// Ends with an entry whose class is null.
const WmiProperty* WmiPropertiesFor(int index);

// The answer a simulation file gives. The file is an INI text with the sections [WMI] and
// [SMBIOS]; the key is the index in decimal. A key that is absent means the source fails for
// that index. The value is the text after '=' without surrounding blanks; a value enclosed in
// double quotes keeps everything between them, blanks included.
Reading SimulatedReading(std::string_view fileText, Source source, int index);

} // namespace quorix
