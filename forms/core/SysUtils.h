// The exception root with its formatted messages, the library's exception classes,
// and the string helpers the programs use (Format, number and file-name conversions).
// The library's own message texts are in Consts.h.
#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>

#include "forms/core/Consts.h"
#include "forms/core/Object.h"

// One argument of Format: an integer, a floating-point value or a string.
class TFormatArg {
public:
  enum Kind { kInt, kUInt, kFloat, kString };
  TFormatArg(int v) : kind_(kInt), i_(v) {}
  TFormatArg(long v) : kind_(kInt), i_(v) {}
  TFormatArg(long long v) : kind_(kInt), i_(v) {}
  TFormatArg(unsigned v) : kind_(kUInt), u_(v) {}
  TFormatArg(unsigned long v) : kind_(kUInt), u_(v) {}
  TFormatArg(unsigned long long v) : kind_(kUInt), u_(v) {}
  TFormatArg(double v) : kind_(kFloat), f_(v) {}
  TFormatArg(long double v) : kind_(kFloat), f_(static_cast<double>(v)) {}
  TFormatArg(const char* v) : kind_(kString), s_(v ? v : "") {}
  TFormatArg(const std::string& v) : kind_(kString), s_(v) {}

  Kind kind() const { return kind_; }
  long long AsInt() const { return kind_ == kUInt ? static_cast<long long>(u_) : i_; }
  unsigned long long AsUInt() const { return kind_ == kInt ? static_cast<unsigned long long>(i_) : u_; }
  double AsFloat() const { return f_; }
  const std::string& AsString() const { return s_; }

private:
  Kind kind_;
  long long i_ = 0;
  unsigned long long u_ = 0;
  double f_ = 0;
  std::string s_;
};

// Formats with %s, %d, %u, %x, %X, %f, %e, %g and %% (flags '-' and '0', a width and
// a precision, as printf). A directive that does not fit its argument, or a missing
// argument, raises EConvertError.
std::string FormatList(const std::string& format, std::initializer_list<TFormatArg> args);
template <class... A>
std::string Format(const std::string& format, const A&... args) {
  return FormatList(format, {TFormatArg(args)...});
}

// The root of every exception the library and the programs raise.
class Exception : public TObject, public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  template <class A0, class... A>
  Exception(const std::string& format, const A0& first, const A&... rest)
      : message_(Format(format, first, rest...)) {}
  Exception(const Exception& other) : TObject(), std::exception(other), message_(other.message_) {}

  const std::string& Message() const { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

// Declares an exception class that only carries the message of its parent.
#define QV_EXCEPTION(Name, Parent)                          \
  class Name : public Parent {                              \
  public:                                                   \
    using Parent::Parent;                                   \
  }

QV_EXCEPTION(EAbort, Exception);              // silent: the default handler shows nothing
QV_EXCEPTION(EConvertError, Exception);       // assignment and text-to-number conversions
QV_EXCEPTION(EInvalidCast, Exception);        // a typed access to an object of another class
QV_EXCEPTION(EOutOfMemory, Exception);
QV_EXCEPTION(EInOutError, Exception);         // file input and output
QV_EXCEPTION(EListError, Exception);          // index out of range in lists and collections
QV_EXCEPTION(EStringListError, EListError);
QV_EXCEPTION(EComponentError, Exception);
QV_EXCEPTION(EStreamError, Exception);
QV_EXCEPTION(EFCreateError, EStreamError);
QV_EXCEPTION(EFOpenError, EStreamError);
QV_EXCEPTION(EReadError, EStreamError);
QV_EXCEPTION(EWriteError, EStreamError);
QV_EXCEPTION(EThread, Exception);
QV_EXCEPTION(EOSError, Exception);            // a failed system call, with its error text
QV_EXCEPTION(EInvalidOperation, Exception);   // controls: an operation the state forbids
QV_EXCEPTION(EInvalidGraphic, Exception);
QV_EXCEPTION(EInvalidGraphicOperation, Exception);
QV_EXCEPTION(EOutOfResources, Exception);     // GDI or window creation failed
QV_EXCEPTION(EAssertionFailed, Exception);    // a condition the code relies on does not hold

// Raises EOSError with the system's text for GetLastError() (or the given code).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(unsigned long code);

// Casts to a derived class, raising EInvalidCast when the object is of another class.
// A null pointer stays null.
template <class T, class S>
T* CheckedCast(S* object);

std::string IntToStr(long long value);
std::string IntToHex(unsigned long long value, int digits);
// Decimal, or hexadecimal after '$' or "0x"; blanks around it are not allowed.
long long StrToInt(const std::string& text);  // EConvertError when not a number
long long StrToIntDef(const std::string& text, long long fallback);
bool TryStrToInt(const std::string& text, long long& value);

// The process-wide decimal separator used by FloatToStr, FormatFloat and StrToFloat.
extern char DecimalSeparator;
std::string FloatToStr(double value);  // up to 15 significant digits
// Fixed notation with the given number of decimals ("%.*f" with DecimalSeparator).
std::string FloatToStrFixed(double value, int decimals);
double StrToFloat(const std::string& text);  // EConvertError when not a number
bool TryStrToFloat(const std::string& text, double& value);
// The same in extended precision (80-bit on x86), for values that must keep every digit.
long double StrToFloatExtended(const std::string& text);  // EConvertError when not a number
bool TryStrToFloat(const std::string& text, long double& value);
// Fixed notation: the value rounded to Precision significant digits (at most 18), shown
// with Digits decimals, the places past the precision as zeros. A value of Precision or
// more integer digits comes in scientific notation instead.
enum TFloatFormat { ffFixed };
std::string FloatToStrF(long double value, TFloatFormat format, int precision, int digits);

std::string LowerCase(const std::string& text);  // ASCII letters only
std::string UpperCase(const std::string& text);
bool SameText(const std::string& a, const std::string& b);  // ignoring ASCII case
std::string Trim(const std::string& text);

std::string ExtractFilePath(const std::string& fileName);  // up to the last '\', '/' or ':'
std::string ExtractFileName(const std::string& fileName);
std::string ExtractFileExt(const std::string& fileName);   // with its dot, "" when none
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
bool FileExists(const std::string& fileName);

template <class T, class S>
T* CheckedCast(S* object) {
  if (!object) return nullptr;
  T* typed = dynamic_cast<T*>(object);
  if (!typed) throw EInvalidCast(SInvalidCast);
  return typed;
}
