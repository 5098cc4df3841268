#include "comm/CAddressList.h"

#include <gtest/gtest.h>

namespace {

std::string Numbers(int count, const std::string& number = "1")
{
    std::string s;
    for (int i = 0; i < count; ++i) s += (i ? "," : "") + number;
    return s;
}

} // namespace

TEST(AddressCheck, TheDialogsChecksInOrderWithTheirMessages)
{
    const struct {
        const char* name;
        std::string text;
        const char* message;
        const char* caption;
    } cases[] = {
        {"three signs", "1,2,5", "", ""},
        {"every sign", "0", "", ""},
        {"highest address", "255", "", ""},
        {"leading zeros are still a number", "007", "", ""},
        {"a semicolon", "1;2", "Invalidate character.The character must be number or comma!", "Error"},
        {"a blank", "1, 2", "Invalidate character.The character must be number or comma!", "Error"},
        {"a minus sign", "-1", "Invalidate character.The character must be number or comma!", "Error"},
        {"bad character wins over length", std::string(1100, '1') + "x",
         "Invalidate character.The character must be number or comma!", "Error"},
        {"1025 characters", std::string(1025, '1'), "The address is too long(max is 1024 chars),please re-enter!",
         "Address error"},
        {"leading comma", ",1,2", "The first char must be a number,please re-enter!", "Address error"},
        {"trailing comma", "1,2,", "The last char must be a number,please re-enter!", "Address error"},
        {"lone comma", ",", "The first char must be a number,please re-enter!", "Address error"},
        {"two commas", "1,,2", "The address can't have two comma continuously,please re-enter!", "Address-error"},
        {"255 numbers", Numbers(255), "", ""},
        {"256 numbers", Numbers(256), "You can input 255 address at most,please re-enter!", "Address error"},
        {"two commas before the 255th", Numbers(10) + ",," + Numbers(250),
         "The address can't have two comma continuously,please re-enter!", "Address-error"},
        {"256 would reach every sign", "3,256", "The address can't be larger than 255,please re-enter!",
         "Address error"},
        {"a huge number", "99999999999999999999", "The address can't be larger than 255,please re-enter!",
         "Address error"},
    };
    for (const auto& c : cases) {
        const CAddressCheck r = CheckAddressString(c.text);
        EXPECT_EQ(r.m_szMessage, c.message) << c.name;
        EXPECT_EQ(r.m_szCaption, c.caption) << c.name;
    }
}

TEST(AddressCheck, EmptyStringIsRefused)
{
    EXPECT_FALSE(CheckAddressString("").Ok());
}

TEST(AddressList, ParsesInStringOrder)
{
    CAddressList list;
    ASSERT_TRUE(ParseAddressList("1,2,5", list));
    ASSERT_EQ(list.m_nAddressCount, 3);
    EXPECT_EQ(list.m_abyAddress[0], 1);
    EXPECT_EQ(list.m_abyAddress[1], 2);
    EXPECT_EQ(list.m_abyAddress[2], 5);
    EXPECT_EQ(list.m_abyAddress[3], 0);
    EXPECT_FALSE(HasBroadcastAddress(list));

    ASSERT_TRUE(ParseAddressList("0", list));
    EXPECT_EQ(list.m_nAddressCount, 1);
    EXPECT_TRUE(HasBroadcastAddress(list));

    ASSERT_TRUE(ParseAddressList("3,0", list));
    EXPECT_TRUE(HasBroadcastAddress(list));
    ASSERT_TRUE(ParseAddressList(Numbers(255, "255"), list));
    EXPECT_EQ(list.m_nAddressCount, 255);
    EXPECT_EQ(list.m_abyAddress[254], 255);
}

TEST(AddressList, AStringThatFailsTheChecksNeverBecomesABroadcast)
{
    CAddressList list;
    for (const char* bad : {"256", "1,,2", ",", "", "4;5"}) {
        list.m_nAddressCount = 7;
        EXPECT_FALSE(ParseAddressList(bad, list)) << bad;
        EXPECT_EQ(list.m_nAddressCount, 0) << bad;
        EXPECT_FALSE(HasBroadcastAddress(list)) << bad;
    }
}
