#include "tools/drovel-pack/PackageWriter.h"
#include "stub/package/ExtractEngine.h"

#include <algorithm>
#include <cstdio>
#include <zlib.h>

#include "stub/package/ByteSource.h"
#include "stub/package/Checksum.h"
#include "stub/package/PackageNames.h"
#include "stub/package/Records.h"
#include "stub/package/StdioFile.h"
#include "tools/drovel-pack/DosTime.h"

namespace drovel {

namespace {

constexpr std::uint64_t kMaxRecordSize = 1u << 30;
constexpr std::size_t kCopyPiece = 1u << 20;

struct EncodedRecord {
    std::int32_t n = 0;
    std::string body;
};

// Deflated when that is smaller than the content, stored otherwise.
EncodedRecord EncodeRecord(const std::string& content, int level)
{
    EncodedRecord record;
    if (level > 0) {
        uLongf size = compressBound(static_cast<uLong>(content.size()));
        record.body.resize(size);
        if (compress2(reinterpret_cast<Bytef*>(&record.body[0]), &size,
                      reinterpret_cast<const Bytef*>(content.data()),
                      static_cast<uLong>(content.size()), level) == Z_OK &&
            size < content.size()) {
            record.body.resize(size);
            record.n = static_cast<std::int32_t>(size);
            return record;
        }
    }
    record.body = content;
    record.n = -static_cast<std::int32_t>(content.size());
    return record;
}

bool AsciiEqualNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
               return lower(x) == lower(y);
           });
}

bool ReplaceFile(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    std::remove(to.c_str());  // rename does not replace on Windows
#endif
    return std::rename(from.c_str(), to.c_str()) == 0;
}

// The files written so far under temporary names; removed unless committed.
class PendingFiles {
public:
    ~PendingFiles()
    {
        for (const auto& f : files_)
            std::remove(f.first.c_str());
    }
    std::string Add(const std::string& final)
    {
        files_.emplace_back(final + ".partial", final);
        return files_.back().first;
    }
    bool Commit(std::string& error)
    {
        for (const auto& f : files_)
            if (!ReplaceFile(f.first, f.second)) {
                error = "cannot rename " + f.first + " to " + f.second;
                return false;
            }
        files_.clear();
        return true;
    }

private:
    std::vector<std::pair<std::string, std::string>> files_;
};

class Writer {
public:
    Writer(const PackageSpec& spec, const std::string& output, WriteReport& report)
        : spec_(spec), output_(output), report_(report) {}

    bool Run(std::string& error);

private:
    bool Check(std::vector<std::uint64_t>& sizes);
    bool Fail(const std::string& message) { error_ = message; return false; }
    bool OpenVolume();
    bool WriteLeadingBytes();
    bool WriteFileRecords(const InputFile& file);
    bool EmitPiece(const std::string& header, std::string data);
    bool PutRecord(const EncodedRecord& record);
    bool FinishVolume(bool more);
    bool PatchVolume(const std::string& path, std::uint64_t trailerOffset, std::uint64_t end);
    bool Put(const void* data, std::size_t size);
    bool Fits(std::uint64_t recordBytes) const { return spec_.volumeSize == 0 || recordBytes <= Room(); }
    std::uint64_t Room() const;
    bool SignsThisVolume() const { return spec_.signReady && carrier_ && volume_ == 1; }

    const PackageSpec& spec_;
    std::string output_;
    WriteReport& report_;
    std::string error_;
    PendingFiles pending_;
    stub::Trailer trailer_;      // fields shared by every volume
    bool carrier_ = false;
    int volume_ = 0;
    std::string volumePath_;     // temporary name
    stub::StdioFile out_;
    std::uint64_t position_ = 0;
    std::uint32_t volumeRecords_ = 0;
    std::uint32_t payloadStart_ = 0;
};

bool Writer::Check(std::vector<std::uint64_t>& sizes)
{
    if (spec_.level < 0 || spec_.level > 9)
        return Fail("the compression level must be 0 to 9");
    if (spec_.recordSize == 0 || spec_.recordSize > kMaxRecordSize)
        return Fail("the record size must be 1 byte to 1 GiB");
    if (!spec_.stubImage.empty()) {
        stub::FileSource image;
        if (!stub::IsRegularFile(spec_.stubImage) || !image.Open(spec_.stubImage))
            return Fail("cannot read the stub image " + spec_.stubImage);
        if (!stub::IsExecutableCarrier(image))
            return Fail("the stub image has no MZ header or no PE header at offset 256: " + spec_.stubImage);
        if (image.Size() >= UINT32_MAX)
            return Fail("the stub image is too large");
        carrier_ = true;
    }
    int setupEntries = 0;
    for (std::size_t i = 0; i < spec_.files.size(); ++i) {
        const InputFile& f = spec_.files[i];
        if (!stub::IsPlainFileName(f.name))
            return Fail("not a plain file name: '" + f.name + "' (no folders, no \\ / : * ? \" < > |)");
        for (std::size_t j = 0; j < i; ++j)
            if (AsciiEqualNoCase(spec_.files[j].name, f.name))
                return Fail("the file name " + f.name + " is given twice");
        if (f.arguments.size() > 1024)
            return Fail("the setup arguments are longer than 1024 characters");
        if (f.arguments.find_first_of(std::string("|\0", 2)) != std::string::npos)
            return Fail("the setup arguments must not contain '|' or a NUL byte");
        setupEntries += f.setupEntry;
        stub::FileSource source;
        if (!stub::IsRegularFile(f.path) || !source.Open(f.path))
            return Fail("cannot read " + f.path);
        sizes.push_back(source.Size());
    }
    if (setupEntries > 1)
        return Fail("only one file can be the setup entry");
    if (spec_.files.size() > UINT32_MAX)
        return Fail("too many files");
    return true;
}

bool Writer::Run(std::string& error)
{
    std::vector<std::uint64_t> sizes;
    if (!Check(sizes)) {
        error = error_;
        return false;
    }
    report_ = WriteReport{};
    trailer_ = spec_.flags;
    trailer_.SetFlag(stub::kFlagMoreVolumes, false);
    trailer_.SetHeaderBlockCount(spec_.downloadBlock.empty() ? 2 : 3);
    trailer_.SetFileCount(static_cast<std::uint32_t>(spec_.files.size()));
    trailer_.SetMagic();
    trailer_.SetLength();
    FillSpaceTable(trailer_, sizes);
    for (std::uint64_t s : sizes)
        report_.contentBytes += s;

    bool ok = OpenVolume() && WriteLeadingBytes();
    for (std::size_t i = 0; ok && i < spec_.files.size(); ++i)
        ok = WriteFileRecords(spec_.files[i]);
    ok = ok && FinishVolume(false) && pending_.Commit(error_);
    if (!ok)
        error = error_;
    return ok;
}

std::uint64_t Writer::Room() const
{
    // Space for records before the trailer and, on a carrier made ready for signing, the
    // padding record (at most 4 + 7 bytes).
    const std::uint64_t reserved = position_ + stub::kTrailerSize + (SignsThisVolume() ? 11 : 0);
    return spec_.volumeSize > reserved ? spec_.volumeSize - reserved : 0;
}

bool Writer::OpenVolume()
{
    ++volume_;
    const std::string final = volume_ == 1 ? output_ : VolumePath(output_, volume_);
    volumePath_ = pending_.Add(final);
    if (!out_.Open(volumePath_, "wb"))
        return Fail("cannot create " + volumePath_);
    position_ = 0;
    volumeRecords_ = 0;
    payloadStart_ = 0;
    report_.volumes.push_back({final, 0, 0});
    return true;
}

bool Writer::Put(const void* data, std::size_t size)
{
    if (!out_.Write(data, size))
        return Fail("cannot write " + volumePath_ + " (disk full?)");
    position_ += size;
    return true;
}

bool Writer::WriteLeadingBytes()
{
    if (carrier_) {
        stub::FileSource image;
        image.Open(spec_.stubImage);
        std::string piece;
        for (std::uint64_t at = 0; at < image.Size(); at += piece.size()) {
            piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kCopyPiece, image.Size() - at)));
            if (!image.ReadExact(at, &piece[0], piece.size()))
                return Fail("cannot read the stub image " + spec_.stubImage);
            // The package end E belongs to the package: cleared here, set when the volume ends.
            for (std::uint64_t b = std::max(at, stub::kPackageEndHighOffset);
                 b < std::min(at + piece.size(), stub::kPackageEndLowOffset + 4); ++b)
                piece[static_cast<std::size_t>(b - at)] = 0;
            if (!Put(piece.data(), piece.size()))
                return false;
        }
    }
    payloadStart_ = static_cast<std::uint32_t>(position_);
    for (const std::string* block : {&spec_.languageBlock, &spec_.settingsBlock, &spec_.downloadBlock}) {
        if (block == &spec_.downloadBlock && block->empty())
            break;
        std::string length;
        stub::AppendU32(length, static_cast<std::uint32_t>(block->size()));
        if (!Put(length.data(), 4) || !Put(block->data(), block->size()))
            return false;
    }
    if (spec_.volumeSize != 0 && Room() == 0)
        return Fail("the volume size is too small for the stub image and the header blocks");
    return true;
}

bool Writer::WriteFileRecords(const InputFile& file)
{
    stub::FileSource source;
    if (!source.Open(file.path))
        return Fail("cannot read " + file.path);
    const std::string header =
        stub::MakeRecordHeader(file.name, file.setupEntry, file.arguments, FileDosDateTime(file.path));
    std::uint64_t at = 0;
    do {  // an empty file still gets one record, so that it is created
        std::string data(static_cast<std::size_t>(std::min(spec_.recordSize, source.Size() - at)), '\0');
        if (!source.ReadExact(at, &data[0], data.size()))
            return Fail("cannot read " + file.path);
        at += data.size();
        if (!EmitPiece(header, std::move(data)))
            return false;
    } while (at < source.Size());
    return true;
}

// Writes one piece of a file as one record; where it does not fit into the current volume, the
// part that fits goes into this volume and the rest into the next.
bool Writer::EmitPiece(const std::string& header, std::string data)
{
    const std::uint64_t smallest = 4 + header.size() + 2;  // a stored record of one byte
    for (;;) {
        EncodedRecord record = EncodeRecord(header + '\0' + data, spec_.level);
        if (Fits(4 + record.body.size()))
            return PutRecord(record);
        if (Room() < smallest) {
            if (volumeRecords_ == 0)
                return Fail("the volume size is too small for a record of " + header);
            if (!FinishVolume(true) || !OpenVolume())
                return false;
            continue;
        }
        // Try a deflated part sized by the compression ratio, then fall back to a stored part,
        // which fits exactly.
        std::size_t take = static_cast<std::size_t>(static_cast<double>(data.size()) *
                                                    static_cast<double>(Room() - 4) /
                                                    static_cast<double>(record.body.size() + 1));
        bool placed = false;
        for (int attempt = 0; attempt < 3 && take > 0 && take < data.size(); ++attempt) {
            record = EncodeRecord(header + '\0' + data.substr(0, take), spec_.level);
            if (Fits(4 + record.body.size())) {
                placed = true;
                break;
            }
            take = take * 9 / 10;
        }
        if (!placed) {
            take = static_cast<std::size_t>(Room() - 4 - header.size() - 1);
            record = EncodeRecord(header + '\0' + data.substr(0, take), 0);
        }
        if (!PutRecord(record))
            return false;
        data.erase(0, take);
        if (!FinishVolume(true) || !OpenVolume())
            return false;
    }
}

bool Writer::PutRecord(const EncodedRecord& record)
{
    std::string n;
    stub::AppendU32(n, static_cast<std::uint32_t>(record.n));
    if (!Put(n.data(), 4) || !Put(record.body.data(), record.body.size()))
        return false;
    ++volumeRecords_;
    ++report_.volumes.back().records;
    return true;
}

bool Writer::FinishVolume(bool more)
{
    if (SignsThisVolume()) {
        // An empty stored record pads the package so that it ends on an 8-byte boundary.
        const std::uint32_t pad = static_cast<std::uint32_t>((8 - (position_ + 4 + stub::kTrailerSize) % 8) % 8);
        EncodedRecord padding;
        padding.n = -static_cast<std::int32_t>(pad);
        padding.body.assign(pad, '\0');
        if (!PutRecord(padding))
            return false;
    }
    stub::Trailer trailer = trailer_;
    trailer.SetPayloadStart(payloadStart_);
    trailer.SetFlag(stub::kFlagMoreVolumes, more);
    const std::uint64_t trailerOffset = position_;
    if (!Put(trailer.bytes.data(), trailer.bytes.size()))
        return false;
    report_.volumes.back().size = position_;
    if (!out_.Close())
        return Fail("cannot write " + volumePath_ + " (disk full?)");
    return PatchVolume(volumePath_, trailerOffset, position_);
}

// Sets E (signing-ready carrier) and then the checksum, which depends on E.
bool Writer::PatchVolume(const std::string& path, std::uint64_t trailerOffset, std::uint64_t end)
{
    stub::StdioFile file;
    if (!file.Open(path, "r+b"))
        return Fail("cannot reopen " + path);
    unsigned char e[8];
    stub::PutU32(e, static_cast<std::uint32_t>(SignsThisVolume() ? end >> 32 : 0));
    stub::PutU32(e + 4, static_cast<std::uint32_t>(SignsThisVolume() ? end : 0));
    if (carrier_ && volume_ == 1 &&
        (!file.Seek(stub::kPackageEndHighOffset) || !file.Write(e, 8) || !file.Flush()))
        return Fail("cannot write " + path);
    const std::uint32_t sum = spec_.noChecksum ? stub::kNoChecksum : stub::PackageChecksum(path, stub::kTrailerSize);
    unsigned char b[4];
    stub::PutU32(b, sum);
    if (!file.Seek(trailerOffset + 16) || !file.Write(b, 4) || !file.Close())
        return Fail("cannot write " + path);
    return true;
}

} // namespace

void FillSpaceTable(stub::Trailer& trailer, const std::vector<std::uint64_t>& sizes)
{
    for (int i = 0; i < stub::kSpaceEntries; ++i) {
        const std::uint64_t cluster = i == 0 ? 1 : 256ull << i;
        std::uint64_t sum = 0;
        for (std::uint64_t s : sizes)
            sum += (s + cluster - 1) / cluster * cluster;
        trailer.SetSpace(i, static_cast<std::uint32_t>(std::min<std::uint64_t>(sum, UINT32_MAX)));
    }
}

std::string VolumePath(const std::string& first, int k)
{
    // The stub names further volumes; the tool writes them under the same names.
    return stub::VolumePath(stub::VolumeBaseName(first), k);
}

bool WriteWholeFile(const std::string& path, const std::string& data, std::string& error)
{
    PendingFiles pending;
    stub::StdioFile file;
    const std::string temporary = pending.Add(path);
    if (!file.Open(temporary, "wb") || !file.Write(data) || !file.Close()) {
        error = "cannot write " + temporary;
        return false;
    }
    return pending.Commit(error);
}

bool IsLaterVolumePath(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.size() - dot < 4)
        return false;
    const std::string digits = path.substr(dot + 1);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9)
        return false;
    return std::stoi(digits) >= 2;
}

bool WritePackage(const PackageSpec& spec, const std::string& output, WriteReport& report,
                  std::string& error)
{
    Writer writer(spec, output, report);
    return writer.Run(error);
}

} // namespace drovel
