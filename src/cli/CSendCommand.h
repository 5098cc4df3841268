#pragma once
// "vemtctl send": the document sent to the signs of an address list, as "Send file" does;
// with --text, a document composed in memory from a text.

#include "cli/CCliContext.h"
#include "cli/CComposeOptions.h"
#include "cli/CSignOptions.h"
#include "cli/ICliCommand.h"

#include <string>
#include <vector>

class CSendCommand : public ICliCommand {
public:
    explicit CSendCommand(const CCliContext& context) : m_context(context) {}

    const char* Name() const override { return "send"; }
    const char* Synopsis() const override;
    const char* Description() const override;
    void AddOptions(CLI::App& command) override;
    int Run() override;

private:
    const CCliContext& m_context;
    std::vector<std::string> m_aFiles;  // FILE.KVX
    std::string m_szText;
    CLI::Option* m_pText = nullptr;
    CComposeOptions m_composeOptions;
    std::string m_szPort;
    std::string m_szAddresses;
    CSignOptions m_signOptions;
};
