#include "editor/CAboutBoxDlg.h"

#include "editor/CLinkLabel.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef VEMT_HOMEPAGE
#define VEMT_HOMEPAGE "file:///usr/share/doc/vemt/README.md"
#endif
#ifndef VEMT_CONTACT_MAIL
#define VEMT_CONTACT_MAIL "mailto:root@localhost"
#endif

namespace {

// "Date\t:\t2002-01-14": a name, a colon and a value in three columns.
void AddTabbedLine(QGridLayout* grid, const QString& line)
{
    const QStringList parts = line.split(QLatin1Char('\t'));
    const int row = grid->rowCount();
    for (int i = 0; i < parts.size(); ++i) grid->addWidget(new QLabel(parts[i]), row, i);
}

QString ShownTarget(const QString& target)
{
    QString shown = target;
    for (const char* scheme : {"mailto:", "file://"})
        if (shown.startsWith(QLatin1String(scheme))) shown.remove(0, int(qstrlen(scheme)));
    return shown;
}

}  // namespace

CAboutBoxDlg::CAboutBoxDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About LED Lextrel"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/vemt.svg")).pixmap(48, 48));
    top->addWidget(icon, 0, Qt::AlignTop);

    auto* version = new QGroupBox(QStringLiteral("Software version imformation"), this);
    auto* versionGrid = new QGridLayout(version);
    AddTabbedLine(versionGrid, QStringLiteral("Date\t:\t2002-01-14"));
    AddTabbedLine(versionGrid, QStringLiteral("Version\t:\t3.1"));
    versionGrid->setColumnStretch(2, 1);
    top->addWidget(version, 1);
    layout->addLayout(top);

    auto* contact = new QGroupBox(QStringLiteral("Contact"), this);
    auto* contactGrid = new QGridLayout(contact);
    contactGrid->addWidget(new QLabel(QStringLiteral("Vemt, an editor and sender for LED moving signs")), 0, 0, 1, 2);
    const QString web = QStringLiteral(VEMT_HOMEPAGE);
    const QString mail = QStringLiteral(VEMT_CONTACT_MAIL);
    auto* webName = new QLabel(QStringLiteral("Web:"), contact);
    m_pWeb = new CLinkLabel(ShownTarget(web), web, contact);
    m_pWeb->setAccessibleName(QStringLiteral("Web site"));
    webName->setBuddy(m_pWeb);
    auto* mailName = new QLabel(QStringLiteral("E-mail:"), contact);
    m_pMail = new CLinkLabel(ShownTarget(mail), mail, contact);
    m_pMail->setAccessibleName(QStringLiteral("E-mail"));
    mailName->setBuddy(m_pMail);
    contactGrid->addWidget(webName, 1, 0);
    contactGrid->addWidget(m_pWeb, 1, 1, Qt::AlignLeft);
    contactGrid->addWidget(mailName, 2, 0);
    contactGrid->addWidget(m_pMail, 2, 1, Qt::AlignLeft);
    contactGrid->setColumnStretch(1, 1);
    layout->addWidget(contact);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}
