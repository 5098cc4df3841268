#include "cli/CSignOptions.h"

#include "app/CSignParamForm.h"
#include "app/CVemtApp.h"
#include "app/SignParams.h"
#include "cli/CCliContext.h"
#include "cli/ParseInt.h"

#include <CLI/App.hpp>

#include <map>
#include <ostream>

const char* CSignOptions::HelpText()
{
    return "Sign options (default: the editor's profile, section TPParameter):\n"
           "  --width N          dots across, 8 to 320\n"
           "  --height N         dots from top to bottom, 1 to 64\n"
           "  --colors N         1 (red) or 2 (red and green)\n"
           "  --screens N        screens composed, 1 to the most the sign can store\n"
           "  --version-code N   51 (firmware before V3.18) or 55 (after V3.18)\n";
}

void CSignOptions::AddTo(CLI::App& command)
{
    const char* descriptions[] = {
        "dots across, 8 to 320 (default: the profile)",
        "dots from top to bottom, 1 to 64 (default: the profile)",
        "1 (red) or 2 (red and green) (default: the profile)",
        "screens composed, 1 to the most the sign can store (default: the profile)",
        "51 (firmware before V3.18) or 55 (after V3.18) (default: the profile)",
    };
    for (std::size_t i = 0; i < m_values.size(); ++i) {
        m_values[i].option = command.add_option(m_values[i].name, m_values[i].text, descriptions[i]);
        m_values[i].option->type_name("N")->group("Sign options");
    }
}

std::vector<std::pair<std::string, std::string>> CSignOptions::Given() const
{
    std::vector<std::pair<std::string, std::string>> given;
    for (const Value& v : m_values)
        if (v.option != nullptr && v.option->count() > 0) given.emplace_back(v.name, v.text);
    return given;
}

bool CSignOptions::Resolve(const CCliContext& context, CVemtApp& app) const
{
    return Resolve(context, Given(), app);
}

bool CSignOptions::Resolve(const CCliContext& context, const std::vector<std::pair<std::string, std::string>>& options,
                           CVemtApp& app)
{
    std::ostream& err = context.m_err;
    CSignParamForm form;
    form.LoadParams(context.m_profile, context.m_szVemtIniPath, app);

    std::map<std::string, int> given;
    for (const auto& [name, text] : options) {
        const auto value = ParseInt(text);
        if (!value) {
            err << "vemtctl: " << name << " needs a whole number, not \"" << text << "\"\n";
            return false;
        }
        given[name] = *value;
    }
    struct Range {
        const char* name;
        int low, high;
        int* target;
    } ranges[] = {
        {"--width", kMinSignWidth, kMaxSignWidth, &form.m_nTPWidth},
        {"--height", 1, kMaxSignHeight, &form.m_nTPHeight},
        {"--colors", 1, 2, &form.m_nColorCount},
    };
    for (const Range& r : ranges) {
        auto it = given.find(r.name);
        if (it == given.end()) continue;
        if (it->second < r.low || it->second > r.high) {
            err << "vemtctl: " << r.name << " must be " << r.low << " to " << r.high << ", not " << it->second
                << "\n";
            return false;
        }
        *r.target = it->second;
    }
    if (auto it = given.find("--version-code"); it != given.end()) {
        if (it->second != kMemoryBeforeV318 && it->second != kMemoryAfterV318) {
            err << "vemtctl: --version-code must be " << kMemoryBeforeV318 << " or " << kMemoryAfterV318
                << ", not " << it->second << "\n";
            return false;
        }
        form.m_nMemorySize = it->second;
    }
    form.RecomputeMax(app);
    if (auto it = given.find("--screens"); it != given.end()) {
        if (it->second < 1 || it->second > form.m_nMaxScreen) {
            err << "vemtctl: --screens must be 1 to " << form.m_nMaxScreen << " for this sign, not " << it->second
                << "\n";
            return false;
        }
        form.m_nTotalScreen = it->second;
    } else if (form.m_nTotalScreen > form.m_nMaxScreen) {
        form.m_nTotalScreen = form.m_nMaxScreen;
    }
    if (form.m_nTotalScreen < 1) form.m_nTotalScreen = 1;
    form.CopyInto(app);
    app.m_nMemorySize = form.m_nMemorySize;
    return true;
}
