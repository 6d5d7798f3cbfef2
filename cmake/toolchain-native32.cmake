# The portable cores as 32-bit x86 Linux code, from the host's clang: the same code model
# as the 32-bit Windows target's compiler (pentiumpro, x87 arithmetic, 32-bit size_t and
# pointers), run under user-mode emulation so that the tree's tests execute it here.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_FLAGS_INIT "-m32 -march=pentiumpro")
set(CMAKE_CXX_FLAGS_INIT "-m32 -march=pentiumpro")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)

# CTest starts every test program through the emulator (a missing one fails at configure
# time rather than as a tree of failed tests), on qemu's Phenom model: a processor with
# SSE, SSE2 and 3DNow!, so that every kernel runs. QV_EMULATED_CPU_FLAGS are its flags
# among those the explorer looks for, which the tests compare its detection with.
find_program(QV_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QV_QEMU_I386} -cpu phenom)
set(QV_EMULATED_CPU_FLAGS "sse sse2 3dnow")
