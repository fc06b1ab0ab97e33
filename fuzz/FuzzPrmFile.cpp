// The parameters file on any bytes: load it over the defaults, then read every slot. The file is
// never written (ReadOnly), and never on disk: the port serves it from memory.
#include "FuzzSupport.h"

#include "env/LangTexts.h"
#include "env/Params.h"

using namespace lmx;

constexpr const char* kName = "/fuzz/Lumivex.prm";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static fuzz::BytesPort port(kName);
    port.bytes = std::string_view(reinterpret_cast<const char*>(data), size);

    static const LangTexts lang;
    Params prm(lang, port);
    prm.ProgramDir = "/fuzz/";
    prm.PrmFileName = kName;
    prm.ReadOnly = true;
    prm.PrmFile(pmDefaults);
    const int r = prm.PrmFile(pmLoad);
    if (r != prmOk && r != prmReadFailed) std::abort(); // the file exists and is readable
    for (int i = 0; i < kPrmSlotCount; ++i) {
        (void)prm.PrmGet(i, false);
        (void)prm.PrmGet(i, true);
    }
    if (!prm.PrmGet(prmDTY).empty() || !prm.PrmGet(prm17).empty()) std::abort();
    if (prm.PrmGet(prmCTB) != "CTB") std::abort();
    // A second load on top of the first must be as safe as the first.
    (void)prm.PrmFile(pmLoadToo);
    return 0;
}
