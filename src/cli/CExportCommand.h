#pragma once
// "vemtctl export": the document rendered at one pixel per dot into a 24-bit bitmap; with
// --text, a document composed in memory from a text.

#include "cli/CCliContext.h"
#include "cli/CComposeOptions.h"
#include "cli/CSignOptions.h"
#include "cli/ICliCommand.h"

#include <string>
#include <vector>

class CExportCommand : public ICliCommand {
public:
    explicit CExportCommand(const CCliContext& context) : m_context(context) {}

    const char* Name() const override { return "export"; }
    const char* Synopsis() const override;
    const char* Description() const override;
    void AddOptions(CLI::App& command) override;
    int Run() override;

private:
    const CCliContext& m_context;
    std::vector<std::string> m_aFiles;  // FILE.KVX OUT.bmp, or OUT.bmp with --text
    std::string m_szText;
    CLI::Option* m_pText = nullptr;
    CComposeOptions m_composeOptions;
    std::string m_szScreen;
    CLI::Option* m_pScreen = nullptr;
    CSignOptions m_signOptions;
};
