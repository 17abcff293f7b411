#pragma once
// The error a malformed form file raises: where (file, line, column) and what,
// in the form "file:line:column: message" that editors and compilers share.
#include "rtl/Exceptions.h"

#include <string>

class EFormError : public Exception {
public:
  EFormError(std::string fileName, int line, int column, std::string message)
      : Exception(fileName + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message),
        FFileName(std::move(fileName)), FLine(line), FColumn(column), FReason(std::move(message)) {}
  const char* ClassName() const override { return "EFormError"; }

  const std::string& FileName() const { return FFileName; }
  int Line() const { return FLine; }
  int Column() const { return FColumn; }
  // The message without the position.
  const std::string& Reason() const { return FReason; }

private:
  std::string FFileName;
  int FLine;
  int FColumn;
  std::string FReason;
};
