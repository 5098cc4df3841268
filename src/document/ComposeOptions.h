#pragma once
// The compose options a script gives by name ("--size 12", "--charset GB2312",
// "--import Scroll up", "--append Flicker,Pause"), read into a compose request. Names of
// modes, speeds, append flags and cartoons are those the settings dialogs show.

#include "document/CTextComposer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CComposeOption {
    const char* m_szName;      // "--size"
    const char* m_szValue;     // "N", or nullptr for a switch
    const char* m_szHelp;
};

// Every compose option, in the order help lists them.
const std::vector<CComposeOption>& ComposeOptions();
bool IsComposeOption(std::string_view name);
bool IsComposeSwitch(std::string_view name);  // takes no value

// Reads one option into request. False with a message (that lists the valid names for
// an unknown one) for a bad value. colorCount: the sign's colours (1 or 2); green and
// yellow need two.
bool ApplyComposeOption(std::string_view name, const std::string& value, int colorCount, CComposeRequest& request,
                        std::string& error);

// "\n" becomes a line end, "\t" a tab, "\\" one backslash; any other backslash stays.
std::string UnescapeComposeText(const std::string& text);

// A character set by number (0 to 255) or by name: "GB2312", "GB2312_CHARSET",
// "CHINESE_GB2312", "Western", ... (case ignored).
std::optional<int> CharSetByName(std::string_view name);
// The names CharSetByName knows, for messages.
std::string CharSetNames();
