#include "env/ParamsChoices.h"

#include "common/Basics.h"
#include "env/Params.h"

namespace lmx {

BadLineRule BadLineRuleOf(const Params& prm) {
    const std::string erl = prm.PrmGet(prmERL);
    return erl == "1" ? BadLineRule::Reject : erl == "2" ? BadLineRule::Stop : BadLineRule::Unset;
}

std::string_view BadLineCode(BadLineRule rule) {
    return rule == BadLineRule::Reject ? "1" : rule == BadLineRule::Stop ? "2" : "";
}

SourceDisposal SourceDisposalOf(const Params& prm) {
    const std::string sdl = prm.PrmGet(prmSDL);
    return sdl == "1" ? sdTrash : sdl == "2" ? sdDelete : sdKeep;
}

std::string_view SourceDisposalCode(SourceDisposal disposal) {
    return disposal == sdTrash ? "1" : disposal == sdDelete ? "2" : "0";
}

std::string DialogFolder(const Params& prm, int index) {
    const std::string dir = prm.PrmGet(index);
    return IsElsewhere(dir) ? prm.ProgramDir : dir;
}

std::string ResultExtension(const Params& prm, std::string_view source) {
    const std::string ext = prm.PrmGet(prmEXT);
    return IsElsewhere(ext) ? ExtractFileExt(source) : ext;
}

} // namespace lmx
