#include "cli/CComposeCommand.h"

#include "app/CVemtApp.h"
#include "document/CFileBytes.h"
#include "document/CKvxFile.h"
#include "document/CParFile.h"
#include "document/CVemtDoc.h"

#include <CLI/App.hpp>

#include <ostream>

const char* CComposeCommand::Synopsis() const
{
    return "compose OUT.KVX TEXT [compose options] [sign options]";
}

const char* CComposeCommand::Description() const
{
    return "Writes a document (and its .par companion) holding TEXT as one text object, made\n"
           "    as the editor's character tool makes it at --at X,Y (default 0,0) with the\n"
           "    profile's text defaults or --face, --size, --bold, --charset, --colour, ...;\n"
           "    --import, --export, --speed, --append, --pause and --cartoon set the display of\n"
           "    the screens the text is on. TEXT is UTF-8 with \\n and \\t escapes, or - for\n"
           "    standard input. Characters the character set cannot store are refused (exit 2).\n"
           "    \"vemtctl compose --help\" lists the compose options.";
}

void CComposeCommand::AddOptions(CLI::App& command)
{
    command.add_option("arguments", m_aArguments, "the document to write and the text ('-': standard input)")
        ->type_name("OUT.KVX TEXT");
    m_composeOptions.AddTo(command);
    m_signOptions.AddTo(command);
}

int CComposeCommand::Run()
{
    std::ostream& err = m_context.m_err;
    if (m_aArguments.size() != 2) {
        err << "vemtctl compose: needs OUT.KVX and TEXT; usage: " << Synopsis() << "\n";
        return kCliExitUsage;
    }
    CVemtApp app;
    if (!m_signOptions.Resolve(m_context, app)) return kCliExitUsage;
    std::string text;
    if (!CComposeOptions::ReadText(m_context, m_aArguments[1], text, Name())) return kCliExitUsage;

    CVemtDoc doc(&app);
    const int status = m_composeOptions.Compose(m_context, text, doc, app, Name());
    if (status != kCliExitOk) return status;

    const std::string& output = m_aArguments[0];
    std::string error;
    if (!CFileBytes::WriteAtomically(output, CKvxFile::WriteKvx(doc, app), error)) {
        err << "vemtctl: cannot write " << output << ": " << error << "\n";
        return kCliExitFailed;
    }
    const std::string par = CParFile::GetParPath(output);
    if (CParFile::WriteParFile(output, doc.GetScreenCount(), app) != ParResult::Ok) {
        err << "vemtctl: cannot write " << par << "\n";
        return kCliExitFailed;
    }
    m_context.m_out << output << ": " << doc.GetScreenCount() << " screen" << (doc.GetScreenCount() == 1 ? "" : "s")
                    << ", settings in " << par << "\n";
    return kCliExitOk;
}
