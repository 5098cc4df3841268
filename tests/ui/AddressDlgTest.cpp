#include "RecordingMessageSink.h"

#include "app/CMemoryProfile.h"
#include "app/CVemtApp.h"
#include "comm/CComPortMap.h"
#include "comm/CVirtualSign.h"
#include "comm/ui/CAddressDlg.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class AddressDlgTest : public testing::Test {
protected:
    std::unique_ptr<CAddressDlg> Open(bool allowEdit = true)
    {
        ports = LoadPortChoices(profile);
        auto dlg = std::make_unique<CAddressDlg>(app, profile, ports, sink, allowEdit,
                                                 std::vector<std::string> {"/dev/ttyS0", "/dev/ttyUSB5"});
        dlg->show();
        dlg->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
        return dlg;
    }
    static void Retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    CVemtApp app;
    CMemoryProfile profile;
    CComPortMap ports;
    RecordingMessageSink sink;
};

} // namespace

TEST_F(AddressDlgTest, ShowsItsTextsTheLastAddressAndThePort)
{
    app.m_szAddress = "3,4";
    auto dlg = Open();
    EXPECT_EQ(dlg->windowTitle(), "Please confirm");
    EXPECT_EQ(dlg->PromptLabel()->text(), "Please input the address of Moving-Sign that will receive message");
    EXPECT_EQ(dlg->HintLabel()->text(), "(If have more than one address,please seperate by comma)");
    auto* box = qobject_cast<QGroupBox*>(dlg->Com1Radio()->parentWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title(), "Please confirm the COM port");
    EXPECT_EQ(dlg->Com1Radio()->text(), "COM1");
    EXPECT_EQ(dlg->Com2Radio()->text(), "COM2");
    EXPECT_EQ(dlg->OkButton()->text(), "Ok");
    EXPECT_EQ(dlg->CancelButton()->text(), "Cancel");
    EXPECT_EQ(dlg->AddressEdit()->text(), "3,4");
    EXPECT_EQ(dlg->AddressEdit()->maxLength(), 1024);
    EXPECT_TRUE(dlg->AddressEdit()->isEnabled());
    EXPECT_FALSE(dlg->Com1Radio()->isChecked());
    EXPECT_TRUE(dlg->Com2Radio()->isChecked()) << "COM2 is the default port";
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    EXPECT_EQ(dlg->Com1DeviceCombo()->currentText(), "/dev/ttyS0");
    EXPECT_EQ(dlg->Com2DeviceCombo()->currentText(), CAddressDlg::VirtualSignText())
        << "a new user's COM2 is the built-in sign";
}

TEST_F(AddressDlgTest, OkIsEnabledExactlyWhileTheTextIsNotEmpty)
{
    app.m_szAddress = "";
    auto dlg = Open();
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    QTest::keyClicks(dlg->AddressEdit(), "7");
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    QTest::keyClick(dlg->AddressEdit(), Qt::Key_Backspace);
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
}

struct RefusalCase {
    const char* name;
    const char* text;
    const char* message;
    const char* caption;
};

const RefusalCase kRefusals[] = {
    {"a semicolon", "1;2", "Invalidate character.The character must be number or comma!", "Error"},
    {"a blank", "1, 2", "Invalidate character.The character must be number or comma!", "Error"},
    {"a leading comma", ",1,2", "The first char must be a number,please re-enter!", "Address error"},
    {"a trailing comma", "1,2,", "The last char must be a number,please re-enter!", "Address error"},
    {"256 numbers", nullptr, "You can input 255 address at most,please re-enter!", "Address error"},
    {"two commas in a row", "1,,2", "The address can't have two comma continuously,please re-enter!",
     "Address-error"},
    {"a character before a later comma pair", "1,,x", "Invalidate character.The character must be number or comma!",
     "Error"},
    {"an address above 255", "3,256", "The address can't be larger than 255,please re-enter!", "Address error"},
};

TEST_F(AddressDlgTest, EachRefusalShowsItsMessageKeepsTheDialogAndSelectsTheText)
{
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(c.name);
        sink.messages.clear();
        QString text;
        if (c.text) text = QString::fromLatin1(c.text);
        else {
            for (int i = 0; i < 256; ++i) text += (i ? QStringLiteral(",1") : QStringLiteral("1"));
        }
        auto dlg = Open();
        dlg->AddressEdit()->setText(text);
        QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, c.message);
        EXPECT_EQ(sink.messages[0].caption, c.caption);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_TRUE(dlg->AddressEdit()->hasFocus());
        EXPECT_EQ(dlg->AddressEdit()->selectedText(), text);
        EXPECT_EQ(profile.WriteCount(), 0u) << "a refused string writes nothing";
        EXPECT_EQ(app.m_szAddress, "0");
    }
}

TEST_F(AddressDlgTest, ExactlyTwoHundredFiftyFiveNumbersAreAccepted)
{
    QString text = QStringLiteral("255");
    for (int i = 1; i < 255; ++i) text += QStringLiteral(",1");
    auto dlg = Open();
    dlg->AddressEdit()->setText(text);
    QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(app.m_szAddress, text.toStdString());
}

TEST_F(AddressDlgTest, TheEditTakesAtMostTheLongestAddressString)
{
    auto dlg = Open();
    dlg->AddressEdit()->clear();
    QTest::keyClicks(dlg->AddressEdit(), QString(1030, QChar('1')));
    EXPECT_EQ(dlg->AddressEdit()->text().size(), 1024);
}

TEST_F(AddressDlgTest, OkWritesAddressPortAndDevicesToTheProfile)
{
    auto dlg = Open();
    Retype(dlg->AddressEdit(), "1,2,5");
    QTest::mouseClick(dlg->Com1Radio(), Qt::LeftButton);
    EXPECT_EQ(app.m_nComPort, 1) << "the radio takes effect at once";
    EXPECT_EQ(profile.WriteCount(), 0u) << "but the profile waits for Ok";
    dlg->Com1DeviceCombo()->setCurrentText("/dev/ttyUSB5");
    dlg->Com2DeviceCombo()->setCurrentText("/tmp/vemt-line");
    QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);

    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(app.m_szAddress, "1,2,5");
    EXPECT_EQ(profile.GetProfileString("SendOption", "PingHao", ""), "1,2,5");
    EXPECT_EQ(profile.GetProfileInt("SendOption", "Comport", 0), 1);
    EXPECT_EQ(profile.GetProfileString("SendOption", "Com1Device", ""), "/dev/ttyUSB5");
    EXPECT_EQ(profile.GetProfileString("SendOption", "Com2Device", ""), "/tmp/vemt-line");
    EXPECT_EQ(ports.DevicePath(1), "/dev/ttyUSB5");
    EXPECT_EQ(ports.DevicePath(2), "/tmp/vemt-line");
}

TEST_F(AddressDlgTest, ADeviceServerAddressIsTypedInTheDeviceField)
{
    auto dlg = Open();
    EXPECT_EQ(dlg->Com1DeviceCombo()->lineEdit()->placeholderText(), "device path or rfc2217://HOST:PORT");
    Retype(dlg->AddressEdit(), "3");
    Retype(dlg->Com1DeviceCombo()->lineEdit(), "rfc2217://sign-server.lan:4001");
    QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(profile.GetProfileString("SendOption", "Com1Device", ""), "rfc2217://sign-server.lan:4001");
    EXPECT_EQ(ports.DevicePath(1), "rfc2217://sign-server.lan:4001");

    // The next time it is shown as the choice it is.
    auto again = Open();
    EXPECT_EQ(again->Com1DeviceCombo()->currentText(), "rfc2217://sign-server.lan:4001");
}

TEST_F(AddressDlgTest, ADeviceServerAddressThatCannotBeReadIsRefusedWithTheReason)
{
    const std::pair<const char*, const char*> cases[] = {
        {"rfc2217://sign-server.lan", "(the port number is missing)"},
        {"rfc2217://sign-server.lan:99999", "(the port must be a number from 1 to 65535)"},
        {"rfc2217://:4001", "(the host is missing)"},
    };
    for (const auto& [device, why] : cases) {
        SCOPED_TRACE(device);
        sink.messages.clear();
        auto dlg = Open();
        Retype(dlg->AddressEdit(), "3");
        Retype(dlg->Com2DeviceCombo()->lineEdit(), QString::fromLatin1(device));
        QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, std::string("COM2 (") + device +
                                             "): not a device server address: write rfc2217://HOST:PORT " + why);
        EXPECT_EQ(sink.messages[0].caption, "Error");
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(profile.WriteCount(), 0u) << "nothing is stored";
    }
}

TEST_F(AddressDlgTest, TheBuiltInSignIsStoredByItsName)
{
    profile.WriteProfileString("SendOption", "Com1Device", "/dev/ttyUSB5");
    auto dlg = Open();
    EXPECT_EQ(dlg->Com1DeviceCombo()->currentText(), "/dev/ttyUSB5");
    dlg->Com1DeviceCombo()->setCurrentIndex(0);
    QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
    EXPECT_EQ(profile.GetProfileString("SendOption", "Com1Device", ""), CVirtualSign::kDeviceName);
    EXPECT_EQ(LoadPortChoices(profile).DevicePath(1), CVirtualSign::kDeviceName);
}

TEST_F(AddressDlgTest, ChoosingComOneThenCancelLeavesTheProfileAlone)
{
    auto dlg = Open();
    QTest::mouseClick(dlg->Com1Radio(), Qt::LeftButton);
    Retype(dlg->AddressEdit(), "9");
    QTest::mouseClick(dlg->CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(profile.WriteCount(), 0u);
    EXPECT_EQ(app.m_szAddress, "0");
    EXPECT_EQ(app.m_nComPort, 1) << "the in-memory choice is not undone";
}

TEST_F(AddressDlgTest, OnAnRs422LineThePortIsNotAChoice)
{
    app.m_nIs232 = 0;
    app.m_nComPort = 1;
    auto dlg = Open();
    EXPECT_FALSE(dlg->Com1Radio()->isEnabled());
    EXPECT_FALSE(dlg->Com2Radio()->isEnabled());
    EXPECT_FALSE(dlg->Com1Radio()->isChecked());
    EXPECT_FALSE(dlg->Com2Radio()->isChecked());
    QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
    EXPECT_EQ(profile.GetProfileInt("SendOption", "Comport", 0), 1) << "the stored port is used unchanged";
}

TEST_F(AddressDlgTest, BroadcastOnlyCommandsShowTheAddressWithoutEditing)
{
    auto dlg = Open(false);
    EXPECT_FALSE(dlg->AddressEdit()->isEnabled());
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
}
