// Platform, compiler and processor switches of the VST 3 interface layer.
// Everything that differs between the platforms a module is built for (calling
// convention, identifier byte order, result codes, symbol export) hangs off
// the switches defined here.
#pragma once

#if defined(_WIN32) || defined(_WIN64)
#define SMTG_OS_LINUX 0
#define SMTG_OS_MACOS 0
#define SMTG_OS_WINDOWS 1
#define SMTG_OS_IOS 0
#define SMTG_OS_OSX 0
#elif defined(__APPLE__)
#define SMTG_OS_LINUX 0
#define SMTG_OS_MACOS 1
#define SMTG_OS_WINDOWS 0
#define SMTG_OS_IOS 0
#define SMTG_OS_OSX 1
#elif defined(__linux__) || defined(__FreeBSD__)
#define SMTG_OS_LINUX 1
#define SMTG_OS_MACOS 0
#define SMTG_OS_WINDOWS 0
#define SMTG_OS_IOS 0
#define SMTG_OS_OSX 0
#else
#error "Unsupported platform"
#endif

#if defined(__x86_64__) || defined(_M_X64) || defined(_M_AMD64)
#define SMTG_CPU_X86_64 1
#define SMTG_CPU_X86 0
#define SMTG_CPU_ARM_64 0
#define SMTG_PLATFORM_64 1
#elif defined(__aarch64__) || defined(_M_ARM64)
#define SMTG_CPU_X86_64 0
#define SMTG_CPU_X86 0
#define SMTG_CPU_ARM_64 1
#define SMTG_PLATFORM_64 1
#elif defined(__i386__) || defined(_M_IX86)
#define SMTG_CPU_X86_64 0
#define SMTG_CPU_X86 1
#define SMTG_CPU_ARM_64 0
#define SMTG_PLATFORM_64 0
#else
#error "Unsupported processor"
#endif

// Every processor above stores little-endian.
#define kLittleEndian 0
#define kBigEndian 1
#define BYTEORDER kLittleEndian

#if SMTG_OS_WINDOWS
// Interfaces are COM-compatible on Windows: identifiers lay out their first
// words little-endian, result codes are HRESULTs and methods use __stdcall.
#define COM_COMPATIBLE 1
#define PLUGIN_API __stdcall
#define SMTG_EXPORT_SYMBOL __declspec(dllexport)
#define SMTG_HIDDEN_SYMBOL
#else
#define COM_COMPATIBLE 0
#define PLUGIN_API
#define SMTG_EXPORT_SYMBOL __attribute__((visibility("default")))
#define SMTG_HIDDEN_SYMBOL __attribute__((visibility("hidden")))
#endif

#if SMTG_OS_LINUX || SMTG_OS_MACOS
#define SMTG_PTHREADS 1
#else
#define SMTG_PTHREADS 0
#endif

#define SMTG_CPP11 1
#define SMTG_CPP14 1
#define SMTG_CPP17 (__cplusplus >= 201703L || (defined(_MSVC_LANG) && _MSVC_LANG >= 201703L))
#define SMTG_OVERRIDE override
#define SMTG_CONSTEXPR constexpr
#define SMTG_CONSTEXPR14 constexpr
#define SMTG_NOEXCEPT noexcept
#define SMTG_DEPRECATED_ATTRIBUTE(message) [[deprecated(message)]]
#define SMTG_DEPRECATED_MSG(message) SMTG_DEPRECATED_ATTRIBUTE(message)
