// The language file on any bytes: the list of its sections, then the load of a few of them, of
// the built-in language and of a name that is not there. The file is served from memory.
#include "FuzzSupport.h"

#include "env/LangTexts.h"

#include <algorithm>

using namespace lmx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const std::string path = "/fuzz/Lumivex.lng";
    static fuzz::BytesPort port(path);
    port.bytes = std::string_view(reinterpret_cast<const char*>(data), size);

    LangTexts lang;
    std::vector<std::string> names;
    const bool listed = lang.LangList(path, names, port).Ok();
    if (!listed && !names.empty()) std::abort();

    for (std::size_t i = 0; i < std::min<std::size_t>(names.size(), 4); ++i) (void)lang.LangLoad(names[i], path, port);
    if (!lang.LangLoad(BuiltInLanguage(), path, port).Ok()) std::abort();

    // A failed load leaves every text as it was.
    const LangTexts before = lang;
    if (lang.LangLoad("\x02no such language\x02", path, port).Ok()) std::abort();
    for (std::size_t i = 0; i < LangTexts::Count(); ++i)
        if (lang.TextAt(i) != before.TextAt(i)) std::abort();

    (void)lang.Format(LK::err_fmtRC, {"1", "2", "3"});
    return 0;
}
