#pragma once

#include "errors/ErrorReporter.h"

namespace tessaly::fuzz {

// Reports go nowhere: a fuzz target looks at what the reader returns, and a report box per
// input would only slow it down.
inline void SilenceErrorReports() {
    class SilentSink : public ErrorSink {
      public:
        void Show(const ErrorReport&) noexcept override {}
    };
    static SilentSink sink;
    SetErrorSink(&sink);
}

}  // namespace tessaly::fuzz
