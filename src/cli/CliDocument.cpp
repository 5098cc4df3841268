#include "cli/CliDocument.h"

#include "app/CVemtApp.h"
#include "app/EditorProfile.h"
#include "app/EditorState.h"
#include "cli/CCliContext.h"
#include "document/CDocumentFiles.h"
#include "document/CFileBytes.h"
#include "document/CKvxFile.h"
#include "document/CVemtDoc.h"
#include "text/CCodePage.h"

#include <ostream>

bool LoadDocumentFile(const CCliContext& context, const std::string& path, CVemtDoc& doc, CVemtApp& app)
{
    // Text layout follows the same profile values the canvas view reads.
    ResetEditorState();
    LoadRowPitchSettings(context.m_profile);
    CCodePage::LoadAnsiCodePage(context.m_profile);

    std::vector<std::uint8_t> bytes;
    std::string error;
    if (CFileBytes::Read(path, CKvxFile::kMaxFileBytes, bytes, error) != CFileBytes::ReadResult::Ok) {
        context.m_err << "vemtctl: cannot read " << path << ": " << error << "\n";
        return false;
    }
    const CKvxReadResult result = CKvxFile::ReadKvx(bytes, doc, app, path);
    if (result.m_code == CKvxReadResult::Code::BadSignature) {
        context.m_err << "vemtctl: " << path << ": " << CDocumentFiles::kBadSignature << "\n";
        return false;
    }
    if (!result.Ok()) {
        context.m_err << "vemtctl: " << result.m_szMessage << "\n";
        return false;
    }
    return true;
}
