// A DLL that sits beside the late-loading test: a name the loader must never take from the
// program's folder, only from the system folder (where there is none).
extern "C" __declspec(dllexport) int PlantedFunction()
{
    return 42;
}
