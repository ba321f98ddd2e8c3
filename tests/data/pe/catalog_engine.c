/* A small self-registering library with a version resource, built for the
   tests as both a 32-bit and a 64-bit image. */
__declspec(dllexport) long DllRegisterServer(void) { return 0; }
__declspec(dllexport) long DllUnregisterServer(void) { return 0; }
int CatalogOpenImpl(void) { return 1; }
