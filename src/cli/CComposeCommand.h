#pragma once
// "vemtctl compose": a document holding one text, made as the editor's character tool
// and "Font" window make it, written with its companion settings file.

#include "cli/CCliContext.h"
#include "cli/CComposeOptions.h"
#include "cli/CSignOptions.h"
#include "cli/ICliCommand.h"

#include <string>
#include <vector>

class CComposeCommand : public ICliCommand {
public:
    explicit CComposeCommand(const CCliContext& context) : m_context(context) {}

    const char* Name() const override { return "compose"; }
    const char* Synopsis() const override;
    const char* Description() const override;
    void AddOptions(CLI::App& command) override;
    int Run() override;

private:
    const CCliContext& m_context;
    std::vector<std::string> m_aArguments;  // OUT.KVX TEXT
    CComposeOptions m_composeOptions;
    CSignOptions m_signOptions;
};
