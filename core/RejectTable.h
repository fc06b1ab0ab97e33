#pragma once
// Where the rejected lines of a run go, and the table the rejected-lines view shows. The table's
// memory stays bounded however many lines are rejected: beyond a small part kept in memory, its
// rows go to an unnamed temporary file, and every row stays readable.
#include "common/Cp1252.h"
#include "common/SystemPort.h"
#include "core/ColumnDraft.h"
#include "core/LineErrorCode.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lmx {

class IRejectSink {
public:
    virtual ~IRejectSink() = default;
    // A run starts: its input format, and how the lines of its data files are shown.
    virtual void RunStarts(const Format& in, int32_t inColCount, DataShown shown) { (void)in, (void)inColCount, (void)shown; }
    // The source whose rejected lines follow, before its first one.
    virtual void FileStarts(std::string_view path) = 0;
    // One rejected line: its number, its code, the line as read, and the cells the table shows
    // after the code's name (the whole line, or one per input field).
    virtual void Rejected(int64_t lineNo, LineError code, std::string_view line,
                          std::span<const std::string_view> cells) = 0;
};

// Keeps nothing (the converter without --rejects).
class NullRejectSink final : public IRejectSink {
public:
    void FileStarts(std::string_view) override {}
    void Rejected(int64_t, LineError, std::string_view, std::span<const std::string_view>) override {}
};

// The rows of the rejected-lines view. Row 0 holds the titles, row 1 the "..." mark; rows only grow.
class RejectTable final : public IRejectSink {
public:
    explicit RejectTable(SystemPort& port = RealPort()) : port_(port) {}
    ~RejectTable() override;
    RejectTable(const RejectTable&) = delete;
    RejectTable& operator=(const RejectTable&) = delete;

    // Titles "N°", "#Error", then the names of the input columns; every earlier row is dropped.
    void Prepare(const Format& in, int32_t inColCount);

    std::size_t cols() const { return cols_; }
    std::size_t rows() const { return rowCount_; }
    // How the grid shows the lines of the run's data files (set by the run).
    DataShown Shown = DataShown::Cp1252;
    // Empty for a cell the row does not hold. Column 1 of a rejected row shows its code's name.
    std::string cell(std::size_t row, std::size_t col) const;
    // The code of a rejected row; leUnknown for any other row.
    LineError code(std::size_t row) const;

    // A new number at every Prepare: between two, rows are only appended.
    uint64_t Generation() const { return generation_; }
    // The largest line number of the rejected rows (0 when there is none): the width of the numbers.
    int64_t LargestLineNo() const { return largestLineNo_; }

    // Appending: BeginRow, then the cells from column 0 on (at most cols() of them).
    void BeginRow();
    void AddCell(std::string_view text);

    void RunStarts(const Format& in, int32_t inColCount, DataShown shown) override {
        Prepare(in, inColCount);
        Shown = shown;
    }
    void FileStarts(std::string_view path) override;
    void Rejected(int64_t lineNo, LineError code, std::string_view line,
                  std::span<const std::string_view> cells) override;

    // Bytes of rows held in memory, and in the temporary file.
    std::size_t MemoryBytes() const { return tail_.size(); }
    uint64_t SpilledBytes() const { return spilled_; }
    // Rows go to the file once this many bytes wait in memory.
    static constexpr std::size_t kSpillAt = std::size_t{1} << 20;

private:
    static constexpr std::size_t kBlockRows = 65536;
    uint64_t RowStart(std::size_t row) const { return starts_[row / kBlockRows][row % kBlockRows]; }
    uint64_t Size() const { return spilled_ + tail_.size(); }
    void Spill();
    bool ReadRange(uint64_t offset, std::size_t size, std::string& into) const;
    void CloseSpill();

    std::size_t cols_ = 0;
    uint64_t generation_ = 0;
    int64_t largestLineNo_ = 0;
    // The cells of every row, one after the other, each as its length (seven bits a byte) and its
    // bytes: the first spilled_ bytes in the file, the rest in tail_.
    SystemPort& port_;
    int spillFd_ = -1;
    bool spillFailed_ = false; // no file to be had, or it failed: the rest stays in memory
    uint64_t spilled_ = 0;
    std::string tail_;
    std::vector<std::unique_ptr<uint64_t[]>> starts_; // start of every row, in blocks of kBlockRows
    std::vector<int8_t> codes_; // the code of every row
    std::size_t rowCount_ = 0;
    std::size_t cellsInLast_ = 0;
    // The cells of the last row read: a grid asks for one row's cells one after the other.
    mutable std::size_t cachedRow_ = SIZE_MAX;
    mutable std::vector<std::string> cached_;
    mutable std::string scratch_;
};

} // namespace lmx
