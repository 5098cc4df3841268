#pragma once
// Plays a preview player in real time from the event loop. Each frame's due time is an
// absolute point on the monotonic clock (start + the nominal waits before it), and the
// wake-up is set for exactly that point: a Linux timer file descriptor watched by the
// event loop, to the microsecond, with a millisecond Qt timer where none can be made.
// The GUI thread is never blocked and nothing spins; stopping disarms the timer, so it
// takes effect before the next step.

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class CPreviewPlayer;
class CPreviewSchedule;
class CRasterSurface;
class QSocketNotifier;
class QTimer;

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

    // Told after every frame shown: when it was due and when it was shown (µs from start).
    std::function<void(std::int64_t dueUs, std::int64_t shownUs)> m_fnOnFrame;

signals:
    void FrameShown(const CRasterSurface& picture);

private:
    void Tick();
    void ArmAt(std::int64_t dueUs);
    std::int64_t NowUs() const;

    std::unique_ptr<CPreviewSchedule> m_pSchedule;
    int m_nTimerFd = -1;
    QSocketNotifier* m_pNotifier = nullptr;
    QTimer* m_pFallback = nullptr;
    std::int64_t m_nStartNs = 0;  // monotonic clock at Start
    bool m_bRunning = false;
};
