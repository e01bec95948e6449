#include <iostream>

#include "ExportCommand.h"
#include "errors/ErrorReporter.h"

namespace {

// One line per problem, naming the pattern file (the reader's messages name it, with the
// line, already) and saying what is wrong; where in the program it was noticed is of no use
// to the weaver.
class ExportErrorSink : public tessaly::ErrorSink {
  public:
    explicit ExportErrorSink(std::string patternPath) : patternPath_(std::move(patternPath)) {}

    void Show(const tessaly::ErrorReport& report) noexcept override {
        try {
            std::cerr << "tessaly-export: error: ";
            if (report.description.rfind(patternPath_, 0) != 0) std::cerr << patternPath_ << ": ";
            std::cerr << report.description << "\n";
        } catch (...) {
        }
    }

  private:
    std::string patternPath_;
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
    ExportErrorSink sink(options->patternPath);
    tessaly::ScopedErrorSink scope(sink);
    return tessaly::RunExport(*options, std::cout);
}
