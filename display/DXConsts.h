// The display components' message texts, formatted with Format where they hold %s or
// %d, and the names they are formatted with. Tests compare against these constants.
// The exception classes that carry them are in DXErrors.h.
#pragma once

inline constexpr const char SDXLibraryNotLoaded[] = "%s not loaded";
inline constexpr const char SDXCannotInitialized[] = "%s cannot be initialized";
inline constexpr const char SDXSinceDirectX5[] = "Necessary since DirectX 5";
inline constexpr const char SDXSinceDirectX6[] = "Necessary since DirectX 6";
inline constexpr const char SDXSinceDirectX7[] = "Necessary since DirectX 7";
inline constexpr const char SDXNotMade[] = "%s not made";
inline constexpr const char SDXCannotMade[] = "%s cannot be made";
inline constexpr const char SDXFormNotFound[] = "Form not found";
inline constexpr const char SDXDisplayModeCannotChanged[] = "Display mode cannot be changed (%dx%d %dbit)";
inline constexpr const char SDXInvalidDisplayBitCount[] = "It should be either of 8 or 16 or 24 or 32";
inline constexpr const char SDX3DDeviceNotFound[] = "3D device not found";

// What "%s cannot be initialized", "%s not made" and "%s cannot be made" name.
inline constexpr const char SDirectDraw[] = "DirectDraw";
inline constexpr const char SIDirectDraw[] = "IDirectDraw";
inline constexpr const char SIDirectDraw7[] = "IDirectDraw7";
inline constexpr const char SIDirectDrawPalette[] = "IDirectDrawPalette";
inline constexpr const char SIDirectDrawClipper[] = "IDirectDrawClipper";
inline constexpr const char SIDirectDrawSurface[] = "IDirectDrawSurface";
inline constexpr const char SIDirectDrawSurface4[] = "IDirectDrawSurface4";
inline constexpr const char SIDirectDrawSurface7[] = "IDirectDrawSurface7";
inline constexpr const char SDXClipper[] = "Clipper";
inline constexpr const char SDXSurface[] = "Surface";
inline constexpr const char SDXPrimarySurface[] = "Primary Surface";
inline constexpr const char SIDirect3DDevice3[] = "IDirect3DDevice3";
inline constexpr const char SIDirect3DDevice7[] = "IDirect3DDevice7";
inline constexpr const char SIDirect3DRMDevice2[] = "IDirect3DRMDevice2";
inline constexpr const char SIDirect3DRMFrame[] = "IDirect3DRMFrame";
inline constexpr const char SIDirect3DRMViewport[] = "IDirect3DRMViewport";
inline constexpr const char SDirect3DRetainedMode[] = "Direct3D RetainedMode";

// The DirectX libraries, loaded by name at first use.
inline constexpr const char SDDrawLibrary[] = "DDraw.dll";
inline constexpr const char SDSoundLibrary[] = "DSound.dll";
inline constexpr const char SD3DRMLibrary[] = "D3DRM.dll";
