// Closes the packing opened by falignpush.h.
#if SMTG_OS_WINDOWS
#pragma pack(pop)
#endif
