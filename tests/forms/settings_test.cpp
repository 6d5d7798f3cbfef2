// Settings objects: the INI file with its typed reads, defaults and write failures,
// and the registry object with relative keys, read-only probes, typed values and
// deletion of whole trees.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "forms/settings/IniFiles.h"
#include "forms/settings/Registry.h"
#include "forms/core/Streams.h"
#include "forms/core/StringList.h"

namespace {

std::string TempPath(const std::string& name) {
  char dir[MAX_PATH];
  EXPECT_NE(GetTempPathA(MAX_PATH, dir), 0u);
  return std::string(dir) + name;
}

std::string FileText(const std::string& fileName) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  return lines.Text();
}

TEST(IniFile, MissingFileGivesEveryDefault) {
  TIniFile ini(TempPath("forms_no_such_file.ini"));
  DeleteFileA(ini.FileName().c_str());
  EXPECT_EQ(ini.ReadString("Settings", "Name", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadInteger("Settings", "Count", -7), -7);
  EXPECT_TRUE(ini.ReadBool("Settings", "On", true));
  EXPECT_FALSE(ini.ReadBool("Settings", "On", false));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Settings", "Scale", 0.25), 0.25);
  EXPECT_FALSE(ini.ValueExists("Settings", "On"));
  EXPECT_EQ(GetFileAttributesA(ini.FileName().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(IniFile, KeysAreWrittenInOrderAsTextAndReadBack) {
  std::string name = TempPath("forms_settings_test.ini");
  DeleteFileA(name.c_str());
  {
    TIniFile ini(name);
    ini.WriteBool("Settings", "BufferinSysMem", true);
    ini.WriteBool("Settings", "Force43window", false);
    ini.WriteInteger("Settings", "Count", -42);
    ini.WriteString("Settings", "Name", "Quorvel");
    ini.WriteFloat("Settings", "Scale", 0.01);
  }
  EXPECT_EQ(FileText(name),
            "[Settings]\r\nBufferinSysMem=1\r\nForce43window=0\r\nCount=-42\r\nName=Quorvel\r\nScale=0.01\r\n");
  TIniFile ini(name);
  EXPECT_TRUE(ini.ReadBool("Settings", "BufferinSysMem", false));
  EXPECT_FALSE(ini.ReadBool("Settings", "Force43window", true));
  EXPECT_EQ(ini.ReadInteger("Settings", "Count", 0), -42);
  EXPECT_EQ(ini.ReadString("Settings", "Name", ""), "Quorvel");
  EXPECT_DOUBLE_EQ(ini.ReadFloat("Settings", "Scale", 1.0), 0.01);
  // Rewriting a key keeps its place.
  ini.WriteBool("Settings", "BufferinSysMem", false);
  EXPECT_EQ(FileText(name).substr(0, 30), "[Settings]\r\nBufferinSysMem=0\r\n");
  ini.DeleteKey("Settings", "Count");
  EXPECT_FALSE(ini.ValueExists("Settings", "Count"));
  EXPECT_TRUE(ini.ValueExists("Settings", "Name"));
  DeleteFileA(name.c_str());
}

TEST(IniFile, IntegersAndBooleansAsOtherProgramsWriteThem) {
  std::string name = TempPath("forms_settings_values.ini");
  {
    TFileStream out(name, fmCreate);
    std::string text =
        "[S]\r\nhex=0x1F\r\ndollar=$10\r\nblank= 12 \r\nword=yes\r\nbig=99999999999\r\n"
        "two=2\r\nminus=-1\r\nzero=0\r\nempty=\r\nfloat=2.5e3\r\nbadfloat=2,5\r\n";
    out.WriteBuffer(text.data(), static_cast<long long>(text.size()));
  }
  TIniFile ini(name);
  struct Case {
    const char* key;
    long integer;  // with default 5
    bool boolean;  // with default false
  } cases[] = {
      {"hex", 31, true},     {"dollar", 16, true}, {"blank", 12, true}, {"word", 5, false},
      {"big", 5, false},      {"two", 2, true},     {"minus", -1, true}, {"zero", 0, false},
      {"empty", 5, false},   {"missing", 5, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadInteger("S", c.key, 5), c.integer) << c.key;
    // Text that is no number reads as the default.
    EXPECT_EQ(ini.ReadBool("S", c.key, false), c.boolean) << c.key;
  }
  EXPECT_TRUE(ini.ValueExists("S", "empty"));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "float", 0), 2500.0);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("S", "badfloat", -1), -1.0);
  DeleteFileA(name.c_str());
}

TEST(IniFile, LongValuesComeBackWhole) {
  std::string name = TempPath("forms_settings_long.ini");
  DeleteFileA(name.c_str());
  std::string value(5000, 'x');
  value[4999] = 'y';
  TIniFile ini(name);
  ini.WriteString("S", "long", value);
  EXPECT_EQ(ini.ReadString("S", "long", ""), value);
  DeleteFileA(name.c_str());
}

TEST(IniFile, WriteFailureNamesTheFile) {
  std::string name = TempPath("forms_no_such_folder\\deeper\\settings.ini");
  TIniFile ini(name);
  try {
    ini.WriteBool("Settings", "ShowFPS", true);
    FAIL() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), Format(SIniFileWriteError, name));
  }
}

// Each registry test works below a key of its own, removed at the end.
class RegistryTest : public ::testing::Test {
protected:
  const std::string base = "Software\\QuorvelFormsTest";
  void TearDown() override {
    TRegistry reg;
    reg.DeleteKey(base);
  }
};

TEST_F(RegistryTest, CreatesNestedKeysAndReadsTheDefaultValueBack) {
  TRegistry reg;
  EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
  ASSERT_TRUE(reg.OpenKey(base + "\\qvl_auto_file\\shell\\open\\command", true));
  EXPECT_EQ(reg.CurrentPath(), base + "\\qvl_auto_file\\shell\\open\\command");
  EXPECT_FALSE(reg.ValueExists(""));
  EXPECT_EQ(reg.ReadString(""), "");  // a missing value reads as empty
  reg.WriteString("", "\"C:\\q\\Quorvel.exe\" \"%1\"");
  EXPECT_TRUE(reg.ValueExists(""));
  reg.CloseKey();
  EXPECT_EQ(reg.CurrentKey(), nullptr);

  // What another reader of the registry sees.
  char data[256] = "";
  LONG size = sizeof data;
  ASSERT_EQ(RegQueryValueA(HKEY_CURRENT_USER, (base + "\\qvl_auto_file\\shell\\open\\command").c_str(), data, &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(data, "\"C:\\q\\Quorvel.exe\" \"%1\"");
}

TEST_F(RegistryTest, RelativeKeysOpenBelowTheOpenKeyAndAbsoluteFromTheRoot) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base, true));
  ASSERT_TRUE(reg.OpenKey("child", true));
  EXPECT_EQ(reg.CurrentPath(), base + "\\child");
  reg.WriteString("v", "below");
  ASSERT_TRUE(reg.OpenKey("\\" + base, false));
  EXPECT_EQ(reg.CurrentPath(), base);
  EXPECT_FALSE(reg.ValueExists("v"));
  EXPECT_TRUE(reg.KeyExists("child"));
  // A failed open keeps the key that was open.
  EXPECT_FALSE(reg.OpenKey("no such child", false));
  EXPECT_EQ(reg.CurrentPath(), base);
  EXPECT_NE(reg.CurrentKey(), nullptr);
}

TEST_F(RegistryTest, ReadOnlyProbeLeavesReadAccessUntilSwitchedBack) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base + "\\probe", true));
  reg.CloseKey();
  ASSERT_TRUE(reg.OpenKeyReadOnly(base + "\\probe"));
  EXPECT_EQ(reg.Access(), static_cast<REGSAM>(KEY_READ));
  try {
    reg.WriteString("", "x");
    FAIL() << "written through a read-only key";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), Format(SRegSetDataFailed, ""));
  }
  reg.CloseKey();
  EXPECT_FALSE(reg.OpenKeyReadOnly(base + "\\missing"));
  reg.SetAccess(KEY_ALL_ACCESS);
  ASSERT_TRUE(reg.OpenKey(base + "\\probe", true));
  reg.WriteString("", "x");
  EXPECT_EQ(reg.ReadString(""), "x");
}

TEST_F(RegistryTest, ValuesOfOtherTypesAndClosedKeysRaise) {
  TRegistry reg;
  EXPECT_THROW(reg.WriteString("v", "x"), ERegistryException);  // no key open
  EXPECT_THROW(reg.ReadString("v"), ERegistryException);
  ASSERT_TRUE(reg.OpenKey(base, true));
  DWORD number = 7;
  ASSERT_EQ(RegSetValueExA(reg.CurrentKey(), "number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number),
            ERROR_SUCCESS);
  try {
    reg.ReadString("number");
    FAIL() << "a number read as a string";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), Format(SInvalidRegType, "number"));
  }
  // A string stored without its terminator still reads whole, and no further.
  ASSERT_EQ(RegSetValueExA(reg.CurrentKey(), "bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3),
            ERROR_SUCCESS);
  EXPECT_EQ(reg.ReadString("bare"), "abc");
  EXPECT_TRUE(reg.DeleteValue("bare"));
  EXPECT_FALSE(reg.ValueExists("bare"));
}

TEST_F(RegistryTest, DeleteKeyRemovesTheWholeTree) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(base + "\\a\\b\\c", true));
  reg.WriteString("", "deep");
  ASSERT_TRUE(reg.OpenKey("\\" + base + "\\a\\d", true));
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey(base + "\\a"));
  EXPECT_FALSE(reg.KeyExists(base + "\\a"));
  EXPECT_TRUE(reg.KeyExists(base));
  EXPECT_FALSE(reg.DeleteKey(base + "\\a"));
  EXPECT_FALSE(reg.DeleteKey(""));  // never the root itself
}

TEST_F(RegistryTest, ClassesRootTakesTheFileAssociation) {
  TRegistry reg;
  reg.SetRootKey(HKEY_CLASSES_ROOT);
  const std::string ext = ".qvlformstest";
  ASSERT_TRUE(reg.OpenKey(ext, true));
  reg.WriteString("", "qvl_formstest_file");
  reg.CloseKey();
  ASSERT_TRUE(reg.OpenKeyReadOnly(ext));
  EXPECT_EQ(reg.ReadString(""), "qvl_formstest_file");
  reg.CloseKey();
  reg.SetAccess(KEY_ALL_ACCESS);
  EXPECT_TRUE(reg.DeleteKey(ext));
  EXPECT_FALSE(reg.KeyExists(ext));
}

}  // namespace
