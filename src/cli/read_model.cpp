#include "cli/read_model.h"

#include <cstdio>

#include "cli/command_registry.h"
#include "document/quorix_doc.h"

namespace brimvale::cli {

std::string ReadFailureText(const std::string& command, const std::string& file, const MqoReadStatus& status) {
  const std::string prefix = "brimvale-cli " + command + ": ";
  switch (status.result) {
    case MqoReadResult::Ok:
      return std::string();
    case MqoReadResult::NotMetasequoia:
      return prefix + file + ": not a Metasequoia file";
    case MqoReadResult::CannotOpen:
      break;
  }
  return prefix + "cannot open " + file + (status.reason.empty() ? std::string() : ": " + status.reason);
}

int ReadFailureExitCode(const MqoReadStatus& status) {
  switch (status.result) {
    case MqoReadResult::Ok:
      return kExitOk;
    case MqoReadResult::NotMetasequoia:
      return kExitNotMetasequoia;
    case MqoReadResult::CannotOpen:
      break;
  }
  return kExitCannotOpen;
}

int ReadModel(CQuorixDoc& doc, const std::string& command, const std::string& file, MqoReadStatus* report) {
  MqoReadStatus status;
  const bool read = ReadMqoFile(doc, file, &status);
  if (report) *report = status;
  if (read) return kExitOk;
  std::fprintf(stderr, "%s\n", ReadFailureText(command, file, status).c_str());
  return ReadFailureExitCode(status);
}

}  // namespace brimvale::cli
