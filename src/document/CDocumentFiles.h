#pragma once
// Opening, saving, clearing and closing a document: the path and title the document
// carries, the questions asked before its content is dropped, the document file and its
// companion settings file. Works on a CVemtDoc and the application state it travels with.

#include "document/IFileDialogs.h"

#include <functional>
#include <string>

class CVemtApp;
class CVemtDoc;
class IMessageSink;

class CDocumentFiles {
public:
    // The texts the user sees.
    static constexpr const char* kPlaceholderName = "KVX.111";
    static constexpr const char* kNewDocumentTitle = "Vemt1";
    static constexpr const char* kAppTitle = "LED Lextrel Software";
    static constexpr const char* kAppTitleFormat = "LED Lextrel Software(%s)";
    static constexpr const char* kSaveQuestion = "The file has been changed,Save it ot not?";
    static constexpr const char* kClearCaption = "Please confirm";
    static constexpr const char* kCloseCaption = "Exit-Please Confirm";
    static constexpr const char* kBadSignature =
        "Sorry,the file be opened isn't created by this program!";
    static constexpr const char* kMessageCaption = "Vemt";

    // The dialog parameters of the save and open commands.
    static CFileDialogParams SaveDialogParams();
    static CFileDialogParams OpenDialogParams();

    CDocumentFiles(CVemtDoc& doc, CVemtApp& app, IMessageSink& messages, IFileDialogs& dialogs,
                   const std::string& frameworkTitle = kNewDocumentTitle);

    const std::string& GetPathName() const { return m_szPathName; }
    // The path and the title that follows from it (its file name); addToRecent enters
    // the path in the recent-file list.
    void SetPathName(const std::string& path, bool addToRecent = true);
    // The title the framework gives, and the one the window shows for it.
    void SetTitle(const std::string& title) { m_szTitle = title; }
    const std::string& GetTitle() const { return m_szTitle; }
    std::string GetDisplayTitle() const { return DisplayTitle(m_szTitle); }
    static std::string DisplayTitle(const std::string& title);

    // The companion settings file of the current path.
    std::string GetParPath() const;

    // File Save: asks for a name when the document has none (or only the placeholder).
    bool SaveDoc();
    // File Save As: always asks for a name; cancelling does nothing.
    bool SaveDocAs();
    // File Open on an active document: the open dialog, then LoadFromPath.
    bool OpenDocCmd();
    // Loads a file into this document, replacing its content (after asking to save a
    // modified one). False when the user cancelled or the file could not be taken.
    bool LoadFromPath(const std::string& path);
    // Opening by the framework (recent files, shell, drag-and-drop, File Open with no
    // document): no rendering, the signature message always shown, and always true, so
    // that a window opens even for a file that is not ours.
    bool OnOpenDocument(const std::string& path);

    // Clear: asks about a modified document ("Please confirm"; Yes saves first, Cancel
    // stops and gives false), then removes and destroys every object, returns to select
    // mode, sets the placeholder path, frees the per-screen settings and, if asked,
    // renders the views.
    bool ClearDocument(bool render);

    // Before the document's window closes or the program ends: asks about a modified
    // document ("Exit-Please Confirm"). False only for Cancel; Yes saves first whatever
    // the save's outcome.
    bool SaveModified();

    // While timed sending runs the signature message of LoadFromPath is not shown.
    bool m_bTimingSend = false;
    // Told of every path that enters the recent-file list.
    std::function<void(const std::string&)> m_fnAddToRecent;

    // What the last failed save or load said; empty after a success.
    const std::string& LastError() const { return m_szLastError; }

private:
    bool Load(const std::string& path, bool byFramework);
    bool WriteFiles();
    void RenderViews();

    CVemtDoc& m_doc;
    CVemtApp& m_app;
    IMessageSink& m_messages;
    IFileDialogs& m_dialogs;
    std::string m_szPathName;
    std::string m_szTitle;
    std::string m_szLastError;
};
