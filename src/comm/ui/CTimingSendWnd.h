#pragma once
// The full-screen window shown while timed sending runs: moving lines on black and
// "Timing Send(F12 to exit)" in grey at the bottom. Only F12 ends timing (StopRequested);
// the window cannot be closed otherwise until its owner allows it. The screen saver is
// held off while it is up.

#include "comm/CMovingLines.h"

#include <QImage>
#include <QWidget>

#include <memory>

class CScreenSaverInhibitor;
class QTimer;

class CTimingSendWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kStepMs = 50;

    explicit CTimingSendWnd(std::uint32_t seed = std::random_device {}(), QWidget* parent = nullptr);
    ~CTimingSendWnd() override;

    // The owner is done with the window: a close request is honoured from now on.
    void AllowClose() { m_bMayClose = true; }
    // The animation stops (and the screen saver may run again); the window stays.
    void StopAnimation();

    const CMovingLines& Lines() const { return m_lines; }
    const QImage& AnimationImage() const { return m_imgLines; }
    const QImage& CaptionImage() const { return m_imgCaption; }
    QTimer* StepTimer() const { return m_pTimer; }
    bool ScreenSaverInhibited() const;
    // One step of the animation; the 50 ms timer calls it.
    void Step();

signals:
    void StopRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void DrawXor(const CMovingLine& line);

    CMovingLines m_lines;
    QImage m_imgLines;    // the animation area, drawn in exclusive-or mode
    QImage m_imgCaption;  // the text, drawn once
    QTimer* m_pTimer = nullptr;
    std::unique_ptr<CScreenSaverInhibitor> m_pInhibitor;
    bool m_bMayClose = false;
};
