// The class library's own message texts, formatted with Format where they hold %s or %d.
// Tests compare against these constants, never against copies of the text.
#pragma once

inline constexpr const char SAssignError[] = "Cannot assign a %s to a %s";
inline constexpr const char SInvalidCast[] = "Invalid class typecast";
inline constexpr const char SOutOfMemory[] = "Out of memory";
inline constexpr const char SListIndexError[] = "List index out of bounds (%d)";
inline constexpr const char SDuplicateString[] = "String list does not allow duplicates";
inline constexpr const char SDuplicateName[] = "A component named %s already exists";
inline constexpr const char SInvalidName[] = "'%s' is not a valid component name";
inline constexpr const char SInvalidInteger[] = "'%s' is not a valid integer value";
inline constexpr const char SInvalidFloat[] = "'%s' is not a valid floating point value";
inline constexpr const char SInvalidFormat[] = "Format '%s' invalid or incompatible with argument";
inline constexpr const char SArgumentMissing[] = "No argument for format '%s'";
inline constexpr const char SFCreateError[] = "Cannot create file \"%s\"";
inline constexpr const char SFOpenError[] = "Cannot open file \"%s\"";
inline constexpr const char SReadError[] = "Stream read error";
inline constexpr const char SWriteError[] = "Stream write error";
inline constexpr const char SMemoryStreamError[] = "Out of memory while expanding memory stream";
inline constexpr const char SOSError[] = "System Error.  Code: %d.\n%s";
inline constexpr const char SThreadCreateError[] = "Thread creation error: %s";
inline constexpr const char SWindowClass[] = "Error creating window class";
inline constexpr const char SWindowCreate[] = "Error creating window";
inline constexpr const char SParentRequired[] = "Control '%s' has no parent window";
inline constexpr const char SCannotShowModal[] = "Cannot make a visible window modal";
inline constexpr const char SCannotFocus[] = "Cannot focus a disabled or invisible window";
inline constexpr const char SNoCanvasHandle[] = "Canvas does not allow drawing";
inline constexpr const char SOutOfResources[] = "Out of system resources";
inline constexpr const char SMenuIndexError[] = "Menu index out of range";
inline constexpr const char SAssertionFailure[] = "Assertion failure";
inline constexpr const char SMenuReinserted[] = "Menu inserted twice";
inline constexpr const char SNoTimers[] = "Not enough timers available";
inline constexpr const char SRegCreateFailed[] = "Failed to create key %s";
inline constexpr const char SRegSetDataFailed[] = "Failed to set data for '%s'";
inline constexpr const char SRegGetDataFailed[] = "Failed to get data for '%s'";
inline constexpr const char SInvalidRegType[] = "Invalid data type for '%s'";
inline constexpr const char SIniFileWriteError[] = "Unable to write to %s";
inline constexpr const char SNoDefaultPrinter[] = "There is no default printer currently selected";
inline constexpr const char SPrinting[] = "Printing in progress";
inline constexpr const char SNotPrinting[] = "Printer is not currently printing";
