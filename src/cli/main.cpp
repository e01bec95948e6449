#include <iostream>

#include "ExportCommand.h"
#include "errors/ErrorReporter.h"

namespace {

// One line per problem: what is wrong, then where the program noticed it.
class ExportErrorSink : public tessaly::ErrorSink {
  public:
    void Show(const tessaly::ErrorReport& report) noexcept override {
        try {
            std::cerr << "tessaly-export: error: " << report.description << " [error "
                      << report.number << " in " << report.module << "." << report.procedure
                      << "]\n";
        } catch (...) {
        }
    }
};

}  // namespace

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
    ExportErrorSink sink;
    tessaly::ScopedErrorSink scope(sink);
    return tessaly::RunExport(*options, std::cout);
}
