#pragma once

// What differs between the platforms in opening a module, beneath
// ModuleLibrary: one implementation per platform.

#include <string>

namespace ferrulith::host::platform
{

// The module's entry hook by name, and whether a module must have it (Linux
// hosts require ModuleEntry; Windows hosts call InitDll when it is there).
extern const char* const kEntryName;
extern const bool kEntryRequired;

// What a bundle folder looks like here: the folder under Contents that holds
// the binary for this machine, the binary's extension, and path separators.
extern const char* const kArchitectureFolder;
extern const char* const kBinaryExtension;
extern const char kSeparator;
bool isSeparator(char c);
bool isDirectory(const std::string& path);

// Null on failure, with the system's reason.
void* loadLibrary(const std::string& file, std::string& reason);
void unloadLibrary(void* library);
void* exportedFunction(void* library, const char* name);

// The module's entry and exit hooks: false when the module answers false or
// lacks the hook.
bool callEntry(void* library);
bool callExit(void* library);

} // namespace ferrulith::host::platform
