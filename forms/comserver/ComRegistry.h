// The registry entries of a COM server under HKEY_CLASSES_ROOT: writing a string value
// (creating the key), deleting a key with everything below it, reading a value back.
// Used by the class factories and the server object (ComFactory.h, ComServ.h).
#pragma once

#include <string>

// Raises EOleRegistrationError (SCreateRegKeyError) when the key or value cannot be written.
// An empty value name writes the key's default value.
void CreateRegKey(const std::string& key, const std::string& valueName, const std::string& value);
// A key that is not there is no error; one that cannot be deleted raises
// EOleRegistrationError (SRemoveRegKeyError).
void DeleteRegKey(const std::string& key);
// The string value, or false when the key or value is missing or not a string.
bool GetRegStringValue(const std::string& key, const std::string& valueName, std::string& value);
