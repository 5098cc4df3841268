#pragma once
// A text label that opens a web page or an e-mail program when clicked: underlined, in
// the link colour, the visited colour after a successful click and the highlight colour
// while the mouse is over it, with a hand cursor and the target as its tooltip.

#include <QColor>
#include <QLabel>

#include <functional>

// The message for a failed open: "Unable to open hyperlink:" and the reason for result.
QString HyperlinkErrorText(int result);

class CLinkLabel : public QLabel {
    Q_OBJECT
public:
    // What opening a target gives: above 32 for success, otherwise the reason's number
    // (31: no program is associated with it).
    using Opener = std::function<int(const QString& target)>;

    explicit CLinkLabel(const QString& text, const QString& target = {}, QWidget* parent = nullptr);

    const QString& Target() const { return m_szTarget; }
    void SetTarget(const QString& target);
    bool IsVisited() const { return m_bVisited; }
    void SetVisited(bool visited);
    bool IsHovering() const { return m_bHovering; }
    // The colour the text has now.
    QColor CurrentColour() const;

    QColor m_crLink = QColor(0, 0, 238);
    QColor m_crVisited = QColor(85, 26, 139);
    QColor m_crHover;

    // Opens a target with the desktop's default handler; tests put a fake here.
    static void SetOpener(Opener opener);
    // Where a failure is told (a message box with the exclamation icon unless set).
    using Reporter = std::function<void(const QString& message)>;
    static void SetReporter(Reporter reporter);
    // Opens the target; a failure beeps and reports the reason.
    void Open();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyColour();

    QString m_szTarget;
    bool m_bHovering = false;
    bool m_bVisited = false;
};
