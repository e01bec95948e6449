#include <iostream>

#include "ExportCommand.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            std::cout << tessaly::ExportUsage();
            return tessaly::kExitOk;
        }
    }
    std::string error;
    const auto options = tessaly::ParseExportArguments(args, error);
    if (!options) {
        std::cerr << "tessaly-export: " << error << "\n" << tessaly::ExportUsage();
        return tessaly::kExitUsage;
    }
    return tessaly::RunExport(*options, std::cout);
}
