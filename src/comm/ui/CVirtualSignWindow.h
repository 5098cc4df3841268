#pragma once
// What the built-in sign shows: every screen of its last message, dot for dot, magnified
// on black, with the screen number and the sign's address. "Play" runs the message the
// way the sign plays it (entries, holds and exits by its received settings), in place of
// the still screens, until it is pressed again.

#include <QImage>
#include <QWidget>

#include <memory>

class CDotDisplay;
class CPreviewClockPainter;
class CPreviewPacer;
class CPreviewPlayer;
class CVirtualSign;
class QLabel;
class QPushButton;
class QScrollArea;

class CVirtualSignWindow : public QWidget {
    Q_OBJECT
public:
    explicit CVirtualSignWindow(CVirtualSign& sign, QWidget* parent = nullptr);
    ~CVirtualSignWindow() override;

    // Reads the sign's message again (done by itself after every message it receives).
    void Refresh();

    // The message as received: one pixel per dot in the sign's colours, screens stacked.
    const QImage& Screens() const { return m_imgScreens; }
    int ScreenCount() const { return m_nScreens; }
    int ScreenHeight() const { return m_nScreenHeight; }
    int DotPitch() const { return m_nPitch; }
    QLabel* HeaderLabel() const { return m_pHeader; }
    QPushButton* PlayButton() const { return m_pPlay; }
    CDotDisplay* PlayDisplay() const { return m_pPlayDisplay; }
    bool IsPlaying() const;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void SetPlaying(bool on);
    void StartPlay();
    void StopPlay();

    class CDotView;

    CVirtualSign& m_sign;
    int m_nListener = 0;
    QImage m_imgScreens;
    int m_nScreens = 0;
    int m_nScreenHeight = 0;
    int m_nPitch = 4;
    QSize m_sizeShown;
    QLabel* m_pHeader = nullptr;
    QScrollArea* m_pScroll = nullptr;
    CDotView* m_pDots = nullptr;
    QPushButton* m_pPlay = nullptr;
    CDotDisplay* m_pPlayDisplay = nullptr;
    QScrollArea* m_pPlayScroll = nullptr;
    std::unique_ptr<CPreviewClockPainter> m_pClockPainter;
    std::unique_ptr<CPreviewPlayer> m_pPlayer;
    CPreviewPacer* m_pPacer = nullptr;
};

// The process's virtual sign window, made on first use, shown and raised.
CVirtualSignWindow* ShowVirtualSignWindow(QWidget* parent);
