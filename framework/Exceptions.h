// The framework's exception classes: Exception carries a message in the process code page, and
// each failure the components report has a class of its own.
#pragma once

#include <exception>
#include <string>

#include "framework/Consts.h"
#include "framework/StrFormat.h"

namespace fw {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}

  // Message of the string table, with its directives replaced by `args`.
  template <class... Args>
  static std::string ResMessage(const TResString& entry, const Args&... args) {
    return Format(LoadResString(entry), args...);
  }

  const std::string& Message() const { return FMessage; }
  void SetMessage(std::string message) { FMessage = std::move(message); }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

// Declares an exception class that takes its message like its base.
#define TOVU_EXCEPTION(Name, Base) \
  class Name : public Base {       \
   public:                         \
    using Base::Base;              \
  }

// The silent exception: it ends an operation without any report.
class EAbort : public Exception {
 public:
  EAbort() : Exception(LoadResString(SOperationAborted)) {}
  using Exception::Exception;
};

TOVU_EXCEPTION(EConvertError, Exception);
TOVU_EXCEPTION(EOutOfMemory, Exception);
TOVU_EXCEPTION(EInvalidOperation, Exception);
TOVU_EXCEPTION(EOutOfResources, Exception);
TOVU_EXCEPTION(EInvalidGraphic, Exception);
TOVU_EXCEPTION(EInvalidGraphicOperation, Exception);
TOVU_EXCEPTION(EComponentError, Exception);

TOVU_EXCEPTION(EStreamError, Exception);
TOVU_EXCEPTION(EFCreateError, EStreamError);
TOVU_EXCEPTION(EFOpenError, EStreamError);
TOVU_EXCEPTION(EFilerError, EStreamError);
TOVU_EXCEPTION(EReadError, EFilerError);
TOVU_EXCEPTION(EWriteError, EFilerError);
TOVU_EXCEPTION(EClassNotFound, EFilerError);

// An error of the JPEG library, with the library's message code.
class EJPEG : public Exception {
 public:
  explicit EJPEG(int code) : Exception(ResMessage(SJPEGError, code)), FErrorCode(code) {}
  int ErrorCode() const { return FErrorCode; }

 private:
  int FErrorCode;
};

// An error in a form description; the message names the line.
class EParserError : public EReadError {
 public:
  EParserError(const std::string& reason, int line)
      : EReadError(ResMessage(SParseErrorAtLine, reason, line)), FLine(line), FReason(reason) {}
  int Line() const { return FLine; }
  const std::string& Reason() const { return FReason; }

 private:
  int FLine;
  std::string FReason;
};

}  // namespace fw
