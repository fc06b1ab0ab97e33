// The settings file on any bytes: load it over the defaults, twice. The file is never written
// (ReadOnly), and never on disk: the port serves it from memory.
#include "FuzzSupport.h"

#include "env/Params.h"

using namespace lmx;

constexpr const char* kName = "/fuzz/Lumivex.prm";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzz::BytesPort port(kName);
    port.bytes = std::string_view(reinterpret_cast<const char*>(data), size);

    Params prm(port);
    prm.ProgramDir = "/fuzz/";
    prm.PrmFileName = kName;
    prm.ReadOnly = true;
    const Status r = prm.Load();
    // the file exists and is readable
    if (r.code != StatusCode::Ok && r.code != StatusCode::SettingsReadFailed) std::abort();
    // A second load on top of the first must be as safe as the first.
    (void)prm.Load();
    return 0;
}
