#include <QGuiApplication>
#include <cstdio>
#include <iostream>
#include <memory>

#include "ExportCommand.h"
#include "errors/ErrorReporter.h"
#include "patternfile/SafeFile.h"

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
            // messages about the output files name those files themselves
            const bool aboutOutputs = report.procedure == "outputs";
            if (!aboutOutputs && report.description.rfind(patternPath_, 0) != 0)
                std::cerr << patternPath_ << ": ";
            std::cerr << report.description << "\n";
        } catch (...) {
        }
    }

  private:
    std::string patternPath_;
};

// What had to go to standard output must have arrived: a closed or full output is a failure.
int Finish(int status) {
    std::cout.flush();
    if (!std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::cerr << "tessaly-export: error: cannot write to standard output\n";
        return status == tessaly::kExitOk ? tessaly::kExitBadInput : status;
    }
    return status;
}

// Qt's own notes (a missing runtime folder and the like) are not the weaver's business;
// its critical messages still reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << "tessaly-export: " << message.toStdString() << "\n";
}

int Usage(const std::string& problem) {
    std::cerr << "tessaly-export: " << problem << "\n"
              << "Run tessaly-export --help for the options.\n";
    return tessaly::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    tessaly::InstallTemporaryCleanup();
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "-h" || arg == "--help") {
            std::cout << tessaly::ExportUsage();
            return Finish(tessaly::kExitOk);
        }
        if (arg == "--version") {
            std::cout << "tessaly-export " << TESSALY_VERSION << "\n";
            return Finish(tessaly::kExitOk);
        }
    }
    std::string error;
    const auto options = tessaly::ParseExportArguments(args, error);
    if (!options) return Usage(error);
    if (const auto clash = tessaly::CheckExportFiles(*options)) return Usage(*clash);
    // laying out text for the PDF needs the fonts of a GUI application, never a screen
    std::unique_ptr<QGuiApplication> fonts;
    if (!options->pdfPath.empty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(QuietQtMessages);
        fonts = std::make_unique<QGuiApplication>(argc, argv);
    }
    ExportErrorSink sink(options->patternPath);
    tessaly::ScopedErrorSink scope(sink);
    return Finish(tessaly::RunExport(*options, std::cout));
}
