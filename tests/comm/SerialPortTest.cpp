#include "app/CMemoryProfile.h"
#include "comm/CComPortMap.h"
#include "comm/CTtyTransport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(ComPortMap, DefaultsAndNames)
{
    CComPortMap ports;
    EXPECT_EQ(ports.DevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(ports.DevicePath(2), "/dev/ttyUSB0");
    EXPECT_EQ(CComPortMap::PortName(2), "COM2");
    EXPECT_EQ(CTtyTransport::LockFilePath("/dev/ttyUSB0"), "/var/lock/LCK..ttyUSB0");
    EXPECT_EQ(CTtyTransport::LockFilePath("/dev/pts/3"), "/var/lock/LCK..pts_3");
}

TEST(ComPortMap, DevicesComeFromTheProfileWithDefaultsForMissingKeys)
{
    CMemoryProfile profile;
    CComPortMap ports;
    ports.Load(profile);
    EXPECT_EQ(ports.DevicePath(1), "/dev/ttyS0");
    ports.SetDevicePath(2, "/tmp/vemt-sign-line");
    ports.Save(profile);
    CComPortMap again;
    again.Load(profile);
    EXPECT_EQ(again.DevicePath(2), "/tmp/vemt-sign-line");
    EXPECT_EQ(profile.GetProfileString("SendOption", "Com2Device", ""), "/tmp/vemt-sign-line");
}

TEST(TtyTransport, ReasonsTellTheUserWhatToDo)
{
    EXPECT_NE(CTtyTransport::DescribeError(EACCES).find("dialout group"), std::string::npos);
    EXPECT_NE(CTtyTransport::DescribeError(ENOENT).find("does not exist"), std::string::npos);
    EXPECT_NE(CTtyTransport::DescribeError(EBUSY).find("another program"), std::string::npos);
    EXPECT_EQ(CTtyTransport::DescribeError(EACCES).rfind("Permission denied", 0), 0u);
}

TEST(ComPortMap, ListsRealSerialPortsOnly)
{
    const fs::path root = fs::path(VEMT_BINARY_DIR) / "fake-sysroot";
    fs::remove_all(root);
    auto makeTty = [&](const std::string& name, bool driver, int type) {
        const fs::path dir = root / "sys/class/tty" / name;
        fs::create_directories(driver ? dir / "device" / "driver" : dir);
        if (type >= 0) std::ofstream(dir / "type") << type << "\n";
    };
    makeTty("ttyS0", true, 4);   // a 16550A
    makeTty("ttyS1", true, 0);   // a legacy slot without a UART
    makeTty("ttyUSB0", true, -1);
    makeTty("tty1", false, -1);  // a console
    fs::create_directories(root / "dev/serial/by-id");
    std::ofstream(root / "dev/serial/by-id/usb-Adapter_1234-if00-port0") << "";
    const std::vector<std::string> ports = CComPortMap::ListSerialPorts(root.string());
    const std::vector<std::string> expected = {(root / "dev/serial/by-id/usb-Adapter_1234-if00-port0").string(),
                                               "/dev/ttyS0", "/dev/ttyUSB0"};
    EXPECT_EQ(ports, expected);
    fs::remove_all(root);
}
