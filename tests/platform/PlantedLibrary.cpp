// A DLL that lies beside the test program only, as a planted one lies
// beside a program unpacked in Downloads.
extern "C" __declspec(dllexport) int PlantedLibraryMarker()
{
    return 1;
}
