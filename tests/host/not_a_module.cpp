// A shared library without the VST 3 entry points.
extern "C" __attribute__((visibility("default"))) int notAModule()
{
    return 1;
}
