// The OLE exceptions, OleCheck and the string and GUID conversions of ComObj.h.
#include "forms/comserver/ComObj.h"

#include <new>

EOleSysError::EOleSysError(const std::string& message, HRESULT errorCode)
    : EOleError(message.empty() ? OleErrorMessage(errorCode) : message), errorCode_(errorCode) {}

EOleSysError::EOleSysError(HRESULT errorCode) : EOleSysError(std::string(), errorCode) {}

EOleException::EOleException(const std::string& message, HRESULT errorCode, const std::string& source,
                             const std::string& helpFile, DWORD helpContext)
    : EOleSysError(message, errorCode), source_(source), helpFile_(helpFile), helpContext_(helpContext) {}

HRESULT OleCheck(HRESULT result) {
  if (FAILED(result)) throw EOleSysError(result);
  return result;
}

HRESULT CurrentExceptionResult(std::string& message) {
  try {
    throw;
  } catch (const EOleSysError& e) {
    message = e.Message();
    return FAILED(e.ErrorCode()) ? e.ErrorCode() : E_UNEXPECTED;
  } catch (const Exception& e) {
    message = e.Message();
  } catch (const std::bad_alloc&) {
    message = SOutOfMemory;
    return E_OUTOFMEMORY;
  } catch (const std::exception& e) {
    message = e.what();
  } catch (...) {
    message = "Unknown exception";
  }
  return E_UNEXPECTED;
}

std::string OleErrorMessage(HRESULT result) {
  char* text = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<char*>(&text), 0,
                           nullptr);
  std::string message = n && text ? std::string(text, n) : std::string();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  if (message.empty()) message = Format(SOleError, static_cast<unsigned long>(result));
  return message;
}

std::wstring AnsiToWide(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) RaiseLastOSError();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], n) != n)
    RaiseLastOSError();
  return wide;
}

std::string WideToAnsi(const wchar_t* text) {
  if (!text || !*text) return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) RaiseLastOSError();
  std::string ansi(static_cast<size_t>(n), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, text, -1, &ansi[0], n, nullptr, nullptr) != n) RaiseLastOSError();
  ansi.resize(static_cast<size_t>(n) - 1);  // the count included the terminator
  return ansi;
}

std::string GUIDToString(const GUID& guid) {
  wchar_t text[40];
  if (StringFromGUID2(guid, text, 40) == 0) throw EOleSysError(E_UNEXPECTED);
  return WideToAnsi(text);
}

TBStr::TBStr(const std::string& text) {
  std::wstring wide = AnsiToWide(text);
  value_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  if (!value_) throw std::bad_alloc();
}
