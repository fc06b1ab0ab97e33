#pragma once
// Reading one format of the format file: the format as a value, or the code that says why it does
// not load and where the reader met the fault.
#include "common/Status.h"
#include "core/Format.h"
#include "core/FormatLines.h"

#include <cstdint>
#include <string>

namespace lmx {

// Where a read met its faults, for a message that says where to look. Lines are counted from 1 in
// the file; 0 means none was met.
struct FmtReadFault {
    // -1 and -2: the first descriptive line at fault, the key expected there and the line found
    // (atEnd: the file ended after descrLine instead).
    int64_t descrLine = 0;
    std::string descrKey;
    std::string descrFound;
    bool descrAtEnd = false;
    // -790: the first malformed COL line, its number within the block (from 1), its first bad
    // field (a ColField) and that field's value.
    int64_t colLine = 0;
    int32_t entry = 0;
    int field = -1;
    std::string value;
    // -3 and -10: the COL lines the block holds, and the count its CLC line gives.
    int64_t colLines = 0;
    int32_t colCount = 0;
};

struct FormatRead {
    Status status{StatusCode::FmtNotFound, {}};
    FmtReadFault fault;
    Format format; // whole when status is Ok
};

// Reads the format named name from the reader's file (opened, at its start). FmtOpenFailed on a
// read error; the caller tells a missing file apart.
FormatRead ReadFormat(FmtLineReader& in, const std::string& name);

// Splits and checks one COL value (the k-th of its block, from 1) into col. false with the first
// bad field noted in read.fault (when none is noted yet).
bool ReadColumn(int32_t k, std::string_view value, Column& col, FormatRead& read);

} // namespace lmx
