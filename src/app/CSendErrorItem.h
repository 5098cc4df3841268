#pragma once
// One message collected during timed sending instead of a message box.

#include <string>

struct CSendErrorItem {
    std::string m_szText;
};
