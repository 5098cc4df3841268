#include "comm/ui/CVirtualSignWindow.h"

#include "comm/CSignSimulator.h"
#include "comm/CVirtualSign.h"
#include "comm/SignProgramme.h"
#include "programme/CPreviewClockPainter.h"
#include "programme/CPreviewPlayer.h"
#include "programme/ui/CDotDisplay.h"
#include "programme/ui/CPreviewPacer.h"

#include <QLabel>
#include <QMetaObject>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kScreenGap = 22;   // room for the screen's caption between screens
constexpr int kMargin = 8;
const QColor kUnlitDot(0x26, 0x26, 0x26);

} // namespace

// Paints the screens: every dot a round lamp, unlit ones barely visible.
class CVirtualSignWindow::CDotView : public QWidget {
public:
    explicit CDotView(CVirtualSignWindow& owner) : QWidget(nullptr), m_owner(owner)
    {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::black);
        setPalette(p);
    }
    QSize sizeHint() const override
    {
        const QImage& img = m_owner.m_imgScreens;
        const int pitch = m_owner.m_nPitch;
        if (img.isNull()) return {480, 120};
        return {2 * kMargin + img.width() * pitch,
                kMargin + m_owner.m_nScreens * (kScreenGap + m_owner.m_nScreenHeight * pitch)};
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const QRect exposed = event->rect();
        painter.fillRect(exposed, Qt::black);
        const QImage& img = m_owner.m_imgScreens;
        if (img.isNull()) return;
        const int pitch = m_owner.m_nPitch;
        const int H = m_owner.m_nScreenHeight;
        painter.setRenderHint(QPainter::Antialiasing, pitch >= 4);
        for (int s = 0; s < m_owner.m_nScreens; ++s) {
            const int top = kMargin + s * (kScreenGap + H * pitch) + kScreenGap;
            painter.setPen(QColor(0xC0, 0xC0, 0xC0));
            painter.drawText(QRect(kMargin, top - kScreenGap, img.width() * pitch, kScreenGap - 4),
                             Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Screen %1").arg(s + 1));
            painter.setPen(Qt::NoPen);
            // A long message has hundreds of thousands of dots: paint only what is exposed.
            const int firstRow = std::max(0, (exposed.top() - top) / pitch);
            const int endRow = std::min(H, (exposed.bottom() - top) / pitch + 1);
            const int firstCol = std::max(0, (exposed.left() - kMargin) / pitch);
            const int endCol = std::min(img.width(), (exposed.right() - kMargin) / pitch + 1);
            for (int y = firstRow; y < endRow; ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(s * H + y));
                for (int x = firstCol; x < endCol; ++x) {
                    const QRgb c = row[x] & 0xFFFFFF;
                    painter.setBrush(c == 0 ? kUnlitDot : QColor::fromRgb(c));
                    const QRectF dot(kMargin + x * pitch + 0.5, top + y * pitch + 0.5, pitch - 1.0, pitch - 1.0);
                    if (pitch >= 4) painter.drawEllipse(dot);
                    else painter.drawRect(dot);
                }
            }
        }
    }

private:
    CVirtualSignWindow& m_owner;
};

CVirtualSignWindow::CVirtualSignWindow(CVirtualSign& sign, QWidget* parent) : QWidget(parent, Qt::Window), m_sign(sign)
{
    setWindowTitle(QStringLiteral("Virtual sign"));
    m_pHeader = new QLabel(this);
    m_pDots = new CDotView(*this);
    m_pScroll = new QScrollArea(this);
    m_pScroll->setWidget(m_pDots);
    m_pScroll->setWidgetResizable(false);
    QPalette p = m_pScroll->palette();
    p.setColor(QPalette::Window, Qt::black);
    m_pScroll->setPalette(p);
    m_pScroll->setBackgroundRole(QPalette::Window);
    m_pPlay = new QPushButton(QStringLiteral("Play"), this);
    m_pPlay->setCheckable(true);
    m_pPlay->setToolTip(QStringLiteral("Run the message the way the sign plays it"));
    connect(m_pPlay, &QPushButton::toggled, this, &CVirtualSignWindow::SetPlaying);
    m_pPlayDisplay = new CDotDisplay;
    m_pPlayDisplay->setAccessibleName(QStringLiteral("Sign playing"));
    m_pPlayScroll = new QScrollArea(this);
    m_pPlayScroll->setWidget(m_pPlayDisplay);
    m_pPlayScroll->setAlignment(Qt::AlignCenter);
    m_pPlayScroll->setPalette(p);
    m_pPlayScroll->setBackgroundRole(QPalette::Window);
    m_pPlayScroll->hide();
    auto* head = new QHBoxLayout;
    head->addWidget(m_pHeader, 1);
    head->addWidget(m_pPlay);
    auto* top = new QVBoxLayout(this);
    top->addLayout(head);
    top->addWidget(m_pScroll, 1);
    top->addWidget(m_pPlayScroll, 1);

    // The sign tells us on its line's thread; the window reads it on its own.
    m_nListener = m_sign.AddListener([this] { QMetaObject::invokeMethod(this, [this] { Refresh(); }, Qt::QueuedConnection); });
    Refresh();
}

CVirtualSignWindow::~CVirtualSignWindow()
{
    m_sign.RemoveListener(m_nListener);
    StopPlay();
}

bool CVirtualSignWindow::IsPlaying() const { return m_pPacer != nullptr; }

void CVirtualSignWindow::SetPlaying(bool on)
{
    if (on)
        StartPlay();
    else
        StopPlay();
}

void CVirtualSignWindow::StartPlay()
{
    StopPlay();
    m_pPlayer = MakeSignPlayer(m_sign.State());
    if (!m_pPlayer) {
        // Nothing received yet: nothing to play.
        const QSignalBlocker quiet(m_pPlay);
        m_pPlay->setChecked(false);
        return;
    }
    if (!m_pClockPainter) m_pClockPainter = std::make_unique<CPreviewClockPainter>();
    m_pPlayer->SetTextPainter(m_pClockPainter.get());
    m_pPlayDisplay->SetZoom(m_nPitch);
    m_pPlayDisplay->SetPicture(m_pPlayer->Display());
    m_pPlayDisplay->resize(m_pPlayDisplay->sizeHint());
    m_pPacer = new CPreviewPacer(*m_pPlayer, this);
    connect(m_pPacer, &CPreviewPacer::FrameShown, m_pPlayDisplay, &CDotDisplay::SetPicture);
    m_pScroll->hide();
    m_pPlayScroll->show();
    m_pPacer->Start();
}

void CVirtualSignWindow::StopPlay()
{
    if (m_pPacer) {
        m_pPacer->Stop();
        delete m_pPacer;
        m_pPacer = nullptr;
    }
    m_pPlayer.reset();
    if (m_pPlayScroll) m_pPlayScroll->hide();
    if (m_pScroll) m_pScroll->show();
}

void CVirtualSignWindow::hideEvent(QHideEvent* event)
{
    // A hidden window plays for nobody.
    m_pPlay->setChecked(false);
    QWidget::hideEvent(event);
}

void CVirtualSignWindow::Refresh()
{
    const CSimSignState state = m_sign.State();
    const int address = CVirtualSign::kAddress;
    if (state.m_nMessages == 0 || state.Width() <= 0 || state.ScreenHeight() <= 0) {
        m_imgScreens = QImage();
        m_nScreens = 0;
        m_nScreenHeight = 0;
        m_pHeader->setText(QStringLiteral("Address %1: no message received yet").arg(address));
    } else {
        const CRasterSurface shown = CSignSimulator::DecodeScreens(state);
        m_nScreens = state.Screens();
        m_nScreenHeight = state.ScreenHeight();
        m_imgScreens = QImage(shown.Width(), shown.Height(), QImage::Format_RGB32);
        for (int y = 0; y < shown.Height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(m_imgScreens.scanLine(y));
            const COLORREF* src = shown.Row(y);
            for (int x = 0; x < shown.Width(); ++x) {
                const COLORREF c = src[x];  // 0x00BBGGRR
                row[x] = qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
            }
        }
        // Big enough to tell the dots apart, small enough for a 320-dot sign on screen.
        m_nPitch = std::clamp(960 / shown.Width(), 3, 10);
        m_pHeader->setText(QStringLiteral("Address %1: %2 of %3 x %4 dots, %5, message %6")
                               .arg(address)
                               .arg(m_nScreens == 1 ? QStringLiteral("1 screen")
                                                    : QStringLiteral("%1 screens").arg(m_nScreens))
                               .arg(state.Width())
                               .arg(m_nScreenHeight)
                               .arg(state.ColorCount() == 2 ? QStringLiteral("red and green")
                                                            : QStringLiteral("red only"))
                               .arg(state.m_nMessages));
    }
    m_pPlay->setEnabled(m_nScreens > 0);
    // A new message starts playing from its beginning.
    if (IsPlaying()) StartPlay();
    const QSize hint = m_pDots->sizeHint();
    m_pDots->resize(hint);
    m_pDots->update();
    // Fit the window to a message of a new shape; a window the user sized keeps its size
    // while the shape stays.
    if (hint != m_sizeShown) {
        m_sizeShown = hint;
        resize(std::min(hint.width() + 40, 1100), std::min(hint.height() + 70, 760));
    }
}

CVirtualSignWindow* ShowVirtualSignWindow(QWidget* parent)
{
    static QPointer<CVirtualSignWindow> window;
    if (!window) window = new CVirtualSignWindow(CVirtualSign::Instance(), parent);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
