#pragma once
// The sign options shared by the commands that render or send a document: --width,
// --height, --colors, --screens and --version-code, each overriding the profile's value.

#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
class Option;
}
class CVemtApp;
struct CCliContext;

class CSignOptions {
public:
    // The options' part of the tool's overview.
    static const char* HelpText();

    void AddTo(CLI::App& command);

    // The options given, by name, in the order they are declared.
    std::vector<std::pair<std::string, std::string>> Given() const;

    // The sign parameters from the profile (with the corrections the sign-parameters
    // dialog makes on loading) overridden by the options given. False, with a message on
    // err, for a value that is not a whole number or is out of range.
    bool Resolve(const CCliContext& context, CVemtApp& app) const;
    static bool Resolve(const CCliContext& context, const std::vector<std::pair<std::string, std::string>>& options,
                        CVemtApp& app);

private:
    struct Value {
        const char* name;
        std::string text;
        CLI::Option* option = nullptr;
    };
    std::vector<Value> m_values{{"--width", {}}, {"--height", {}}, {"--colors", {}}, {"--screens", {}},
                                {"--version-code", {}}};
};
