#include "core/RejectTable.h"

#include "common/Text.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace lmx {

namespace {

void PutLength(std::string& out, std::size_t n) {
    while (n >= 0x80) {
        out += static_cast<char>((n & 0x7F) | 0x80);
        n >>= 7;
    }
    out += static_cast<char>(n);
}

// An unnamed file in the temporary folder: it goes with the program, however the program ends.
int OpenSpillFile(SystemPort& port) {
    const char* env = std::getenv("TMPDIR");
    return port.OpenUnnamed(env != nullptr && *env != '\0' ? env : "/tmp", "lumivex-rejects-");
}

} // namespace

RejectTable::~RejectTable() { CloseSpill(); }

void RejectTable::CloseSpill() {
    if (spillFd_ >= 0) port_.Close(spillFd_);
    spillFd_ = -1;
    spillFailed_ = false;
    spilled_ = 0;
}

void RejectTable::Prepare(const Format& in, int32_t inColCount) {
    CloseSpill();
    tail_.clear();
    starts_.clear();
    codes_.clear();
    rowCount_ = 0;
    cellsInLast_ = 0;
    cachedRow_ = SIZE_MAX;
    ++generation_;
    largestLineNo_ = 0;
    const std::size_t n = inColCount > 0 ? static_cast<std::size_t>(inColCount) : 0;
    cols_ = n + 2;
    BeginRow();
    AddCell("N\xB0");
    AddCell("#Error");
    for (std::size_t c = 0; c < n; ++c) AddCell(c < in.columns.size() ? std::string_view(in.columns[c].name) : "");
    BeginRow();
    AddCell("...");
}

void RejectTable::BeginRow() {
    if (tail_.size() >= kSpillAt) Spill();
    if (rowCount_ % kBlockRows == 0 && rowCount_ / kBlockRows == starts_.size())
        starts_.push_back(std::make_unique<uint64_t[]>(kBlockRows));
    starts_[rowCount_ / kBlockRows][rowCount_ % kBlockRows] = Size();
    codes_.push_back(static_cast<int8_t>(leUnknown));
    ++rowCount_;
    cellsInLast_ = 0;
}

void RejectTable::AddCell(std::string_view text) {
    if (rowCount_ == 0) BeginRow();
    if (cellsInLast_ >= cols_) return;
    PutLength(tail_, text.size());
    tail_.append(text);
    ++cellsInLast_;
    if (cachedRow_ == rowCount_ - 1) cachedRow_ = SIZE_MAX;
}

void RejectTable::Spill() {
    if (spillFailed_) return;
    if (spillFd_ < 0) spillFd_ = OpenSpillFile(port_);
    if (spillFd_ < 0) {
        spillFailed_ = true;
        return;
    }
    const char* p = tail_.data();
    std::size_t left = tail_.size();
    uint64_t at = spilled_;
    while (left > 0) {
        const ssize_t put = ::pwrite(spillFd_, p, left, static_cast<off_t>(at));
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            // A full temporary folder: what is in memory stays there, and so does what follows.
            spillFailed_ = true;
            return;
        }
        p += put;
        left -= static_cast<std::size_t>(put);
        at += static_cast<uint64_t>(put);
    }
    spilled_ = at;
    tail_.clear();
}

bool RejectTable::ReadRange(uint64_t offset, std::size_t size, std::string& into) const {
    into.resize(size);
    std::size_t got = 0;
    while (got < size && offset + got < spilled_) {
        const std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(size - got, spilled_ - (offset + got)));
        const ssize_t n = ::pread(spillFd_, into.data() + got, want, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    if (got < size) {
        const uint64_t inTail = offset + got - spilled_;
        if (inTail + (size - got) > tail_.size()) return false;
        into.replace(got, size - got, tail_, static_cast<std::size_t>(inTail), size - got);
    }
    return true;
}

std::string RejectTable::cell(std::size_t row, std::size_t col) const {
    if (row >= rowCount_ || col >= cols_) return {};
    if (cachedRow_ != row) {
        cached_.clear();
        cachedRow_ = row;
        const uint64_t begin = RowStart(row);
        const uint64_t end = row + 1 < rowCount_ ? RowStart(row + 1) : Size();
        if (!ReadRange(begin, static_cast<std::size_t>(end - begin), scratch_)) return {};
        std::size_t i = 0;
        while (i < scratch_.size()) {
            std::size_t len = 0;
            int shift = 0;
            while (i < scratch_.size()) {
                const auto b = static_cast<unsigned char>(scratch_[i++]);
                len |= static_cast<std::size_t>(b & 0x7F) << shift;
                shift += 7;
                if ((b & 0x80) == 0) break;
            }
            if (len > scratch_.size() - i) break;
            cached_.emplace_back(scratch_, i, len);
            i += len;
        }
    }
    return col < cached_.size() ? cached_[col] : std::string();
}

void RejectTable::FileStarts(std::string_view path) {
    BeginRow();
    AddCell("");
    AddCell(path);
}

LineError RejectTable::code(std::size_t row) const {
    return row < codes_.size() ? static_cast<LineError>(codes_[row]) : leUnknown;
}

void RejectTable::Rejected(int64_t lineNo, LineError code, std::string_view,
                           std::span<const std::string_view> cells) {
    BeginRow();
    codes_.back() = static_cast<int8_t>(code);
    if (lineNo > largestLineNo_) largestLineNo_ = lineNo;
    AddCell(IntToStr(lineNo));
    AddCell(LineErrorName(code));
    for (const std::string_view c : cells) AddCell(c);
}

} // namespace lmx
