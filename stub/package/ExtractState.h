// The state of one extraction run, shared by the volume loop, the record writer and the agent
// copy (internal to the engine).
#pragma once
#include <cstdint>
#include <string>

#include "stub/package/ByteSource.h"
#include "stub/package/ExtractEngine.h"
#include "stub/package/Trailer.h"

namespace stub {

struct ExtractState {
    ExtractState(ExtractHost& h, const ExtractRequest& r) : host(h), request(r) {}
    ExtractHost& host;
    const ExtractRequest& request;
    ExtractResult result;
    int header_blocks = 2;        // of volume 1's trailer
    std::uint64_t records = 0;    // counted across all volumes
    std::uint64_t header_end = 0;
    bool header_end_known = false;
    std::string body;             // the current record's body, reused from record to record
};

// The records of one volume from its payload start to the limit; false when a record could not
// be inflated (the run ends; result.error holds zlib's message).
bool ExtractRecords(ExtractState& s, ByteSource& volume, const Trailer& trailer, std::uint64_t limit,
                    const std::string& volume_path);

// The agent copy of volume 1, when the agent name and the volume path ask for one.
void MakeAgentCopy(ExtractState& s, ByteSource& volume, const std::string& volume_path);

// Counts a failed write and, for the first of the process, shows the write error box.
void ReportWriteFailure(ExtractState& s, const std::string& target, const std::string& error_text,
                        std::uint64_t data_size);

} // namespace stub
