#include <iostream>
#include <string>
#include <vector>

#include "commands.h"

namespace {

constexpr std::string_view kLangOption = "--lang";

// Every subcommand takes --lang; given before the subcommand it is moved behind its name,
// where the subcommand reads it.
bool isSubcommand(CLI::App& app, const std::string& word) {
    for (const CLI::App* command : app.get_subcommands([](CLI::App*) { return true; })) {
        if (command->get_name() == word) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> withGlobalOptionsMoved(int argc, char** argv, CLI::App& app) {
    std::vector<std::string> before;
    std::vector<std::string> rest;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == kLangOption && i + 1 < argc) {
            before.push_back(word);
            before.push_back(argv[++i]);
        } else if (word.starts_with(std::string(kLangOption) + "=")) {
            before.push_back(word);
        } else {
            break;
        }
    }
    std::vector<std::string> args{argc > 0 ? argv[0] : "kernwijs-cli"};
    if (i < argc && !before.empty() && isSubcommand(app, argv[i])) {
        args.push_back(argv[i++]);
        args.insert(args.end(), before.begin(), before.end());
    } else {
        args.insert(args.end(), before.begin(), before.end());
    }
    for (; i < argc; ++i) {
        args.emplace_back(argv[i]);
    }
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "kernwijs-cli: toroid AL and Q calculations, data sheets, material identification, "
        "sweeps, exports and printing"};
    app.require_subcommand(1);
    app.footer("--lang NL|UK may also stand before the subcommand. See kernwijs-cli(1).");
    int exitCode = kw::cli::kExitOk;
    kw::cli::addCalcCommand(app, exitCode);
    kw::cli::addSheetCommand(app, exitCode);
    kw::cli::addExportCommand(app, exitCode);
    kw::cli::addIdentifyCommand(app, exitCode);
    kw::cli::addPrintCommand(app, exitCode);
    try {
        std::vector<std::string> args = withGlobalOptionsMoved(argc, argv, app);
        std::vector<char*> pointers;
        for (std::string& a : args) {
            pointers.push_back(a.data());
        }
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& e) {
        const int rc = app.exit(e);
        return rc == 0 ? kw::cli::kExitOk : kw::cli::kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "kernwijs-cli: " << e.what() << '\n';
        return kw::cli::kExitUsage;
    }
    return exitCode;
}
