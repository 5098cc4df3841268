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
    return "export FILE.KVX OUT.bmp [--screen N] [sign options]";
}

const char* CExportCommand::Description() const
{
    return "Renders the document at one pixel per dot, as the editor exports it, into a 24-bit\n"
           "    bitmap: the whole canvas (W x N*H dots), or with --screen N only screen N (from 1).";
}

void CExportCommand::AddOptions(CLI::App& command)
{
    command.add_option("files", m_aFiles, "the document to render and the bitmap to write")
        ->type_name("FILE.KVX OUT.bmp");
    m_pScreen = command.add_option("--screen", m_szScreen, "only this screen, from 1")->type_name("N");
    m_signOptions.AddTo(command);
}

int CExportCommand::Run()
{
    std::ostream& err = m_context.m_err;
    if (m_aFiles.size() != 2) {
        err << "vemtctl export: needs FILE.KVX and OUT.bmp; usage: " << Synopsis() << "\n";
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

    const std::string& input = m_aFiles[0];
    CVemtDoc doc(&app);
    if (!LoadDocumentFile(m_context, input, doc, app)) return kCliExitFailed;

    const CRasterSurface picture = screen ? CCanvasExport::RenderScreen(doc, app, *screen - 1)
                                          : CCanvasExport::RenderCanvas(doc, app);
    const std::vector<std::uint8_t> bmp = CBmpFile::Encode24(picture);
    const std::string& output = m_aFiles[1];
    std::string error;
    if (!CFileBytes::WriteAtomically(output, bmp, error)) {
        err << "vemtctl: cannot write " << output << ": " << error << "\n";
        return kCliExitFailed;
    }
    m_context.m_out << output << ": " << picture.Width() << " x " << picture.Height() << " dots\n";
    return kCliExitOk;
}
