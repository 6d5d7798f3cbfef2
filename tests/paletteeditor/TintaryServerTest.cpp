// The automation object in-process: Get_Palette and Set_Palette through the vtable and
// late-bound through IDispatch, the palette array's accepted forms and every refusal
// (which leaves the palette as it was), error information, the type library as
// clients see it, the factory and the server's object count.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <array>

#include "paletteeditor/server/Tintarycom.h"
#include "paletteeditor/server/TintarycomArray.h"
#include "tests/paletteeditor/TintaryServerTestSupport.h"
#include "forms/comserver/ComServ.h"

using Microsoft::WRL::ComPtr;

namespace {

class TPaletteWatch : public TObject {
public:
  int changes = 0;
  void Changed(TObject*) { ++changes; }
};

class TintaryServer : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    for (int i = 0; i < kPaletteEntries; ++i) palette[i] = 0x00010101u * static_cast<std::uint32_t>(255 - i);
    before = palette;
    TintarycomPalette.palette = palette.data();
    TintarycomPalette.OnPaletteChanged = MakeEvent(&watch, &TPaletteWatch::Changed);
    ASSERT_EQ(TintarycomFactory().CreateInstance(nullptr, IID_ITintarycom, &object), S_OK);
  }
  void TearDown() override {
    object.Reset();
    TintarycomPalette = TTintarycomBinding();
    CoUninitialize();
  }

  // Set_Palette through the vtable with the array by value.
  HRESULT Set(LONG from, LONG to, TVariant& array) { return object->Set_Palette(from, to, array.v); }

  std::array<std::uint32_t, kPaletteEntries> palette{};
  std::array<std::uint32_t, kPaletteEntries> before{};
  TPaletteWatch watch;
  ComPtr<ITintarycom> object;
};

TEST_F(TintaryServer, GetAfterSetReturnsTheSameArrayAndLeavesTheRest) {
  std::vector<std::uint32_t> colours = TestColours(224, 7);
  TVariant sent;
  MakeI4Array(sent, colours);
  ASSERT_EQ(Set(0, 223, sent), S_OK);
  EXPECT_EQ(watch.changes, 1);
  for (int i = 224; i < kPaletteEntries; ++i) EXPECT_EQ(palette[i], before[i]) << "entry " << i;

  TVariant got;
  ASSERT_EQ(object->Get_Palette(0, 223, &got.v), S_OK);
  TArrayShape shape = ShapeOf(got.v);
  EXPECT_EQ(shape.type, VT_ARRAY | VT_I4);
  EXPECT_EQ(shape.lower, 0);
  EXPECT_EQ(shape.upper, 223);
  EXPECT_EQ(shape.values, std::vector<std::int32_t>(colours.begin(), colours.end()));
  EXPECT_EQ(watch.changes, 1) << "Get_Palette changes nothing";
}

TEST_F(TintaryServer, GetShapesFollowTheRange) {
  struct Case {
    LONG from, to;
    LONG upper;
  } cases[] = {{16, 16, 0}, {0, 255, 255}, {255, 255, 0}, {100, 99, -1}, {0, -1, -1}};
  for (const Case& c : cases) {
    TVariant got;
    ASSERT_EQ(object->Get_Palette(c.from, c.to, &got.v), S_OK) << c.from << ".." << c.to;
    TArrayShape shape = ShapeOf(got.v);
    EXPECT_EQ(shape.type, VT_ARRAY | VT_I4);
    EXPECT_EQ(shape.lower, 0);
    EXPECT_EQ(shape.upper, c.upper);
    for (LONG k = 0; k <= c.upper; ++k) EXPECT_EQ(static_cast<std::uint32_t>(shape.values[k]), palette[c.from + k]);
  }
}

TEST_F(TintaryServer, RangesOutsideThePaletteAreInvalidArguments) {
  std::pair<LONG, LONG> ranges[] = {{-1, 3}, {0, 256}, {10, 8}, {300, 300}, {-5, -6}, {256, 300}};
  TVariant sent;
  MakeI4Array(sent, TestColours(400, 3));
  for (auto [from, to] : ranges) {
    TVariant got;
    EXPECT_EQ(object->Get_Palette(from, to, &got.v), E_INVALIDARG) << from << ".." << to;
    EXPECT_EQ(V_VT(&got.v), VT_EMPTY);
    if (to >= from) {
      EXPECT_EQ(Set(from, to, sent), E_INVALIDARG) << from << ".." << to;
    }
  }
  EXPECT_EQ(palette, before);
  EXPECT_EQ(watch.changes, 0);
}

TEST_F(TintaryServer, SetWithToBelowFromWritesNothingButShowsThePalette) {
  TVariant empty;  // not even an array: no element is read
  EXPECT_EQ(Set(10, 9, empty), S_OK);
  EXPECT_EQ(Set(0, -1, empty), S_OK);
  EXPECT_EQ(palette, before);
  EXPECT_EQ(watch.changes, 2);
}

TEST_F(TintaryServer, RefusedArraysChangeNothing) {
  // Each array is refused as a whole, even where its first elements would be fine.
  struct Case {
    const char* name;
    LONG from, to;
    HRESULT expected;
    void (*make)(TVariant&);
  } cases[] = {
      {"bounds 5..6 lack index 0", 0, 1, DISP_E_BADINDEX,
       [](TVariant& v) { MakeI4Array(v, {1, 2}, 5); }},
      {"too few elements", 0, 9, DISP_E_BADINDEX, [](TVariant& v) { MakeI4Array(v, TestColours(9, 1)); }},
      {"not a number in the middle", 0, 2, DISP_E_TYPEMISMATCH,
       [](TVariant& v) { MakeVariantArray(v, {I4(1), Str(L"red"), I4(3)}); }},
      {"overflows 32 bits", 0, 1, DISP_E_OVERFLOW,
       [](TVariant& v) { MakeVariantArray(v, {I4(1), R8(1e12)}); }},
      {"a plain integer", 0, 0, DISP_E_TYPEMISMATCH,
       [](TVariant& v) {
         V_VT(&v.v) = VT_I4;
         V_I4(&v.v) = 5;
       }},
      {"empty", 0, 0, DISP_E_TYPEMISMATCH, [](TVariant&) {}},
      {"two dimensions", 0, 1, DISP_E_TYPEMISMATCH,
       [](TVariant& v) {
         SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
         V_VT(&v.v) = VT_ARRAY | VT_I4;
         V_ARRAY(&v.v) = SafeArrayCreate(VT_I4, 2, bounds);
       }},
      {"object elements", 0, 0, DISP_E_BADVARTYPE,
       [](TVariant& v) {
         V_VT(&v.v) = VT_ARRAY | VT_DISPATCH;
         V_ARRAY(&v.v) = SafeArrayCreateVector(VT_DISPATCH, 0, 1);
       }},
  };
  for (const Case& c : cases) {
    TVariant array;
    c.make(array);
    EXPECT_EQ(Set(c.from, c.to, array), c.expected) << c.name;
    EXPECT_EQ(palette, before) << c.name;
  }
  EXPECT_EQ(watch.changes, 0);
}

// Every element that converts to a 32-bit integer is accepted; a colour value has no top
// byte, so whatever it holds is cleared.
TEST_F(TintaryServer, ATopByteIsClearedFromEachValue) {
  TVariant array;
  MakeI4Array(array, {0xFFFFFFFFu, 0x01000000u, 0x80123456u, 0x00654321u});
  ASSERT_EQ(Set(4, 7, array), S_OK);
  EXPECT_EQ(palette[4], 0x00FFFFFFu);
  EXPECT_EQ(palette[5], 0u);
  EXPECT_EQ(palette[6], 0x00123456u);
  EXPECT_EQ(palette[7], 0x00654321u);
  TVariant doubles;
  MakeVariantArray(doubles, {R8(-2.0), R8(2147483647.0)});
  ASSERT_EQ(Set(8, 9, doubles), S_OK);
  EXPECT_EQ(palette[8], 0x00FFFFFEu);
  EXPECT_EQ(palette[9], 0x00FFFFFFu);
  EXPECT_EQ(watch.changes, 2);
}

TEST_F(TintaryServer, ArrayWhoseElementSizeDisagreesWithItsTypeIsRefused) {
  TVariant array;
  MakeI4Array(array, TestColours(4, 2));
  SAFEARRAY* raw = V_ARRAY(&array.v);
  // An I4 array claiming 8-byte elements would make every element read overrun.
  raw->cbElements = 8;
  EXPECT_EQ(Set(0, 1, array), E_INVALIDARG);
  raw->cbElements = 4;
  EXPECT_EQ(palette, before);
}

TEST_F(TintaryServer, ElementsConvertByTheVariantRules) {
  TVariant mixed;
  MakeVariantArray(mixed, {I4(0x123456), R8(2.5), R8(3.5), Str(L"255"), Str(L"twelve")});
  // "twelve" is no number to the variant rules: the whole array is refused.
  EXPECT_EQ(Set(0, 4, mixed), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(palette, before);
  ASSERT_EQ(Set(0, 3, mixed), S_OK);
  // Doubles round to the nearest, ties to even; strings are parsed.
  EXPECT_EQ(palette[0], 0x123456u);
  EXPECT_EQ(palette[1], 2u);
  EXPECT_EQ(palette[2], 4u);
  EXPECT_EQ(palette[3], 255u);

  TVariant bytes;
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, 3);
  for (LONG i = 0; i < 3; ++i) {
    BYTE b = static_cast<BYTE>(200 + i);
    SafeArrayPutElement(array, &i, &b);
  }
  V_VT(&bytes.v) = VT_ARRAY | VT_UI1;
  V_ARRAY(&bytes.v) = array;
  ASSERT_EQ(Set(10, 12, bytes), S_OK);
  EXPECT_EQ(palette[10], 200u);
  EXPECT_EQ(palette[12], 202u);
}

TEST_F(TintaryServer, LongerArraysAndReferencesAreAccepted) {
  std::vector<std::uint32_t> colours = TestColours(300, 5);
  TVariant array;
  MakeI4Array(array, colours);
  // The explorer passes its array as a reference to a variant.
  VARIANT byRef;
  V_VT(&byRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&byRef) = &array.v;
  ASSERT_EQ(object->Set_Palette(32, 63, byRef), S_OK);
  for (int k = 0; k < 32; ++k) EXPECT_EQ(palette[32 + k], colours[k]);
  // A reference to the array itself.
  SAFEARRAY* raw = V_ARRAY(&array.v);
  VARIANT arrayRef;
  V_VT(&arrayRef) = VT_BYREF | VT_ARRAY | VT_I4;
  V_ARRAYREF(&arrayRef) = &raw;
  ASSERT_EQ(object->Set_Palette(200, 255, arrayRef), S_OK);
  for (int k = 0; k < 56; ++k) EXPECT_EQ(palette[200 + k], colours[k]);
  // Elements are taken by the array's own index: below 0 is not read.
  TVariant shifted;
  MakeI4Array(shifted, {1, 2, 3, 0x111111, 0x222222, 0x333333}, -3);
  ASSERT_EQ(Set(100, 102, shifted), S_OK);
  EXPECT_EQ(palette[100], 0x111111u);
  EXPECT_EQ(palette[102], 0x333333u);
  EXPECT_EQ(watch.changes, 3);
}

TEST_F(TintaryServer, FailuresCarryErrorInformation) {
  ComPtr<ISupportErrorInfo> support;
  ASSERT_EQ(object.As(&support), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITintarycom), S_OK);
  EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);

  TVariant got;
  ASSERT_EQ(object->Get_Palette(0, 256, &got.v), E_INVALIDARG);
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  TBStr description, source;
  info->GetDescription(description.Out());
  info->GetSource(source.Out());
  GUID guid;
  info->GetGUID(&guid);
  EXPECT_EQ(description.Ansi(), Format(SPaletteRange, 0, 256));
  EXPECT_EQ(source.Ansi(), "TINTARY.Tintarycom");
  EXPECT_TRUE(IsEqualGUID(guid, IID_ITintarycom));
}

// Late binding by name, as the explorer and scripts call.
class TintaryServerDispatch : public TintaryServer {
protected:
  DISPID IdOf(const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    return id;
  }
  // Arguments in call order; DISPPARAMS holds them last first.
  HRESULT Call(const wchar_t* name, std::vector<VARIANT> args, VARIANT* result, EXCEPINFO* excep) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    UINT argErr = 0;
    return object->Invoke(IdOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                          excep, &argErr);
  }
};

TEST_F(TintaryServerDispatch, NamesAreFoundWithoutRegardToCase) {
  EXPECT_EQ(IdOf(L"Get_Palette"), 1);
  EXPECT_EQ(IdOf(L"set_palette"), 2);
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Palette")};
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(TintaryServerDispatch, SetAndGetLateBound) {
  std::vector<std::uint32_t> colours = TestColours(224, 11);
  TVariant array;
  MakeI4Array(array, colours);
  VARIANT byRef;
  V_VT(&byRef) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&byRef) = &array.v;
  EXCEPINFO excep{};
  ASSERT_EQ(Call(L"Set_Palette", {I4(0), I4(223), byRef}, nullptr, &excep), S_OK);
  TVariant got;
  ASSERT_EQ(Call(L"Get_Palette", {I4(0), I4(223)}, &got.v, &excep), S_OK);
  TArrayShape shape = ShapeOf(got.v);
  EXPECT_EQ(shape.upper, 223);
  EXPECT_EQ(shape.values, std::vector<std::int32_t>(colours.begin(), colours.end()));
  EXPECT_EQ(watch.changes, 1);
}

TEST_F(TintaryServerDispatch, AFailingCallIsAnOleException) {
  TVariant array;
  MakeI4Array(array, {1, 2}, 5);
  EXCEPINFO excep{};
  EXPECT_EQ(Call(L"Set_Palette", {I4(0), I4(1), array.v}, nullptr, &excep), DISP_E_EXCEPTION);
  EXPECT_EQ(excep.scode, DISP_E_BADINDEX);
  EXPECT_EQ(WideToAnsi(excep.bstrDescription), Format(SPaletteIndexMissing, 0));
  EXPECT_EQ(WideToAnsi(excep.bstrSource), "TINTARY.Tintarycom");
  SysFreeString(excep.bstrDescription);
  SysFreeString(excep.bstrSource);
  SysFreeString(excep.bstrHelpFile);
  EXPECT_EQ(palette, before);
  // The next call starts clean.
  TVariant got;
  EXCEPINFO clean{};
  EXPECT_EQ(Call(L"Get_Palette", {I4(3), I4(3)}, &got.v, &clean), S_OK);
  EXPECT_EQ(clean.bstrDescription, nullptr);
}

TEST_F(TintaryServer, TypeLibraryDescribesTheDualInterface) {
  UINT count = 0;
  ASSERT_EQ(object->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ComPtr<ITypeInfo> info;
  ASSERT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
  TYPEATTR* attr = nullptr;
  ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
  EXPECT_TRUE(IsEqualGUID(attr->guid, IID_ITintarycom));
  EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDISPATCHABLE);
  info->ReleaseTypeAttr(attr);
  // Its vtable side: OLE-automation compatible, with the two methods after IDispatch's.
  HREFTYPE ref = 0;
  ASSERT_EQ(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref), S_OK);
  ComPtr<ITypeInfo> vtable;
  ASSERT_EQ(info->GetRefTypeInfo(ref, &vtable), S_OK);
  ASSERT_EQ(vtable->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
  EXPECT_EQ(attr->cFuncs, 2);
  vtable->ReleaseTypeAttr(attr);
  for (UINT i = 0; i < 2; ++i) {
    FUNCDESC* func = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(i, &func), S_OK);
    EXPECT_EQ(func->memid, static_cast<MEMBERID>(i + 1));
    EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));
    EXPECT_EQ(func->cParams, 3);
    EXPECT_EQ(func->elemdescFunc.tdesc.vt, VT_HRESULT);
    vtable->ReleaseFuncDesc(func);
  }
  TBStr name, doc;
  info->GetDocumentation(MEMBERID_NIL, name.Out(), doc.Out(), nullptr, nullptr);
  EXPECT_EQ(name.Ansi(), "ITintarycom");
  EXPECT_EQ(doc.Ansi(), "Dispatch interface for Tintarycom Object");

  ComPtr<ITypeLib> library;
  UINT index = 0;
  ASSERT_EQ(info->GetContainingTypeLib(&library, &index), S_OK);
  TLIBATTR* libAttr = nullptr;
  ASSERT_EQ(library->GetLibAttr(&libAttr), S_OK);
  EXPECT_TRUE(IsEqualGUID(libAttr->guid, LIBID_TINTARY));
  EXPECT_EQ(libAttr->wMajorVerNum, 1);
  EXPECT_EQ(libAttr->wMinorVerNum, 0);
  library->ReleaseTLibAttr(libAttr);
  library->GetDocumentation(-1, name.Out(), doc.Out(), nullptr, nullptr);
  EXPECT_EQ(name.Ansi(), "TINTARY");
  EXPECT_EQ(doc.Ansi(), "TINTARY Library");

  ComPtr<ITypeInfo> coclass;
  ASSERT_EQ(library->GetTypeInfoOfGuid(CLSID_Tintarycom, &coclass), S_OK);
  ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
  EXPECT_EQ(attr->typekind, TKIND_COCLASS);
  EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FCANCREATE);
  coclass->ReleaseTypeAttr(attr);
  coclass->GetDocumentation(MEMBERID_NIL, name.Out(), doc.Out(), nullptr, nullptr);
  EXPECT_EQ(name.Ansi(), "Tintarycom");
  EXPECT_EQ(doc.Ansi(), "Tintarycom Object");
}

TEST_F(TintaryServer, ObjectAnswersItsInterfacesOnly) {
  ComPtr<IUnknown> unknown, again;
  ComPtr<IDispatch> dispatch;
  ComPtr<IClassFactory> factory;
  ASSERT_EQ(object.As(&unknown), S_OK);
  ASSERT_EQ(object.As(&dispatch), S_OK);
  EXPECT_EQ(object.As(&factory), E_NOINTERFACE);
  ASSERT_EQ(dispatch.As(&again), S_OK);
  EXPECT_EQ(unknown.Get(), again.Get()) << "one identity";
}

TEST_F(TintaryServer, FactoryNamesAndCounts) {
  TAutoObjectFactory& factory = TintarycomFactory();
  EXPECT_EQ(factory.ProgID(), "TINTARY.Tintarycom");
  EXPECT_EQ(factory.ClassName(), "Tintarycom");
  EXPECT_EQ(factory.Description(), "Tintarycom Object");
  EXPECT_EQ(factory.Instancing(), ciSingleInstance);
  EXPECT_EQ(factory.ThreadingModel(), tmSingle);

  int live = ComServer->ObjectCount();
  EXPECT_EQ(live, 1);
  ComPtr<IUnknown> second;
  ASSERT_EQ(factory.CreateInstance(nullptr, IID_IUnknown, &second), S_OK);
  EXPECT_EQ(ComServer->ObjectCount(), live + 1);
  second.Reset();
  EXPECT_EQ(ComServer->ObjectCount(), live);
  factory.LockServer(TRUE);
  EXPECT_EQ(ComServer->ObjectCount(), live + 1);
  factory.LockServer(FALSE);
  EXPECT_EQ(ComServer->ObjectCount(), live);

  ComPtr<IUnknown> aggregated;
  EXPECT_EQ(factory.CreateInstance(object.Get(), IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IClassFactory, &aggregated), E_NOINTERFACE);
  EXPECT_EQ(ComServer->ObjectCount(), live) << "a refused creation leaves no object behind";
  object.Reset();
  EXPECT_EQ(ComServer->ObjectCount(), 0);
}

TEST_F(TintaryServer, UnboundPaletteFailsUnexpected) {
  TintarycomPalette.palette = nullptr;
  TVariant got;
  EXPECT_EQ(object->Get_Palette(0, 0, &got.v), E_UNEXPECTED);
}

}  // namespace
