#include "cli/CExportCommand.h"

#include "app/CVemtApp.h"
#include "cli/CliDocument.h"
#include "cli/ParseInt.h"
#include "document/CBmpFile.h"
#include "document/CCanvasExport.h"
#include "document/CFileBytes.h"
#include "document/CVemtDoc.h"

#include <CLI/App.hpp>

#include <optional>
#include <ostream>

const char* CExportCommand::Synopsis() const
{
    return "export FILE.KVX OUT.bmp | --text TEXT [compose options] OUT.bmp [--screen N] [sign options]";
}

const char* CExportCommand::Description() const
{
    return "Renders the document at one pixel per dot, as the editor exports it, into a 24-bit\n"
           "    bitmap: the whole canvas (W x N*H dots), or with --screen N only screen N (from 1).\n"
           "    With --text TEXT instead of FILE.KVX the message is composed as \"compose\" would\n"
           "    write it, so a script can look at the dots before sending them.";
}

void CExportCommand::AddOptions(CLI::App& command)
{
    command.add_option("files", m_aFiles, "the document to render and the bitmap to write")
        ->type_name("FILE.KVX OUT.bmp");
    m_pScreen = command.add_option("--screen", m_szScreen, "only this screen, from 1")->type_name("N");
    m_pText = command.add_option("--text", m_szText, "render this text, composed as \"compose\" does, instead of a file")
                  ->type_name("TEXT");
    m_composeOptions.AddTo(command);
    m_signOptions.AddTo(command);
}

int CExportCommand::Run()
{
    std::ostream& err = m_context.m_err;
    const bool composed = m_pText->count() > 0;
    if (m_aFiles.size() != (composed ? 1u : 2u)) {
        err << "vemtctl export: needs FILE.KVX and OUT.bmp, or --text TEXT and OUT.bmp; usage: " << Synopsis()
            << "\n";
        return kCliExitUsage;
    }
    std::optional<int> screen;
    if (m_pScreen->count() > 0) {
        screen = ParseInt(m_szScreen);
        if (!screen) {
            err << "vemtctl export: --screen needs a whole number, not \"" << m_szScreen << "\"\n";
            return kCliExitUsage;
        }
    }

    CVemtApp app;
    if (!m_signOptions.Resolve(m_context, app)) return kCliExitUsage;
    if (screen && (*screen < 1 || *screen > app.m_nTotalScreen)) {
        err << "vemtctl export: --screen must be 1 to " << app.m_nTotalScreen << ", not " << *screen << "\n";
        return kCliExitUsage;
    }

    CVemtDoc doc(&app);
    if (composed) {
        std::string text;
        if (!CComposeOptions::ReadText(m_context, m_szText, text, Name())) return kCliExitUsage;
        const int status = m_composeOptions.Compose(m_context, text, doc, app, Name());
        if (status != kCliExitOk) return status;
    } else if (!LoadDocumentFile(m_context, m_aFiles[0], doc, app)) {
        return kCliExitFailed;
    }

    const CRasterSurface picture = screen ? CCanvasExport::RenderScreen(doc, app, *screen - 1)
                                          : CCanvasExport::RenderCanvas(doc, app);
    const std::vector<std::uint8_t> bmp = CBmpFile::Encode24(picture);
    const std::string& output = m_aFiles.back();
    std::string error;
    if (!CFileBytes::WriteAtomically(output, bmp, error)) {
        err << "vemtctl: cannot write " << output << ": " << error << "\n";
        return kCliExitFailed;
    }
    m_context.m_out << output << ": " << picture.Width() << " x " << picture.Height() << " dots\n";
    return kCliExitOk;
}
