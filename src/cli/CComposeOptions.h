#pragma once
// The compose options on a command (--face, --size, ..., --import, --append, ...) and the
// text a script gives: an argument with "\n" and "\t" escapes, or "-" for standard input.
// Shared by "compose" and by "send --text" and "export --text", which compose in memory.

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}
class CVemtApp;
class CVemtDoc;
struct CCliContext;

class CComposeOptions {
public:
    // Where "-" reads the text from (standard input unless a test says otherwise).
    static void SetInput(std::istream* in);
    // The most bytes read from standard input; a sign holds far less text.
    static constexpr std::size_t kMaxInputBytes = 64 * 1024;

    void AddTo(CLI::App& command);

    // The text as given: "-" reads standard input (line ends at its end dropped, as a
    // shell's command substitution does), anything else has its escapes replaced. False,
    // with a message, when the input cannot be read or is too long.
    static bool ReadText(const CCliContext& context, const std::string& given, std::string& text,
                         const char* command);

    // Composes text into doc for app's sign with the options given. Returns the exit
    // status: 0, or usage (2) with a message for a refused option or text.
    int Compose(const CCliContext& context, const std::string& text, CVemtDoc& doc, CVemtApp& app,
                const char* command) const;

private:
    struct Value {
        std::string name;
        std::string text;
        bool on = false;
        CLI::Option* option = nullptr;
    };
    std::vector<Value> m_values;
};
