#include "CliOptions.h"

#include <getopt.h>

#include <iterator>

namespace lmx::cli {

const char* CliUsage() {
    return "Usage: lumivex-convert [options] FILE...\n"
           "Converts FILE... from the input format to the output format into one result file.\n"
           "A FILE named - is standard input; -o - writes the result to standard output. Messages,\n"
           "the progress line (on a terminal) and the closing summary go to standard error.\n"
           "Options take their value as --in NAME or --in=NAME; -- ends the options.\n"
           "\n"
           "  --dir DIR           folder holding Lumivex.fmt and Lumivex.prm (default: the program's folder,\n"
           "                      or ~/.config/Lumivex when the program's folder cannot be written)\n"
           "  --in NAME           input format (default: the last one used, parameter MRI)\n"
           "  --out NAME          output format (default: the last one used, parameter MRO)\n"
           "  -o, --output PATH   result file (default: proposed from MRD, DDO and EXT; needed when\n"
           "                      reading standard input); - for standard output\n"
           "  --force             replace an existing result, rejects or log file (without it, a file\n"
           "                      given that name by another program during the run is kept: exit 2)\n"
           "  --stop-on-error     stop at the first rejected line (default: parameter ERL)\n"
           "  --rejects PATH      write every rejected line: file, line number, code, line (tab-separated);\n"
           "                      - for standard output\n"
           "  --list              print the format names and exit\n"
           "  --check             check every format of Lumivex.fmt and exit (3 when one fails)\n"
           "  --show NAME         print the description of format NAME and exit\n"
           "  --lang NAME         language of the messages, a section of Lumivex.lng, e.g. English\n"
           "                      (default: parameter LNG, French as shipped)\n"
           "  --rename TEXT       after the run, insert TEXT before the extension of each converted source\n"
           "  --trash             after the run, move each converted source to the trash\n"
           "  --delete            after the run, delete each converted source (standard input is never\n"
           "                      renamed, moved or deleted)\n"
           "  --log PATH          save the log there at the end; - for standard output\n"
           "  --encoding ENC      encoding of the data files, utf-8 or windows-1252 (default: parameter\n"
           "                      ENC, the system's): the texts a format adds are written in it\n"
           "  --eol EOL           line end of the result and rejects files, crlf or lf (default: parameter EOL)\n"
           "  --summary           after the run, print one line per number column of the result on standard\n"
           "                      output, tab-separated: column, points, first and last dates, minimum,\n"
           "                      maximum, and the largest jump between consecutive values with its line\n"
           "                      (\"line 4,321: \u00d7100\"), in the language of the messages\n"
           "  -q, --quiet         print nothing but errors\n"
           "  --help, --version\n"
           "\n"
           "Exit status: 0 converted, no line rejected; 1 converted, some lines rejected;\n"
           "2 a source could not be read, the run stopped at a bad line, or the result, rejects or log\n"
           "file could not be completely written; 3 nothing converted (usage, format, no source, result\n"
           "refused); 4 converted, but a source could not be renamed, recycled or deleted.\n"
           "SIGINT, SIGTERM, SIGHUP: 130, 143, 129, temporary files removed, no source touched.\n"
           "When the reader of the result goes away (... -o - | head), the converter ends as a program\n"
           "killed by SIGPIPE does, quietly, with its temporary files removed and no source touched.\n"
           "A run killed otherwise (SIGKILL, a crash) leaves no temporary file where the file system\n"
           "makes files without a name (O_TMPFILE); elsewhere it may leave NAME.lumivex-PID-TAG@HOST.tmp\n"
           "beside the file it wrote, removed by the next run writing into that folder.\n"
           "A source that changed during the run (replaced, grown) is kept, with a line saying so: exit 4.\n";
}

namespace {

// Long options without a short form get codes beyond any character.
enum : int {
    opDir = 256, opIn, opOut, opForce, opStopOnError, opRejects, opList, opCheck, opShow, opLang,
    opRename, opTrash, opDelete, opLog, opVersion, opEncoding, opEol, opSummary
};

constexpr option kOptions[] = {
    {"dir", required_argument, nullptr, opDir},
    {"in", required_argument, nullptr, opIn},
    {"out", required_argument, nullptr, opOut},
    {"output", required_argument, nullptr, 'o'},
    {"force", no_argument, nullptr, opForce},
    {"stop-on-error", no_argument, nullptr, opStopOnError},
    {"rejects", required_argument, nullptr, opRejects},
    {"list", no_argument, nullptr, opList},
    {"check", no_argument, nullptr, opCheck},
    {"show", required_argument, nullptr, opShow},
    {"lang", required_argument, nullptr, opLang},
    {"summary", no_argument, nullptr, opSummary},
    {"rename", required_argument, nullptr, opRename},
    {"trash", no_argument, nullptr, opTrash},
    {"delete", no_argument, nullptr, opDelete},
    {"log", required_argument, nullptr, opLog},
    {"encoding", required_argument, nullptr, opEncoding},
    {"eol", required_argument, nullptr, opEol},
    {"quiet", no_argument, nullptr, 'q'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, opVersion},
    {nullptr, 0, nullptr, 0},
};

// The option as written, without its "=value".
std::string Written(const char* arg) {
    const std::string a(arg ? arg : "");
    return a.substr(0, a.find('='));
}

// Why getopt_long refused an option: unknown, ambiguous, missing its value or given one it takes not.
std::string Refusal(int result, int code, const char* arg) {
    const std::string written = Written(arg);
    if (written.rfind("--", 0) != 0) {
        const std::string name = std::string("-") + static_cast<char>(code);
        return result == ':' ? "option " + name + " needs a value" : "unknown option " + name;
    }
    if (result == ':') return "option " + written + " needs a value";
    if (code != 0) return "option " + written + " takes no value";
    std::string matches;
    int count = 0;
    for (const option* o = kOptions; o->name; ++o) {
        if (std::string(o->name).rfind(written.substr(2), 0) != 0) continue;
        matches += (count++ ? ", --" : "--") + std::string(o->name);
    }
    if (count > 1) return "ambiguous option " + written + " (" + matches + ")";
    return "unknown option " + written;
}

} // namespace

// GNU getopt_long: --opt=value and --opt value, -ovalue and -o value, grouped short options,
// options after the files, unique abbreviations, "--". It is the C library's own, so the converter
// keeps one parser with or without Qt.
bool ParseCli(const std::vector<std::string>& args, CliOptions& o, std::string& error) {
    std::vector<std::string> store{"lumivex-convert"};
    store.insert(store.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& s : store) argv.push_back(s.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(store.size());

    opterr = 0; // the refusals are told below, in the converter's words
    optind = 0; // a full restart of the parser's own state
    for (;;) {
        const int c = getopt_long(argc, argv.data(), ":o:qh", kOptions, nullptr);
        if (c == -1) break;
        const std::string value = optarg ? optarg : "";
        switch (c) {
        case opDir: o.dir = value; break;
        case opIn: o.inFormat = value; o.inGiven = true; break;
        case opOut: o.outFormat = value; o.outGiven = true; break;
        case 'o': o.output = value; break;
        case opForce: o.force = true; break;
        case opStopOnError: o.stopOnError = true; break;
        case opRejects: o.rejects = value; break;
        case opList: o.list = true; break;
        case opCheck: o.check = true; break;
        case opShow:
            if (value.empty()) {
                error = "--show needs a format name";
                return false;
            }
            o.show = value;
            o.showGiven = true;
            break;
        case opLang: o.lang = value; o.langGiven = true; break;
        case opRename:
            if (value.empty() || value == "0" || value.find('/') != std::string::npos) {
                error = "--rename needs a text without \"/\", other than \"0\"";
                return false;
            }
            o.renameText = value;
            break;
        case opTrash: o.trash = true; break;
        case opDelete: o.remove = true; break;
        case opLog: o.logPath = value; break;
        case opEncoding:
        case opEol: {
            // The parameter's own spelling, from the lower-case option value.
            const bool enc = c == opEncoding;
            const std::string& v = value;
            const char* const choice = enc ? (v == "utf-8" ? "UTF-8" : v == "windows-1252" ? "Windows-1252" : nullptr)
                                           : (v == "crlf" ? "CRLF" : v == "lf" ? "LF" : nullptr);
            if (choice == nullptr) {
                error = enc ? "--encoding takes utf-8 or windows-1252" : "--eol takes crlf or lf";
                return false;
            }
            (enc ? o.encoding : o.eol) = choice;
            break;
        }
        case opSummary: o.summary = true; break;
        case 'q': o.quiet = true; break;
        case 'h': o.help = true; break;
        case opVersion: o.version = true; break;
        default: // '?' or ':'
            error = Refusal(c, optopt, argv[static_cast<std::size_t>(optind - 1)]);
            return false;
        }
    }
    // getopt_long has moved the files after the options, in their order.
    o.files.assign(argv.begin() + optind, argv.begin() + argc);
    if (o.trash && o.remove) {
        error = "--trash and --delete exclude each other";
        return false;
    }
    // The summary has standard output to itself, and reads the result again from its file.
    if (o.summary && (o.output == "-" || o.rejects == "-" || o.logPath == "-")) {
        error = "--summary writes to standard output: the result, --rejects and --log need files";
        return false;
    }
    int stdIn = 0;
    for (const std::string& f : o.files) stdIn += f == "-" ? 1 : 0;
    if (stdIn > 1) {
        error = "standard input (-) can be read once only";
        return false;
    }
    return true;
}

} // namespace lmx::cli
