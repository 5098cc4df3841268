#include "comm/ui/CTimingSendDlg.h"

#include "app/CVemtApp.h"
#include "app/IMessageSink.h"
#include "app/IProfile.h"
#include "comm/CComPortMap.h"
#include "comm/CVirtualSign.h"
#include "comm/CommTexts.h"
#include "comm/TimingSchedule.h"
#include "comm/ui/CAddressDlg.h"
#include "document/CDocumentFiles.h"
#include "document/IFileDialogs.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CTimingSendDlg::CTimingSendDlg(CVemtApp& app, IProfile& profile, IMessageSink& messages, IFileDialogs& files,
                               QWidget* parent)
    : QDialog(parent), m_app(app), m_profile(profile), m_messages(messages), m_files(files)
{
    setWindowTitle(QString::fromUtf8(CommTexts::kTimingDlgTitle));
    BuildControls();
    for (const CTimingSendItem& item : m_app.m_listTimingSend)
        m_pList->addItem(QString::fromStdString(TimingSendListLine(item)));
    if (!m_app.m_listTimingSend.empty()) Select(0);
}

void CTimingSendDlg::BuildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* addressGroup = new QGroupBox(QStringLiteral("Address"), this);
    auto* addressRow = new QHBoxLayout(addressGroup);
    m_pAddressButton = new QPushButton(QStringLiteral("Address of Moving-Sign..."), addressGroup);
    m_pAddress = new QLineEdit(addressGroup);
    m_pAddress->setReadOnly(true);
    m_pAddress->setAccessibleName(QStringLiteral("Address"));
    addressRow->addWidget(m_pAddressButton);
    addressRow->addWidget(m_pAddress, 1);
    layout->addWidget(addressGroup);

    auto* fileGroup = new QGroupBox(QStringLiteral("Send File Name"), this);
    auto* fileRow = new QHBoxLayout(fileGroup);
    m_pBrowseButton = new QPushButton(QStringLiteral("Browse File..."), fileGroup);
    m_pFile = new QLineEdit(fileGroup);
    m_pFile->setAccessibleName(QStringLiteral("Send File Name"));
    fileRow->addWidget(m_pBrowseButton);
    fileRow->addWidget(m_pFile, 1);
    layout->addWidget(fileGroup);

    auto* timeGroup = new QGroupBox(QStringLiteral("Send Time"), this);
    auto* timeRow = new QHBoxLayout(timeGroup);
    // Two digits each: a time the clock never shows (25:70) is allowed and never comes.
    auto numberField = [timeGroup](const QString& name) {
        auto* edit = new QLineEdit(timeGroup);
        edit->setValidator(new QIntValidator(0, 99, edit));
        edit->setMaxLength(2);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
        edit->setAccessibleName(name);
        return edit;
    };
    m_pHour = numberField(QStringLiteral("Hour"));
    m_pMinute = numberField(QStringLiteral("Minute"));
    auto* colon = new QLabel(QStringLiteral(":"), timeGroup);
    colon->setBuddy(m_pMinute);
    timeRow->addWidget(m_pHour);
    timeRow->addWidget(colon);
    timeRow->addWidget(m_pMinute);
    timeRow->addStretch(1);
    layout->addWidget(timeGroup);

    auto* listGroup = new QGroupBox(QStringLiteral("Send List Table"), this);
    auto* listLayout = new QVBoxLayout(listGroup);
    m_pList = new QListWidget(listGroup);
    m_pList->setAccessibleName(QStringLiteral("Send List Table"));
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long paths scroll sideways rather than being cut.
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_pList->setMinimumSize(520, 160);
    listLayout->addWidget(m_pList);
    layout->addWidget(listGroup, 1);

    auto* buttons = new QHBoxLayout;
    m_pAdd = new QPushButton(QStringLiteral("Add"), this);
    m_pDelete = new QPushButton(QStringLiteral("Delete"), this);
    m_pModify = new QPushButton(QStringLiteral("Modify"), this);
    m_pStart = new QPushButton(QStringLiteral("Start Timing"), this);
    m_pClose = new QPushButton(QStringLiteral("Close"), this);
    for (QPushButton* b : {m_pAdd, m_pDelete, m_pModify, m_pStart, m_pClose}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    connect(m_pAddressButton, &QPushButton::clicked, this, &CTimingSendDlg::OnAddress);
    connect(m_pBrowseButton, &QPushButton::clicked, this, &CTimingSendDlg::OnBrowse);
    connect(m_pList, &QListWidget::itemSelectionChanged, this, &CTimingSendDlg::OnSelectionChanged);
    connect(m_pAdd, &QPushButton::clicked, this, &CTimingSendDlg::OnAdd);
    connect(m_pDelete, &QPushButton::clicked, this, &CTimingSendDlg::OnDelete);
    connect(m_pModify, &QPushButton::clicked, this, &CTimingSendDlg::OnModify);
    connect(m_pStart, &QPushButton::clicked, this, &CTimingSendDlg::OnStartTiming);
    connect(m_pClose, &QPushButton::clicked, this, &CTimingSendDlg::OnClose);
}

int CTimingSendDlg::SelectedIndex() const
{
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    return selected.isEmpty() ? -1 : m_pList->row(selected.first());
}

void CTimingSendDlg::Select(int index)
{
    m_pList->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    ShowEntry(index);
}

void CTimingSendDlg::ShowEntry(int index)
{
    if (index < 0 || index >= int(m_app.m_listTimingSend.size())) return;
    const CTimingSendItem& item = m_app.m_listTimingSend[std::size_t(index)];
    m_pAddress->setText(QString::fromStdString(item.m_szAddress));
    m_pFile->setText(QString::fromStdString(item.m_szFileName));
    const QString time = QString::fromStdString(item.m_szTime);
    m_pHour->setText(time.mid(0, 2));
    m_pMinute->setText(time.mid(3, 2));
}

void CTimingSendDlg::OnSelectionChanged()
{
    ShowEntry(SelectedIndex());
}

void CTimingSendDlg::Prompt(const char* text)
{
    m_messages.ShowMessage(text, CommTexts::kTimingPromptCaption);
}

void CTimingSendDlg::OnAddress()
{
    CComPortMap ports = LoadPortChoices(m_profile);
    CAddressDlg dlg(m_app, m_profile, ports, m_messages, true, this);
    if (dlg.exec() == QDialog::Accepted) m_pAddress->setText(QString::fromStdString(m_app.m_szAddress));
}

void CTimingSendDlg::OnBrowse()
{
    CFileDialogParams params = CDocumentFiles::OpenDialogParams();
    const int index = SelectedIndex();
    params.m_szInitialName =
        index >= 0 ? m_app.m_listTimingSend[std::size_t(index)].m_szFileName : std::string("*.KVX");
    if (const auto path = m_files.GetOpenPath(params)) m_pFile->setText(QString::fromStdString(*path));
}

bool CTimingSendDlg::CheckFields()
{
    if (m_pAddress->text().isEmpty()) {
        Prompt(CommTexts::kTimingNoAddress);
        return false;
    }
    if (m_pFile->text().isEmpty()) {
        Prompt(CommTexts::kTimingNoFile);
        return false;
    }
    if (m_pHour->text().isEmpty() || m_pMinute->text().isEmpty()) {
        Prompt(CommTexts::kTimingNoTime);
        return false;
    }
    return true;
}

void CTimingSendDlg::OnAdd()
{
    if (!CheckFields()) return;
    CTimingSendItem item;
    item.m_szAddress = m_pAddress->text().toStdString();
    item.m_szFileName = m_pFile->text().toStdString();
    item.m_szTime = FormatSendTime(m_pHour->text().toInt(), m_pMinute->text().toInt());
    m_app.m_listTimingSend.push_back(item);
    m_pList->addItem(QString::fromStdString(TimingSendListLine(item)));
    Select(m_pList->count() - 1);
}

void CTimingSendDlg::OnDelete()
{
    const int index = SelectedIndex();
    if (index < 0) {
        Prompt(CommTexts::kTimingDeleteNone);
        return;
    }
    m_app.m_listTimingSend.erase(m_app.m_listTimingSend.begin() + index);
    delete m_pList->takeItem(index);
    if (m_pList->count() > 0) Select(std::min(index, m_pList->count() - 1));
}

void CTimingSendDlg::OnModify()
{
    const int index = SelectedIndex();
    if (index < 0) {
        Prompt(CommTexts::kTimingModifyNone);
        return;
    }
    if (!CheckFields()) return;
    CTimingSendItem& item = m_app.m_listTimingSend[std::size_t(index)];
    item.m_szAddress = m_pAddress->text().toStdString();
    item.m_szFileName = m_pFile->text().toStdString();
    item.m_szTime = FormatSendTime(m_pHour->text().toInt(), m_pMinute->text().toInt());
    m_pList->item(index)->setText(QString::fromStdString(TimingSendListLine(item)));
    Select(index);
    QApplication::beep();
}

void CTimingSendDlg::OnClose()
{
    m_app.SaveTimingSendList(m_profile);
    QDialog::reject();
}

void CTimingSendDlg::reject()
{
    OnClose();
}

void CTimingSendDlg::OnStartTiming()
{
    if (m_app.m_listTimingSend.empty()) {
        Prompt(CommTexts::kTimingEmptyList);
        return;
    }
    m_app.SaveTimingSendList(m_profile);
    accept();
}
