// The auto-update agent copy: the stub image and header blocks of volume 1 followed directly by
// its trailer, marked as an auto-update program, with no file records and no package end.
#include <algorithm>

#include "stub/package/ExtractState.h"
#include "stub/package/FileHelpers.h"
#include "stub/package/PackageNames.h"
#include "stub/services/Trace.h"
#include "stub/services/Utils.h"

namespace stub {
namespace {

constexpr std::size_t kCopyPiece = 64 * 1024;

bool WantsAgentCopy(const ExtractState& s, const std::string& volume_path)
{
    const bool exe = EndsWith(".exe", volume_path, true) || EndsWith(".exe.001", volume_path, true);
    return !FileNamePart(s.request.agent_name).empty() && exe && s.header_end_known;
}

// Copies the first `length` bytes of the volume, with the low dword of E (at 252) cleared.
bool CopyHead(ByteSource& volume, std::uint64_t length, TargetWriter& out)
{
    std::string piece;
    for (std::uint64_t at = 0; at < length; at += piece.size()) {
        piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kCopyPiece, length - at)));
        if (volume.ReadAt(at, &piece[0], piece.size()) != piece.size())
            return false;
        for (std::uint64_t i = std::max(at, kPackageEndLowOffset); i < std::min(at + piece.size(), kPackageEndLowOffset + 4); ++i)
            piece[static_cast<std::size_t>(i - at)] = 0;
        out.Put(piece.data(), piece.size());
    }
    return true;
}

} // namespace

void MakeAgentCopy(ExtractState& s, ByteSource& volume, const std::string& volume_path)
{
    if (!WantsAgentCopy(s, volume_path))
        return;
    const std::string name = FileNamePart(s.request.agent_name);
    if (!IsPlainFileName(name)) {
        TraceOut() << s.host.ProcessId() << " Unsafe agent name, no copy made: " << name << kEol;
        return;
    }
    const std::string copy = s.request.dest_folder + "\\" + name;
    Trailer trailer;
    ReadTrailer(volume, trailer);
    trailer.SetAutoUpdateProgram(true);
    trailer.SetLength(kTrailerSize);
    std::unique_ptr<TargetWriter> out = s.host.OpenTarget(copy, false);
    const bool head = CopyHead(volume, s.header_end, *out);
    if (head) {
        const std::string tail = trailer.Bytes();
        out->Put(tail.data(), tail.size());
    }
    if (!out->Finish(head ? s.host.FileDate(volume_path) : 0) || !head) {
        TraceOut() << s.host.ProcessId() << " Agent copy failed: " << copy << kEol;
        return;
    }
    TraceOut() << s.host.ProcessId() << " New AU-Agent: " << copy << kEol;
}

} // namespace stub
