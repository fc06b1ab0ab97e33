#pragma once
// Reading one format of the format file: the format as a value, or the code that says why it does
// not load and where the reader met the fault.
#include "core/Format.h"
#include "core/FormatLines.h"

#include <cstdint>
#include <string>

namespace lmx {

// Result codes of the format file's readers.
enum FmtResult : int {
    frOk = 0,                // success
    frEmptyName = -1,        // empty name asked, or the file ended inside the six descriptive lines
    frBadDescr = -2,         // a descriptive line is missing, out of order or has a bad value
    frColCountDiffers = -3,  // the number of COL lines differs from CLC
    frTooManyColsAtEof = -10, // more COL lines than CLC, running up to the end of the file
    frBadColumn = -790,      // at least one COL line is malformed
    frCopyIn = -791,         // the loaded format could not be taken as the input format
    frCopyOut = -792,        // the loaded format could not be taken as the output format
    frBadColCount = -793,    // the loaded CLC is not an integer greater than 0
    frNotFound = -795,       // no format of that name in the file
    frNoFormat = -797,       // (list) the file holds no format, or could not be opened
    frOpenFailed = -798,     // (load) the file could not be opened
    frNoFile = -799,         // the file does not exist
};

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
    int code = frNotFound; // a FmtResult
    FmtReadFault fault;
    Format format; // whole when code is frOk
    // The separator and layout of the last date column met on the way, whatever the outcome.
    bool metDate = false;
    std::string lastDateSep;
    std::string lastDateLayout;
};

// Reads the format named name from the reader's file (opened, at its start). frOpenFailed on a
// read error; the caller tells a missing file apart.
FormatRead ReadFormat(FmtLineReader& in, const std::string& name);

// Splits and checks one COL value (the k-th of its block, from 1) into col. false with the first
// bad field noted in read.fault (when none is noted yet); a date type is noted in read either way.
bool ReadColumn(int32_t k, std::string_view value, Column& col, FormatRead& read);

} // namespace lmx
