// The OLE exception classes, OleCheck, and the conversions between the library's byte
// strings and COM's wide strings and GUIDs. The factories are in ComFactory.h, the
// automation object base in ComAutoObject.h, the server object in ComServ.h, the
// automation client in ComClient.h and DispatchInvoke.h.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "forms/comserver/ComConsts.h"
#include "forms/core/SysUtils.h"

QV_EXCEPTION(EOleError, Exception);

// A failing HRESULT, with its message (the system's text for the code when none is given).
class EOleSysError : public EOleError {
public:
  EOleSysError(const std::string& message, HRESULT errorCode);
  explicit EOleSysError(HRESULT errorCode);
  HRESULT ErrorCode() const { return errorCode_; }

private:
  HRESULT errorCode_;
};

// An exception that an automation object reported from a call, with its source and help.
class EOleException : public EOleSysError {
public:
  EOleException(const std::string& message, HRESULT errorCode, const std::string& source,
                const std::string& helpFile, DWORD helpContext);
  const std::string& Source() const { return source_; }
  const std::string& HelpFile() const { return helpFile_; }
  DWORD HelpContext() const { return helpContext_; }

private:
  std::string source_;
  std::string helpFile_;
  DWORD helpContext_;
};

QV_EXCEPTION(EOleRegistrationError, EOleError);

// Call from a catch block: the failing HRESULT that reports the exception being handled
// (an EOleSysError's own code, E_OUTOFMEMORY for an allocation failure, else
// E_UNEXPECTED), with its message.
HRESULT CurrentExceptionResult(std::string& message);

// Raises EOleSysError for a failing result; returns the result otherwise.
HRESULT OleCheck(HRESULT result);
// The system's text for an HRESULT, or "OLE error XXXXXXXX" when it has none.
std::string OleErrorMessage(HRESULT result);

std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const wchar_t* text);  // nil gives ""
std::string GUIDToString(const GUID& guid);   // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"

// Owns a BSTR that a COM call returned.
class TBStr {
public:
  TBStr() = default;
  explicit TBStr(const std::string& text);
  TBStr(const TBStr&) = delete;
  TBStr& operator=(const TBStr&) = delete;
  ~TBStr() { SysFreeString(value_); }
  // For a call that stores a new string; the one held before is freed first.
  BSTR* Out() {
    SysFreeString(value_);
    value_ = nullptr;
    return &value_;
  }
  BSTR Get() const { return value_; }
  BSTR Detach() {
    BSTR value = value_;
    value_ = nullptr;
    return value;
  }
  std::string Ansi() const { return WideToAnsi(value_); }

private:
  BSTR value_ = nullptr;
};
