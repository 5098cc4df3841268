#include "document/ui/CQtFileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace {

std::optional<std::string> Run(QWidget* owner, const CFileDialogParams& params, bool save)
{
    QFileDialog dialog(owner);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile
                            : (params.m_bFileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setNameFilter(QString::fromStdString(params.m_szQtFilter));
    QString ext = QString::fromStdString(params.m_szDefaultExt);
    ext.remove(QStringLiteral("*.")).remove(QLatin1Char('.'));
    if (!ext.isEmpty()) dialog.setDefaultSuffix(ext);
    if (!params.m_szInitialName.empty()) dialog.selectFile(QString::fromStdString(params.m_szInitialName));
    if (!params.m_bOverwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::optional<std::string> CQtFileDialogs::GetSavePath(const CFileDialogParams& params)
{
    return Run(m_pOwner, params, true);
}

std::optional<std::string> CQtFileDialogs::GetOpenPath(const CFileDialogParams& params)
{
    return Run(m_pOwner, params, false);
}
