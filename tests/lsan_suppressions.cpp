// Fontconfig keeps its configuration and font caches for the life of the
// process (cairo loads them on first text drawn); they are not the editor's
// leaks, so the leak checker leaves them out.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
