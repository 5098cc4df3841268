#include "comm/ui/CTimingSendWnd.h"

#include "comm/CommTexts.h"
#include "comm/ui/CScreenSaverInhibitor.h"
#include "raster/CRasterDC.h"
#include "raster/CRasterSurface.h"
#include "text/CFontEngine.h"
#include "text/CTextDC.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include <cstring>

namespace {

constexpr COLORREF kCaptionGrey = 0x808080;

QColor ToQColor(COLORREF c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// The caption in the "System" face, 36 dots high, heavy, through the program's own font
// engine (which draws that face with its fixed-cell stand-in), grey on black.
QImage RenderCaption()
{
    CLogFont logFont;
    logFont.m_nHeight = 36;
    logFont.m_nWeight = 900;
    logFont.m_szFaceName = "System";
    std::shared_ptr<CMonoFont> font = CFontEngine::Instance().CreateFont(logFont);
    const std::string text = CommTexts::kTimingWindowText;
    CRasterSurface probe(1, 1, 0);
    CRasterDC probeDC(probe);
    CTextDC probeText(probeDC);
    if (font) probeText.SelectFont(font);
    const CSize size = probeText.GetTextExtent(text);
    if (size.cx <= 0 || size.cy <= 0) return {};

    CRasterSurface surface(size.cx, size.cy, 0);
    CRasterDC dc(surface);
    CTextDC textDC(dc);
    if (font) textDC.SelectFont(font);
    textDC.SetBkMode(CTextDC::TRANSPARENT);
    textDC.SetTextColor(kCaptionGrey);
    textDC.ExtTextOut(0, 0, nullptr, text);

    QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
    for (int y = 0; y < surface.Height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        const COLORREF* in = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) out[x] = ToQColor(in[x]).rgb();
    }
    return image;
}

}  // namespace

CTimingSendWnd::CTimingSendWnd(std::uint32_t seed, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_lines(seed),
      m_imgCaption(RenderCaption()), m_pTimer(new QTimer(this))
{
    setWindowTitle(QString::fromUtf8(CommTexts::kTimingWindowText));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    // Nothing else of the editor can be used while timing runs.
    setWindowModality(Qt::ApplicationModal);
    m_pInhibitor = std::make_unique<CScreenSaverInhibitor>(QStringLiteral("Vemt"),
                                                           QStringLiteral("Timed sending is running"));
    connect(m_pTimer, &QTimer::timeout, this, &CTimingSendWnd::Step);
    m_pTimer->start(kStepMs);
}

CTimingSendWnd::~CTimingSendWnd() = default;

bool CTimingSendWnd::ScreenSaverInhibited() const
{
    return m_pInhibitor && m_pInhibitor->IsActive();
}

void CTimingSendWnd::StopAnimation()
{
    m_pTimer->stop();
    if (m_pInhibitor) m_pInhibitor->Release();
}

void CTimingSendWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The lines keep clear of the caption's strip.
    const int height = std::max(1, this->height() - m_imgCaption.height());
    m_imgLines = QImage(std::max(1, width()), height, QImage::Format_RGB32);
    m_imgLines.fill(Qt::black);
    m_lines.SetArea(m_imgLines.width(), m_imgLines.height());
}

void CTimingSendWnd::DrawXor(const CMovingLine& line)
{
    QPainter painter(&m_imgLines);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(line.m_crColour), 1));
    for (const CMovingLine& copy : m_lines.Mirrored(line))
        painter.drawLine(copy.m_ptFrom.x, copy.m_ptFrom.y, copy.m_ptTo.x, copy.m_ptTo.y);
}

void CTimingSendWnd::Step()
{
    if (m_imgLines.isNull()) return;
    const CMovingLines::CStep step = m_lines.Advance();
    if (step.m_erased) DrawXor(*step.m_erased);
    DrawXor(step.m_drawn);
    update(0, 0, m_imgLines.width(), m_imgLines.height());
}

void CTimingSendWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_imgLines.isNull()) painter.drawImage(0, 0, m_imgLines);
    if (!m_imgCaption.isNull())
        painter.drawImage((width() - m_imgCaption.width()) / 2, height() - m_imgCaption.height(), m_imgCaption);
}

void CTimingSendWnd::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F12 && !event->isAutoRepeat()) {
        emit StopRequested();
        return;
    }
    event->accept();  // no other key does anything here
}

void CTimingSendWnd::closeEvent(QCloseEvent* event)
{
    // Alt+F4 and the like: timing only ends with F12.
    if (m_bMayClose) event->accept();
    else event->ignore();
}
