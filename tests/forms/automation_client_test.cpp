// The automation client of the class library: owned variants and their conversions,
// variant arrays, late-bound calls by name (argument order, by-reference variables, the
// exceptions an object reports) on an object of the test's own, and objects created by
// ProgID from the prefix's registered classes.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/comclient/ComClient.h"
#include "forms/comserver/ComConsts.h"
#include "forms/comserver/ComObj.h"
#include "forms/comclient/DispatchInvoke.h"
#include "forms/comclient/VarArray.h"

namespace {

TOleVariant Double(double value) {
  TOleVariant v;
  V_VT(&v.Value()) = VT_R8;
  V_R8(&v.Value()) = value;
  return v;
}

TOleVariant Text(const wchar_t* text) {
  TOleVariant v;
  V_VT(&v.Value()) = VT_BSTR;
  V_BSTR(&v.Value()) = SysAllocString(text);
  return v;
}

// The message of the EVariantError that f raises ("" when it raises none).
template <class F>
std::string VariantErrorOf(F f) {
  try {
    f();
  } catch (const EVariantError& e) {
    return e.Message();
  }
  return "";
}

TEST(OleVariant, ConvertsToIntegerByTheVariantRules) {
  struct Case {
    const char* name;
    TOleVariant value;
    LONG expected;
    const char* error;  // nil: converts
  };
  const Case cases[] = {
      {"integer", TOleVariant(-7), -7, nullptr},
      {"colour value", TOleVariant(0x00FF8040), 0x00FF8040, nullptr},
      {"half rounds to even", Double(2.5), 2, nullptr},
      {"double", Double(-3.75), -4, nullptr},
      {"numeric text", Text(L"123"), 123, nullptr},
      {"text", Text(L"red"), 0, SInvalidVarCast},
      {"too large", Double(1e12), 0, SVarOverflow},
      {"null", TOleVariant::Null(), 0, SInvalidVarCast},
      {"empty", TOleVariant(), 0, nullptr},
  };
  for (const Case& c : cases) {
    if (c.error) {
      EXPECT_EQ(VariantErrorOf([&] { c.value.AsInteger(); }), c.error) << c.name;
    } else {
      EXPECT_EQ(c.value.AsInteger(), c.expected) << c.name;
    }
  }
}

TEST(VarArray, IntegerArrayKeepsItsBoundsAndElements) {
  TOleVariant array = VarArrayCreate(0, 223, VT_I4);
  EXPECT_EQ(array.VarType(), VT_ARRAY | VT_I4);
  EXPECT_EQ(VarArrayDimCount(array), 1u);
  EXPECT_EQ(VarArrayLowBound(array, 1), 0);
  EXPECT_EQ(VarArrayHighBound(array, 1), 223);
  for (LONG k = 0; k <= 223; ++k) VarArrayPut(array, TOleVariant(k * 0x010203), k);
  // Values of other types are converted to the element type as they go in.
  VarArrayPut(array, Text(L"42"), 5);
  TOleVariant copy = array;  // a deep copy: the original keeps its elements
  VarArrayPut(copy, TOleVariant(-1), 0);
  EXPECT_EQ(VarArrayGet(array, 0).AsInteger(), 0);
  EXPECT_EQ(VarArrayGet(array, 5).VarType(), VT_I4);
  EXPECT_EQ(VarArrayGet(array, 5).AsInteger(), 42);
  EXPECT_EQ(VarArrayGet(array, 223).AsInteger(), 223 * 0x010203);
  EXPECT_EQ(VarArrayGet(copy, 0).AsInteger(), -1);
}

TEST(VarArray, FaultsRaiseVariantErrors) {
  TOleVariant ints = VarArrayCreate(5, 6, VT_I4);
  TOleVariant variants = VarArrayCreate(0, 1, VT_VARIANT);
  VarArrayPut(variants, Text(L"7"), 0);
  VarArrayPut(variants, Text(L"seven"), 1);
  SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
  TOleVariant square;
  V_VT(&square.Value()) = VT_ARRAY | VT_I4;
  V_ARRAY(&square.Value()) = SafeArrayCreate(VT_I4, 2, bounds);
  TOleVariant decimals;
  V_VT(&decimals.Value()) = VT_ARRAY | VT_DECIMAL;
  V_ARRAY(&decimals.Value()) = SafeArrayCreateVector(VT_DECIMAL, 0, 1);

  struct Case {
    const char* name;
    std::function<void()> run;
    const char* error;
  };
  const std::vector<Case> cases = {
      {"below the bounds", [&] { VarArrayGet(ints, 4); }, SVarArrayBounds},
      {"above the bounds", [&] { VarArrayGet(ints, 7); }, SVarArrayBounds},
      {"put outside", [&] { VarArrayPut(ints, TOleVariant(1), 0); }, SVarArrayBounds},
      {"put what does not convert", [&] { VarArrayPut(ints, Text(L"x"), 5); }, SInvalidVarCast},
      {"not an array", [&] { VarArrayGet(TOleVariant(3), 0); }, SVarNotArray},
      {"bounds of no array", [&] { VarArrayHighBound(TOleVariant::Null(), 1); }, SVarNotArray},
      {"missing dimension", [&] { VarArrayLowBound(ints, 2); }, SVarArrayBounds},
      {"two dimensions", [&] { VarArrayGet(square, 0); }, SVarArrayBounds},
      {"decimal elements", [&] { VarArrayGet(decimals, 0); }, SInvalidVarCast},
      {"negative length", [&] { VarArrayCreate(3, 1, VT_I4); }, SVarArrayCreate},
      {"element that does not convert", [&] { VarArrayGet(variants, 1).AsInteger(); }, SInvalidVarCast},
  };
  for (const Case& c : cases) EXPECT_EQ(VariantErrorOf(c.run), c.error) << c.name;

  EXPECT_EQ(VarArrayGet(variants, 0).AsInteger(), 7);
  EXPECT_EQ(VarArrayDimCount(TOleVariant(3)), 0u);
  EXPECT_EQ(VarArrayDimCount(square), 2u);
  TOleVariant none = VarArrayCreate(0, -1, VT_I4);
  EXPECT_EQ(VarArrayHighBound(none, 1), -1);
}

// An automation object of the test's own: "Describe" returns the types and values of its
// arguments in call order as text, "Double" doubles every element of an integer array
// passed by reference, "Fail" reports an exception (its text filled in late when asked
// to), and "Gone" fails as a call to a server that has ended does.
class TTestObject : public IDispatch {
public:
  LONG refs = 1;
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    static const wchar_t* const known[] = {L"Describe", L"Double", L"Fail", L"FailLate", L"Gone"};
    for (DISPID i = 0; i < 5; ++i)
      if (_wcsicmp(names[0], known[i]) == 0) {
        ids[0] = i + 1;
        return S_OK;
      }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT*) override {
    if (flags != DISPATCH_METHOD) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
      case 1: {
        std::wstring text;
        for (UINT i = params->cArgs; i-- > 0;) {
          const VARIANT& a = params->rgvarg[i];
          text += std::to_wstring(V_VT(&a)) + L":";
          if (V_VT(&a) == VT_I4) text += std::to_wstring(V_I4(&a));
          text += L" ";
        }
        V_VT(result) = VT_BSTR;
        V_BSTR(result) = SysAllocString(text.c_str());
        return S_OK;
      }
      case 2: {
        VARIANT& a = params->rgvarg[0];
        if (V_VT(&a) != (VT_BYREF | VT_VARIANT)) return DISP_E_TYPEMISMATCH;
        SAFEARRAY* array = V_ARRAY(V_VARIANTREF(&a));
        LONG high = 0;
        SafeArrayGetUBound(array, 1, &high);
        for (LONG k = 0; k <= high; ++k) {
          LONG value = 0;
          SafeArrayGetElement(array, &k, &value);
          value *= 2;
          SafeArrayPutElement(array, &k, &value);
        }
        return S_OK;
      }
      case 3:
        *excep = EXCEPINFO();
        excep->bstrSource = SysAllocString(L"Test.Object");
        excep->bstrDescription = SysAllocString(L"Index 0 is missing\r\n");
        excep->scode = DISP_E_BADINDEX;
        return DISP_E_EXCEPTION;
      case 4:
        *excep = EXCEPINFO();
        excep->pfnDeferredFillIn = &FillLate;
        return DISP_E_EXCEPTION;
      default:
        return HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
    }
  }
  static HRESULT STDMETHODCALLTYPE FillLate(EXCEPINFO* excep) {
    excep->bstrDescription = SysAllocString(L"filled in late");
    excep->wCode = 1001;
    excep->pfnDeferredFillIn = nullptr;
    return S_OK;
  }
};

TEST(DispatchInvoke, PassesArgumentsInOrderAndVariablesByReference) {
  TTestObject object;
  TOleVariant holder(&object);
  EXPECT_EQ(object.refs, 2);

  TOleVariant described = DispatchInvoke(holder, "describe", {0, 223, TOleVariant(-5)});
  EXPECT_EQ(WideToAnsi(V_BSTR(&described.Value())), "3:0 3:223 3:-5 ");
  TOleVariant array = VarArrayCreate(0, 2, VT_I4);
  for (LONG k = 0; k <= 2; ++k) VarArrayPut(array, TOleVariant(k + 1), k);
  described = DispatchInvoke(holder, "Describe", {TDispArg::ByRef(array)});
  EXPECT_EQ(WideToAnsi(V_BSTR(&described.Value())), std::to_string(VT_BYREF | VT_VARIANT) + ": ");

  // The object works on the caller's own variable.
  TOleVariant result = DispatchInvoke(holder, "Double", {TDispArg::ByRef(array)});
  EXPECT_EQ(result.VarType(), VT_EMPTY);
  EXPECT_EQ(VarArrayGet(array, 0).AsInteger(), 2);
  EXPECT_EQ(VarArrayGet(array, 2).AsInteger(), 6);
  // A value argument is a copy.
  TOleVariant copy = array;
  EXPECT_THROW(DispatchInvoke(holder, "Double", {copy}), EOleSysError);
  EXPECT_EQ(VarArrayGet(copy, 0).AsInteger(), 2);

  EXPECT_EQ(object.refs, 2) << "the calls hold no reference beyond their own length";
  holder.SetNull();
  EXPECT_EQ(object.refs, 1);
  EXPECT_TRUE(holder.IsNull());
}

TEST(DispatchInvoke, FailuresRaiseTheLibrarysOleExceptions) {
  TTestObject object;
  TOleVariant holder(&object);
  try {
    DispatchInvoke(holder, "Fail", {});
    ADD_FAILURE() << "no exception";
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), "Index 0 is missing");
    EXPECT_EQ(e.ErrorCode(), DISP_E_BADINDEX);
    EXPECT_EQ(e.Source(), "Test.Object");
  }
  try {
    DispatchInvoke(holder, "FailLate", {});
    ADD_FAILURE() << "no exception";
  } catch (const EOleException& e) {
    EXPECT_EQ(e.Message(), "filled in late");
    EXPECT_EQ(e.ErrorCode(), E_FAIL);
  }
  try {
    DispatchInvoke(holder, "Gone", {});
    ADD_FAILURE() << "no exception";
  } catch (const EOleException&) {
    ADD_FAILURE() << "a failed call is no exception of the object's";
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode(), HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE));
    EXPECT_FALSE(e.Message().empty());
  }
  try {
    DispatchInvoke(holder, "Set_Palette", {});
    ADD_FAILURE() << "no exception";
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.Message(), "Method 'Set_Palette' not supported by automation object");
    EXPECT_EQ(e.ErrorCode(), DISP_E_UNKNOWNNAME);
  }
  EXPECT_EQ(VariantErrorOf([] { DispatchInvoke(TOleVariant::Null(), "Fail", {}); }), SInvalidVarCast);
  EXPECT_EQ(object.refs, 2);
}

class CreateOleObjectTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))); }
  void TearDown() override { CoUninitialize(); }
};

TEST_F(CreateOleObjectTest, MakesARegisteredClassByItsProgIDInAnyCase) {
  TOleVariant dictionary = CreateOleObject("sCrIpTiNg.DiCtIoNaRy");
  ASSERT_EQ(dictionary.VarType(), VT_DISPATCH);
  DispatchInvoke(dictionary, "Add", {TOleVariant(1), Text(L"one")});
  EXPECT_EQ(DispatchInvoke(dictionary, "Exists", {1}).AsInteger(), -1);
  EXPECT_EQ(DispatchInvoke(dictionary, "Exists", {2}).AsInteger(), 0);
  dictionary.SetNull();
}

TEST_F(CreateOleObjectTest, UnknownClassRaisesTheOleErrorOfItsCode) {
  try {
    CreateOleObject("No.Such.Class");
    ADD_FAILURE() << "no exception";
  } catch (const EOleSysError& e) {
    EXPECT_EQ(e.ErrorCode(), CO_E_CLASSSTRING);
    EXPECT_EQ(e.Message(), OleErrorMessage(CO_E_CLASSSTRING));
  }
}

}  // namespace
