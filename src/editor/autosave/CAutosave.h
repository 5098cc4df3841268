#pragma once
// Never losing a message: while a document has unsaved changes its state goes to a
// recovery file every minute (and when the desktop session asks the program to quit),
// replaced in one step like a save. Saving the document, or closing it without saving,
// removes the file; a crash leaves it for the next start, which offers to restore it.
//
// Each recovery file is held by a lock file while its program runs, so a second running
// copy of the program never offers (or removes) the first one's files.

#include "editor/autosave/CRecoveryFile.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CChildFrame;
class CMainFrame;
class CVemtApp;
class IMessageSink;
class QLockFile;

enum class ERecoveryChoice { Restore, Discard };

class CAutosave : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalSeconds = 60;
    // The question before the first window, and its buttons.
    static constexpr const char* kRestoreQuestion =
        "A message was not saved when the program last ended: %1\nRestore it?";
    static constexpr const char* kRestoreCaption = "Restore unsaved message";
    static constexpr const char* kRestoreButton = "Restore";
    static constexpr const char* kDiscardButton = "Discard";

    // intervalSeconds 0: the program's own interval (VEMT_AUTOSAVE_SECONDS may shorten it
    // for testing the recovery from outside).
    CAutosave(CMainFrame& frame, CVemtApp& app, std::string directory = CRecoveryFile::Directory(),
              int intervalSeconds = 0);
    ~CAutosave() override;

    // What a document would save now.
    static CRecoveryState StateOf(CChildFrame& child, const CVemtApp& app);

    // Writes the state of every document with unsaved changes that changed since it was
    // last written, and removes the files of documents that no longer have any.
    void SaveAll();

    // Offers each recovery file left by a program that is no longer running. A restored
    // document opens in a new window, modified, with its original path for Save; its
    // state is written again at once, then the old file goes. A damaged file is
    // reported and renamed aside (".damaged"), never deleted. Returns the windows opened.
    std::vector<CChildFrame*> OfferRecovery(
        const std::function<ERecoveryChoice(const CRecoveryState&)>& ask, IMessageSink& messages);

    // The recovery file of a document; empty when it has none.
    std::string FileOf(const CChildFrame* child) const;
    const std::string& DirectoryPath() const { return m_szDirectory; }

private:
    struct Entry {
        QPointer<CChildFrame> m_child;
        const CChildFrame* m_pKey = nullptr;
        std::string m_szFile;
        std::unique_ptr<QLockFile> m_pLock;
        std::vector<std::uint8_t> m_written;
    };
    Entry& EntryFor(CChildFrame* child);
    void Forget(const CChildFrame* child);
    void RemoveUnmodified();
    bool Write(Entry& entry, const CRecoveryState& state);

    CMainFrame& m_frame;
    CVemtApp& m_app;
    std::string m_szDirectory;
    std::vector<std::unique_ptr<Entry>> m_entries;
    int m_nSerial = 0;
    QTimer m_saveTimer;
    QTimer m_cleanTimer;
};

// Starts the autosave for the main frame and, before its first window, offers what a
// crash left behind (message boxes). Returns how many documents were restored.
int StartAutosave(CMainFrame& frame, CVemtApp& app, IMessageSink& messages);
