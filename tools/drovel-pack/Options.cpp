#include "tools/drovel-pack/Options.h"

#include <functional>
#include <map>

#include "stub/package/ByteSource.h"

namespace drovel {

const char* const kHelpText =
R"(drovel-pack - builds and inspects Drovel setup packages

Usage:
  drovel-pack build    -o OUTPUT [options] FILE...   package FILEs (a carrier with --stub)
  drovel-pack agent    -o OUTPUT --stub STUB [options]
                        auto-update agent program: stub, header blocks, trailer (no files)
  drovel-pack web-stub -o OUTPUT --stub STUB --download-url URL --download-name NAME
                        (--download-size BYTES | --download-package FILE) [options]
                        web-download stub: stub, three header blocks, trailer (no files)
  drovel-pack inform   -o OUTPUT --token SECRET --body FILE [--scramble]
                        inform file: INFORM|scrambled token|-|-|body
  drovel-pack inspect  FILE                            trailer, blocks and records of FILE
  drovel-pack --help

Files (build):
  FILE                  packaged under its own file name
  --store NAME FILE     packaged under NAME (a plain file name)
  --setup NAME          marks NAME as the setup entry (written NAME*ARGS)
  --args TEXT           extra arguments of the setup entry
  --level N             zlib level 1-9 (default 9); 0 stores every record. A record is stored
                        whenever deflating does not make it smaller
  --record-size BYTES   largest piece of a file in one record (default 1M); larger files take
                        several records in a row
  --volume-size BYTES   largest volume file; further volumes are OUTPUT.002, OUTPUT.003, ...
                        and a file may continue from one volume into the next
Sizes take a K, M or G suffix (powers of 1024).

Image and trailer:
  --stub FILE           stub image (MZ at 0, PE at 256): the result is an executable carrier
  --sign-ready          write the package end E into the carrier and end the package on an
                        8-byte boundary, so that an Authenticode signature may follow it
  --no-checksum         store 1234, which disables the checksum test
  --show-temp-drive     flag bit 0: always tell the user which temporary drive is used
  --cd-span             flag bit 2: relaunch from a temporary copy before extracting
  --second-bar          flag bit 3: show the second progress bar
  --agent-log           flag bit 4: the auto-update program writes its log file
  --web-download        byte 66: web-download package (needs --download-url and --download-name)
  --confirm-download    byte 67: ask before downloading (with --web-download or web-stub)
  --make-agent          byte 68: make an agent copy while running the setup (needs --agent-name)
  --auto-update-program byte 69: this executable is an auto-update program (set by agent)

Header blocks:
  --lang FILE           a language entry from a file of KEY=value lines, named by the file
                        name without extension (English.txt gives English); repeat in the order
                        wanted. Default: the shipped English entry with every key's text
  --update-url URL      settings item 0: base location of the auto-update files
  --info-file NAME      settings item 1: descriptor file name
  --agent-name NAME     settings item 2: file name of the auto-update agent
  --token SECRET        the secret token, stored scrambled in settings item 3 and (when there is
                        a download block) download item 3
  --hidden              settings item 4 = 1: run hidden
  --download-url URL    download item 0 (adds the download block)
  --download-name NAME  download item 1
  --always-download     download item 2 = 1
  --download-token S    download item 3 when it differs from --token
  --download-size N     download item 4, bytes
  --download-package F  download item 4 from the size of F

Other:
  -o, --output FILE     the file to write; written under a temporary name and renamed when
                        complete, so a failure never leaves a half-written package
  -q, --quiet           no summary
Exit status: 0 on success, 1 on bad input or a failed write, 2 on a bad command line.
)";

namespace {

struct Parser {
    const std::vector<std::string>& args;
    std::size_t i = 1;
    std::string& error;

    bool Value(const std::string& name, std::string& out)
    {
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        out = args[++i];
        return true;
    }
};

bool SetCommand(const std::string& word, Command& command)
{
    static const std::map<std::string, Command> kCommands = {
        {"build", Command::Build}, {"agent", Command::Agent}, {"web-stub", Command::WebStub},
        {"inform", Command::Inform}, {"inspect", Command::Inspect}, {"help", Command::Help},
        {"--help", Command::Help}, {"-h", Command::Help}};
    const auto it = kCommands.find(word);
    if (it == kCommands.end())
        return false;
    command = it->second;
    return true;
}

std::string BaseName(const std::string& path)
{
    const std::size_t at = path.find_last_of("/\\:");
    return at == std::string::npos ? path : path.substr(at + 1);
}

bool Flag(const std::string& a, Options& o)
{
    stub::Trailer& t = o.spec.flags;
    using F = std::function<void()>;
    const std::map<std::string, F> flags = {
        {"--show-temp-drive", [&] { t.SetFlag(stub::kFlagShowTempDrive, true); }},
        {"--cd-span", [&] { t.SetFlag(stub::kFlagSpanCds, true); }},
        {"--second-bar", [&] { t.SetFlag(stub::kFlagSecondBar, true); }},
        {"--agent-log", [&] { t.SetFlag(stub::kFlagAgentLog, true); }},
        {"--web-download", [&] { t.SetWebDownload(true); }},
        {"--confirm-download", [&] { t.SetConfirmDownload(true); }},
        {"--make-agent", [&] { t.SetMakeAgent(true); }},
        {"--auto-update-program", [&] { t.SetAutoUpdateProgram(true); }},
        {"--no-checksum", [&] { o.spec.noChecksum = true; }},
        {"--sign-ready", [&] { o.spec.signReady = true; }},
        {"--hidden", [&] { o.settings.hidden = true; }},
        {"--always-download", [&] { o.download.always = true; o.hasDownloadBlock = true; }},
        {"--scramble", [&] { o.scramble = true; }},
        {"-q", [&] { o.quiet = true; }},
        {"--quiet", [&] { o.quiet = true; }},
    };
    const auto it = flags.find(a);
    if (it == flags.end())
        return false;
    it->second();
    return true;
}

bool NumberOption(const std::string& name, const std::string& text, std::uint64_t& out, std::string& error)
{
    if (!ParseByteCount(text, out)) {
        error = name + " needs a byte count: " + text;
        return false;
    }
    return true;
}

bool LevelOption(const std::string& text, int& level, std::string& error)
{
    if (text.size() != 1 || text[0] < '0' || text[0] > '9') {
        error = "--level needs a number from 0 to 9: " + text;
        return false;
    }
    level = text[0] - '0';
    return true;
}

// One option with a value; false with an error when the value is missing or bad, or when the
// option is unknown.
bool ValueOption(const std::string& a, Parser& p, Options& o)
{
    if (a == "--store") {
        std::string name, path;
        if (!p.Value(a, name) || !p.Value(a, path))
            return false;
        o.spec.files.push_back({path, name, false, ""});
        return true;
    }
    std::string& e = p.error;
    std::uint64_t n = 0;
    using Setter = std::function<bool(const std::string&)>;
    auto text = [](std::string& field) { return Setter([&field](const std::string& v) { field = v; return true; }); };
    auto download = [&o](std::string& field) {
        return Setter([&o, &field](const std::string& v) { field = v; o.hasDownloadBlock = true; return true; });
    };
    const std::map<std::string, Setter> options = {
        {"-o", text(o.output)},
        {"--output", text(o.output)},
        {"--stub", text(o.spec.stubImage)},
        {"--setup", text(o.setupName)},
        {"--args", [&](const std::string& v) { o.setupArguments = v; o.setupArgumentsGiven = true; return true; }},
        {"--level", [&](const std::string& v) { return LevelOption(v, o.spec.level, e); }},
        {"--record-size", [&](const std::string& v) { return NumberOption(a, v, o.spec.recordSize, e); }},
        {"--volume-size", [&](const std::string& v) { return NumberOption(a, v, o.spec.volumeSize, e); }},
        {"--lang", [&](const std::string& v) { o.languageFiles.push_back(v); return true; }},
        {"--update-url", text(o.settings.updateLocation)},
        {"--info-file", text(o.settings.infoFile)},
        {"--agent-name", text(o.settings.agentName)},
        {"--token", text(o.settings.token)},
        {"--download-url", download(o.download.location)},
        {"--download-name", download(o.download.fileName)},
        {"--download-token", download(o.download.token)},
        {"--download-package", download(o.downloadPackage)},
        {"--download-size", [&](const std::string& v) {
             o.hasDownloadBlock = true;
             if (!NumberOption(a, v, n, e))
                 return false;
             o.download.size = std::to_string(n);
             return true;
         }},
        {"--body", text(o.body)},
    };
    const auto it = options.find(a);
    if (it == options.end()) {
        e = "unknown option " + a + " (see drovel-pack --help)";
        return false;
    }
    std::string v;
    return p.Value(a, v) && it->second(v);
}

bool Conflict(std::string& error, const std::string& message)
{
    error = message;
    return false;
}

// Rules between options, once all are read.
bool CheckCombination(const std::vector<std::string>& positional, Options& o, std::string& error)
{
    if (o.command == Command::Inspect) {
        if (positional.size() != 1)
            return Conflict(error, "inspect takes exactly one FILE");
        o.input = positional[0];
        return true;
    }
    if (o.output.empty())
        return Conflict(error, "no output file given (-o FILE)");
    if (o.command == Command::Inform) {
        if (!positional.empty() || !o.spec.files.empty())
            return Conflict(error, "inform takes no files");
        if (o.body.empty() || o.settings.token.empty())
            return Conflict(error, "inform needs --token and --body");
        return true;
    }
    if (!o.body.empty() || o.scramble)
        return Conflict(error, "--body and --scramble belong to inform");
    for (const std::string& path : positional)
        o.spec.files.push_back({path, BaseName(path), false, ""});
    stub::Trailer& t = o.spec.flags;
    if (o.command == Command::Agent || o.command == Command::WebStub) {
        if (!o.spec.files.empty())
            return Conflict(error, "agent and web-stub programs carry no files");
        if (o.spec.stubImage.empty())
            return Conflict(error, "agent and web-stub programs need --stub");
        if (o.spec.volumeSize != 0)
            return Conflict(error, "agent and web-stub programs are not split into volumes");
    }
    if (o.command == Command::Agent)
        t.SetAutoUpdateProgram(true);
    if (o.command == Command::WebStub) {
        t.SetWebDownload(true);
        o.hasDownloadBlock = true;
    }
    if (!o.downloadPackage.empty() && !o.download.size.empty())
        return Conflict(error, "give either --download-size or --download-package, not both");
    if (t.WebDownload() && (o.download.location.empty() || o.download.fileName.empty()))
        return Conflict(error, "a web download needs --download-url and --download-name");
    if (o.command == Command::WebStub && o.downloadPackage.empty() && o.download.size.empty())
        return Conflict(error, "web-stub needs --download-size or --download-package");
    if (t.ConfirmDownload() && !t.WebDownload())
        return Conflict(error, "--confirm-download applies only to a web download");
    if (t.MakeAgent() && o.settings.agentName.empty())
        return Conflict(error, "--make-agent needs --agent-name");
    if (o.spec.signReady && o.spec.stubImage.empty())
        return Conflict(error, "--sign-ready needs --stub (only an executable carrier is signed)");
    if (o.setupArgumentsGiven && o.setupName.empty())
        return Conflict(error, "--args needs --setup");
    if (!o.setupName.empty()) {
        bool found = false;
        for (InputFile& f : o.spec.files)
            if (f.name == o.setupName) {
                f.setupEntry = true;
                f.arguments = o.setupArguments;
                found = true;
            }
        if (!found)
            return Conflict(error, "--setup names no packaged file: " + o.setupName);
    }
    return true;
}

} // namespace

bool ParseByteCount(const std::string& text, std::uint64_t& value)
{
    if (text.empty() || text[0] < '0' || text[0] > '9')
        return false;
    std::size_t i = 0;
    std::uint64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (v > (UINT64_MAX - 9) / 10)
            return false;
        v = v * 10 + static_cast<unsigned>(text[i] - '0');
    }
    int shift = 0;
    if (i + 1 == text.size()) {
        const char s = text[i];
        shift = s == 'K' || s == 'k' ? 10 : s == 'M' || s == 'm' ? 20 : s == 'G' || s == 'g' ? 30 : -1;
        if (shift < 0)
            return false;
    } else if (i != text.size()) {
        return false;
    }
    if (shift && v > (UINT64_MAX >> shift))
        return false;
    value = v << shift;
    return true;
}

bool ParseOptions(const std::vector<std::string>& args, Options& o, std::string& error)
{
    o = Options{};
    if (args.empty())
        return true;  // help
    if (!SetCommand(args[0], o.command)) {
        error = "unknown command " + args[0] + " (see drovel-pack --help)";
        return false;
    }
    if (o.command == Command::Help)
        return true;
    Parser p{args, 1, error};
    std::vector<std::string> positional;
    for (; p.i < args.size(); ++p.i) {
        const std::string& a = args[p.i];
        if (a == "--help" || a == "-h") {
            o.command = Command::Help;
            return true;
        }
        if (a.size() > 1 && a[0] == '-') {
            if (!Flag(a, o) && !ValueOption(a, p, o))
                return false;
        } else {
            positional.push_back(a);
        }
    }
    return CheckCombination(positional, o, error);
}

bool BuildBlocks(Options& o, std::string& error)
{
    std::vector<std::string> entries;
    for (const std::string& path : o.languageFiles) {
        std::string entry;
        if (!LanguageEntryFromFile(path, entry, error))
            return false;
        entries.push_back(entry);
    }
    o.spec.languageBlock = LanguageBlock(entries);
    if (!SettingsBlock(o.settings, o.spec.settingsBlock, error))
        return false;
    if (!o.hasDownloadBlock)
        return true;
    if (!o.downloadPackage.empty()) {
        stub::FileSource package;
        if (!stub::IsRegularFile(o.downloadPackage) || !package.Open(o.downloadPackage)) {
            error = "cannot read the download package " + o.downloadPackage;
            return false;
        }
        o.download.size = std::to_string(package.Size());
    }
    if (o.download.size.empty())
        o.download.size = "0";
    if (o.download.token.empty())
        o.download.token = o.settings.token;
    return DownloadBlock(o.download, o.spec.downloadBlock, error);
}

} // namespace drovel
