#pragma once
// The file dialogs the document's open and save commands show. The editor implements
// them with its own dialogs; tests answer them directly.

#include <optional>
#include <string>

struct CFileDialogParams {
    std::string m_szDefaultExt;   // as given to the dialog, e.g. "*.KVX"
    std::string m_szInitialName;  // the name field's first text
    std::string m_szFilter;       // the filter in "text|pattern|" pairs
    std::string m_szQtFilter;     // the same filter the way a Qt file dialog takes it
    bool m_bHideReadOnly = true;
    bool m_bOverwritePrompt = false;  // save: ask before replacing a file
    bool m_bFileMustExist = false;    // open: only existing files
};

class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // The chosen path, or none when the user cancelled.
    virtual std::optional<std::string> GetSavePath(const CFileDialogParams& params) = 0;
    virtual std::optional<std::string> GetOpenPath(const CFileDialogParams& params) = 0;
};
