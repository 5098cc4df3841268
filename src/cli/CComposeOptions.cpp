#include "cli/CComposeOptions.h"

#include "app/CVemtApp.h"
#include "cli/CCliContext.h"
#include "document/CTextComposer.h"
#include "document/CVemtDoc.h"
#include "document/ComposeOptions.h"
#include "text/CFontCatalogue.h"

#include <CLI/App.hpp>

#include <iostream>
#include <iterator>

namespace {

std::istream* g_pInput = &std::cin;

}  // namespace

void CComposeOptions::SetInput(std::istream* in)
{
    g_pInput = in ? in : &std::cin;
}

void CComposeOptions::AddTo(CLI::App& command)
{
    m_values.clear();
    m_values.reserve(ComposeOptions().size());
    for (const CComposeOption& o : ComposeOptions()) m_values.push_back(Value{o.m_szName, {}, false, nullptr});
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        const CComposeOption& o = ComposeOptions()[i];
        Value& v = m_values[i];
        v.option = o.m_szValue ? command.add_option(o.m_szName, v.text, o.m_szHelp)->type_name(o.m_szValue)
                               : command.add_flag(o.m_szName, v.on, o.m_szHelp);
        v.option->group("Compose options");
    }
}

bool CComposeOptions::ReadText(const CCliContext& context, const std::string& given, std::string& text,
                               const char* command)
{
    if (given != "-") {
        text = UnescapeComposeText(given);
        return true;
    }
    text.clear();
    std::istream& in = *g_pInput;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, std::size_t(in.gcount()));
        if (text.size() > kMaxInputBytes) {
            context.m_err << "vemtctl " << command << ": the text on standard input is longer than "
                          << kMaxInputBytes << " bytes\n";
            return false;
        }
    }
    if (in.bad()) {
        context.m_err << "vemtctl " << command << ": cannot read the text from standard input\n";
        return false;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return true;
}

int CComposeOptions::Compose(const CCliContext& context, const std::string& text, CVemtDoc& doc, CVemtApp& app,
                             const char* command) const
{
    CTextComposer::LoadEditorState(context.m_profile);
    CComposeRequest request;
    request.m_szText = text;
    for (const Value& v : m_values) {
        if (!v.option || v.option->count() == 0) continue;
        std::string error;
        if (!ApplyComposeOption(v.name, v.text, app.m_nColorCount, request, error)) {
            context.m_err << "vemtctl " << command << ": " << error << "\n";
            return kCliExitUsage;
        }
    }
    const CComposeResult result = CTextComposer::Compose(request, doc, app, CFontCatalogue::Enumerate());
    if (!result.m_bOk) {
        context.m_err << "vemtctl " << command << ": " << result.m_szError << "\n";
        return kCliExitUsage;
    }
    return kCliExitOk;
}
