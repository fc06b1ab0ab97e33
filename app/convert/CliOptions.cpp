#include "CliOptions.h"

namespace lmx::cli {

const char* CliUsage() {
    return "Usage: lumivex-convert [options] FILE...\n"
           "Converts FILE... from the input format to the output format into one result file.\n"
           "\n"
           "  --dir DIR           folder holding Lumivex.fmt and Lumivex.prm (default: the program's folder,\n"
           "                      or ~/.config/Lumivex when the program's folder cannot be written)\n"
           "  --in NAME           input format (default: the last one used, parameter MRI)\n"
           "  --out NAME          output format (default: the last one used, parameter MRO)\n"
           "  -o, --output PATH   result file (default: proposed from MRD, DDO and EXT)\n"
           "  --force             replace an existing result, rejects or log file\n"
           "  --stop-on-error     stop at the first rejected line (default: parameter ERL)\n"
           "  --rejects PATH      write every rejected line: file, line number, code, line (tab-separated)\n"
           "  --list              print the format names and exit\n"
           "  --check             check every format of Lumivex.fmt and exit (3 when one fails)\n"
           "  --show NAME         print the description of format NAME and exit\n"
           "  --lang NAME         language of the messages, a section of Lumivex.lng (English)\n"
           "  --rename TEXT       after the run, insert TEXT before the extension of each converted source\n"
           "  --trash             after the run, move each converted source to the trash\n"
           "  --delete            after the run, delete each converted source\n"
           "  --log PATH          save the log there at the end\n"
           "  -q, --quiet         print nothing but errors\n"
           "  --help, --version\n"
           "\n"
           "Exit status: 0 converted, no line rejected; 1 converted, some lines rejected;\n"
           "2 a source could not be read, the run stopped at a bad line, or the result, rejects or log\n"
           "file could not be completely written; 3 nothing converted (usage, format, no source, result\n"
           "refused); 4 converted, but a source could not be renamed, recycled or deleted.\n"
           "SIGINT, SIGTERM, SIGHUP: 130, 143, 129, temporary files removed, no source touched.\n";
}

bool ParseCli(const std::vector<std::string>& args, CliOptions& o, std::string& error) {
    bool onlyFiles = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (onlyFiles || a.empty() || a[0] != '-' || a == "-") {
            o.files.push_back(a);
            continue;
        }
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "--") onlyFiles = true;
        else if (a == "--dir") { if (!value(o.dir)) return false; }
        else if (a == "--in") { if (!value(o.inFormat)) return false; o.inGiven = true; }
        else if (a == "--out") { if (!value(o.outFormat)) return false; o.outGiven = true; }
        else if (a == "-o" || a == "--output") { if (!value(o.output)) return false; }
        else if (a == "--force") o.force = true;
        else if (a == "--stop-on-error") o.stopOnError = true;
        else if (a == "--rejects") { if (!value(o.rejects)) return false; }
        else if (a == "--list") o.list = true;
        else if (a == "--check") o.check = true;
        else if (a == "--show") {
            if (!value(o.show)) return false;
            if (o.show.empty()) {
                error = "--show needs a format name";
                return false;
            }
            o.showGiven = true;
        }
        else if (a == "--lang") { if (!value(o.lang)) return false; o.langGiven = true; }
        else if (a == "--rename") {
            if (!value(o.renameText)) return false;
            if (o.renameText.empty() || o.renameText == "0" || o.renameText.find('/') != std::string::npos) {
                error = "--rename needs a text without \"/\", other than \"0\"";
                return false;
            }
        }
        else if (a == "--trash") o.trash = true;
        else if (a == "--delete") o.remove = true;
        else if (a == "--log") { if (!value(o.logPath)) return false; }
        else if (a == "-q" || a == "--quiet") o.quiet = true;
        else if (a == "-h" || a == "--help") o.help = true;
        else if (a == "--version") o.version = true;
        else {
            error = "unknown option " + a;
            return false;
        }
    }
    if (o.trash && o.remove) {
        error = "--trash and --delete exclude each other";
        return false;
    }
    return true;
}

} // namespace lmx::cli
