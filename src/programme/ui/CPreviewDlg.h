#pragma once
// "Preview": plays the document's screens the way the sign shows them, one after the
// other and round again, until the window is closed. Beyond one window pixel per dot the
// preview can be zoomed (x1, x2, x4, x8, kept in the profile) so that a small sign can be
// seen large; from x4 on its dots are drawn as LEDs.

#include <QDialog>

#include <array>
#include <memory>

class CDotDisplay;
class CPreviewClockPainter;
class CPreviewPacer;
class CPreviewPlayer;
class CVemtApp;
class CVemtDoc;
class IProfile;
class QActionGroup;
class QPushButton;

class CPreviewDlg : public QDialog {
    Q_OBJECT
public:
    CPreviewDlg(CVemtApp& app, const CVemtDoc& doc, IProfile& profile, QWidget* parent = nullptr);
    ~CPreviewDlg() override;

    static constexpr std::array<int, 4> kZooms = {1, 2, 4, 8};
    // The profile's zoom, 1 for anything not offered.
    static int LoadZoom(const IProfile& profile);

    int Zoom() const;
    // Resizes the window around the display and keeps the choice in the profile.
    void SetZoom(int zoom);

    CDotDisplay* Display() const { return m_pDisplay; }
    QPushButton* CloseButton() const { return m_pClose; }
    CPreviewPlayer& Player() const { return *m_pPlayer; }
    CPreviewPacer* Pacer() const { return m_pPacer; }
    // Play has begun (100 ms after the window opened) and has not been stopped.
    bool IsPlaying() const;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void Stop();
    void Layout(bool recentre);

    IProfile& m_profile;
    int m_nWidth;
    int m_nHeight;
    std::unique_ptr<CPreviewClockPainter> m_pClockPainter;
    std::unique_ptr<CPreviewPlayer> m_pPlayer;
    CPreviewPacer* m_pPacer = nullptr;
    CDotDisplay* m_pDisplay = nullptr;
    QPushButton* m_pClose = nullptr;
    QActionGroup* m_pZoomActions = nullptr;
    bool m_bStopped = false;
};
