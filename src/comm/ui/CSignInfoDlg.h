#pragma once
// "Moving-Sing Information": five lines about the sign asked last, "Close" and
// "View Log...". The query starts once the window has been drawn and runs on a worker
// thread; the window takes no Close until it is done.

#include "app/ui/CQtMessageSink.h"
#include "comm/CAddressList.h"
#include "comm/CComPortMap.h"
#include "comm/CSignInfoQuery.h"

#include <QDialog>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class IMessageSink;
class QLabel;
class QPushButton;

class CSignInfoDlg : public QDialog {
    Q_OBJECT
public:
    // The signs of list are asked through port of ports. messages, when given, shows the
    // box of a sign that does not take the query; by default a message box owned by this
    // window does.
    CSignInfoDlg(const CAddressList& list, const CComPortMap& ports, int port, IMessageSink* messages = nullptr,
                 QWidget* parent = nullptr);
    ~CSignInfoDlg() override;

    QLabel* Line(int index) const { return m_apLine[std::size_t(index)]; }
    QPushButton* CloseButton() const { return m_pClose; }
    QPushButton* ViewLogButton() const { return m_pViewLog; }
    bool IsQuerying() const { return m_bQuerying; }
    // The log of the last run: one line per address, each ending in CR LF.
    std::string LogText() const;

    // Sounds for a sign that took the query and for an unusable reply (default: the system beep).
    std::function<void()> m_fnBeep;
    // How long the window waits after it is shown before the query starts.
    int m_nStartDelayMs = 50;

signals:
    // The run is over (all addresses asked).
    void QueryFinished();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetLines(const CSignInfoLines& lines);
    void StartQuery();
    void OnAnswer(const CSignInfoAnswer& answer);
    void OnFinished();
    void ViewLog();

    CAddressList m_list;
    CComPortMap m_ports;
    int m_nPort;
    CQtMessageSink m_ownMessages;
    IMessageSink& m_messages;
    std::array<QLabel*, 5> m_apLine {};
    QPushButton* m_pClose = nullptr;
    QPushButton* m_pViewLog = nullptr;
    std::vector<CSignInfoAnswer> m_aAnswers;
    std::thread m_worker;
    std::atomic<bool> m_bStop {false};
    bool m_bStarted = false;
    bool m_bQuerying = false;
};
