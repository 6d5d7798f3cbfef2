// itercore: the four escape-time kernels of the explorer, and their calling contract.
// Each call iterates z := z^2 + c for a group of 1, 2 or 4 points of one row (own cr and
// zr per point, shared ci and zi) and reports each point's escape count. The library
// keeps no state; which kernel a processor can run is the caller's choice.
#ifndef ITERCORE_H
#define ITERCORE_H

#include <stdint.h>

// One convention on both sides of the DLL boundary; only the 32-bit target has a choice,
// and cdecl there keeps the exported names free of stdcall's @n decoration.
#if defined(_WIN32) && !defined(_WIN64)
#define ITERCORE_CALL __cdecl
#else
#define ITERCORE_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// x87, 80-bit extended. Returns the first iteration whose |z|^2 exceeded bailout, or
// maxiter (1 when maxiter is 0) for a point that never escaped.
uint32_t ITERCORE_CALL iterate_FPU(long double cr, long double ci, long double zr, long double zi,
                                   long double bailout, uint32_t maxiter);

// SSE2, two points in double. Each result is one more than the last iteration in which
// the point was inside: maxiter + 1 for a point that never escaped.
void ITERCORE_CALL iterate_SSE2(int32_t* out0, int32_t* out1, double cr0, double cr1, double ci,
                                double zr0, double zr1, double zi, double bailout, uint32_t maxiter);

// 3DNow!, two points in single precision. A point that escapes and stays outside reports
// its first escape iteration, a point that never escaped maxiter. Leaves the x87 unit free.
void ITERCORE_CALL iterate_3DNOW(int32_t* out0, int32_t* out1, float cr0, float cr1, float ci,
                                 float zr0, float zr1, float zi, float bailout, uint32_t maxiter);

// SSE, four points in single precision; counts as iterate_SSE2.
void ITERCORE_CALL iterate_SSE(int32_t* out0, int32_t* out1, int32_t* out2, int32_t* out3,
                               float cr0, float cr1, float cr2, float cr3, float ci,
                               float zr0, float zr1, float zr2, float zr3, float zi,
                               float bailout, uint32_t maxiter);

#ifdef __cplusplus
}
#endif

#endif
