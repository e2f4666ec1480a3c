// Fontconfig keeps its configuration and font caches for the life of the
// process; a plug-in editor drawing text loads them into the host. They are
// no leak of the host's or the plug-in's, so the leak checker (in sanitizer
// builds) leaves them out. Without a sanitizer this is never called.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
