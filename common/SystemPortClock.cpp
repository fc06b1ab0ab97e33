#include "common/SystemPort.h"

#include <ctime>

// The port's clock: the one place the program reads the time, so tests can set it.
namespace lmx {

std::chrono::system_clock::time_point SystemPort::WallTime() { return std::chrono::system_clock::now(); }
std::chrono::steady_clock::time_point SystemPort::SteadyTime() { return std::chrono::steady_clock::now(); }

std::tm SystemPort::LocalTime() {
    const std::time_t now = std::chrono::system_clock::to_time_t(WallTime());
    std::tm t{};
    localtime_r(&now, &t);
    return t;
}

int SystemPort::CurrentYear() {
    const auto today = std::chrono::floor<std::chrono::days>(WallTime());
    return static_cast<int>(std::chrono::year_month_day(today).year());
}

int64_t SystemPort::SteadyMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyTime().time_since_epoch()).count();
}

} // namespace lmx
