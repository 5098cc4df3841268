#pragma once
// Plays a preview player in real time from the event loop: one precise single-shot
// timer, re-armed after every frame for the time left until the next frame is due on a
// steady clock. The GUI thread is never blocked and nothing spins; stopping only stops
// the timer, so it takes effect before the next step.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

class CPreviewPlayer;
class CPreviewSchedule;
class CRasterSurface;

class CPreviewPacer : public QObject {
    Q_OBJECT
public:
    explicit CPreviewPacer(CPreviewPlayer& player, QObject* parent = nullptr);
    ~CPreviewPacer() override;

    // Play begins now: the first frame is shown at once.
    void Start();
    void Stop();
    bool IsRunning() const { return m_bRunning; }

    const CRasterSurface* Picture() const;

    // Told after every frame shown: how long after its due time it was shown (µs).
    std::function<void(std::int64_t dueUs, std::int64_t shownUs)> m_fnOnFrame;

signals:
    void FrameShown(const CRasterSurface& picture);

private:
    void Tick();

    std::unique_ptr<CPreviewSchedule> m_pSchedule;
    QTimer m_timer;
    QElapsedTimer m_clock;  // monotonic
    bool m_bRunning = false;
};
