#pragma once
// What a path names: a descriptor the program holds, an absolute place, the same file as another.
#include <string>
#include <string_view>

namespace lmx {

// The descriptor a name stands for: 1 for /dev/stdout, 2 for /dev/stderr, N for /dev/fd/N and
// /proc/self/fd/N; -1 for any other name.
int DescriptorOf(const std::string& path);

// True for the names DurableFile writes through a descriptor the program holds. Such a name is
// never replaced.
inline bool NamesADescriptor(const std::string& path) { return DescriptorOf(path) >= 0; }

// The path made absolute against the current folder, its "." parts and doubled "/" removed
// (".." stays: a link may stand before it). An empty path stays empty.
std::string AbsolutePath(std::string_view path);

// True when both paths name the same file: the same text, the same existing file (links,
// hard links), or the same place once their folders are resolved (a name not yet created).
bool SameFile(const std::string& a, const std::string& b);

} // namespace lmx
