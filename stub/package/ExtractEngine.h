// The extraction engine: walks a package's volumes, checks each volume's checksum and magic,
// inflates the file records and appends their contents to files in the destination folder,
// asks for the next disk when a volume is missing, and makes the auto-update agent copy.
// The logic is plain; everything it does to the system goes through an ExtractHost, so the
// Windows side (ExtractPackage) and tests supply their own.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "stub/package/ByteSource.h"
#include "stub/package/Inflate.h"

namespace stub {

// One target file being written; Finish dates it (date 0: left alone) and tells whether every
// byte handed to Put reached the file.
class TargetWriter {
public:
    virtual ~TargetWriter() = default;
    virtual void Put(const char* data, std::size_t len) = 0;
    virtual bool Finish(std::uint32_t date) = 0;
    virtual std::string ErrorText() = 0;  // the system's text for the failure
};

// The boxes the engine shows: the disk prompt (OK/Cancel) and three error boxes (OK).
enum class ExtractBoxKind { DiskPrompt, FolderError, WriteError, InflateError };
struct ExtractBox {
    ExtractBoxKind kind;
    std::string text;     // in the message box markup
    std::string caption;  // empty: the box's own default ("Error", "Confirm")
    std::string buttons;  // button captions as a delimited list; empty: the defaults
    int charset = 0;
};

// The one place every engine box goes through. The default answers as a user who presses
// Cancel on the disk prompt and OK on the error boxes; the stub's message box replaces it.
using ExtractBoxHook = bool (*)(const ExtractBox& box);
ExtractBoxHook SetExtractBoxHook(ExtractBoxHook hook);  // returns the previous hook; null restores the default
bool ShowExtractBox(const ExtractBox& box);

class ExtractHost {
public:
    virtual ~ExtractHost() = default;
    // A volume to read; null when it cannot be opened. By default the file itself.
    virtual std::unique_ptr<ByteSource> OpenVolume(const std::string& path);
    virtual bool FileExists(const std::string& path) = 0;
    virtual bool CreateFolders(const std::string& path) = 0;
    virtual std::string SysErrorText() = 0;  // of the last failed call
    // Opens (appending) or creates (replacing) a target file.
    virtual std::unique_ptr<TargetWriter> OpenTarget(const std::string& path, bool append) = 0;
    virtual std::uint32_t FileDate(const std::string& path) = 0;  // DOS date-time, 0 when unknown
    virtual std::int64_t FileSize(const std::string& path) = 0;
    virtual double FreeSpace(const std::string& path) = 0;
    virtual void EjectCD(const std::string& path) = 0;
    virtual void EnableAutoPlayCancel() = 0;
    virtual std::uint64_t TickCount() = 0;
    virtual unsigned long ProcessId() = 0;
    virtual void PumpMessages() = 0;
    virtual void WaitPumping(int ms) = 0;
    virtual bool ShowBox(const ExtractBox& box) = 0;  // true: OK
    virtual void ProgressReset(int maximum) = 0;      // mode 0: maximum, position 0, step 1
    virtual void ProgressStep() = 0;                  // mode 1
};

struct ExtractRequest {
    std::string package_path;  // the carrier or a first volume ending in .001
    std::string dest_folder;
    std::string agent_name;    // settings item 2: the agent copy's file name
    std::string disk_prompt;   // with <DISK_NUM> for the volume number
    std::string prompt_title;
    std::string button_texts;
    int charset = 0;
    bool force_prompt = false;  // ask for every further disk, even when its file is there
    std::uint64_t max_record_content = kMaxRecordContent;  // a record inflating past this ends the run
};

struct ExtractResult {
    std::string setup_entry;   // the header item 0 marked with `*`, arguments included
    bool checksum_ok = false;
    std::string error;         // zlib's message when a record could not be inflated (run ended)
};

ExtractResult RunExtraction(const ExtractRequest& request, ExtractHost& host);

// Volume paths: the base is the first volume's path without a final ".001"; volume k >= 2 is
// base + "." + k with at least three digits.
std::string VolumeBaseName(const std::string& first_volume);
std::string VolumePath(const std::string& base, int volume);

// The failed file writes of this process; the write error box is shown for the first only.
int WriteFailureCount();

} // namespace stub
