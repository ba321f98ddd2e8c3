/* The stand-in of a shipped library or control: it carries its version
   resource and the two self-registration entry points, which succeed and do
   nothing else. */
__declspec(dllexport) long __stdcall DllRegisterServer(void) { return 0; /* S_OK */ }
__declspec(dllexport) long __stdcall DllUnregisterServer(void) { return 0; /* S_OK */ }
