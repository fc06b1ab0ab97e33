#pragma once
// The command line of lumivex-convert.
#include <optional>
#include <string>
#include <vector>

namespace lmx::cli {

struct CliOptions {
    std::string dir;       // folder of Lumivex.fmt and Lumivex.prm; empty: the program's own
    std::string inFormat;  // empty: parameter MRI
    std::string outFormat; // empty: parameter MRO
    bool inGiven = false;
    bool outGiven = false;
    std::string output;    // empty: the proposed result file
    bool force = false;
    std::optional<bool> stopOnError; // unset: parameter ERL
    std::string rejects;
    bool list = false;
    bool check = false;     // report every format of the file and exit
    std::string show;       // describe this format and exit
    bool showGiven = false;
    std::string lang;       // language of the messages, from the language file (UTF-8 as typed)
    bool langGiven = false;
    std::string renameText; // empty: no renaming
    bool trash = false;
    bool remove = false;
    std::string logPath;
    std::string encoding;   // parameter ENC for this run ("UTF-8", "Windows-1252"); empty: the file's
    std::string eol;        // parameter EOL for this run ("CRLF", "LF"); empty: the file's
    bool summary = false;   // a summary of the result's number columns on standard output
    bool quiet = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> files;
};

// Parses argv; on a usage error returns false with the reason in error.
bool ParseCli(const std::vector<std::string>& args, CliOptions& opts, std::string& error);

const char* CliUsage();

} // namespace lmx::cli
