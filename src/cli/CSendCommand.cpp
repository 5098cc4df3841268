#include "cli/CSendCommand.h"

#include "app/CVemtApp.h"
#include "cli/CStreamMessageSink.h"
#include "cli/CTextProgress.h"
#include "cli/CliDocument.h"
#include "cli/CliPort.h"
#include "comm/CSendFileCommand.h"
#include "document/CParFile.h"
#include "document/CVemtDoc.h"

#include <CLI/App.hpp>

#include <ostream>

const char* CSendCommand::Synopsis() const
{
    return "send FILE.KVX | --text TEXT [compose options] --port DEV --address LIST [sign options]";
}

const char* CSendCommand::Description() const
{
    return "Sends the document to the signs of LIST (as in the editor: 3 or 1,2,7 or 0 for all)\n"
           "    through the serial device DEV (a path such as /dev/ttyUSB0, rfc2217://HOST:PORT for a\n"
           "    serial device server, or COM1 / COM2 for the devices chosen in the editor).\n"
           "    Progress goes to stderr; the exit status is 0 only when every addressed sign took\n"
           "    the message. With --text TEXT instead of a file the message is composed as\n"
           "    \"compose\" would write it (\"-\": standard input).";
}

void CSendCommand::AddOptions(CLI::App& command)
{
    command.add_option("file", m_aFiles, "the document to send")->type_name("FILE.KVX");
    m_pText = command.add_option("--text", m_szText, "send this text, composed as \"compose\" does, instead of a file")
                  ->type_name("TEXT");
    m_composeOptions.AddTo(command);
    command.add_option("--port", m_szPort, kPortOptionHelp)
        ->type_name("DEV");
    command.add_option("--address", m_szAddresses, "sign addresses: 3 or 1,2,7 or 0 for all")->type_name("LIST");
    m_signOptions.AddTo(command);
}

int CSendCommand::Run()
{
    std::ostream& err = m_context.m_err;
    const bool composed = m_pText->count() > 0;
    if (m_aFiles.size() != (composed ? 0u : 1u) || m_szPort.empty() || m_szAddresses.empty()) {
        err << "vemtctl send: needs FILE.KVX or --text TEXT, and --port and --address; usage: " << Synopsis()
            << "\n";
        return kCliExitUsage;
    }

    CVemtApp app;
    if (!m_signOptions.Resolve(m_context, app)) return kCliExitUsage;
    const std::string device = ResolvePortDevice(m_context, m_szPort);

    const std::string input = composed ? std::string("the text") : m_aFiles[0];
    CVemtDoc doc(&app);
    if (composed) {
        std::string text;
        if (!CComposeOptions::ReadText(m_context, m_szText, text, Name())) return kCliExitUsage;
        const int status = m_composeOptions.Compose(m_context, text, doc, app, Name());
        if (status != kCliExitOk) return status;
    } else {
        if (!LoadDocumentFile(m_context, input, doc, app)) return kCliExitFailed;
        // The display settings of the screens travel in the companion file.
        CParFile::ReadParFile(input, app);
    }

    CStreamMessageSink messages(err);
    CTextProgress progress(err);
    const int status = RunSendCommand(doc, app, device, m_szAddresses, messages, &progress);
    if (status == kSendAllDelivered) m_context.m_out << input << ": sent to " << m_szAddresses << "\n";
    return status == kSendAllDelivered ? kCliExitOk : (status == kSendNothingSent ? kCliExitUsage : kCliExitFailed);
}
