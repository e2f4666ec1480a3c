// Opens the structure packing that the VST 3 structs are declared with.
// Linux and macOS use natural alignment; Windows packs to 16 (64-bit) or 8
// (32-bit). Pair every include with falignpop.h.
#if SMTG_OS_WINDOWS
#pragma pack(push)
#if SMTG_PLATFORM_64
#pragma pack(16)
#else
#pragma pack(8)
#endif
#endif
