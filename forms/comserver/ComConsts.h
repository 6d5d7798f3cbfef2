// Message texts of the class library's COM support (the rest of the library's texts are
// in Consts.h). Tests compare against these constants.
#pragma once

inline constexpr const char SOleError[] = "OLE error %.8X";
inline constexpr const char SCreateRegKeyError[] = "Error creating system registry entry";
inline constexpr const char SNoTypeInfo[] = "The type library holds no type information for class %s";
inline constexpr const char SComServerWarningCaption[] = "COM Server Warning";
inline constexpr const char SNoCloseActiveServer1[] =
    "There are still active COM objects in this application.  One or more clients may have "
    "references to these objects, so manually closing ";
inline constexpr const char SNoCloseActiveServer2[] =
    "this application may cause those client application(s) to fail.\r\n\r\n"
    "Are you sure you want to close this application?";
inline constexpr const char SRemoveRegKeyError[] = "Error removing system registry entry";
inline constexpr const char SUnsupportedInterface[] = "Class %s has no dual default interface";

// The automation client: variants, variant arrays and late-bound calls.
inline constexpr const char SInvalidVarCast[] = "Invalid variant type conversion";
inline constexpr const char SVarOverflow[] = "Overflow while converting variant";
inline constexpr const char SVarNotArray[] = "Variant is not an array";
inline constexpr const char SVarArrayCreate[] = "Error creating variant or safe array";
inline constexpr const char SVarArrayBounds[] = "Variant or safe array index out of bounds";
inline constexpr const char SNoMethod[] = "Method '%s' not supported by automation object";
