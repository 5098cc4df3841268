#include "app/CVemtCtl.h"

#include "app/CSignParamForm.h"
#include "app/CVemtApp.h"
#include "app/EditorProfile.h"
#include "app/EditorState.h"
#include "app/IProfile.h"
#include "app/SignParams.h"
#include "comm/CComPortMap.h"
#include "comm/CSendFileCommand.h"
#include "app/IMessageSink.h"
#include "comm/IProgressSink.h"
#include "document/CBmpFile.h"
#include "document/CCanvasExport.h"
#include "document/CDocumentFiles.h"
#include "document/CFileBytes.h"
#include "document/CKvxFile.h"
#include "document/CParFile.h"
#include "document/CVemtDoc.h"
#include "text/CCodePage.h"

#include <charconv>
#include <map>
#include <optional>
#include <ostream>

namespace {

struct CommandInfo {
    const char* name;
    const char* synopsis;
    const char* description;
};

constexpr CommandInfo kCommands[] = {
    {"export", "export FILE.KVX OUT.bmp [--screen N] [sign options]",
     "Renders the document at one pixel per dot, as the editor exports it, into a 24-bit\n"
     "    bitmap: the whole canvas (W x N*H dots), or with --screen N only screen N (from 1)."},
    {"send", "send FILE.KVX --port DEV --address LIST [sign options]",
     "Sends the document to the signs of LIST (as in the editor: 3 or 1,2,7 or 0 for all)\n"
     "    through the serial device DEV (a path such as /dev/ttyUSB0, or COM1 / COM2 for the\n"
     "    devices chosen in the editor). Progress goes to stderr; the exit status is 0 only\n"
     "    when every addressed sign took the message."},
    {"help", "help | --help", "Lists the commands and options."},
};

constexpr const char* kSignOptions =
    "Sign options (default: the editor's profile, section TPParameter):\n"
    "  --width N          dots across, 8 to 320\n"
    "  --height N         dots from top to bottom, 1 to 64\n"
    "  --colors N         1 (red) or 2 (red and green)\n"
    "  --screens N        screens composed, 1 to the most the sign can store\n"
    "  --version-code N   51 (firmware before V3.18) or 55 (after V3.18)\n";

constexpr const char* kSignOptionNames[] = {"--width", "--height", "--colors", "--screens",
                                            "--version-code"};

std::optional<int> ParseInt(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

// Splits "--name value" and "--name=value" options from positional arguments. False for
// an option without a value or one that is not in `known`.
bool SplitArguments(const std::vector<std::string>& args, const std::vector<std::string>& known,
                    std::vector<std::string>& positional,
                    std::vector<std::pair<std::string, std::string>>& options, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
            positional.push_back(a);
            continue;
        }
        std::string name = a, value;
        const auto eq = a.find('=');
        if (eq != std::string::npos) {
            name = a.substr(0, eq);
            value = a.substr(eq + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = "option " + name + " needs a value";
            return false;
        }
        bool isKnown = false;
        for (const std::string& k : known) isKnown = isKnown || k == name;
        if (!isKnown) {
            error = "unknown option " + name;
            return false;
        }
        options.emplace_back(name, value);
    }
    return true;
}

// Messages as "caption: text" lines on a stream; nobody answers questions there.
class CStreamMessageSink : public IMessageSink {
public:
    explicit CStreamMessageSink(std::ostream& out) : m_out(out) {}
    MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageButtons buttons,
                              MessageIcon) override
    {
        m_out << caption << (caption.empty() ? "" : ": ") << text << "\n";
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }

private:
    std::ostream& m_out;
};

// The progress dialog's texts as lines on a stream, each once.
class CTextProgress : public IProgressSink {
public:
    explicit CTextProgress(std::ostream& out) : m_out(out) {}
    void SetText(const std::string& text) override
    {
        if (text == m_szLast) return;
        m_szLast = text;
        m_out << text << "\n";
    }
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void SetStep(int) override {}
    void StepIt() override {}

private:
    std::ostream& m_out;
    std::string m_szLast;
};

}  // namespace

CVemtCtl::CVemtCtl(const IProfile& profile, std::string vemtIniPath, std::ostream& out, std::ostream& err)
    : m_profile(profile), m_szVemtIniPath(std::move(vemtIniPath)), m_out(out), m_err(err)
{
}

int CVemtCtl::Run(const std::vector<std::string>& args)
{
    if (args.empty()) {
        m_err << "vemtctl: no command given; \"vemtctl --help\" lists the commands\n";
        return kExitUsage;
    }
    const std::string& command = args[0];
    if (command == "help" || command == "--help" || command == "-h") return Help();
    if (command == "export") return Export({args.begin() + 1, args.end()});
    if (command == "send") return Send({args.begin() + 1, args.end()});
    m_err << "vemtctl: unknown command \"" << command << "\"; \"vemtctl --help\" lists the commands\n";
    return kExitUsage;
}

int CVemtCtl::Help()
{
    m_out << "Usage: vemtctl COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const CommandInfo& c : kCommands) m_out << "  " << c.synopsis << "\n    " << c.description << "\n";
    m_out << "\n" << kSignOptions;
    return kExitOk;
}

bool CVemtCtl::ResolveSignParams(const std::vector<std::pair<std::string, std::string>>& options,
                                 CVemtApp& app)
{
    CSignParamForm form;
    form.LoadParams(m_profile, m_szVemtIniPath, app);

    std::map<std::string, int> given;
    for (const auto& [name, text] : options) {
        const auto value = ParseInt(text);
        if (!value) {
            m_err << "vemtctl: " << name << " needs a whole number, not \"" << text << "\"\n";
            return false;
        }
        given[name] = *value;
    }
    struct Range {
        const char* name;
        int low, high;
        int* target;
    } ranges[] = {
        {"--width", kMinSignWidth, kMaxSignWidth, &form.m_nTPWidth},
        {"--height", 1, kMaxSignHeight, &form.m_nTPHeight},
        {"--colors", 1, 2, &form.m_nColorCount},
    };
    for (const Range& r : ranges) {
        auto it = given.find(r.name);
        if (it == given.end()) continue;
        if (it->second < r.low || it->second > r.high) {
            m_err << "vemtctl: " << r.name << " must be " << r.low << " to " << r.high << ", not "
                  << it->second << "\n";
            return false;
        }
        *r.target = it->second;
    }
    if (auto it = given.find("--version-code"); it != given.end()) {
        if (it->second != kMemoryBeforeV318 && it->second != kMemoryAfterV318) {
            m_err << "vemtctl: --version-code must be " << kMemoryBeforeV318 << " or "
                  << kMemoryAfterV318 << ", not " << it->second << "\n";
            return false;
        }
        form.m_nMemorySize = it->second;
    }
    form.RecomputeMax(app);
    if (auto it = given.find("--screens"); it != given.end()) {
        if (it->second < 1 || it->second > form.m_nMaxScreen) {
            m_err << "vemtctl: --screens must be 1 to " << form.m_nMaxScreen
                  << " for this sign, not " << it->second << "\n";
            return false;
        }
        form.m_nTotalScreen = it->second;
    } else if (form.m_nTotalScreen > form.m_nMaxScreen) {
        form.m_nTotalScreen = form.m_nMaxScreen;
    }
    if (form.m_nTotalScreen < 1) form.m_nTotalScreen = 1;
    form.CopyInto(app);
    app.m_nMemorySize = form.m_nMemorySize;
    return true;
}

bool CVemtCtl::LoadDocument(const std::string& path, CVemtDoc& doc, CVemtApp& app)
{
    // Text layout follows the same profile values the canvas view reads.
    ResetEditorState();
    LoadRowPitchSettings(m_profile);
    CCodePage::LoadAnsiCodePage(m_profile);

    std::vector<std::uint8_t> bytes;
    std::string error;
    if (CFileBytes::Read(path, CKvxFile::kMaxFileBytes, bytes, error) != CFileBytes::ReadResult::Ok) {
        m_err << "vemtctl: cannot read " << path << ": " << error << "\n";
        return false;
    }
    const CKvxReadResult result = CKvxFile::ReadKvx(bytes, doc, app, path);
    if (result.m_code == CKvxReadResult::Code::BadSignature) {
        m_err << "vemtctl: " << path << ": " << CDocumentFiles::kBadSignature << "\n";
        return false;
    }
    if (!result.Ok()) {
        m_err << "vemtctl: " << result.m_szMessage << "\n";
        return false;
    }
    return true;
}

int CVemtCtl::Send(const std::vector<std::string>& args)
{
    std::vector<std::string> known(std::begin(kSignOptionNames), std::end(kSignOptionNames));
    known.push_back("--port");
    known.push_back("--address");
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    std::string error;
    if (!SplitArguments(args, known, positional, options, error)) {
        m_err << "vemtctl send: " << error << "\n";
        return kExitUsage;
    }
    std::string port, addresses;
    std::vector<std::pair<std::string, std::string>> signOptions;
    for (const auto& option : options) {
        if (option.first == "--port") port = option.second;
        else if (option.first == "--address") addresses = option.second;
        else signOptions.push_back(option);
    }
    if (positional.size() != 1 || port.empty() || addresses.empty()) {
        m_err << "vemtctl send: needs FILE.KVX, --port and --address; usage: " << kCommands[1].synopsis << "\n";
        return kExitUsage;
    }

    CVemtApp app;
    if (!ResolveSignParams(signOptions, app)) return kExitUsage;

    // COM1 and COM2 stand for the devices the editor's address dialog chose.
    if (port == "COM1" || port == "COM2") {
        CComPortMap ports;
        ports.Load(m_profile);
        port = ports.DevicePath(port == "COM1" ? 1 : 2);
    }

    const std::string& input = positional[0];
    CVemtDoc doc(&app);
    if (!LoadDocument(input, doc, app)) return kExitFailed;
    // The display settings of the screens travel in the companion file.
    CParFile::ReadParFile(input, app);

    CStreamMessageSink messages(m_err);
    CTextProgress progress(m_err);
    const int status = RunSendCommand(doc, app, port, addresses, messages, &progress);
    if (status == kSendAllDelivered) m_out << input << ": sent to " << addresses << "\n";
    return status == kSendAllDelivered ? kExitOk : (status == kSendNothingSent ? kExitUsage : kExitFailed);
}

int CVemtCtl::Export(const std::vector<std::string>& args)
{
    std::vector<std::string> known(std::begin(kSignOptionNames), std::end(kSignOptionNames));
    known.push_back("--screen");
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;
    std::string error;
    if (!SplitArguments(args, known, positional, options, error)) {
        m_err << "vemtctl export: " << error << "\n";
        return kExitUsage;
    }
    if (positional.size() != 2) {
        m_err << "vemtctl export: needs FILE.KVX and OUT.bmp; usage: " << kCommands[0].synopsis << "\n";
        return kExitUsage;
    }
    std::optional<int> screen;
    std::vector<std::pair<std::string, std::string>> signOptions;
    for (const auto& option : options) {
        if (option.first != "--screen") {
            signOptions.push_back(option);
            continue;
        }
        screen = ParseInt(option.second);
        if (!screen) {
            m_err << "vemtctl export: --screen needs a whole number, not \"" << option.second << "\"\n";
            return kExitUsage;
        }
    }

    CVemtApp app;
    if (!ResolveSignParams(signOptions, app)) return kExitUsage;
    if (screen && (*screen < 1 || *screen > app.m_nTotalScreen)) {
        m_err << "vemtctl export: --screen must be 1 to " << app.m_nTotalScreen << ", not " << *screen << "\n";
        return kExitUsage;
    }

    const std::string& input = positional[0];
    CVemtDoc doc(&app);
    if (!LoadDocument(input, doc, app)) return kExitFailed;

    const CRasterSurface picture = screen ? CCanvasExport::RenderScreen(doc, app, *screen - 1)
                                          : CCanvasExport::RenderCanvas(doc, app);
    const std::vector<std::uint8_t> bmp = CBmpFile::Encode24(picture);
    const std::string& output = positional[1];
    if (!CFileBytes::WriteAtomically(output, bmp, error)) {
        m_err << "vemtctl: cannot write " << output << ": " << error << "\n";
        return kExitFailed;
    }
    m_out << output << ": " << picture.Width() << " x " << picture.Height() << " dots\n";
    return kExitOk;
}
