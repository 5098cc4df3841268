#include "editor/autosave/CAutosave.h"

#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "document/CDocumentFiles.h"
#include "document/CFileBytes.h"
#include "document/CKvxFile.h"
#include "document/CParFile.h"
#include "document/CVemtDoc.h"
#include "editor/CChildFrame.h"
#include "editor/CMainFrame.h"
#include "editor/CVemtView.h"
#include "editor/undo/CUndoHistory.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {
int IntervalSeconds(int requested)
{
    if (requested > 0) return requested;
    if (const char* env = std::getenv("VEMT_AUTOSAVE_SECONDS")) {
        const int seconds = std::atoi(env);
        if (seconds > 0 && seconds <= CAutosave::kIntervalSeconds) return seconds;
    }
    return CAutosave::kIntervalSeconds;
}

std::vector<CChildFrame*> ChildrenOf(CMainFrame& frame)
{
    std::vector<CChildFrame*> children;
    for (QMdiSubWindow* sub : frame.MdiArea()->subWindowList())
        if (auto* child = qobject_cast<CChildFrame*>(sub->widget())) children.push_back(child);
    return children;
}

std::string LockPathOf(const std::string& file) { return file + ".lock"; }
}  // namespace

CAutosave::CAutosave(CMainFrame& frame, CVemtApp& app, std::string directory, int intervalSeconds)
    : QObject(&frame), m_frame(frame), m_app(app), m_szDirectory(std::move(directory))
{
    m_saveTimer.setInterval(IntervalSeconds(intervalSeconds) * 1000);
    connect(&m_saveTimer, &QTimer::timeout, this, &CAutosave::SaveAll);
    m_saveTimer.start();
    // Saving shows within a second: the file of a document that is saved again goes.
    m_cleanTimer.setInterval(1000);
    connect(&m_cleanTimer, &QTimer::timeout, this, &CAutosave::RemoveUnmodified);
    m_cleanTimer.start();
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { SaveAll(); });
}

CAutosave::~CAutosave()
{
    // The program ends normally: every document was saved or given up by now.
    for (auto& entry : m_entries) {
        std::error_code ec;
        std::filesystem::remove(entry->m_szFile, ec);
    }
}

CRecoveryState CAutosave::StateOf(CChildFrame& child, const CVemtApp& app)
{
    CRecoveryState state;
    state.m_szDocPath = child.Files().GetPathName();
    state.m_szTitle = child.Files().GetTitle();
    state.m_kvxBytes = CKvxFile::WriteKvx(child.Document(), app);
    state.m_parBytes = CParFile::BuildBytes(app);
    return state;
}

CAutosave::Entry& CAutosave::EntryFor(CChildFrame* child)
{
    for (auto& entry : m_entries)
        if (entry->m_pKey == child) return *entry;
    auto entry = std::make_unique<Entry>();
    entry->m_child = child;
    entry->m_pKey = child;
    entry->m_szFile = m_szDirectory + "/" + std::to_string(::getpid()) + "-" + std::to_string(++m_nSerial) +
                      CRecoveryFile::kExtension;
    entry->m_pLock = std::make_unique<QLockFile>(QString::fromStdString(LockPathOf(entry->m_szFile)));
    entry->m_pLock->setStaleLockTime(0);
    connect(child, &QObject::destroyed, this, [this, child] { Forget(child); });
    m_entries.push_back(std::move(entry));
    return *m_entries.back();
}

void CAutosave::Forget(const CChildFrame* child)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if ((*it)->m_pKey != child) continue;
        std::error_code ec;
        std::filesystem::remove((*it)->m_szFile, ec);
        m_entries.erase(it);  // unlocks and removes the lock file
        return;
    }
}

bool CAutosave::Write(Entry& entry, const CRecoveryState& state)
{
    const std::vector<std::uint8_t> bytes = CRecoveryFile::Encode(state);
    if (bytes == entry.m_written) return true;
    std::error_code ec;
    std::filesystem::create_directories(m_szDirectory, ec);
    std::filesystem::permissions(m_szDirectory, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, ec);
    if (!entry.m_pLock->isLocked() && !entry.m_pLock->tryLock(0)) return false;
    std::string error;
    if (!CFileBytes::WriteAtomically(entry.m_szFile, bytes, error)) return false;
    entry.m_written = bytes;
    return true;
}

void CAutosave::SaveAll()
{
    for (CChildFrame* child : ChildrenOf(m_frame)) {
        if (!child->Document().IsModified()) continue;
        Write(EntryFor(child), StateOf(*child, m_app));
    }
    RemoveUnmodified();
}

void CAutosave::RemoveUnmodified()
{
    const std::vector<CChildFrame*> children = ChildrenOf(m_frame);
    std::vector<const CChildFrame*> gone;
    for (auto& entry : m_entries) {
        CChildFrame* child = entry->m_child.data();
        const bool open = child && std::find(children.begin(), children.end(), child) != children.end();
        if (!open || !child->Document().IsModified()) gone.push_back(entry->m_pKey);
    }
    for (const CChildFrame* child : gone) Forget(child);
}

std::string CAutosave::FileOf(const CChildFrame* child) const
{
    for (const auto& entry : m_entries)
        if (entry->m_pKey == child && !entry->m_written.empty()) return entry->m_szFile;
    return {};
}

std::vector<CChildFrame*> CAutosave::OfferRecovery(const std::function<ERecoveryChoice(const CRecoveryState&)>& ask,
                                                   IMessageSink& messages)
{
    std::vector<CChildFrame*> restored;
    for (const std::string& file : CRecoveryFile::List(m_szDirectory)) {
        // A file whose lock is held belongs to a copy of the program that is running.
        QLockFile lock(QString::fromStdString(LockPathOf(file)));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0)) continue;

        std::vector<std::uint8_t> bytes;
        std::string error;
        std::optional<CRecoveryState> state;
        if (CFileBytes::Read(file, CRecoveryFile::kMaxBytes, bytes, error) == CFileBytes::ReadResult::Ok)
            state = CRecoveryFile::Decode(bytes, error);
        auto setAside = [&](const std::string& why) {
            const std::string aside = file + CRecoveryFile::kDamagedExtension;
            std::error_code ec;
            std::filesystem::rename(file, aside, ec);
            messages.ShowMessage("The recovery file " + file + " cannot be read (" + why + "). It was kept as " +
                                     (ec ? file : aside) + ".",
                                 CDocumentFiles::kMessageCaption, MessageButtons::Ok, MessageIcon::Warning);
        };
        if (!state) {
            setAside(error);
            continue;
        }
        if (ask(*state) == ERecoveryChoice::Discard) {
            std::error_code ec;
            std::filesystem::remove(file, ec);
            continue;
        }

        CChildFrame* child = m_frame.NewDocumentWindow();
        CVemtDoc& doc = child->Document();
        const CKvxReadResult read = CKvxFile::ReadKvx(state->m_kvxBytes, doc, m_app, state->m_szTitle);
        if (!read.Ok()) {
            child->parentWidget()->close();
            setAside(read.m_szMessage.empty() ? "the message in it is not sound" : read.m_szMessage);
            continue;
        }
        if (!state->m_parBytes.empty())
            CParFile::ParseBytes(state->m_parBytes.data(), state->m_parBytes.size(), m_app);
        if (!state->m_szDocPath.empty()) child->Files().SetPathName(state->m_szDocPath, false);
        doc.SetModifiedFlag(true);
        // No state of its history is the saved one: undoing back to the restored state
        // must not make the document look saved.
        CUndoHistory::Of(doc).Stack().resetClean();
        child->UpdateTitle();
        child->View()->RenderCanvas();
        // The restored state is safe in the new file before the old one goes.
        Entry& entry = EntryFor(child);
        if (Write(entry, StateOf(*child, m_app))) {
            std::error_code ec;
            std::filesystem::remove(file, ec);
        }
        restored.push_back(child);
    }
    return restored;
}

int StartAutosave(CMainFrame& frame, CVemtApp& app, IMessageSink& messages)
{
    auto* autosave = new CAutosave(frame, app);
    autosave->setObjectName(QStringLiteral("autosave"));
    const auto ask = [](const CRecoveryState& state) {
        const QString name = state.m_szDocPath.empty()
                                 ? QStringLiteral("a new message, never saved")
                                 : QString::fromStdString(state.m_szDocPath);
        QMessageBox box(QMessageBox::Question, QString::fromLatin1(CAutosave::kRestoreCaption),
                        QString::fromLatin1(CAutosave::kRestoreQuestion).arg(name));
        QPushButton* restore = box.addButton(QString::fromLatin1(CAutosave::kRestoreButton), QMessageBox::AcceptRole);
        box.addButton(QString::fromLatin1(CAutosave::kDiscardButton), QMessageBox::RejectRole);
        box.setDefaultButton(restore);
        box.exec();
        return box.clickedButton() == restore ? ERecoveryChoice::Restore : ERecoveryChoice::Discard;
    };
    return int(autosave->OfferRecovery(ask, messages).size());
}
