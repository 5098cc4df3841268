#include "document/CDocumentFiles.h"

#include "app/CVemtApp.h"
#include "app/EditorState.h"
#include "app/IMessageSink.h"
#include "document/CDrawObj.h"
#include "document/CFileBytes.h"
#include "document/CKvxFile.h"
#include "document/CParFile.h"
#include "document/CVemtDoc.h"
#include "document/IDrawView.h"
#include "programme/CScreenInfoTable.h"

#include <cstdio>

namespace {
std::string FileNameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

CFileDialogParams KvxDialogParams()
{
    CFileDialogParams params;
    params.m_szDefaultExt = "*.KVX";
    params.m_szInitialName = "*.KVX";
    params.m_szFilter = "VazuVida (*.KVX)|*.KVX|";
    params.m_szQtFilter = "VazuVida (*.KVX)";
    params.m_bHideReadOnly = true;
    return params;
}
}  // namespace

CFileDialogParams CDocumentFiles::SaveDialogParams()
{
    CFileDialogParams params = KvxDialogParams();
    params.m_bOverwritePrompt = true;
    return params;
}

CFileDialogParams CDocumentFiles::OpenDialogParams()
{
    CFileDialogParams params = KvxDialogParams();
    params.m_bFileMustExist = true;
    return params;
}

CDocumentFiles::CDocumentFiles(CVemtDoc& doc, CVemtApp& app, IMessageSink& messages,
                               IFileDialogs& dialogs, const std::string& frameworkTitle)
    : m_doc(doc), m_app(app), m_messages(messages), m_dialogs(dialogs), m_szTitle(frameworkTitle)
{
}

void CDocumentFiles::SetPathName(const std::string& path, bool addToRecent)
{
    m_szPathName = path;
    m_szTitle = FileNameOf(path);
    if (addToRecent && m_fnAddToRecent) m_fnAddToRecent(path);
}

std::string CDocumentFiles::DisplayTitle(const std::string& title)
{
    if (title == "Kvx.111" || title == kNewDocumentTitle) return kAppTitle;
    return std::string(kAppTitle) + "(" + title + ")";
}

std::string CDocumentFiles::GetParPath() const
{
    return CParFile::GetParPath(m_szPathName);
}

bool CDocumentFiles::WriteFiles()
{
    const std::vector<std::uint8_t> bytes = CKvxFile::WriteKvx(m_doc, m_app);
    std::string reason;
    if (!CFileBytes::WriteAtomically(m_szPathName, bytes, reason)) {
        m_szLastError = "Failed to save the file " + m_szPathName + " (" + reason + ").";
        m_messages.ShowMessage(m_szLastError, kMessageCaption, MessageButtons::Ok,
                               MessageIcon::Error);
        return false;
    }
    m_doc.OnSaved();
    // A companion that cannot be written is left out: the document itself is saved.
    CParFile::WriteParFile(m_szPathName, m_doc.GetScreenCount(), m_app);
    return true;
}

bool CDocumentFiles::SaveDoc()
{
    m_szLastError.clear();
    if (m_szPathName.empty() || FileNameOf(m_szPathName) == kPlaceholderName) {
        const auto chosen = m_dialogs.GetSavePath(SaveDialogParams());
        if (!chosen) return false;
        SetPathName(*chosen, true);
    }
    return WriteFiles();
}

bool CDocumentFiles::SaveDocAs()
{
    m_szLastError.clear();
    const auto chosen = m_dialogs.GetSavePath(SaveDialogParams());
    if (!chosen) return false;
    SetPathName(*chosen, true);
    return WriteFiles();
}

bool CDocumentFiles::OpenDocCmd()
{
    const auto chosen = m_dialogs.GetOpenPath(OpenDialogParams());
    if (!chosen) return false;
    return LoadFromPath(*chosen);
}

bool CDocumentFiles::LoadFromPath(const std::string& path)
{
    return Load(path, false);
}

bool CDocumentFiles::OnOpenDocument(const std::string& path)
{
    Load(path, true);
    return true;
}

bool CDocumentFiles::Load(const std::string& path, bool byFramework)
{
    m_szLastError.clear();
    // A file that cannot be taken leaves the cleared document without its name: a later
    // Save must not overwrite the very file the user may still recover, and a file that
    // did not open has no place among the recent files. The window keeps its title.
    const std::string previousTitle = m_szTitle;
    if (!ClearDocument(!byFramework)) return false;
    const auto failed = [&] {
        m_szTitle = previousTitle;
        return false;
    };

    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (CFileBytes::Read(path, CKvxFile::kMaxFileBytes, bytes, reason) != CFileBytes::ReadResult::Ok) {
        m_szLastError = "Cannot open the file " + path + " (" + reason + ").";
        m_messages.ShowMessage(m_szLastError, kMessageCaption, MessageButtons::Ok, MessageIcon::Error);
        return failed();
    }

    const CKvxReadResult result = CKvxFile::ReadKvx(bytes, m_doc, m_app, path);
    if (result.m_code == CKvxReadResult::Code::BadSignature) {
        m_szLastError = kBadSignature;
        if (byFramework || !m_bTimingSend)
            m_messages.ShowMessage(kBadSignature, kMessageCaption, MessageButtons::Ok,
                                   MessageIcon::None);
        return failed();
    }
    if (!result.Ok()) {
        m_szLastError = result.m_szMessage;
        m_messages.ShowMessage(result.m_szMessage, kMessageCaption, MessageButtons::Ok,
                               MessageIcon::Error);
        return failed();
    }
    SetPathName(path, true);
    m_doc.SetModifiedFlag(false);
    if (!byFramework) RenderViews();
    CParFile::ReadParFile(path, m_app);
    return true;
}

bool CDocumentFiles::ClearDocument(bool render)
{
    if (m_doc.IsModified()) {
        switch (m_messages.ShowMessage(kSaveQuestion, kClearCaption, MessageButtons::YesNoCancel,
                                       MessageIcon::Question)) {
        case MessageAnswer::Cancel: return false;
        case MessageAnswer::Yes: SaveDoc(); break;  // a failed save still clears
        default: m_doc.SetModifiedFlag(false); break;
        }
    }
    // Views drop their selection first, so none points at a destroyed object.
    for (IDrawView* view : m_doc.GetViews())
        for (CDrawObj* obj : m_doc.m_objects) view->OnObjectRemoved(obj);
    m_doc.DeleteAllObjects();
    g_nToolShape = 0;
    g_nDrawMode = kDrawModeSelect;
    SetPathName(kPlaceholderName, false);
    g_rcUpdate.SetRectEmpty();
    if (render) RenderViews();
    m_doc.SetModifiedFlag(false);
    CScreenInfoTable(m_app).Free();
    return true;
}

bool CDocumentFiles::SaveModified()
{
    if (!m_doc.IsModified()) return true;
    const MessageAnswer answer = m_messages.ShowMessage(kSaveQuestion, kCloseCaption,
                                                        MessageButtons::YesNoCancel,
                                                        MessageIcon::Question);
    if (answer == MessageAnswer::Cancel) return false;
    if (answer == MessageAnswer::Yes) SaveDoc();
    m_doc.SetModifiedFlag(false);
    return true;
}

void CDocumentFiles::RenderViews()
{
    for (IDrawView* view : m_doc.GetViews()) view->RenderCanvas();
}
