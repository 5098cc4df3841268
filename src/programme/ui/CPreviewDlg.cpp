#include "programme/ui/CPreviewDlg.h"

#include "app/CVemtApp.h"
#include "app/IProfile.h"
#include "programme/CPreviewClockPainter.h"
#include "programme/CPreviewPlayer.h"
#include "programme/PreviewStart.h"
#include "programme/PreviewWindowLayout.h"
#include "programme/ui/CDotDisplay.h"
#include "programme/ui/CPreviewPacer.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {

constexpr const char* kSection = "Preview";
constexpr const char* kZoomKey = "Zoom";
// The dialog as designed, before it is fitted to the sign: the room below the display
// that holds the "Close" button.
constexpr int kTemplateHeight = 44;
constexpr int kStartDelayMs = 100;

} // namespace

CPreviewDlg::CPreviewDlg(CVemtApp& app, const CVemtDoc& doc, IProfile& profile, QWidget* parent)
    : QDialog(parent), m_profile(profile), m_nWidth(app.m_nTPWidth), m_nHeight(app.m_nTPHeight)
{
    setWindowTitle(QStringLiteral("Preview"));
    setSizeGripEnabled(false);

    m_pClockPainter = std::make_unique<CPreviewClockPainter>();
    m_pPlayer = StartPreview(app, doc);
    m_pPlayer->SetTextPainter(m_pClockPainter.get());

    m_pDisplay = new CDotDisplay(this);
    m_pDisplay->setAccessibleName(QStringLiteral("Preview display"));
    m_pDisplay->setToolTip(QStringLiteral("Right-click to zoom"));
    m_pDisplay->SetPicture(m_pPlayer->Display());
    m_pClose = new QPushButton(QStringLiteral("Close"), this);
    m_pClose->setDefault(true);
    connect(m_pClose, &QPushButton::clicked, this, &CPreviewDlg::reject);

    m_pZoomActions = new QActionGroup(this);
    for (int zoom : kZooms) {
        QAction* a = m_pZoomActions->addAction(QStringLiteral("Zoom x%1").arg(zoom));
        a->setCheckable(true);
        a->setData(zoom);
        connect(a, &QAction::triggered, this, [this, zoom] { SetZoom(zoom); });
    }
    auto* bigger = new QAction(this);
    bigger->setShortcut(QKeySequence::ZoomIn);
    connect(bigger, &QAction::triggered, this, [this] {
        const auto* it = std::upper_bound(kZooms.begin(), kZooms.end(), Zoom());
        if (it != kZooms.end()) SetZoom(*it);
    });
    auto* smaller = new QAction(this);
    smaller->setShortcut(QKeySequence::ZoomOut);
    connect(smaller, &QAction::triggered, this, [this] {
        const auto* it = std::lower_bound(kZooms.begin(), kZooms.end(), Zoom());
        if (it != kZooms.begin()) SetZoom(*(it - 1));
    });
    addAction(bigger);
    addAction(smaller);

    m_pPacer = new CPreviewPacer(*m_pPlayer, this);
    connect(m_pPacer, &CPreviewPacer::FrameShown, m_pDisplay, &CDotDisplay::SetPicture);

    m_pDisplay->SetZoom(LoadZoom(profile));
    for (QAction* a : m_pZoomActions->actions()) a->setChecked(a->data().toInt() == Zoom());
    Layout(true);

    QTimer::singleShot(kStartDelayMs, this, [this] {
        if (!m_bStopped) m_pPacer->Start();
    });
}

CPreviewDlg::~CPreviewDlg()
{
    Stop();
}

int CPreviewDlg::LoadZoom(const IProfile& profile)
{
    const int zoom = profile.GetProfileInt(kSection, kZoomKey, 1);
    return std::find(kZooms.begin(), kZooms.end(), zoom) != kZooms.end() ? zoom : 1;
}

int CPreviewDlg::Zoom() const { return m_pDisplay->Zoom(); }

void CPreviewDlg::SetZoom(int zoom)
{
    if (std::find(kZooms.begin(), kZooms.end(), zoom) == kZooms.end()) return;
    m_pDisplay->SetZoom(zoom);
    for (QAction* a : m_pZoomActions->actions()) a->setChecked(a->data().toInt() == zoom);
    m_profile.WriteProfileInt(kSection, kZoomKey, zoom);
    Layout(true);
}

bool CPreviewDlg::IsPlaying() const { return m_pPacer->IsRunning(); }

void CPreviewDlg::Layout(bool recentre)
{
    const int z = Zoom();
    const QSize button = m_pClose->sizeHint().expandedTo(QSize(75, 23));
    const QRect desktop = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const CPreviewWindowLayout layout =
        ComputePreviewWindowLayout(m_nWidth * z, m_nHeight * z, CSize(0, kTemplateHeight), CSize(0, 0),
                                   CSize(button.width(), button.height()), CSize(desktop.width(), desktop.height()));
    // A sign narrower than the button still gets a window the button fits in.
    const int width = std::max(layout.m_rcWindow.Width(), button.width() + 20);
    const int height = layout.m_rcWindow.Height();
    setFixedSize(width, height);
    m_pDisplay->move(layout.m_ptDisplay.x, layout.m_ptDisplay.y);
    m_pDisplay->setFixedSize(m_nWidth * z, m_nHeight * z);
    const int bx = (width - button.width()) / 2;
    m_pClose->setGeometry(bx, layout.m_rcCloseButton.top, button.width(), button.height());
    if (recentre) move(desktop.left() + layout.m_rcWindow.left, desktop.top() + layout.m_rcWindow.top);
}

void CPreviewDlg::Stop()
{
    m_bStopped = true;
    if (m_pPacer) m_pPacer->Stop();
}

void CPreviewDlg::reject()
{
    Stop();
    QDialog::reject();
}

void CPreviewDlg::closeEvent(QCloseEvent* event)
{
    Stop();
    QDialog::closeEvent(event);
}

void CPreviewDlg::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addActions(m_pZoomActions->actions());
    menu.exec(event->globalPos());
}
