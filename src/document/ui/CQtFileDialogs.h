#pragma once
// The open and save dialogs of the document commands, as the toolkit's file dialogs.

#include "document/IFileDialogs.h"

class QWidget;

class CQtFileDialogs : public IFileDialogs {
public:
    explicit CQtFileDialogs(QWidget* owner) : m_pOwner(owner) {}
    std::optional<std::string> GetSavePath(const CFileDialogParams& params) override;
    std::optional<std::string> GetOpenPath(const CFileDialogParams& params) override;

private:
    QWidget* m_pOwner;
};
