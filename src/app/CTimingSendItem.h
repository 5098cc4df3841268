#pragma once
// One scheduled send: this document to these addresses at this time of day.

#include <string>

struct CTimingSendItem {
    std::string m_szAddress = "0";     // address string
    std::string m_szTime = "00:00";    // "%02d:%02d"
    std::string m_szFileName;          // full path of a document file
    int m_nSent = 0;                   // 1 once sent during the current timing run; not stored
};
