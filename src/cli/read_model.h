// Reading the model a command works on, with the reader's report worded for
// the command line: one English line on stderr and the command's exit code.
#pragma once

#include <string>

#include "document/mqo_reader.h"

namespace brimvale {
class CQuorixDoc;
}

namespace brimvale::cli {

// The line the report prints, without the trailing newline; empty for Ok.
std::string ReadFailureText(const std::string& command, const std::string& file, const MqoReadStatus& status);

// The exit code for a read that failed with `status`.
int ReadFailureExitCode(const MqoReadStatus& status);

// Reads `file` into `doc`; on failure prints the report and returns its exit
// code, else returns kExitOk. The reader's report goes to `status` when given.
int ReadModel(CQuorixDoc& doc, const std::string& command, const std::string& file,
              MqoReadStatus* status = nullptr);

}  // namespace brimvale::cli
