// Format, the exception root, assignment errors, events and sets.
#include <gtest/gtest.h>

#include "forms/core/Classes.h"

namespace {

TEST(Format, FormatsEachDirectiveAsPrintfDoes) {
  EXPECT_EQ(Format("%s not loaded", "DDraw.dll"), "DDraw.dll not loaded");
  EXPECT_EQ(Format("Display mode cannot be changed (%dx%d %dbit)", 640, 480, 8),
            "Display mode cannot be changed (640x480 8bit)");
  EXPECT_EQ(Format("%5.2f|%-4d|%04x|%%", 3.14159, 7, 255u), " 3.14|7   |00ff|%");
  EXPECT_EQ(Format("%s", std::string("abc")), "abc");
  EXPECT_EQ(Format("no directives"), "no directives");
}

TEST(Format, DecimalSeparatorAppliesToFloats) {
  char saved = DecimalSeparator;
  DecimalSeparator = ',';
  EXPECT_EQ(Format("%.1f", 2.5), "2,5");
  EXPECT_EQ(FloatToStr(0.25), "0,25");
  EXPECT_DOUBLE_EQ(StrToFloat("1,5"), 1.5);
  DecimalSeparator = saved;
  EXPECT_DOUBLE_EQ(StrToFloat("1.5"), 1.5);
}

TEST(Format, ExtendedFixedNotationRoundsToThePrecisionAndPadsWithZeros) {
  struct Case {
    long double value;
    int precision, digits;
    const char* text;
  };
  const Case cases[] = {
      // Doubles widened to extended keep their binary value: 18 digits show it.
      {static_cast<long double>(-2.4), 18, 18, "-2.399999999999999910"},
      {static_cast<long double>(1.2), 18, 18, "1.199999999999999960"},
      {0.0L, 18, 18, "0.000000000000000000"},
      {0.5L, 18, 18, "0.500000000000000000"},
      {-0.75L, 18, 18, "-0.750000000000000000"},
      // Small values: the decimals end the digits before the precision does.
      {1.25e-18L, 18, 18, "0.000000000000000001"},
      {123.5L, 4, 2, "123.50"},
      {2.5L, 18, 0, "2"},
      // A value with as many integer digits as the precision comes in scientific form.
      {1.5e20L, 18, 18, "1.50000000000000000e+20"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FloatToStrF(c.value, ffFixed, c.precision, c.digits), c.text) << c.text;
}

TEST(Format, ExtendedConversionKeepsEveryDigitAndRefusesOtherForms) {
  EXPECT_EQ(StrToFloatExtended("0.1"), 0.1L);
  EXPECT_NE(StrToFloatExtended("0.1"), static_cast<long double>(0.1));
  EXPECT_EQ(StrToFloatExtended("-1.25e-3"), -1.25e-3L);
  for (const char* bad : {"", " 1", "1 ", "1,5", "abc", "inf", "nan", "0x10", "1.5x"})
    EXPECT_THROW(StrToFloatExtended(bad), EConvertError) << bad;
  try {
    StrToFloatExtended("x1");
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'x1' is not a valid floating point value");
  }
  char saved = DecimalSeparator;
  DecimalSeparator = ',';
  EXPECT_EQ(StrToFloatExtended("1,5"), 1.5L);
  EXPECT_EQ(FloatToStrF(1.5L, ffFixed, 18, 2), "1,50");
  DecimalSeparator = saved;
}

TEST(Format, MismatchedOrMissingArgumentRaisesConvertError) {
  EXPECT_THROW(Format("%d", "text"), EConvertError);
  EXPECT_THROW(Format("%s", 5), EConvertError);
  EXPECT_THROW(Format("%s and %s", "one"), EConvertError);
  EXPECT_THROW(Format("%q", 1), EConvertError);
}

TEST(Exception, CarriesFormattedMessageAndIsCaughtByItsBase) {
  try {
    throw EInvalidCast(SListIndexError, 12);
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (12)");
    EXPECT_STREQ(e.what(), "List index out of bounds (12)");
    EXPECT_EQ(e.ClassName(), "EInvalidCast");
  }
  // A message without arguments is taken as it stands, percent signs included.
  EXPECT_EQ(Exception("100% done").Message(), "100% done");
}

TEST(Conversions, IntegersAndFileNames) {
  EXPECT_EQ(StrToInt("-42"), -42);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToIntDef("12a", 7), 7);
  try {
    StrToInt("x1");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), Format(SInvalidInteger, "x1"));
  }
  EXPECT_EQ(ExtractFilePath("C:\\dir\\quorvel.exe"), "C:\\dir\\");
  EXPECT_EQ(ExtractFileName("C:\\dir\\quorvel.exe"), "quorvel.exe");
  EXPECT_EQ(ExtractFileExt("C:\\d.ir\\name"), "");
  EXPECT_EQ(ChangeFileExt("a\\b.map", ".pal"), "a\\b.pal");
  EXPECT_EQ(LowerCase("DDraw.DLL"), "ddraw.dll");
}

class TPoint3 : public TPersistent {
public:
  int x = 0;
  void Assign(TPersistent* source) override {
    if (auto* p = dynamic_cast<TPoint3*>(source)) x = p->x;
    else TPersistent::Assign(source);
  }
};
class TOther : public TPersistent {
protected:
  // Knows how to give itself to a TPoint3, though TPoint3 does not know it.
  void AssignTo(TPersistent* dest) override {
    if (auto* p = dynamic_cast<TPoint3*>(dest)) p->x = 99;
    else TPersistent::AssignTo(dest);
  }
};
class TStranger : public TPersistent {};

TEST(Persistent, AssignAsksTheSourceThenRaisesTheConversionError) {
  TPoint3 a, b;
  b.x = 5;
  a.Assign(&b);
  EXPECT_EQ(a.x, 5);
  TOther other;
  a.Assign(&other);
  EXPECT_EQ(a.x, 99);
  TStranger stranger;
  try {
    a.Assign(&stranger);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStranger to a TPoint3");
  }
  try {
    a.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TPoint3");
  }
}

class TListener : public TObject {
public:
  int calls = 0;
  int last = 0;
  void Handle(TObject*, int& value) { ++calls; last = value; value *= 2; }
  void Other(TObject*, int&) {}
};

TEST(Event, CallsBoundMethodAndComparesByObjectAndMethod) {
  TListener a, b;
  TEvent<TObject*, int&> event;
  EXPECT_FALSE(event);
  event = MakeEvent(&a, &TListener::Handle);
  int value = 21;
  event(nullptr, value);
  EXPECT_EQ(a.calls, 1);
  EXPECT_EQ(value, 42);
  EXPECT_TRUE(event == MakeEvent(&a, &TListener::Handle));
  EXPECT_FALSE(event == MakeEvent(&b, &TListener::Handle));
  EXPECT_FALSE(event == MakeEvent(&a, &TListener::Other));
  event = nullptr;
  EXPECT_TRUE(event == nullptr);
}

TEST(Set, IncludeExcludeAndOperators) {
  enum E { a, b, c, d = 40 };
  TSet<E> s{a, d};
  EXPECT_TRUE(s.Contains(d));
  EXPECT_FALSE(s.Contains(b));
  s.Include(b).Exclude(a);
  EXPECT_EQ(s, (TSet<E>{b, d}));
  EXPECT_EQ((s * TSet<E>{d, c}), TSet<E>{d});
  EXPECT_EQ((s - TSet<E>{d}).Bits(), 2u);
}

}  // namespace
