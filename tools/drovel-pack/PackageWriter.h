// Writes a package: leading stub image, header blocks, file records and the trailer, spread
// over volume files when a volume size is given. Every file is written under a temporary name
// and renamed only once the whole package is complete.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "stub/package/Trailer.h"

namespace drovel {

struct InputFile {
    std::string path;        // where the tool reads it
    std::string name;        // the plain file name it is extracted as
    bool setupEntry = false; // marked with `*`
    std::string arguments;   // extra arguments after the `*`
};

struct PackageSpec {
    std::string stubImage;   // path of the stub image; empty: the package starts at offset 0
    std::string languageBlock, settingsBlock, downloadBlock;  // no download block: two blocks
    std::vector<InputFile> files;
    stub::Trailer flags;     // bits 0, 2, 3, 4 of byte 65 and bytes 66 to 69; other fields are set here
    int level = 9;                            // zlib level 1..9; 0 stores every record
    std::uint64_t recordSize = 1u << 20;      // largest piece of a file one record carries
    std::uint64_t volumeSize = 0;             // largest volume file; 0: one volume
    bool noChecksum = false;                  // store 1234
    bool signReady = false;                   // set E and end the carrier on an 8-byte boundary
};

struct VolumeReport {
    std::string path;
    std::uint64_t size = 0;
    std::uint32_t records = 0;
};

struct WriteReport {
    std::vector<VolumeReport> volumes;
    std::uint64_t contentBytes = 0;  // the files' bytes
};

// The spec's inputs are checked first (files readable, names plain and distinct, stub image an
// executable carrier, volume size large enough). False with a message on any failure; nothing
// is then left under the output's names.
bool WritePackage(const PackageSpec& spec, const std::string& output, WriteReport& report,
                  std::string& error);

// The space table for files of these sizes: entry 0 the sum, entry i (1..8) the sizes rounded
// up to clusters of 256 << i bytes; each entry capped at 0xFFFFFFFF.
void FillSpaceTable(stub::Trailer& trailer, const std::vector<std::uint64_t>& sizes);

// Writes data to path through a temporary name.
bool WriteWholeFile(const std::string& path, const std::string& data, std::string& error);

// True for a path ending in .NNN with NNN of 2 or more: a later volume, which holds only records.
bool IsLaterVolumePath(const std::string& path);

// NAME.002, NAME.003, ... for volume k >= 2 (at least three digits); a final ".001" of the
// first volume's path is dropped first.
std::string VolumePath(const std::string& first, int k);

} // namespace drovel
