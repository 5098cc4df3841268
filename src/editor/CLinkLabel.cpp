#include "editor/CLinkLabel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>

namespace {

CLinkLabel::Opener& OpenerSlot()
{
    static CLinkLabel::Opener opener;
    return opener;
}

int OpenWithDesktop(const QString& target)
{
    const QUrl url = QUrl::fromUserInput(target);
    if (!url.isValid()) return 2;
    return QDesktopServices::openUrl(url) ? 33 : 31;
}

CLinkLabel::Reporter& ReporterSlot()
{
    static CLinkLabel::Reporter reporter;
    return reporter;
}

}  // namespace

QString HyperlinkErrorText(int result)
{
    QString reason;
    switch (result) {
    case 0: reason = QStringLiteral("The operating system is out\nof memory or resources."); break;
    case 2: reason = QStringLiteral("The specified file was not found."); break;
    case 3: reason = QStringLiteral("The specified path was not found."); break;
    case 5: reason = QStringLiteral("The operating system denied\naccess to the specified file."); break;
    case 8: reason = QStringLiteral("There was not enough memory to complete the operation."); break;
    case 11: reason = QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."); break;
    case 26: reason = QStringLiteral("A sharing violation occurred. "); break;
    case 27: reason = QStringLiteral("The filename association is\nincomplete or invalid."); break;
    case 28: reason = QStringLiteral("The DDE transaction could not\nbe completed because the request timed out."); break;
    case 29: reason = QStringLiteral("The DDE transaction failed."); break;
    case 30:
        reason = QStringLiteral("The DDE transaction could not\nbe completed because other DDE transactions\n"
                                "were being processed.");
        break;
    case 31: reason = QStringLiteral("There is no application associated\nwith the given filename extension."); break;
    case 32: reason = QStringLiteral("The specified dynamic-link library was not found."); break;
    default: reason = QStringLiteral("Unknown Error (%1) occurred.").arg(result); break;
    }
    return QStringLiteral("Unable to open hyperlink:\n\n") + reason;
}

CLinkLabel::CLinkLabel(const QString& text, const QString& target, QWidget* parent)
    : QLabel(text, parent), m_crHover(QApplication::palette().color(QPalette::Highlight))
{
    // An empty target is the text, an empty text the target.
    if (text.isEmpty()) setText(target);
    SetTarget(target.isEmpty() ? text : target);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    ApplyColour();
}

void CLinkLabel::SetTarget(const QString& target)
{
    m_szTarget = target;
    setToolTip(target);
    setAccessibleDescription(target);
    adjustSize();
}

void CLinkLabel::SetVisited(bool visited)
{
    m_bVisited = visited;
    ApplyColour();
}

QColor CLinkLabel::CurrentColour() const
{
    if (m_bHovering) return m_crHover;
    return m_bVisited ? m_crVisited : m_crLink;
}

void CLinkLabel::ApplyColour()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, CurrentColour());
    setPalette(p);
    update();
}

void CLinkLabel::SetOpener(Opener opener)
{
    OpenerSlot() = std::move(opener);
}

void CLinkLabel::SetReporter(Reporter reporter)
{
    ReporterSlot() = std::move(reporter);
}

void CLinkLabel::Open()
{
    const int result = OpenerSlot() ? OpenerSlot()(m_szTarget) : OpenWithDesktop(m_szTarget);
    if (result > 32) {
        SetVisited(true);
        return;
    }
    QApplication::beep();
    const QString message = HyperlinkErrorText(result);
    if (ReporterSlot()) {
        ReporterSlot()(message);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QString(), message, QMessageBox::Ok, window());
    box.exec();
}

void CLinkLabel::enterEvent(QEnterEvent* event)
{
    m_bHovering = true;
    ApplyColour();
    QLabel::enterEvent(event);
}

void CLinkLabel::leaveEvent(QEvent* event)
{
    m_bHovering = false;
    ApplyColour();
    QLabel::leaveEvent(event);
}

void CLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Open();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
